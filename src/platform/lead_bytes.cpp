#include "platform/platform.h"

#include <cstring>

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

bool scan_for(const char* text, const char* set, const LeadBytes* lead) {
  for (const char* p = text; *p != '\0'; ++p) {
    const unsigned char byte = static_cast<unsigned char>(*p);
    if (byte >= 0x80) {
      if (lead == nullptr) {
        lead = &lead_bytes();
      }
      if (lead->lead[byte]) {
        if (p[1] == '\0') {
          break;
        }
        ++p;  // The trail byte is part of the same character.
      }
    } else if (std::strchr(set, *p) != nullptr) {
      return true;
    }
  }
  return false;
}

}  // namespace

const LeadBytes& cp932_lead_bytes() {
  return kCp932LeadBytes;
}

bool has_ascii_character(const char* text, const char* set) {
  return scan_for(text, set, nullptr);
}

bool has_ascii_character(const char* text, const char* set, const LeadBytes& lead) {
  return scan_for(text, set, &lead);
}

}  // namespace hibiopen::platform
