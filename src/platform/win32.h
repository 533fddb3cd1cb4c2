// Pieces of the Win32 layer that are plain functions, kept apart from the
// calls that need a real system so that they can be tested on their own.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace hibiopen::platform::win32 {

// Converts code page 932 text to UTF-16 with the system's converter. Returns a
// new text to release with free(), or nullptr when there is no memory or the
// converter refuses the text.
wchar_t* cp932_to_wide(const char* text);

// Whether path holds '.', '/' or '\' as a character of its own: the second
// byte of a double-byte character (lead bytes in lead) is never taken for one.
bool has_path_character(const char* path, const LeadBytes& lead);

// The answer for an entry that FindFirstFileA found: Found when its time
// stamps (last write, and last access and creation when they are set) convert
// to local time; otherwise Error, or NotFound when the conversion fails for a
// reason of the not-found kind.
FileStatus found_entry_status(const WIN32_FIND_DATAA& entry);

// Whether the full form of path is exactly the root of a drive ("C:\") whose
// type the system knows and which has a root directory.
bool names_drive_root(const char* path);

}  // namespace hibiopen::platform::win32
