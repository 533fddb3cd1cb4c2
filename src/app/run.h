// The one pass every run makes.
#pragma once

namespace hibiopen {

// Counts the tokens of the command tail and, by their number, shows the about
// box, complains that the command line is too short, or resolves the file of
// the day and launches it. Returns the process exit code, always 0.
int run(const char* tail);

}  // namespace hibiopen
