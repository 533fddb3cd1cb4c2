// Handing the file of the day to the shell's open operation.
#pragma once

namespace hibiopen {

// Working texts of launch_target, each with room for the command tail and a
// terminator.
struct LaunchTexts {
  char* application;
  char* parameters;
};

// Issues one open request for a tail of token_count tokens (2 or more):
//   2 tokens: the target itself is opened, with empty parameters;
//   3 tokens: token 2 is run with the target as its parameters;
//   more:     token 2 is run with tokens 3 to token_count - 1, each followed by
//             one space, then the target.
// Tokens keep their quotes. The tail is read once, front to back.
void launch_target(int token_count, const char* tail, const char* target, const LaunchTexts& texts);

}  // namespace hibiopen
