#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "datefile/resolve.h"
#include "platform/platform.h"
#include "platform/win32.h"
#include "platform/win32_test_util.h"

namespace hibiopen::platform {
namespace {

struct Expected {
  std::string path;
  FileStatus status;
};

void expect_statuses(const Expected* begin, const Expected* end) {
  for (const Expected* c = begin; c != end; ++c) {
    EXPECT_EQ(query_file_status(c->path.c_str()), c->status) << c->path.substr(0, 120);
  }
}

// A folder of the Wine file system with a file, a folder, hidden entries and
// a name whose trail byte is a backslash.
class FileStatusOnWine : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = win32_test::make_temp_folder();
    ASSERT_FALSE(dir_.empty());
    ASSERT_TRUE(win32_test::create_file(dir_ + "\\NI970321.LOG"));
    ASSERT_TRUE(CreateDirectoryA((dir_ + "\\My Logs").c_str(), nullptr));
    ASSERT_TRUE(win32_test::create_file(dir_ + "\\My Logs\\NI970321.LOG"));
    ASSERT_TRUE(win32_test::create_file(dir_ + "\\.hidden"));
    ASSERT_TRUE(win32_test::create_file(dir_ + "\\HIDDEN.LOG"));
    ASSERT_TRUE(SetFileAttributesA((dir_ + "\\HIDDEN.LOG").c_str(),
                                   FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  }
  void TearDown() override { win32_test::remove_tree(dir_); }

  std::string dir_;
};

TEST_F(FileStatusOnWine, AnyEntryIsFoundAndEveryFailureIsNotFound) {
  const std::string too_deep = [this] {
    std::string path = dir_;
    while (path.size() < 400) {
      path += "\\abcdefghij";
    }
    return path;
  }();
  const Expected cases[] = {
      {dir_ + "\\NI970321.LOG", FileStatus::Found},
      {dir_ + "\\ni970321.log", FileStatus::Found},  // names match in any case
      {dir_ + "/NI970321.LOG", FileStatus::Found},
      {dir_ + "\\My Logs", FileStatus::Found},
      {dir_ + "\\My Logs\\NI970321.LOG", FileStatus::Found},
      {dir_ + "\\My Logs\\..\\NI970321.LOG", FileStatus::Found},
      {dir_ + "\\.hidden", FileStatus::Found},
      {dir_ + "\\HIDDEN.LOG", FileStatus::Found},
      {dir_ + "\\NI970320.LOG", FileStatus::NotFound},
      {dir_ + "\\missing\\NI970321.LOG", FileStatus::NotFound},
      {dir_ + "\\NI970321.LOG\\x", FileStatus::NotFound},  // a file is no folder
      {"Q:\\NI970321.LOG", FileStatus::NotFound},          // no such drive
      {dir_ + "\\" + std::string(300, 'n'), FileStatus::NotFound},
      {too_deep + "\\NI970321.LOG", FileStatus::NotFound},
      {"C:\\" + std::string(5000, 'x'), FileStatus::NotFound},
      {"", FileStatus::NotFound},
      // Wildcards never reach the file system, though a search would match.
      {dir_ + "\\NI*.LOG", FileStatus::NotFound},
      {dir_ + "\\NI97032?.LOG", FileStatus::NotFound},
      {dir_ + "\\*", FileStatus::NotFound},
  };
  expect_statuses(std::begin(cases), std::end(cases));
}

TEST_F(FileStatusOnWine, RelativePathsAreTakenAgainstTheCurrentFolder) {
  char previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(sizeof previous, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
  const Expected cases[] = {
      {"NI970321.LOG", FileStatus::Found},
      {".\\My Logs\\NI970321.LOG", FileStatus::Found},
      {"My Logs\\..\\NI970321.LOG", FileStatus::Found},
      {"NI970320.LOG", FileStatus::NotFound},
  };
  expect_statuses(std::begin(cases), std::end(cases));
  SetCurrentDirectoryA(previous);
}

// The root of a drive has no entry to find, yet it is there; a bare drive is
// not.
TEST(FileStatusOfDrives, RootsAreFoundAndBareDrivesAreNot) {
  const Expected cases[] = {
      {"C:\\", FileStatus::Found},
      {"c:\\", FileStatus::Found},
      {"C:/", FileStatus::Found},
      {"Z:\\", FileStatus::Found},
      {"C:\\windows\\..", FileStatus::Found},
      {"C:", FileStatus::NotFound},
      {"Z:", FileStatus::NotFound},
      {"Q:\\", FileStatus::NotFound},  // no such drive
      {"C:\\windows", FileStatus::Found},
  };
  expect_statuses(std::begin(cases), std::end(cases));
}

// Under code page 932: U+8868 is 0x95 0x5C, its trail byte a backslash.
TEST_F(FileStatusOnWine, DoubleByteNamesUnderCodePage932) {
  if (GetACP() != 932) {
    GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 932";
  }
  const std::string table = dir_ + "\\\x95\x5C";                    // 表
  const std::string log = dir_ + "\\\x97\x5C\x92\xE8\x95\x5C.LOG";  // 予定表.LOG
  ASSERT_TRUE(CreateDirectoryA(table.c_str(), nullptr));
  ASSERT_TRUE(win32_test::create_file(table + "\\NI970321.LOG"));
  ASSERT_TRUE(win32_test::create_file(log));
  const Expected cases[] = {
      {table, FileStatus::Found},
      {table + "\\NI970321.LOG", FileStatus::Found},
      {table + "\\NI970320.LOG", FileStatus::NotFound},
      {log, FileStatus::Found},
  };
  expect_statuses(std::begin(cases), std::end(cases));
}

TEST(PathCharacter, LooksAtWholeCharacters) {
  static const LeadBytes kNone{};
  const struct {
    const char* path;
    bool cp932;   // with the lead bytes of code page 932
    bool single;  // with a single-byte code page
  } cases[] = {
      {"NI970321", false, false},
      {"NI970321.LOG", true, true},
      {"C:/", true, true},
      {"C:\\", true, true},
      {"\x95\x5C", false, true},  // the trail byte of U+8868 is no backslash
      {"\x97\x5C\x92\xE8\x95\x5C", false, true},
      {"\x95\x5C\\", true, true},
      {"\x95\x5C.LOG", true, true},
      {"A\x95", false, false},  // a lead byte cut off at the end
      {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(win32::has_path_character(c.path, cp932_lead_bytes()), c.cp932) << c.path;
    EXPECT_EQ(win32::has_path_character(c.path, kNone), c.single) << c.path;
  }
}

// An entry was found; the answer rests on its time stamps.
TEST(FoundEntryStatus, TimeStampsThatDoNotConvertAreAnError) {
  const FILETIME kSpring1997 = {0x5C5E8000u, 0x01BC35A0u};  // 21 March 1997, 02:34 UTC
  const FILETIME kUnset = {0, 0};
  const FILETIME kOutOfRange = {0, 0x80000000u};  // past the last SYSTEMTIME
  const struct {
    FILETIME write, access, creation;
    FileStatus status;
  } cases[] = {
      {kSpring1997, kSpring1997, kSpring1997, FileStatus::Found},
      {kSpring1997, kUnset, kUnset, FileStatus::Found},  // no access or creation time kept
      {kOutOfRange, kSpring1997, kSpring1997, FileStatus::Error},
      {kSpring1997, kOutOfRange, kSpring1997, FileStatus::Error},
      {kSpring1997, kUnset, kOutOfRange, FileStatus::Error},
  };
  for (const auto& c : cases) {
    WIN32_FIND_DATAA entry = {};
    entry.ftLastWriteTime = c.write;
    entry.ftLastAccessTime = c.access;
    entry.ftCreationTime = c.creation;
    EXPECT_EQ(win32::found_entry_status(entry), c.status)
        << &c - cases << ": " << c.write.dwHighDateTime << ' ' << c.access.dwHighDateTime << ' '
        << c.creation.dwHighDateTime;
  }
}

}  // namespace
}  // namespace hibiopen::platform
