#include <windows.h>

#include "platform/platform.h"
#include "platform/win32.h"

namespace hibiopen::platform {
namespace win32 {

bool has_path_character(const char* path, const LeadBytes& lead) {
  return has_ascii_character(path, "./\\", lead);
}

namespace {

// Whether a failure reason says that there is nothing there: file, path,
// drive, network path or network name not found, a bad path name, a name too
// long, or no more files.
bool is_not_found_reason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NO_MORE_FILES:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return true;
    default:
      return false;
  }
}

}  // namespace

FileStatus found_entry_status(const WIN32_FIND_DATAA& entry) {
  const FILETIME* const stamps[] = {&entry.ftLastWriteTime, &entry.ftLastAccessTime,
                                    &entry.ftCreationTime};
  bool first = true;
  for (const FILETIME* stamp : stamps) {
    // A file system that keeps no access or creation time gives zero for it.
    const bool set = first || stamp->dwLowDateTime != 0 || stamp->dwHighDateTime != 0;
    first = false;
    if (!set) {
      continue;
    }
    FILETIME local;
    SYSTEMTIME parts;
    if (!FileTimeToLocalFileTime(stamp, &local) || !FileTimeToSystemTime(&local, &parts)) {
      return is_not_found_reason(GetLastError()) ? FileStatus::NotFound : FileStatus::Error;
    }
  }
  return FileStatus::Found;
}

bool names_drive_root(const char* path) {
  char full[MAX_PATH + 1];
  if (GetFullPathNameA(path, sizeof full, full, nullptr) != 3) {
    return false;
  }
  const char letter = static_cast<char>(full[0] | 0x20);
  if (letter < 'a' || letter > 'z' || full[1] != ':' || full[2] != '\\') {
    return false;
  }
  const UINT type = GetDriveTypeA(full);
  return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
}

}  // namespace win32

FileStatus find_entry(const char* path) {
  // A drive without its medium answers as missing instead of asking the user
  // to insert a disk.
  const UINT previous_mode = SetErrorMode(SEM_FAILCRITICALERRORS);
  FileStatus status = FileStatus::NotFound;
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA(path, &entry);
  if (search != INVALID_HANDLE_VALUE) {
    FindClose(search);
    status = win32::found_entry_status(entry);
  } else if (win32::has_path_character(path, lead_bytes()) && win32::names_drive_root(path)) {
    // The root of a drive has no directory entry of its own to find.
    status = FileStatus::Found;
  }
  SetErrorMode(previous_mode);
  return status;
}

}  // namespace hibiopen::platform
