#include "app/run.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/messages.h"
#include "platform/fake_platform.h"

namespace hibiopen {
namespace {

using platform::FileStatus;

// A whole run on 21 March 1997 against a file system of listed paths.
struct WholeRun {
  const char* tail;
  std::vector<std::string> existing;
  std::vector<std::string> tested;
  // Either a message or a launch.
  const char* message_text;
  const char* file;
  const char* parameters;
};

const char* text_of(Message m) {
  return message_entry(m).text;
}

std::vector<WholeRun> whole_runs() {
  return {
      {"", {"NI970321.LOG"}, {}, text_of(Message::About), nullptr, nullptr},
      {"    ", {}, {}, text_of(Message::About), nullptr, nullptr},
      // A tab is a token byte: this tail holds one token.
      {"  \t ", {}, {}, text_of(Message::CommandLineShort), nullptr, nullptr},
      {"345678", {"NI970321.LOG"}, {}, text_of(Message::CommandLineShort), nullptr, nullptr},
      {"\"a b\"", {}, {}, text_of(Message::CommandLineShort), nullptr, nullptr},
      {"345678\tApp.exe\tNI*.LOG", {}, {}, text_of(Message::CommandLineShort), nullptr, nullptr},
      {"345678 NI*.LOG", {"NI970321.LOG"}, {"NI970321.LOG"}, nullptr, "NI970321.LOG", ""},
      {"345678 App.exe NI*.LOG",
       {"NI970320.LOG"},
       {"NI970321.LOG", "NI970320.LOG"},
       nullptr,
       "App.exe",
       "NI970320.LOG"},
      {"345678 App.exe NI*.LOG",
       {"NI970320.LOG", "NI970321.LOG"},
       {"NI970321.LOG"},
       nullptr,
       "App.exe",
       "NI970321.LOG"},
      {"345678 App.exe NI*.LOG",
       {},
       {"NI970321.LOG", "NI970320.LOG"},
       text_of(Message::NotFound),
       nullptr,
       nullptr},
      {"3456789 App.exe NI*.LOG",
       {"NI970321.LOG"},
       {},
       text_of(Message::BadSelector),
       nullptr,
       nullptr},
      {"12345678 App.exe -x -y C:\\LOG\\*.TXT",
       {"C:\\LOG\\19970321.TXT"},
       {"C:\\LOG\\19970321.TXT"},
       nullptr,
       "App.exe",
       "-x -y C:\\LOG\\19970321.TXT"},
      {"345678 App.exe NI*.*", {"NI970321.*"}, {}, text_of(Message::NotFound), nullptr, nullptr},
      {"345678 App.exe \"C:\\My Logs\\NI*.LOG\"",
       {"C:\\My Logs\\NI970321.LOG"},
       {"C:\\My Logs\\NI970321.LOG"},
       nullptr,
       "App.exe",
       "\"C:\\My Logs\\NI970321.LOG\""},
      {"345678 \"C:\\My Logs\\NI*.LOG\"",
       {"C:\\My Logs\\NI970321.LOG"},
       {"C:\\My Logs\\NI970321.LOG"},
       nullptr,
       "\"C:\\My Logs\\NI970321.LOG\"",
       ""},
      // Two tokens: the second is the pattern, never an application.
      {"345678 App.exe", {}, {}, nullptr, "App.exe", ""},
      // No star: the pattern itself is opened, untested, whatever the selector.
      {"9 App.exe NI.LOG", {}, {}, nullptr, "App.exe", "NI.LOG"},
  };
}

// Names each case by its command text in test listings.
void PrintTo(const WholeRun& c, std::ostream* os) {
  *os << '\'' << c.tail << '\'';
}

class Run : public ::testing::TestWithParam<WholeRun> {};

TEST_P(Run, OneMessageOrOneLaunch) {
  const WholeRun& r = GetParam();
  fake::reset();
  for (const std::string& path : r.existing) {
    fake::state().answers[path] = FileStatus::Found;
  }
  // Everything else is missing; nothing may fall through to the real disk.
  for (const char* other :
       {"NI970321.LOG", "NI970320.LOG", "C:\\LOG\\19970321.TXT", "C:\\LOG\\19970320.TXT",
        "C:\\My Logs\\NI970321.LOG", "C:\\My Logs\\NI970320.LOG"}) {
    fake::state().answers.emplace(other, FileStatus::NotFound);
  }
  EXPECT_EQ(run(r.tail), 0);
  EXPECT_EQ(fake::state().queried, r.tested);
  if (r.message_text != nullptr) {
    ASSERT_EQ(fake::state().messages.size(), 1u);
    EXPECT_EQ(fake::state().messages[0].text, r.message_text);
    EXPECT_TRUE(fake::state().launches.empty());
  } else {
    EXPECT_TRUE(fake::state().messages.empty());
    ASSERT_EQ(fake::state().launches.size(), 1u);
    const fake::ShellCall& call = fake::state().launches[0];
    EXPECT_EQ(call.file, r.file);
    EXPECT_EQ(call.parameters, r.parameters);
    EXPECT_EQ(call.verb, "OPEN");
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.show, 5);
    EXPECT_EQ(call.owner, nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(On21March1997, Run, ::testing::ValuesIn(whole_runs()));

TEST(RunLimits, LongTokensNeedNoFixedScratch) {
  // A pattern and a selector far beyond 2,048 bytes make a target as long,
  // tested whole and never cut.
  fake::reset();
  const std::string selector(5000, '8');
  const std::string prefix(3000, 'p');
  const std::string tail = selector + " App " + prefix + "*.LOG";
  const std::string target = prefix + std::string(5000, '1') + ".LOG";
  fake::state().answers[target] = FileStatus::Found;
  EXPECT_EQ(run(tail.c_str()), 0);
  ASSERT_EQ(fake::state().queried.size(), 1u);
  EXPECT_EQ(fake::state().queried[0], target);
  ASSERT_EQ(fake::state().launches.size(), 1u);
  EXPECT_EQ(fake::state().launches[0].parameters, target);
}

}  // namespace
}  // namespace hibiopen
