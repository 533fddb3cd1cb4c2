#include "datefile/date_key.h"

namespace hibiopen {
namespace {

bool is_leap_year(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && is_leap_year(year)) {
    return 29;
  }
  return kDays[month - 1];
}

void put_digits(char* out, int value, int digits) {
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

}  // namespace

platform::CivilDate previous_day(platform::CivilDate date) {
  if (date.day > 1) {
    --date.day;
  } else if (date.month > 1) {
    --date.month;
    date.day = days_in_month(date.year, date.month);
  } else {
    --date.year;
    date.month = 12;
    date.day = 31;
  }
  return date;
}

bool make_date_text(const platform::CivilDate& today, Day which, char (&text)[kDateTextSize]) {
  for (char& c : text) {
    c = '\0';
  }
  const platform::CivilDate date = which == Day::Today ? today : previous_day(today);
  if (date.year < 0 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > 31) {
    return false;
  }
  put_digits(text, date.year, 4);
  put_digits(text + 4, date.month, 2);
  put_digits(text + 6, date.day, 2);
  return true;
}

KeyOutcome make_date_key(const char* date_text, const char* selector, char* key) {
  char* out = key;
  for (const char* p = selector; *p != '\0'; ++p) {
    if (*p < '1' || *p > '8') {
      key[0] = '\0';
      return KeyOutcome::BadSelector;
    }
    *out++ = date_text[*p - '1'];
  }
  *out = '\0';
  return KeyOutcome::Ok;
}

}  // namespace hibiopen
