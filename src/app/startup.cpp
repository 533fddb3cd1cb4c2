#include "app/startup.h"

namespace hibiopen {
namespace {

bool is_blank(unsigned char byte) {
  return byte >= 0x01 && byte <= 0x20;
}

}  // namespace

const char* skip_program_name(const char* line, const platform::LeadBytes& lead) {
  const char* p = line;
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') {
      // The byte after a lead byte belongs to the same character; a NUL there
      // still ends the line.
      if (lead.lead[static_cast<unsigned char>(*p)] && p[1] != '\0') {
        p += 2;
      } else {
        ++p;
      }
    }
    if (*p == '\0') {
      return p;  // The name's quote never closes: the tail is empty.
    }
    ++p;  // The closing quote.
  } else {
    while (static_cast<unsigned char>(*p) > 0x20) {
      ++p;
    }
  }
  while (is_blank(static_cast<unsigned char>(*p))) {
    ++p;
  }
  return p;
}

}  // namespace hibiopen
