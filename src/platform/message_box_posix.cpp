#include <errno.h>
#include <iconv.h>
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

// Runs a dialog program and waits for it to close. True when it showed the
// message: it ran and ended normally with a status that means dismissed.
bool run_dialog(posix::DialogProgram program, const char* text, const char* caption,
                unsigned style) {
  const char* argv[posix::kDialogArgvSize];
  char* storage = nullptr;
  bool shown = false;
  if (posix::dialog_argv(program, text, caption, style, argv, &storage)) {
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) == 0) {
      int status;
      while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
      }
      // zenity and kdialog end with 1 when the box is closed rather than
      // confirmed; xmessage ends with 1 when it could not open its window.
      const int closed_status = program == posix::DialogProgram::Xmessage ? 0 : 1;
      shown =
          WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == closed_status);
    }
  }
  std::free(storage);
  return shown;
}

void write_all(int fd, const char* text) {
  std::size_t left = std::strlen(text);
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
