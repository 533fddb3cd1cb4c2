#include "app/run.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  return hibiopen::run(hibiopen::platform::command_tail(argc, argv));
}
