#include "platform/platform.h"

namespace hibiopen::platform {
namespace {

constexpr LeadBytes make_cp932_lead_bytes() {
  LeadBytes table{};
  for (int byte = 0x81; byte <= 0x9F; ++byte) {
    table.lead[byte] = true;
  }
  for (int byte = 0xE0; byte <= 0xFC; ++byte) {
    table.lead[byte] = true;
  }
  return table;
}

constexpr LeadBytes kCp932LeadBytes = make_cp932_lead_bytes();

}  // namespace

const LeadBytes& cp932_lead_bytes() {
  return kCp932LeadBytes;
}

}  // namespace hibiopen::platform
