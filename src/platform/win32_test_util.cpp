#include "platform/win32_test_util.h"

#include <windows.h>

#include <cstring>

#include "platform/platform.h"

namespace hibiopen::win32_test {

int write_command_tail(const char* path) {
  const char* tail = platform::command_tail(0, nullptr);
  const HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return 2;
  }
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(std::strlen(tail));
  const BOOL ok = WriteFile(file, tail, size, &written, nullptr);
  CloseHandle(file);
  return ok && written == size ? 0 : 3;
}

namespace {

std::string read_file(const std::string& path, bool* ok) {
  std::string text;
  *ok = false;
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return text;
  }
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    text.append(buffer, got);
  }
  CloseHandle(file);
  *ok = true;
  return text;
}

}  // namespace

bool tail_seen_by_child(const std::string& command_line, std::string* tail) {
  char program[MAX_PATH];
  const DWORD program_size = GetModuleFileNameA(nullptr, program, sizeof program);
  if (program_size == 0 || program_size >= sizeof program) {
    return false;
  }
  const std::string folder = make_temp_folder();
  const std::string out = folder + "\\tail.txt";
  SetEnvironmentVariableA(kTailFileVariable, out.c_str());
  std::string line = command_line;  // CreateProcessA may write into it.
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessA(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &process);
  SetEnvironmentVariableA(kTailFileVariable, nullptr);
  bool ok = false;
  if (started) {
    DWORD code = 1;
    ok = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0 &&
         GetExitCodeProcess(process.hProcess, &code) && code == 0;
    if (!ok) {
      TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (ok) {
    *tail = read_file(out, &ok);
  }
  remove_tree(folder);
  return ok;
}

std::string make_temp_folder() {
  char base[MAX_PATH];
  const DWORD size = GetTempPathA(sizeof base, base);
  if (size == 0 || size >= sizeof base) {
    return std::string();
  }
  for (unsigned n = GetTickCount();; ++n) {
    std::string path = std::string(base) + "hibiopen-test-" + std::to_string(n);
    if (CreateDirectoryA(path.c_str(), nullptr)) {
      return path;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      return std::string();
    }
  }
}

void remove_tree(const std::string& path) {
  if (path.empty()) {
    return;
  }
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") {
        continue;
      }
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        remove_tree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

bool create_file(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD written = 0;
  const BOOL ok = WriteFile(file, "x", 1, &written, nullptr);
  CloseHandle(file);
  return ok != FALSE;
}

}  // namespace hibiopen::win32_test
