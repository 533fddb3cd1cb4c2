#include <windows.h>

#include "app/startup.h"
#include "platform/platform.h"

namespace hibiopen::platform {
namespace {

LeadBytes g_lead_bytes;
bool g_lead_bytes_ready = false;

}  // namespace

const LeadBytes& lead_bytes() {
  if (!g_lead_bytes_ready) {
    for (int byte = 0; byte < 256; ++byte) {
      g_lead_bytes.lead[byte] = IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
    }
    g_lead_bytes_ready = true;
  }
  return g_lead_bytes;
}

const char* command_tail(int, char**) {
  // Windows hands the program its command line as one text; the arguments the
  // C run time split from it are not used.
  return skip_program_name(GetCommandLineA(), lead_bytes());
}

}  // namespace hibiopen::platform
