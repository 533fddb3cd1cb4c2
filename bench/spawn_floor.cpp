// The floor for a program that starts another: it starts argv[1], looked up on
// PATH, with the arguments that follow, in a session of its own, as hibiopen
// starts the opener, and does nothing else (no date, no file test).
// The benchmark builds it with hibiopen's link options and times it beside
// hibiopen, so that the cost of starting a process is seen apart from the
// cost of hibiopen's own work.
#include <spawn.h>

extern char** environ;

int main(int argc, char** argv) {
  if (argc < 3) {
    return 2;
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid;
  posix_spawnp(&pid, argv[1], nullptr, &attributes, argv + 1, environ);
  posix_spawnattr_destroy(&attributes);
  return 0;
}
