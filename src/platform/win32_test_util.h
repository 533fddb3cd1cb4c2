// Helpers of the Win32 layer's tests: temporary files and the start of this
// test program as a child with a command line of its own.
#pragma once

#include <string>

namespace hibiopen::win32_test {

// The environment variable that turns this test program into the child of the
// start-up tests: it names the file to write the command tail to.
inline constexpr char kTailFileVariable[] = "HIBIOPEN_TEST_TAIL_FILE";

// Writes the command tail of this process to path. Returns the exit code of
// the child.
int write_command_tail(const char* path);

// Starts this test program with command_line as its raw command line and
// waits for it. On success, tail receives the command tail the child found.
bool tail_seen_by_child(const std::string& command_line, std::string* tail);

// A new empty folder under the system's temporary folder; its path has no
// trailing backslash.
std::string make_temp_folder();

// Removes a folder and everything in it.
void remove_tree(const std::string& path);

// Creates a file holding one byte; returns false when it cannot.
bool create_file(const std::string& path);

}  // namespace hibiopen::win32_test
