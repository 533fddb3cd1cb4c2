#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/platform.h"
#include "platform/posix.h"

namespace hibiopen::platform {
namespace {

namespace fs = std::filesystem;

TEST(FindEntry, AnyEntryIsFoundAndEveryFailureIsNotFound) {
  char dir_template[] = "/tmp/hibiopen-status-XXXXXX";
  ASSERT_NE(mkdtemp(dir_template), nullptr);
  const std::string dir = dir_template;
  std::ofstream(dir + "/NI970321.LOG").put('x');
  std::ofstream(dir + "/.hidden").put('x');
  fs::create_directory(dir + "/My Logs");
  fs::create_symlink(dir + "/nowhere", dir + "/dangling");
  fs::create_symlink(dir + "/loop", dir + "/loop");

  const struct {
    std::string path;
    FileStatus status;
  } cases[] = {
      {dir + "/NI970321.LOG", FileStatus::Found},
      {dir + "/.hidden", FileStatus::Found},
      {dir + "/My Logs", FileStatus::Found},
      {dir + "/My Logs/", FileStatus::Found},
      {dir + "/dangling", FileStatus::Found},
      {dir + "/loop", FileStatus::Found},
      {"/", FileStatus::Found},
      {dir + "/NI970320.LOG", FileStatus::NotFound},
      {dir + "/missing/NI970321.LOG", FileStatus::NotFound},
      {dir + "/NI970321.LOG/x", FileStatus::NotFound},  // not a directory
      {dir + "/loop/x", FileStatus::NotFound},          // too many links
      {dir + "/" + std::string(300, 'n'), FileStatus::NotFound},
      {dir + std::string(5000, '/') + "x", FileStatus::NotFound},  // path too long
      {"", FileStatus::NotFound},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(find_entry(c.path.c_str()), c.status) << c.path.substr(0, 200);
  }

  // Relative paths are taken against the current directory.
  const fs::path previous = fs::current_path();
  fs::current_path(dir);
  EXPECT_EQ(find_entry("NI970321.LOG"), FileStatus::Found);
  EXPECT_EQ(find_entry("My Logs/../NI970321.LOG"), FileStatus::Found);
  EXPECT_EQ(find_entry("NI970320.LOG"), FileStatus::NotFound);
  fs::current_path(previous);
  fs::remove_all(dir);
}

TEST(ShiftJisCodeset, KnownNamesInAnyCase) {
  for (const char* name :
       {"SHIFT_JIS", "Shift_JIS", "SJIS", "CP932", "WINDOWS-31J", "SHIFT_JISX0213"}) {
    EXPECT_TRUE(posix::is_shift_jis_codeset(name)) << name;
  }
  for (const char* name : {"UTF-8", "ANSI_X3.4-1968", "EUC-JP", "ISO-8859-1", ""}) {
    EXPECT_FALSE(posix::is_shift_jis_codeset(name)) << name;
  }
}

TEST(LocaleName, RulesOutShiftJisOnlyForDefaultAndUtf8Names) {
  for (const char* name :
       {"", "C", "POSIX", "C.UTF-8", "C.utf8", "ja_JP.UTF-8", "en_US.utf8@euro", "de_DE.Utf-8"}) {
    EXPECT_TRUE(posix::locale_name_rules_out_shift_jis(name)) << name;
  }
  EXPECT_TRUE(posix::locale_name_rules_out_shift_jis(nullptr));
  // These have to be loaded: a Shift_JIS code set, or one the name does not
  // give (a locale named without it may have been built with any).
  for (const char* name : {"ja_JP.SJIS", "ja_JP.Shift_JIS", "ja_JP", "japanese", "ja_JP.UTF-16",
                           "ja_JP.UTF-8x", "ja_JP.EUC-JP", "C.SJIS"}) {
    EXPECT_FALSE(posix::locale_name_rules_out_shift_jis(name)) << name;
  }
}

TEST(LocalToday, FollowsTheTimeZoneInTz) {
  // Zones 14 hours ahead of and 12 hours behind UTC, compared with the date
  // worked out from the system clock by calendar arithmetic.
  const struct {
    const char* tz;
    int offset_hours;
  } zones[] = {{"UTC", 0}, {"Etc/GMT-14", 14}, {"Etc/GMT+12", -12}};
  const char* saved = std::getenv("TZ");
  const std::string previous = saved != nullptr ? saved : "";
  for (const auto& zone : zones) {
    setenv("TZ", zone.tz, 1);
    tzset();
    const auto now = std::chrono::system_clock::now() + std::chrono::hours(zone.offset_hours);
    const std::chrono::year_month_day expected{std::chrono::floor<std::chrono::days>(now)};
    CivilDate today{};
    ASSERT_TRUE(local_today(&today));
    EXPECT_EQ(today.year, static_cast<int>(expected.year())) << zone.tz;
    EXPECT_EQ(today.month, static_cast<int>(static_cast<unsigned>(expected.month()))) << zone.tz;
    EXPECT_EQ(today.day, static_cast<int>(static_cast<unsigned>(expected.day()))) << zone.tz;
  }
  if (saved != nullptr) {
    setenv("TZ", previous.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace hibiopen::platform
