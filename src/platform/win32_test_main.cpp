// The test program of the Win32 layer. With HIBIOPEN_TEST_TAIL_FILE in its
// environment it is instead the child that the start-up tests start with a
// command line of their own: it writes its command tail to that file and ends.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32_test_util.h"

int main(int argc, char** argv) {
  char path[MAX_PATH];
  const DWORD size =
      GetEnvironmentVariableA(hibiopen::win32_test::kTailFileVariable, path, sizeof path);
  if (size > 0 && size < sizeof path) {
    return hibiopen::win32_test::write_command_tail(path);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
