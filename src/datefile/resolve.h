// Finding the file of the day: the pattern with today's date key in place of
// its first '*', or yesterday's when today's file does not exist.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace hibiopen {

using platform::FileStatus;

// The program's one question to the file system. A path holding '?' or '*'
// (whole characters of the code page) or a bare drive such as "C:" is
// NotFound without asking; otherwise the platform looks for the entry.
FileStatus query_file_status(const char* test_path);

// Writes prefix, key and suffix into target, terminated; returns target.
char* assemble_target(char* target, std::string_view prefix, const char* key,
                      std::string_view suffix);

// Writes the path to test for target into test_path: when the target starts
// with a double quote, the target without its first and its last byte;
// otherwise the target itself. Returns test_path.
char* make_test_path(char* test_path, const char* target);

enum class Resolution {
  Found,          // texts.target holds the file of the day
  NoPlaceholder,  // the pattern has no '*'; nothing was tested
  Stop,           // a message has been shown; nothing is to be launched
};

// Working texts of resolve_target, each with room for the selector and the
// pattern together and a terminator.
struct ResolveTexts {
  char* key;
  char* target;
  char* test_path;
};

// Resolves the pattern for today, then yesterday, showing the BadSelector,
// NotFound or SearchError message when it has to stop.
Resolution resolve_target(const char* selector, const char* pattern, const ResolveTexts& texts);

}  // namespace hibiopen
