#include "app/startup.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace hibiopen {
namespace {

struct StartUp {
  const char* line;
  const char* tail;
};

const StartUp kCases[] = {
    {"", ""},
    {"HIBIOPEN.EXE", ""},
    {"HIBIOPEN.EXE  \t \t", ""},
    {"HIBIOPEN.EXE 345678 NI*.LOG", "345678 NI*.LOG"},
    {"\"C:\\Program Files\\X\\PROG.EXE\" 345678 NI*.LOG", "345678 NI*.LOG"},
    {"\"\"345678 NI*.LOG", "345678 NI*.LOG"},
    {"\"C:\\PROG.EXE 345678 NI*.LOG", ""},
    {"PROG.EXE\"345678\" NI*.LOG", "NI*.LOG"},
    // A tab after the name is a blank; later tabs stay in the tail.
    {"PROG.EXE\t345678\tApp.exe\tNI*.LOG", "345678\tApp.exe\tNI*.LOG"},
    // Every byte from 0x01 to 0x20 after the name is skipped.
    {"PROG.EXE\x01\x1F\r\n 345678 NI*.LOG", "345678 NI*.LOG"},
    // An unquoted name ends at any byte up to 0x20, not only at a space.
    {"PROG.EXE\x05"
     "345678 NI*.LOG",
     "345678 NI*.LOG"},
    // Blanks are skipped after a quoted name too; a quoted name may hold spaces
    // and end right before the tail.
    {"\"C:\\A B\\P.EXE\"\t\t345678 NI*.LOG", "345678 NI*.LOG"},
    {"\"P.EXE\"\"345678\" NI*.LOG", "\"345678\" NI*.LOG"},
};

// Names each case by its command text in test listings.
void PrintTo(const StartUp& c, std::ostream* os) {
  *os << '\'' << c.line << '\'';
}

class StartUpRules : public ::testing::TestWithParam<StartUp> {};

TEST_P(StartUpRules, TailIsTheRestOfTheSameLine) {
  const StartUp& c = GetParam();
  const char* tail = skip_program_name(c.line, platform::cp932_lead_bytes());
  EXPECT_STREQ(tail, c.tail);
  // The tail is the rest of the line itself, not a copy.
  EXPECT_GE(tail, c.line);
  EXPECT_LE(tail, c.line + std::string(c.line).size());
}

INSTANTIATE_TEST_SUITE_P(ProgramName, StartUpRules, ::testing::ValuesIn(kCases));

TEST(StartUpRules, ByteAfterLeadByteIsNeverTheClosingQuote) {
  // 0x81 leads a double-byte character, so the quote after it belongs to that
  // character and the name runs on to the next quote.
  const char line[] = "\"C:\\\x81\"X.EXE\" 345678 NI*.LOG";
  EXPECT_STREQ(skip_program_name(line, platform::cp932_lead_bytes()), "345678 NI*.LOG");

  // Without lead bytes the same quote closes the name.
  const platform::LeadBytes none{};
  EXPECT_STREQ(skip_program_name(line, none), "X.EXE\" 345678 NI*.LOG");
}

TEST(StartUpRules, LeadByteAtTheEndOfAnUnclosedNameStopsAtTheTerminator) {
  const char line[] = "\"PROG\x81";
  EXPECT_STREQ(skip_program_name(line, platform::cp932_lead_bytes()), "");
}

TEST(StartUpRules, LeadBytesOfCodePage932) {
  const platform::LeadBytes& lead = platform::cp932_lead_bytes();
  for (int byte = 0; byte < 256; ++byte) {
    const bool expected = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    EXPECT_EQ(lead.lead[byte], expected) << "byte " << byte;
  }
}

}  // namespace
}  // namespace hibiopen
