// A stand-in for the application that HIBIOPEN.EXE starts in the tests under
// Wine: it writes the command line it was started with to recorded.txt in its
// current folder and ends. The text appears whole or not at all.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const char* line = GetCommandLineA();
  const HANDLE file = CreateFileA("recorded.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return 1;
  }
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(std::strlen(line));
  const BOOL ok = WriteFile(file, line, size, &written, nullptr) && written == size;
  CloseHandle(file);
  if (!ok || !MoveFileExA("recorded.tmp", "recorded.txt", MOVEFILE_REPLACE_EXISTING)) {
    return 1;
  }
  return 0;
}
