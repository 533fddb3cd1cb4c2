#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix.h"

namespace hibiopen::platform {
namespace posix {
namespace {

bool needs_quotes(const char* arg) {
  return (arg[0] == '\0' || std::strchr(arg, ' ') != nullptr) && std::strchr(arg, '"') == nullptr;
}

}  // namespace

char* join_arguments(int count, char* const* args) {
  std::size_t size = 1;
  for (int i = 0; i < count; ++i) {
    size += std::strlen(args[i]) + 3;  // the argument, two quotes, a space
  }
  char* tail = static_cast<char*>(std::malloc(size));
  if (tail == nullptr) {
    return nullptr;
  }
  char* out = tail;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      *out++ = ' ';
    }
    const bool quoted = needs_quotes(args[i]);
    if (quoted) {
      *out++ = '"';
    }
    const std::size_t length = std::strlen(args[i]);
    std::memcpy(out, args[i], length);
    out += length;
    if (quoted) {
      *out++ = '"';
    }
  }
  *out = '\0';
  return tail;
}

}  // namespace posix

const char* command_tail(int argc, char** argv) {
  // Linux hands the arguments over already split; the tail is rebuilt from
  // them. It lives until the process exits, held here so that it stays
  // reachable and a leak checker sees it in use. The program asks once; a
  // further call (tests make them) replaces it.
  static char* tail = nullptr;
  std::free(tail);
  tail = argc > 1 ? posix::join_arguments(argc - 1, argv + 1) : nullptr;
  return tail != nullptr ? tail : "";
}

}  // namespace hibiopen::platform
