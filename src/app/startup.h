// Finding the command tail in a raw command line.
#pragma once

#include "platform/platform.h"

namespace hibiopen {

// Returns the command tail inside line: the rest of the same string after the
// program's name and the blanks (bytes 0x01 to 0x20) that follow it.
//
// A name that starts with a double quote runs to the next double quote, which
// is skipped too; the byte after a lead byte of the code page is never taken
// for that quote, and when no quote closes the name the whole line is the
// name. A name without a leading quote runs up to the first byte from 0x00 to
// 0x20, any quote inside it being an ordinary byte.
const char* skip_program_name(const char* line, const platform::LeadBytes& lead);

}  // namespace hibiopen
