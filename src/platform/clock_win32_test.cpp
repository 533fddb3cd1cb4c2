#include <gtest/gtest.h>
#include <windows.h>

#include "platform/platform.h"

namespace hibiopen::platform {
namespace {

// The local date worked out from the system's UTC clock.
CivilDate date_from_system_clock() {
  FILETIME utc;
  FILETIME local;
  SYSTEMTIME parts = {};
  GetSystemTimeAsFileTime(&utc);
  EXPECT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  EXPECT_TRUE(FileTimeToSystemTime(&local, &parts));
  return {parts.wYear, parts.wMonth, parts.wDay};
}

bool same(const CivilDate& a, const CivilDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

TEST(LocalToday, IsTheLocalDateOfTheSystemClock) {
  const CivilDate before = date_from_system_clock();
  CivilDate today = {};
  ASSERT_TRUE(local_today(&today));
  const CivilDate after = date_from_system_clock();
  // Midnight may pass between the readings.
  EXPECT_TRUE(same(today, before) || same(today, after))
      << today.year << '-' << today.month << '-' << today.day;
}

}  // namespace
}  // namespace hibiopen::platform
