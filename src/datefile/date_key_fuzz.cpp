// Fuzz target for the date text and the date key. The input gives a date
// (two bytes of year, one of month, one of day) and, after it up to a NUL
// byte, the selector. The date texts of today and of the day before must match
// a reference calendar built on a day count, and the key must have as many
// bytes as the selector, each the date character the selector byte picks, or
// be refused as BadSelector with the key left empty.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "datefile/date_key.h"

namespace {

using hibiopen::platform::CivilDate;

void check(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "date key property violated: %s\n", property);
    std::abort();
  }
}

// Days since 1 January 1970 of a proleptic Gregorian date, and back.
long long days_from_civil(long long year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long year_of_era = year - era * 400;
  const long long day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const long long day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

CivilDate civil_from_days(long long days) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long day_of_era = days - era * 146097;
  const long long year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const long long day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const long long mp = (5 * day_of_year + 2) / 153;
  const int day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const long long year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  return CivilDate{static_cast<int>(year), month, day};
}

// The expected date text: YYYYMMDD for years 0..9999, none otherwise.
bool reference_text(const CivilDate& date, char (&text)[hibiopen::kDateTextSize]) {
  if (date.year < 0 || date.year > 9999) {
    return false;
  }
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return true;
}

void check_date_text(const CivilDate& today, hibiopen::Day which, const CivilDate& expected) {
  char text[hibiopen::kDateTextSize];
  std::memset(text, 0x7F, sizeof text);
  char wanted[hibiopen::kDateTextSize] = {};
  const bool ok = hibiopen::make_date_text(today, which, text);
  check(ok == reference_text(expected, wanted), "a date text exactly for years 0 to 9999");
  check(std::memcmp(text, wanted, sizeof text) == 0,
        "the date text is YYYYMMDD of the day, or zero-filled");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) {
    return 0;
  }
  // A real date between the years -1 and 10000, edges included.
  CivilDate today;
  today.year = ((data[0] << 8) | data[1]) % 10002 - 1;
  today.month = data[2] % 12 + 1;
  const long long first = days_from_civil(today.year, today.month, 1);
  const long long next = today.month == 12 ? days_from_civil(today.year + 1, 1, 1)
                                           : days_from_civil(today.year, today.month + 1, 1);
  today.day = static_cast<int>(data[3] % (next - first)) + 1;

  const CivilDate day_before =
      civil_from_days(days_from_civil(today.year, today.month, today.day) - 1);
  const CivilDate computed = hibiopen::previous_day(today);
  check(computed.year == day_before.year && computed.month == day_before.month &&
            computed.day == day_before.day,
        "previous_day is the calendar day before");
  check_date_text(today, hibiopen::Day::Today, today);
  check_date_text(today, hibiopen::Day::Yesterday, day_before);

  char date_text[hibiopen::kDateTextSize];
  if (!hibiopen::make_date_text(today, hibiopen::Day::Today, date_text)) {
    std::memcpy(date_text, "19970321", sizeof date_text);
  }

  // The key, in a buffer of exactly the selector's size and a terminator.
  const char* const input = reinterpret_cast<const char*>(data + 4);
  const std::size_t selector_size = strnlen(input, size - 4);
  const std::unique_ptr<char[]> selector(new char[selector_size + 1]);
  std::memcpy(selector.get(), input, selector_size);
  selector[selector_size] = '\0';
  const std::unique_ptr<char[]> key(new char[selector_size + 1]);
  std::memset(key.get(), 0x7F, selector_size + 1);

  bool all_digits = true;
  for (std::size_t i = 0; i < selector_size; ++i) {
    all_digits = all_digits && selector[i] >= '1' && selector[i] <= '8';
  }
  const hibiopen::KeyOutcome outcome =
      hibiopen::make_date_key(date_text, selector.get(), key.get());
  if (!all_digits) {
    check(outcome == hibiopen::KeyOutcome::BadSelector,
          "a selector byte outside 1 to 8 gives BadSelector");
    check(key[0] == '\0', "BadSelector leaves the key empty");
    return 0;
  }
  check(outcome == hibiopen::KeyOutcome::Ok, "a selector of digits 1 to 8 gives a key");
  check(key[selector_size] == '\0', "the key has as many bytes as the selector");
  for (std::size_t i = 0; i < selector_size; ++i) {
    check(key[i] == date_text[selector[i] - '1'], "each key byte is the date character picked");
  }
  return 0;
}
