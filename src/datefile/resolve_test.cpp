#include "datefile/resolve.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/messages.h"
#include "platform/fake_platform.h"

namespace hibiopen {
namespace {

namespace fs = std::filesystem;
using platform::FileStatus;

// A fresh temporary directory per test, clock on 21 March 1997.
class Resolve : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::reset();
    char dir_template[] = "/tmp/hibiopen-resolve-XXXXXX";
    ASSERT_NE(mkdtemp(dir_template), nullptr);
    dir_ = dir_template;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  void touch(const std::string& name) const { std::ofstream(path(name)).put('x'); }

  // Runs resolve_target with working texts sized as the main flow sizes them.
  Resolution resolve(const std::string& selector, const std::string& pattern) {
    const std::size_t size = selector.size() + pattern.size() + 1;
    key_.assign(size, '\0');
    target_.assign(size, '\0');
    test_path_.assign(size, '\0');
    return resolve_target(selector.c_str(), pattern.c_str(),
                          ResolveTexts{key_.data(), target_.data(), test_path_.data()});
  }
  std::string target() const { return target_.c_str(); }
  const std::vector<std::string>& queried() const { return fake::state().queried; }
  const std::vector<fake::ShownMessage>& messages() const { return fake::state().messages; }
  void expect_message(Message message) const {
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, message_entry(message).text);
  }

  std::string dir_;
  std::string key_, target_, test_path_;
};

TEST_F(Resolve, TodaysFileIsFoundFirst) {
  touch("NI970321.LOG");
  EXPECT_EQ(resolve("345678", path("NI*.LOG")), Resolution::Found);
  EXPECT_EQ(target(), path("NI970321.LOG"));
  EXPECT_EQ(queried(), std::vector<std::string>{path("NI970321.LOG")});
  EXPECT_TRUE(messages().empty());
}

TEST_F(Resolve, YesterdaysFileIsFoundOnTheSecondPassWithoutAMessage) {
  touch("NI970320.LOG");
  EXPECT_EQ(resolve("345678", path("NI*.LOG")), Resolution::Found);
  EXPECT_EQ(target(), path("NI970320.LOG"));
  EXPECT_EQ(queried(), (std::vector<std::string>{path("NI970321.LOG"), path("NI970320.LOG")}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(Resolve, WithBothFilesYesterdaysIsNeverTested) {
  touch("NI970320.LOG");
  touch("NI970321.LOG");
  EXPECT_EQ(resolve("345678", path("NI*.LOG")), Resolution::Found);
  EXPECT_EQ(target(), path("NI970321.LOG"));
  EXPECT_EQ(queried().size(), 1u);
}

TEST_F(Resolve, NeitherFileShowsNotFound) {
  EXPECT_EQ(resolve("345678", path("NI*.LOG")), Resolution::Stop);
  EXPECT_EQ(queried(), (std::vector<std::string>{path("NI970321.LOG"), path("NI970320.LOG")}));
  expect_message(Message::NotFound);
}

TEST_F(Resolve, ADirectoryMatchingTheTargetCountsAsFound) {
  fs::create_directory(path("19970321"));
  EXPECT_EQ(resolve("12345678", path("*")), Resolution::Found);
  EXPECT_EQ(target(), path("19970321"));
}

TEST_F(Resolve, ADanglingSymbolicLinkCountsAsFound) {
  fs::create_symlink(path("nowhere"), path("NI970321.LOG"));
  EXPECT_EQ(resolve("345678", path("NI*.LOG")), Resolution::Found);
}

TEST_F(Resolve, ASecondStarNeverReachesTheFileSystem) {
  touch("NI970321.*");
  EXPECT_EQ(resolve("345678", path("NI*.*")), Resolution::Stop);
  EXPECT_TRUE(queried().empty());
  expect_message(Message::NotFound);
}

TEST_F(Resolve, QuotedPatternIsTestedWithoutItsQuotesAndKeepsThem) {
  fs::create_directory(path("My Logs"));
  touch("My Logs/NI970321.LOG");
  EXPECT_EQ(resolve("345678", "\"" + path("My Logs/NI*.LOG") + "\""), Resolution::Found);
  EXPECT_EQ(target(), "\"" + path("My Logs/NI970321.LOG") + "\"");
  EXPECT_EQ(queried(), std::vector<std::string>{path("My Logs/NI970321.LOG")});
}

TEST_F(Resolve, UnclosedQuoteLosesTheLastByteOfTheTestPath) {
  fs::create_directory(path("My Logs"));
  touch("My Logs/NI970321.LOG");
  EXPECT_EQ(resolve("345678", "\"" + path("My Logs/NI*.LOG")), Resolution::Stop);
  EXPECT_EQ(queried(),
            (std::vector<std::string>{path("My Logs/NI970321.LO"), path("My Logs/NI970320.LO")}));
  expect_message(Message::NotFound);

  fake::reset();
  touch("My Logs/NI970321.LO");
  EXPECT_EQ(resolve("345678", "\"" + path("My Logs/NI*.LOG")), Resolution::Found);
  EXPECT_EQ(target(), "\"" + path("My Logs/NI970321.LOG"));
}

TEST_F(Resolve, PatternOfOnlyAStarGivesTheKeyItself) {
  fake::state().answers["19970321"] = FileStatus::Found;
  EXPECT_EQ(resolve("12345678", "*"), Resolution::Found);
  EXPECT_EQ(target(), "19970321");
}

TEST_F(Resolve, OnlyTheFirstStarIsThePlaceholder) {
  fake::state().answers["a970321b*c"] = FileStatus::Found;
  EXPECT_EQ(resolve("345678", "a*b*c"), Resolution::Stop);
  // The second star stays in the path, which is therefore never looked up.
  EXPECT_TRUE(queried().empty());
}

TEST_F(Resolve, PatternWithoutAStarIsHandedOnUntested) {
  EXPECT_EQ(resolve("9", path("NI.LOG")), Resolution::NoPlaceholder);
  EXPECT_TRUE(queried().empty());
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(fake::state().clock_reads, 0);
}

TEST_F(Resolve, BadSelectorStopsBeforeAnyTest) {
  touch("NI970321.LOG");
  for (const char* selector : {"3456789", "0", "\"34\"", "\x82\x50"}) {
    fake::reset();
    EXPECT_EQ(resolve(selector, path("NI*.LOG")), Resolution::Stop);
    EXPECT_TRUE(queried().empty());
    expect_message(Message::BadSelector);
  }
}

TEST_F(Resolve, SearchErrorOnEitherPassStops) {
  fake::state().answers[path("NI970321.LOG")] = FileStatus::Error;
  EXPECT_EQ(resolve("345678", path("NI*.LOG")), Resolution::Stop);
  EXPECT_EQ(queried().size(), 1u);
  expect_message(Message::SearchError);

  fake::reset();
  fake::state().answers[path("NI970320.LOG")] = FileStatus::Error;
  EXPECT_EQ(resolve("345678", path("NI*.LOG")), Resolution::Stop);
  EXPECT_EQ(queried().size(), 2u);
  expect_message(Message::SearchError);
}

TEST_F(Resolve, TheClockIsReadOnceAndYesterdayIsTheDayBeforeIt) {
  // Passing midnight between the two passes cannot make both test one day.
  fake::state().today = {2000, 3, 1};
  EXPECT_EQ(resolve("12345678", path("*.LOG")), Resolution::Stop);
  EXPECT_EQ(fake::state().clock_reads, 1);
  EXPECT_EQ(queried(), (std::vector<std::string>{path("20000301.LOG"), path("20000229.LOG")}));
}

TEST_F(Resolve, AClockWithoutADateIsASearchError) {
  fake::state().clock_works = false;
  EXPECT_EQ(resolve("345678", path("NI*.LOG")), Resolution::Stop);
  EXPECT_TRUE(queried().empty());
  expect_message(Message::SearchError);

  fake::reset();
  fake::state().today = {10000, 1, 1};
  EXPECT_EQ(resolve("345678", path("NI*.LOG")), Resolution::Stop);
  expect_message(Message::SearchError);
}

TEST(QueryFileStatus, AnswersWithoutTheFileSystem) {
  const struct {
    const char* path;
    bool shift_jis;
    bool asks;
  } cases[] = {
      {"NI?.LOG", false, false},
      {"NI*.LOG", false, false},
      {"*", false, false},
      {"C:", false, false},
      {"Z:", false, false},
      {"::", false, false},
      {"C:\\", false, true},
      {"C:x", false, true},
      {"C", false, true},
      {"", false, true},
      // A '?' right after a lead byte is its trail byte under Shift_JIS only.
      {"\x81?", true, true},
      {"\x81?", false, false},
      {"\x81\x81?", true, false},
      {"a\x81", true, true},
  };
  for (const auto& c : cases) {
    fake::reset();
    fake::state().shift_jis = c.shift_jis;
    fake::state().answers[c.path] = FileStatus::Found;
    const FileStatus status = query_file_status(c.path);
    EXPECT_EQ(status, c.asks ? FileStatus::Found : FileStatus::NotFound) << c.path;
    EXPECT_EQ(fake::state().queried.size(), c.asks ? 1u : 0u) << c.path;
  }
}

TEST(TargetTexts, AssembleAndTestPath) {
  char target[64];
  EXPECT_STREQ(assemble_target(target, "NI", "970321", ".LOG"), "NI970321.LOG");
  EXPECT_STREQ(assemble_target(target, "", "19970321", ""), "19970321");
  const struct {
    const char* target;
    const char* test_path;
  } cases[] = {
      {"NI970321.LOG", "NI970321.LOG"},
      {"\"C:\\My Logs\\NI970321.LOG\"", "C:\\My Logs\\NI970321.LOG"},
      {"\"C:\\My Logs\\NI970321.LOG", "C:\\My Logs\\NI970321.LO"},
      {"\"\"", ""},
      {"\"", ""},
      {"a\"b\"", "a\"b\""},
  };
  for (const auto& c : cases) {
    char test_path[64];
    EXPECT_STREQ(make_test_path(test_path, c.target), c.test_path);
  }
}

}  // namespace
}  // namespace hibiopen
