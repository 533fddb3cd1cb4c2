#include <windows.h>

#include <cstdlib>

#include "platform/platform.h"
#include "platform/win32.h"

namespace hibiopen::platform {
namespace win32 {

wchar_t* cp932_to_wide(const char* text) {
  const int size = MultiByteToWideChar(932, 0, text, -1, nullptr, 0);
  if (size <= 0) {
    return nullptr;
  }
  wchar_t* wide =
      static_cast<wchar_t*>(std::malloc(static_cast<std::size_t>(size) * sizeof(wchar_t)));
  if (wide != nullptr && MultiByteToWideChar(932, 0, text, -1, wide, size) != size) {
    std::free(wide);
    wide = nullptr;
  }
  return wide;
}

}  // namespace win32

void show_message_box(const char* text, const char* caption, unsigned style) {
  // The texts are code page 932 whatever the system's own code page is, so
  // they are shown through UTF-16 and read the same on every Windows.
  wchar_t* wide_text = win32::cp932_to_wide(text);
  wchar_t* wide_caption = win32::cp932_to_wide(caption);
  if (wide_text != nullptr && wide_caption != nullptr) {
    MessageBoxW(nullptr, wide_text, wide_caption, style);
  } else {
    // Without the converter (code page 932 not installed) or without memory:
    // the bytes as they are, still one box.
    MessageBoxA(nullptr, text, caption, style);
  }
  std::free(wide_text);
  std::free(wide_caption);
}

}  // namespace hibiopen::platform
