#include "datefile/resolve.h"

#include <cstring>
#include <initializer_list>

#include "app/messages.h"
#include "datefile/date_key.h"

namespace hibiopen {
namespace {

bool is_bare_drive(const char* path) {
  return path[0] != '\0' && path[1] == ':' && path[2] == '\0';
}

}  // namespace

FileStatus query_file_status(const char* test_path) {
  if (platform::has_ascii_character(test_path, "?*") || is_bare_drive(test_path)) {
    return FileStatus::NotFound;
  }
  return platform::find_entry(test_path);
}

char* assemble_target(char* target, std::string_view prefix, const char* key,
                      std::string_view suffix) {
  char* out = target;
  std::memcpy(out, prefix.data(), prefix.size());
  out += prefix.size();
  const std::size_t key_size = std::strlen(key);
  std::memcpy(out, key, key_size);
  out += key_size;
  std::memcpy(out, suffix.data(), suffix.size());
  out[suffix.size()] = '\0';
  return target;
}

char* make_test_path(char* test_path, const char* target) {
  const std::size_t size = std::strlen(target);
  if (target[0] == '"') {
    const std::size_t inner = size >= 2 ? size - 2 : 0;
    std::memmove(test_path, target + 1, inner);
    test_path[inner] = '\0';
  } else {
    std::memmove(test_path, target, size + 1);
  }
  return test_path;
}

Resolution resolve_target(const char* selector, const char* pattern, const ResolveTexts& texts) {
  const char* placeholder = std::strchr(pattern, '*');
  if (placeholder == nullptr) {
    return Resolution::NoPlaceholder;
  }
  const std::string_view prefix(pattern, static_cast<std::size_t>(placeholder - pattern));
  const std::string_view suffix(placeholder + 1);

  // One clock reading serves both passes, so yesterday is always the
  // calendar day before the today that was tested.
  platform::CivilDate today;
  if (!platform::local_today(&today)) {
    show_message(Message::SearchError);
    return Resolution::Stop;
  }
  for (const Day day : {Day::Today, Day::Yesterday}) {
    char date_text[kDateTextSize];
    if (!make_date_text(today, day, date_text)) {
      show_message(Message::SearchError);
      return Resolution::Stop;
    }
    if (make_date_key(date_text, selector, texts.key) == KeyOutcome::BadSelector) {
      show_message(Message::BadSelector);
      return Resolution::Stop;
    }
    assemble_target(texts.target, prefix, texts.key, suffix);
    make_test_path(texts.test_path, texts.target);
    switch (query_file_status(texts.test_path)) {
      case FileStatus::Found:
        return Resolution::Found;
      case FileStatus::Error:
        show_message(Message::SearchError);
        return Resolution::Stop;
      case FileStatus::NotFound:
        break;
    }
  }
  show_message(Message::NotFound);
  return Resolution::Stop;
}

}  // namespace hibiopen
