// Pieces of the POSIX layer that are plain functions over byte strings, kept
// apart from the system calls so that they can be tested on their own.
#pragma once

#include <cstddef>

namespace hibiopen::platform::posix {

// Rebuilds a command tail from arguments that arrive already split: they are
// joined by single spaces, and an argument that is empty or holds a space, and
// holds no double quote, is wrapped in double quotes so that it stays one
// token. Returns a new text to release with free(), or nullptr when there is
// no memory.
char* join_arguments(int count, char* const* args);

// Returns a NULL-terminated argument vector in a single allocation (release
// with free()): first, when it is not nullptr, then every token of text by the
// command-tail rules, each with its double quotes removed. count receives the
// number of arguments. nullptr when there is no memory.
char** make_argv(const char* first, const char* text, std::size_t* count);

// Writes text without its double quotes into out (room for text and a
// terminator); returns out.
char* remove_quotes(char* out, const char* text);

// Whether a code set name (as nl_langinfo(CODESET) gives it) is Shift_JIS or
// one of its variants, whose lead bytes are those of code page 932.
bool is_shift_jis_codeset(const char* codeset);

// Whether a locale name, as LC_ALL, LC_CTYPE or LANG give it (nullptr or empty
// when none is set), already tells that its code set is not Shift_JIS: the C
// and POSIX locales, and names whose code set part is UTF-8. Any other locale
// has to be loaded to be known.
bool locale_name_rules_out_shift_jis(const char* name);

// Converts code page 932 bytes to UTF-8 with the system's converter. Bytes it
// cannot convert are passed through as they are. Release with free().
char* cp932_to_utf8(const char* text);

// The dialog programs tried in turn to show a message box in a graphical
// session.
enum class DialogProgram { Zenity, Kdialog, Xmessage };

// Room for the longest dialog argument vector and its terminating nullptr.
inline constexpr int kDialogArgvSize = 12;

// Fills argv with the command that shows a message box (UTF-8 text and
// caption) with the given program: the caption as title, the text shown as it
// stands with its line breaks, one OK button, an error icon for the stop
// style and none otherwise. Options that carry a value are built in storage
// (released with free() by the caller, also on failure). Returns false when
// there is no memory.
bool dialog_argv(DialogProgram program, const char* text, const char* caption, unsigned style,
                 const char* (&argv)[kDialogArgvSize], char** storage);

// Whether a dialog program showed its box, from its wait status and the start
// of what it wrote to standard error. zenity and kdialog end with status 1
// both when the box is closed rather than confirmed and when they cannot reach
// the display, which they then say on standard error; xmessage ends with 1
// only when it could not open its window.
bool dialog_shown(DialogProgram program, int wait_status, const char* errors);

// What an application named on the command line turns out to be.
enum class AppKind {
  Program,   // an executable file: run it
  Document,  // an existing entry that is not executable: open it
  Missing,   // neither
};

// Classifies an application name as the shell would, looking it up on PATH
// when it holds no slash. For a Program, path receives what to execute: the
// name itself when it has a slash, else the file found on PATH. path needs
// room for PATH_MAX bytes.
AppKind classify_application(const char* name, char* path, std::size_t path_size);

}  // namespace hibiopen::platform::posix
