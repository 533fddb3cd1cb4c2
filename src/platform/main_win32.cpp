#include <windows.h>

#include "app/run.h"
#include "platform/platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  hibiopen::run(hibiopen::platform::command_tail(0, nullptr));
  return 0;
}
