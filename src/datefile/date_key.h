// The date text of a day and the date key a selector picks out of it.
#pragma once

#include "platform/platform.h"

namespace hibiopen {

enum class Day { Today, Yesterday };

// Eight digits YYYYMMDD and a terminator.
inline constexpr int kDateTextSize = 9;

// The calendar day before date.
platform::CivilDate previous_day(platform::CivilDate date);

// Writes the date text of today, or of the calendar day before today, into
// text. Returns false, leaving text zero-filled, when the year has no
// four-digit form (outside 0..9999).
bool make_date_text(const platform::CivilDate& today, Day which, char (&text)[kDateTextSize]);

enum class KeyOutcome { Ok, BadSelector };

// Picks, for each selector byte '1'..'8', that character of the date text,
// and writes the picks in selector order into key, terminated; key needs room
// for the selector's length and a terminator. Any other selector byte gives
// BadSelector and leaves key empty.
KeyOutcome make_date_key(const char* date_text, const char* selector, char* key);

}  // namespace hibiopen
