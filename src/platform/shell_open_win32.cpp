#include <windows.h>

// Needs the types of windows.h.
#include <shellapi.h>

#include "platform/platform.h"

namespace hibiopen::platform {

void shell_open(const ShellRequest& request) {
  // The shell starts what it opens on its own; its answer is not examined.
  ShellExecuteA(static_cast<HWND>(const_cast<void*>(request.owner)), request.verb, request.file,
                request.parameters, request.directory, request.show);
}

}  // namespace hibiopen::platform
