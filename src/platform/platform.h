// Every service the program asks of the operating system.
//
// The program links one real layer behind this header (POSIX or Win32); the
// tests link a recording fake. All texts are byte strings in the ANSI code
// page (code page 932 for the program's own texts); only the layer behind this
// header converts them into what a screen shows.
#pragma once

namespace hibiopen::platform {

// Which byte values lead a double-byte character in the ANSI code page.
struct LeadBytes {
  bool lead[256];
};

// The lead bytes of the code page this process works in; none when it is a
// single-byte code page.
const LeadBytes& lead_bytes();

// The lead bytes of code page 932 (Shift_JIS): 0x81-0x9F and 0xE0-0xFC.
const LeadBytes& cp932_lead_bytes();

// Whether text holds one of the ASCII characters of set as a character of its
// own: the byte after a lead byte belongs to the same double-byte character
// and is never taken for one of them. Without a table, the process's code page
// is looked up, and only once a byte above 0x7F calls for it (no code page has
// a lead byte below that, and finding out may mean loading the locale).
bool has_ascii_character(const char* text, const char* set);
bool has_ascii_character(const char* text, const char* set, const LeadBytes& lead);

// The command line less the program's own name and the blanks after it.
// The text stays valid until the process exits.
const char* command_tail(int argc, char** argv);

struct CivilDate {
  int year;
  int month;  // 1..12
  int day;    // 1..31
};

// Reads the clock once and gives today's date in the process's local time.
// Returns false when the clock has no local date.
bool local_today(CivilDate* today);

enum class FileStatus { Found, NotFound, Error };

// Asks the file system whether a directory entry (file or directory, hidden
// ones included) is named by path, relative to the current directory. Error
// means that the entry exists but its time stamps cannot be read as local time.
FileStatus find_entry(const char* path);

// Message box styles used by the program.
inline constexpr unsigned kStyleOk = 0x00;        // OK button, no icon
inline constexpr unsigned kStyleIconHand = 0x10;  // OK button, stop icon

// Shows a modal message box with no owner window and returns when it is
// dismissed. text and caption are code page 932 bytes.
void show_message_box(const char* text, const char* caption, unsigned style);

inline constexpr int kShowNormal = 5;  // SW_SHOW

// One request to the shell's open operation.
struct ShellRequest {
  const void* owner;  // always none: the program has no window
  const char* verb;
  const char* file;
  const char* parameters;
  const char* directory;
  int show;
};

// Hands the request to the shell and returns without waiting for what it
// starts; the outcome is not reported.
void shell_open(const ShellRequest& request);

}  // namespace hibiopen::platform
