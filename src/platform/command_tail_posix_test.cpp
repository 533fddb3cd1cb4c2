#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cmdline/tokenizer.h"
#include "platform/platform.h"
#include "platform/posix.h"

namespace hibiopen::platform::posix {
namespace {

std::string joined(std::vector<std::string> args) {
  std::vector<char*> pointers;
  for (std::string& arg : args) {
    pointers.push_back(arg.data());
  }
  char* tail = join_arguments(static_cast<int>(pointers.size()), pointers.data());
  std::string result = tail;
  std::free(tail);
  return result;
}

TEST(JoinArguments, RebuildsATailThatSplitsBackIntoTheArguments) {
  const struct {
    std::vector<std::string> args;
    const char* tail;
    int tokens;
  } cases[] = {
      {{}, "", 0},
      {{"345678", "NI*.LOG"}, "345678 NI*.LOG", 2},
      {{"345678", "My Logs/NI*.LOG"}, "345678 \"My Logs/NI*.LOG\"", 2},
      {{"345678", "App", "-x", "", "NI*.LOG"}, "345678 App -x \"\" NI*.LOG", 5},
      // An argument with a quote goes in as it stands, and the tokenizer
      // reads its quotes as on Windows.
      {{"345678", "\"My Logs/NI*.LOG\""}, "345678 \"My Logs/NI*.LOG\"", 2},
      {{"a\"b c"}, "a\"b c", 1},
      {{"a b\""}, "a b\"", 2},
      // Tabs do not separate tokens and need no quotes.
      {{"a\tb", "c"}, "a\tb c", 2},
      {{" "}, "\" \"", 1},
  };
  for (const auto& c : cases) {
    const std::string tail = joined(c.args);
    EXPECT_EQ(tail, c.tail);
    EXPECT_EQ(count_tokens(tail.c_str()), c.tokens) << tail;
  }
}

TEST(CommandTail, SkipsTheProgramName) {
  char program[] = "hibiopen";
  char selector[] = "345678";
  char pattern[] = "My Logs/NI*.LOG";
  char* argv[] = {program, selector, pattern, nullptr};
  EXPECT_STREQ(command_tail(3, argv), "345678 \"My Logs/NI*.LOG\"");
  EXPECT_STREQ(command_tail(1, argv), "");
  EXPECT_STREQ(command_tail(0, argv), "");
}

}  // namespace
}  // namespace hibiopen::platform::posix
