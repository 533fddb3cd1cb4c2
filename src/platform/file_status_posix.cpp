#include <langinfo.h>
#include <strings.h>
#include <sys/stat.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>

#include "platform/platform.h"
#include "platform/posix.h"

namespace hibiopen::platform {
namespace posix {

bool is_shift_jis_codeset(const char* codeset) {
  static const char* const kNames[] = {"SHIFT_JIS",   "SHIFT-JIS", "SJIS",          "CP932",
                                       "WINDOWS-31J", "MS_KANJI",  "SHIFT_JISX0213"};
  for (const char* name : kNames) {
    if (strcasecmp(codeset, name) == 0) {
      return true;
    }
  }
  return false;
}

bool locale_name_rules_out_shift_jis(const char* name) {
  if (name == nullptr || name[0] == '\0' || std::strcmp(name, "C") == 0 ||
      std::strcmp(name, "POSIX") == 0) {
    return true;
  }
  // language[_territory][.codeset][@modifier]
  const char* dot = std::strchr(name, '.');
  if (dot == nullptr) {
    return false;
  }
  const char* codeset = dot + 1;
  const char* at = std::strchr(codeset, '@');
  const std::size_t size =
      at != nullptr ? static_cast<std::size_t>(at - codeset) : std::strlen(codeset);
  return (size == 5 && strncasecmp(codeset, "UTF-8", 5) == 0) ||
         (size == 4 && strncasecmp(codeset, "UTF8", 4) == 0);
}

}  // namespace posix

namespace {

// The locale name that setlocale(LC_CTYPE, "") would load, or nullptr.
const char* ctype_locale_name() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') {
      return value;
    }
  }
  return nullptr;
}

}  // namespace

const LeadBytes& lead_bytes() {
  static const LeadBytes* table = nullptr;
  if (table == nullptr) {
    static const LeadBytes kNone{};
    // Loading a locale costs more than the rest of a run; when its name
    // already tells the answer, it is not loaded.
    if (posix::locale_name_rules_out_shift_jis(ctype_locale_name())) {
      table = &kNone;
    } else {
      std::setlocale(LC_CTYPE, "");
      table = posix::is_shift_jis_codeset(nl_langinfo(CODESET)) ? &cp932_lead_bytes() : &kNone;
    }
  }
  return *table;
}

FileStatus find_entry(const char* path) {
  // lstat finds any entry: a directory, a hidden file and a dangling symbolic
  // link included. Every failure to find one (missing, not a directory, name
  // too long, access refused, a loop) means there is none to open.
  struct stat entry;
  if (lstat(path, &entry) != 0) {
    return FileStatus::NotFound;
  }
  const std::time_t stamps[] = {entry.st_mtime, entry.st_atime, entry.st_ctime};
  for (const std::time_t stamp : stamps) {
    std::tm local;
    if (localtime_r(&stamp, &local) == nullptr) {
      return FileStatus::Error;
    }
  }
  return FileStatus::Found;
}

}  // namespace hibiopen::platform
