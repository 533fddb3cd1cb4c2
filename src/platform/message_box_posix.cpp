#include <errno.h>
#include <fcntl.h>
#include <iconv.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "platform/platform.h"
#include "platform/posix.h"

extern char** environ;

namespace hibiopen::platform {
namespace posix {
namespace {

// Writes name and value as one text at out; returns the byte after its
// terminator.
char* put_option(char* out, const char* name, const char* value) {
  const std::size_t name_size = std::strlen(name);
  const std::size_t value_size = std::strlen(value);
  std::memcpy(out, name, name_size);
  std::memcpy(out + name_size, value, value_size + 1);
  return out + name_size + value_size + 1;
}

}  // namespace

char* cp932_to_utf8(const char* text) {
  // A code page 932 character is one or two bytes and never more than three
  // bytes of UTF-8.
  const std::size_t size = std::strlen(text);
  char* out = static_cast<char*>(std::malloc(size * 3 + 1));
  if (out == nullptr) {
    return nullptr;
  }
  char* in = const_cast<char*>(text);
  std::size_t in_left = size;
  char* put = out;
  std::size_t out_left = size * 3;
  const iconv_t converter = iconv_open("UTF-8", "CP932");
  if (converter != reinterpret_cast<iconv_t>(-1)) {
    while (in_left > 0 &&
           iconv(converter, &in, &in_left, &put, &out_left) == static_cast<std::size_t>(-1)) {
      if (errno != EILSEQ && errno != EINVAL) {
        break;
      }
      // A byte the converter does not know goes through as it is.
      *put++ = *in++;
      --in_left;
      --out_left;
    }
    iconv_close(converter);
  }
  std::memcpy(put, in, in_left);  // Whatever could not be converted at all.
  put[in_left] = '\0';
  return out;
}

bool dialog_argv(DialogProgram program, const char* text, const char* caption, unsigned style,
                 const char* (&argv)[kDialogArgvSize], char** storage) {
  const bool stop = style == kStyleIconHand;
  int n = 0;
  *storage = nullptr;
  switch (program) {
    case DialogProgram::Zenity: {
      // Options with their values joined, so that a text starting with '-' is
      // never read as an option. An empty icon name shows no icon.
      *storage = static_cast<char*>(
          std::malloc(std::strlen(caption) + std::strlen(text) + sizeof("--title=--text=") + 1));
      if (*storage == nullptr) {
        return false;
      }
      char* const title = *storage;
      char* const body = put_option(title, "--title=", caption);
      put_option(body, "--text=", text);
      argv[n++] = "zenity";
      argv[n++] = stop ? "--error" : "--info";
      if (!stop) {
        argv[n++] = "--icon-name=";
      }
      argv[n++] = "--no-markup";
      argv[n++] = "--no-wrap";
      argv[n++] = title;
      argv[n++] = body;
      break;
    }
    case DialogProgram::Kdialog:
      argv[n++] = "kdialog";
      argv[n++] = "--title";
      argv[n++] = caption;
      argv[n++] = stop ? "--error" : "--msgbox";
      argv[n++] = text;
      break;
    case DialogProgram::Xmessage:
      argv[n++] = "xmessage";
      argv[n++] = "-title";
      argv[n++] = caption;
      argv[n++] = "-buttons";
      argv[n++] = "OK:0";
      argv[n++] = "-default";
      argv[n++] = "OK";
      argv[n++] = "-center";
      argv[n++] = text;
      break;
  }
  argv[n] = nullptr;
  return true;
}

bool dialog_shown(DialogProgram program, int wait_status, const char* errors) {
  if (!WIFEXITED(wait_status)) {
    return false;
  }
  const int status = WEXITSTATUS(wait_status);
  if (program == DialogProgram::Xmessage || status != 1) {
    return status == 0;
  }
  // GTK's and Qt's words for a display they cannot reach.
  for (const char* no_display :
       {"cannot open display", "could not connect to display", "cannot connect to X server"}) {
    if (std::strstr(errors, no_display) != nullptr) {
      return false;
    }
  }
  return true;
}

}  // namespace posix

namespace {

bool graphical_session() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] != '\0') {
      return true;
    }
  }
  return false;
}

void write_all(int fd, const char* text, std::size_t size) {
  std::size_t left = size;
  while (left > 0) {
    const ssize_t written = write(fd, text, left);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return;
    }
    text += written;
    left -= static_cast<std::size_t>(written);
  }
}

void write_all(int fd, const char* text) {
  write_all(fd, text, std::strlen(text));
}

// The start of a dialog program's standard error, kept to judge how it ended;
// everything it writes is passed on to ours as it comes.
struct DialogErrors {
  char start[4096];
  std::size_t size;
};

// Passes on what is waiting in the pipe; false at its end (or on an error).
bool pass_on_errors(int fd, DialogErrors* errors) {
  char buffer[4096];
  const ssize_t got = read(fd, buffer, sizeof buffer);
  if (got < 0 && errno == EINTR) {
    return true;
  }
  if (got <= 0) {
    return false;
  }
  const std::size_t size = static_cast<std::size_t>(got);
  write_all(STDERR_FILENO, buffer, size);
  const std::size_t room = sizeof errors->start - 1 - errors->size;
  const std::size_t kept = size < room ? size : room;
  std::memcpy(errors->start + errors->size, buffer, kept);
  errors->size += kept;
  errors->start[errors->size] = '\0';
  return true;
}

// Waits for the dialog program to end while passing on its standard error.
// The pipe is read until it ends or the program has ended, whichever comes
// first: a helper the program left behind may keep the pipe open.
int wait_for_dialog(pid_t pid, int errors_fd, DialogErrors* errors) {
  int status = 0;
  bool ended = false;
  while (errors_fd >= 0) {
    pollfd readable = {errors_fd, POLLIN, 0};
    if (poll(&readable, 1, 100) > 0 && !pass_on_errors(errors_fd, errors)) {
      break;
    }
    if (waitpid(pid, &status, WNOHANG) == pid) {
      ended = true;
      fcntl(errors_fd, F_SETFL, O_NONBLOCK);
      while (pass_on_errors(errors_fd, errors)) {
      }
      break;
    }
  }
  while (!ended && waitpid(pid, &status, 0) == -1 && errno == EINTR) {
  }
  return status;
}

// Runs a dialog program and waits for it to close. True when it showed the
// message.
bool run_dialog(posix::DialogProgram program, const char* text, const char* caption,
                unsigned style) {
  const char* argv[posix::kDialogArgvSize];
  char* storage = nullptr;
  bool shown = false;
  if (posix::dialog_argv(program, text, caption, style, argv, &storage)) {
    // Its standard error comes through a pipe, to learn whether it could
    // reach the display.
    int pipe_fds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipe2(pipe_fds, O_CLOEXEC) == 0) {
      posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDERR_FILENO);
    }
    pid_t pid;
    const bool started =
        posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (pipe_fds[1] >= 0) {
      close(pipe_fds[1]);
    }
    if (started) {
      DialogErrors errors = {};
      const int status = wait_for_dialog(pid, pipe_fds[0], &errors);
      shown = posix::dialog_shown(program, status, errors.start);
    }
    if (pipe_fds[0] >= 0) {
      close(pipe_fds[0]);
    }
  }
  std::free(storage);
  return shown;
}

}  // namespace

void show_message_box(const char* text, const char* caption, unsigned style) {
  char* utf8_text = posix::cp932_to_utf8(text);
  char* utf8_caption = posix::cp932_to_utf8(caption);
  const char* shown_text = utf8_text != nullptr ? utf8_text : text;
  const char* shown_caption = utf8_caption != nullptr ? utf8_caption : caption;
  bool shown = false;
  if (graphical_session()) {
    for (const posix::DialogProgram program :
         {posix::DialogProgram::Zenity, posix::DialogProgram::Kdialog,
          posix::DialogProgram::Xmessage}) {
      if (run_dialog(program, shown_text, shown_caption, style)) {
        shown = true;
        break;
      }
    }
  }
  if (!shown) {
    // No desktop to show a box on: the caption, then the text, on standard
    // error.
    write_all(STDERR_FILENO, shown_caption);
    write_all(STDERR_FILENO, "\n");
    write_all(STDERR_FILENO, shown_text);
    const std::size_t size = std::strlen(shown_text);
    if (size == 0 || shown_text[size - 1] != '\n') {
      write_all(STDERR_FILENO, "\n");
    }
  }
  std::free(utf8_text);
  std::free(utf8_caption);
}

}  // namespace hibiopen::platform
