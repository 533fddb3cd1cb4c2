// A recording stand-in for the platform layer, linked into the tests in place
// of the real one. Each test sets the clock and the file-system answers, runs
// the code, and reads back what was asked and shown.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace hibiopen::fake {

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned style;
};

struct ShellCall {
  const void* owner;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int show;
};

struct State {
  // The clock: the date local_today gives, or no date at all.
  bool clock_works = true;
  platform::CivilDate today = {1997, 3, 21};
  int clock_reads = 0;

  // Whether the code page is Shift_JIS (lead bytes of code page 932).
  bool shift_jis = false;

  // Answers of find_entry: a listed path gets its answer; any other path is
  // looked up in the real file system without following symbolic links, or is
  // NotFound when real_file_system is false.
  std::map<std::string, platform::FileStatus> answers;
  bool real_file_system = true;
  std::vector<std::string> queried;

  std::vector<ShownMessage> messages;
  std::vector<ShellCall> launches;
};

// The state the fake works from; reset() gives a fresh one.
State& state();
void reset();

}  // namespace hibiopen::fake
