#include "datefile/date_key.h"

#include <gtest/gtest.h>

#include <string>

namespace hibiopen {
namespace {

std::string date_text(platform::CivilDate today, Day which) {
  char text[kDateTextSize];
  EXPECT_TRUE(make_date_text(today, which, text));
  return std::string(text);
}

TEST(DateText, TodayAndTheCalendarDayBefore) {
  const struct {
    platform::CivilDate today;
    const char* today_text;
    const char* yesterday_text;
  } cases[] = {
      {{1997, 3, 21}, "19970321", "19970320"},
      {{1997, 3, 1}, "19970301", "19970228"},
      {{2000, 1, 1}, "20000101", "19991231"},
      {{2000, 3, 1}, "20000301", "20000229"},
      {{1900, 3, 1}, "19000301", "19000228"},  // not a leap year
      {{2024, 3, 1}, "20240301", "20240229"},
      {{2026, 5, 1}, "20260501", "20260430"},
      // Clocks past 2038: the date is a calendar date, not a 32-bit count.
      {{2040, 1, 1}, "20400101", "20391231"},
      {{2100, 3, 1}, "21000301", "21000228"},
      {{9999, 12, 31}, "99991231", "99991230"},
      {{1000, 1, 1}, "10000101", "09991231"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(date_text(c.today, Day::Today), c.today_text);
    EXPECT_EQ(date_text(c.today, Day::Yesterday), c.yesterday_text);
  }
}

TEST(DateText, YearWithoutFourDigitsHasNoText) {
  const struct {
    platform::CivilDate today;
    bool has_today;
    bool has_yesterday;
  } cases[] = {
      {{10000, 1, 1}, false, true},  // yesterday is 31 December 9999
      {{10000, 1, 2}, false, false},
      {{0, 1, 1}, true, false},
      {{-1, 6, 1}, false, false},
  };
  for (const auto& c : cases) {
    char text[kDateTextSize];
    EXPECT_EQ(make_date_text(c.today, Day::Today, text), c.has_today) << c.today.year;
    EXPECT_EQ(make_date_text(c.today, Day::Yesterday, text), c.has_yesterday) << c.today.year;
    if (!c.has_yesterday) {
      EXPECT_STREQ(text, "");
    }
  }
}

TEST(DateKey, SelectorPicksCharactersInItsOrder) {
  const struct {
    const char* selector;
    const char* key;
  } cases[] = {
      {"345678", "970321"}, {"12345678", "19970321"}, {"5678", "0321"},
      {"78", "21"},         {"8877", "1122"},         {"8", "1"},
      {"88", "11"},         {"8765", "1230"},         {"1", "1"},
  };
  for (const auto& c : cases) {
    char key[16] = "garbage";
    EXPECT_EQ(make_date_key("19970321", c.selector, key), KeyOutcome::Ok) << c.selector;
    EXPECT_STREQ(key, c.key) << c.selector;
  }
}

TEST(DateKey, AnyOtherSelectorByteFailsAndKeepsNothing) {
  const char* const selectors[] = {
      "0",        "9",  "3456789", "0345678", "34a678", "A", "\"34\"", "34\"", "3 4",
      "\x82\x50",  // a double-byte digit one
      "34\x95",   "-1", "\t",      "/",       ":",
  };
  for (const char* selector : selectors) {
    char key[16] = "garbage";
    EXPECT_EQ(make_date_key("19970321", selector, key), KeyOutcome::BadSelector) << selector;
    EXPECT_STREQ(key, "") << selector;
  }
}

}  // namespace
}  // namespace hibiopen
