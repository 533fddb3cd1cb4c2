#include <langinfo.h>
#include <strings.h>
#include <sys/stat.h>

#include <clocale>
#include <cstring>
#include <ctime>

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

}  // namespace posix

const LeadBytes& lead_bytes() {
  static const LeadBytes* table = nullptr;
  if (table == nullptr) {
    static const LeadBytes kNone{};
    std::setlocale(LC_CTYPE, "");
    table = posix::is_shift_jis_codeset(nl_langinfo(CODESET)) ? &cp932_lead_bytes() : &kNone;
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
