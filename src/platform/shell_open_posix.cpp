#include <errno.h>
#include <limits.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cmdline/tokenizer.h"
#include "platform/platform.h"
#include "platform/posix.h"

extern char** environ;

namespace hibiopen::platform {
namespace posix {

char* remove_quotes(char* out, const char* text) {
  char* put = out;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != '"') {
      *put++ = *p;
    }
  }
  *put = '\0';
  return out;
}

char** make_argv(const char* first, const char* text, std::size_t* count) {
  std::size_t tokens = 0;
  TokenSpan token;
  for (const char* cursor = text; next_token(&cursor, &token);) {
    ++tokens;
  }
  const std::size_t items = tokens + (first != nullptr ? 1 : 0);
  const std::size_t first_size = first != nullptr ? std::strlen(first) + 1 : 0;
  // The pointers, then the texts: first, and each token with a terminator,
  // which the text's own separating spaces and quotes always make room for.
  const std::size_t pointers_size = (items + 1) * sizeof(char*);
  char* block =
      static_cast<char*>(std::malloc(pointers_size + first_size + std::strlen(text) + tokens + 1));
  if (block == nullptr) {
    return nullptr;
  }
  char** argv = reinterpret_cast<char**>(block);
  char* put = block + pointers_size;
  std::size_t n = 0;
  if (first != nullptr) {
    std::memcpy(put, first, first_size);
    argv[n++] = put;
    put += first_size;
  }
  for (const char* cursor = text; next_token(&cursor, &token);) {
    argv[n++] = put;
    for (std::size_t i = 0; i < token.size; ++i) {
      if (token.begin[i] != '"') {
        *put++ = token.begin[i];
      }
    }
    *put++ = '\0';
  }
  argv[n] = nullptr;
  *count = n;
  return argv;
}

namespace {

bool is_executable_file(const char* path) {
  struct stat entry;
  return stat(path, &entry) == 0 && S_ISREG(entry.st_mode) && access(path, X_OK) == 0;
}

// Looks name up on PATH as the shell does; an empty element is the current
// directory.
bool find_on_path(const char* name, char* path, std::size_t path_size) {
  const char* search = std::getenv("PATH");
  if (search == nullptr) {
    search = "/usr/local/bin:/usr/bin:/bin";
  }
  const std::size_t name_size = std::strlen(name);
  for (const char* dir = search;; ++dir) {
    const char* end = std::strchr(dir, ':');
    const std::size_t dir_size =
        end != nullptr ? static_cast<std::size_t>(end - dir) : std::strlen(dir);
    const char* prefix = dir_size == 0 ? "." : dir;
    const std::size_t prefix_size = dir_size == 0 ? 1 : dir_size;
    if (prefix_size + 1 + name_size < path_size) {
      std::memcpy(path, prefix, prefix_size);
      path[prefix_size] = '/';
      std::memcpy(path + prefix_size + 1, name, name_size + 1);
      if (is_executable_file(path)) {
        return true;
      }
    }
    if (end == nullptr) {
      return false;
    }
    dir = end;
  }
}

}  // namespace

AppKind classify_application(const char* name, char* path, std::size_t path_size) {
  if (name[0] == '\0') {
    return AppKind::Missing;
  }
  if (std::strchr(name, '/') != nullptr) {
    if (is_executable_file(name) && std::strlen(name) < path_size) {
      std::strcpy(path, name);
      return AppKind::Program;
    }
  } else if (find_on_path(name, path, path_size)) {
    return AppKind::Program;
  }
  // Not a program: an entry that exists is a document for the opener. An
  // executable file in the current directory named without a slash is not run,
  // as a POSIX shell would not run it.
  struct stat entry;
  if (stat(name, &entry) == 0 && !(S_ISREG(entry.st_mode) && access(name, X_OK) == 0)) {
    return AppKind::Document;
  }
  return AppKind::Missing;
}

}  // namespace posix

namespace {

void report(const char* name, const char* reason) {
  std::fprintf(stderr, "hibiopen: %s: %s\n", name, reason);
}

// Starts argv[0] from path (or from PATH when path is nullptr). At a terminal
// the run waits for it, as if it had been typed there; otherwise it runs in a
// session of its own and the run ends at once.
void start(const char* path, char* const* argv) {
  const bool at_terminal = isatty(STDIN_FILENO) == 1;
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  struct sigaction ignore = {};
  struct sigaction old_int = {};
  struct sigaction old_quit = {};
  if (at_terminal) {
    // Ctrl-C and Ctrl-\ are for the program at the terminal, not for us; it
    // gets them with their default effect.
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGINT, &ignore, &old_int);
    sigaction(SIGQUIT, &ignore, &old_quit);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGQUIT);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  } else {
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  }
  pid_t pid;
  const int error = path != nullptr
                        ? posix_spawn(&pid, path, nullptr, &attributes, argv, environ)
                        : posix_spawnp(&pid, argv[0], nullptr, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    report(argv[0], std::strerror(error));
  } else if (at_terminal) {
    int status;
    while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
    }
  }
  if (at_terminal) {
    sigaction(SIGINT, &old_int, nullptr);
    sigaction(SIGQUIT, &old_quit, nullptr);
  }
}

// Opens a document or folder with the desktop's opener.
void open_with_opener(const char* file) {
  char opener[PATH_MAX];
  const char* name = "xdg-open";
  if (posix::classify_application(name, opener, sizeof opener) != posix::AppKind::Program) {
    name = "open";
    if (posix::classify_application(name, opener, sizeof opener) != posix::AppKind::Program) {
      report("xdg-open", "no opener found on PATH (xdg-open or open)");
      return;
    }
  }
  // A name that starts with '-' would be read as an option by the opener.
  const char* prefix = file[0] == '-' ? "./" : "";
  const std::size_t size = std::strlen(prefix) + std::strlen(file) + 1;
  char* argument = static_cast<char*>(std::malloc(size));
  if (argument == nullptr) {
    return;
  }
  std::strcpy(argument, prefix);
  std::strcat(argument, file);
  char* argv[] = {const_cast<char*>(name), argument, nullptr};
  start(opener, argv);
  std::free(argument);
}

}  // namespace

void shell_open(const ShellRequest& request) {
  char* file = static_cast<char*>(std::malloc(std::strlen(request.file) + 1));
  if (file == nullptr) {
    return;
  }
  posix::remove_quotes(file, request.file);
  if (request.parameters[0] == '\0') {
    open_with_opener(file);
    std::free(file);
    return;
  }
  char program[PATH_MAX];
  switch (posix::classify_application(file, program, sizeof program)) {
    case posix::AppKind::Program: {
      std::size_t count;
      char** argv = posix::make_argv(file, request.parameters, &count);
      if (argv != nullptr) {
        start(program, argv);
        std::free(argv);
      }
      break;
    }
    case posix::AppKind::Document:
      open_with_opener(file);
      break;
    case posix::AppKind::Missing:
      report(file[0] != '\0' ? file : "\"\"", "no such program or file");
      break;
  }
  std::free(file);
}

}  // namespace hibiopen::platform
