#include "launch/launch.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "cmdline/tokenizer.h"
#include "platform/fake_platform.h"

namespace hibiopen {
namespace {

struct Case {
  const char* tail;
  const char* target;
  const char* file;
  const char* parameters;
};

const Case kCases[] = {
    {"345678 NI*.LOG", "NI970321.LOG", "NI970321.LOG", ""},
    {"345678 App.exe NI*.LOG", "NI970320.LOG", "App.exe", "NI970320.LOG"},
    {"12345678 App.exe -x -y C:\\LOG\\*.TXT", "C:\\LOG\\19970321.TXT", "App.exe",
     "-x -y C:\\LOG\\19970321.TXT"},
    // Quotes stay, in the file and in the parameters.
    {"345678 \"C:\\My Logs\\NI*.LOG\"", "\"C:\\My Logs\\NI970321.LOG\"",
     "\"C:\\My Logs\\NI970321.LOG\"", ""},
    {"345678 App.exe \"C:\\My Logs\\NI*.LOG\"", "\"C:\\My Logs\\NI970321.LOG\"", "App.exe",
     "\"C:\\My Logs\\NI970321.LOG\""},
    {"345678 \"C:\\Program Files\\Viewer\\view.exe\" NI*.LOG", "NI970321.LOG",
     "\"C:\\Program Files\\Viewer\\view.exe\"", "NI970321.LOG"},
    // Extra arguments keep their quotes and order, "" included, and exactly
    // one space separates them however many stood in the tail.
    {"  345678   App.exe  -x   \"\"  \"a  b\"c    NI*.LOG  ", "NI970321.LOG", "App.exe",
     "-x \"\" \"a  b\"c NI970321.LOG"},
    // Tabs are token bytes, not separators.
    {"345678 App.exe -a\t-b NI*.LOG", "NI970321.LOG", "App.exe", "-a\t-b NI970321.LOG"},
};

// Names each case by its command text in test listings.
void PrintTo(const Case& c, std::ostream* os) {
  *os << '\'' << c.tail << '\'';
}

class Launch : public ::testing::TestWithParam<Case> {};

TEST_P(Launch, OneRequestByTokenCount) {
  const Case& c = GetParam();
  fake::reset();
  const std::string tail = c.tail;
  std::string application(tail.size() + 1, '\x7F');
  std::string parameters(tail.size() + 1, '\x7F');
  launch_target(count_tokens(c.tail), c.tail, c.target,
                LaunchTexts{application.data(), parameters.data()});
  ASSERT_EQ(fake::state().launches.size(), 1u);
  const fake::ShellCall& call = fake::state().launches[0];
  EXPECT_EQ(call.owner, nullptr);
  EXPECT_EQ(call.verb, "OPEN");
  EXPECT_EQ(call.file, c.file);
  EXPECT_EQ(call.parameters, c.parameters);
  EXPECT_EQ(call.directory, "");
  EXPECT_EQ(call.show, 5);
  EXPECT_TRUE(fake::state().messages.empty());
}

INSTANTIATE_TEST_SUITE_P(ByTokenCount, Launch, ::testing::ValuesIn(kCases));

TEST(LaunchParameters, ManyArgumentsFitTheTailSizedBuffer) {
  // Tokens of every length up to the tail's own: the parameter text never
  // needs more than the tail's size and a terminator.
  std::string tail = "12345678 A";
  std::string expected;
  for (int i = 0; i < 2000; ++i) {
    const std::string arg(static_cast<std::size_t>(i % 7 + 1), static_cast<char>('a' + i % 26));
    tail += " " + arg;
    expected += arg + " ";
  }
  tail += " *";
  const std::string target = "19970321";
  expected += target;
  fake::reset();
  std::string application(tail.size() + 1, '\0');
  std::string parameters(tail.size() + 1, '\0');
  launch_target(count_tokens(tail.c_str()), tail.c_str(), target.c_str(),
                LaunchTexts{application.data(), parameters.data()});
  ASSERT_EQ(fake::state().launches.size(), 1u);
  EXPECT_EQ(fake::state().launches[0].file, "A");
  EXPECT_EQ(fake::state().launches[0].parameters, expected);
}

}  // namespace
}  // namespace hibiopen
