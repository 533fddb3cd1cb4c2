#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/win32_test_util.h"

namespace hibiopen::platform {
namespace {

struct StartUp {
  const char* line;
  const char* tail;
};

void expect_tails(const StartUp* begin, const StartUp* end) {
  for (const StartUp* c = begin; c != end; ++c) {
    std::string tail;
    ASSERT_TRUE(win32_test::tail_seen_by_child(c->line, &tail)) << c->line;
    EXPECT_EQ(tail, c->tail) << c->line;
  }
}

// The program is started with each command line as it stands, and
// GetCommandLineA gives it back to the start-up rules.
TEST(CommandTail, IsTheRealCommandLineLessTheProgramName) {
  const StartUp cases[] = {
      {"PROG.EXE", ""},
      {"PROG.EXE  \t \t", ""},
      {"PROG.EXE 345678 NI*.LOG", "345678 NI*.LOG"},
      {"\"C:\\Program Files\\X\\PROG.EXE\" 345678 NI*.LOG", "345678 NI*.LOG"},
      {"\"\"345678 NI*.LOG", "345678 NI*.LOG"},
      {"\"C:\\PROG.EXE 345678 NI*.LOG", ""},  // the name's quote never closes
      {"PROG.EXE\"345678\" NI*.LOG", "NI*.LOG"},
      {"PROG.EXE\t345678\tApp.exe\tNI*.LOG", "345678\tApp.exe\tNI*.LOG"},
      // The tail keeps its quotes, empty arguments and runs of spaces.
      {"PROG.EXE 345678  App.exe -x \"\"  \"C:\\My Logs\\NI*.LOG\"",
       "345678  App.exe -x \"\"  \"C:\\My Logs\\NI*.LOG\""},
  };
  expect_tails(std::begin(cases), std::end(cases));
}

// Under code page 932: the names hold U+4E88 (0x97 0x5C) and U+8868
// (0x95 0x5C), whose trail bytes are backslashes.
TEST(CommandTail, KeepsDoubleByteTextUnderCodePage932) {
  if (GetACP() != 932) {
    GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 932";
  }
  const StartUp cases[] = {
      // "C:\予定表\PROG.EXE" 345678 NI*.LOG
      {"\"C:\\\x97\x5C\x92\xE8\x95\x5C\\PROG.EXE\" 345678 NI*.LOG", "345678 NI*.LOG"},
      // PROG.EXE 345678 "C:\予定表\NI*.LOG"
      {"PROG.EXE 345678 \"C:\\\x97\x5C\x92\xE8\x95\x5C\\NI*.LOG\"",
       "345678 \"C:\\\x97\x5C\x92\xE8\x95\x5C\\NI*.LOG\""},
  };
  expect_tails(std::begin(cases), std::end(cases));
}

// The run under a Japanese locale names the code page it must get, so that its
// double-byte tests cannot all be skipped unnoticed.
TEST(AnsiCodePage, IsTheOneTheRunAsksFor) {
  char wanted[16];
  const DWORD size = GetEnvironmentVariableA("HIBIOPEN_TEST_ACP", wanted, sizeof wanted);
  if (size == 0 || size >= sizeof wanted) {
    GTEST_SKIP() << "HIBIOPEN_TEST_ACP is not set";
  }
  EXPECT_EQ(std::to_string(GetACP()), wanted);
}

TEST(LeadBytes, AreThoseOfTheAnsiCodePage) {
  const LeadBytes& lead = lead_bytes();
  CPINFO info;
  ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
  for (int byte = 0; byte < 256; ++byte) {
    if (GetACP() == 932) {
      EXPECT_EQ(lead.lead[byte], cp932_lead_bytes().lead[byte]) << byte;
    } else if (info.MaxCharSize == 1) {
      EXPECT_FALSE(lead.lead[byte]) << byte;
    }
  }
}

}  // namespace
}  // namespace hibiopen::platform
