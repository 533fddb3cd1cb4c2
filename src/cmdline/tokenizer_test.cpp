#include "cmdline/tokenizer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace hibiopen {
namespace {

struct Split {
  const char* tail;
  std::vector<std::string> tokens;
};

const Split kSplits[] = {
    {"", {}},
    {"   ", {}},
    {"  a   b  ", {"a", "b"}},
    {"\"a b\" c", {"\"a b\"", "c"}},
    {"\"a b\"c d", {"\"a b\"c", "d"}},
    {"abc\"def ghi", {"abc\"def ghi"}},
    {"abc \"def", {"abc", "\"def"}},
    {"\"\"", {"\"\""}},
    {"\"a\"\"b c\" d", {"\"a\"\"b c\"", "d"}},
    {"a\tb c", {"a\tb", "c"}},
    {"\"", {"\""}},
    {"345678 Application.Exe NI*.LOG", {"345678", "Application.Exe", "NI*.LOG"}},
    // Double-byte characters pass through whole; only space and quote count.
    {"\x95\x5C \x8D\xA1\x93\xFA", {"\x95\x5C", "\x8D\xA1\x93\xFA"}},
    {"a \"b c\" \"\" d", {"a", "\"b c\"", "\"\"", "d"}},
};

// Names each case by its command text in test listings.
void PrintTo(const Split& c, std::ostream* os) {
  *os << '\'' << c.tail << '\'';
}

class TokenizerSplits : public ::testing::TestWithParam<Split> {};

TEST_P(TokenizerSplits, CountsAndExtractsEveryToken) {
  const Split& split = GetParam();
  const int count = static_cast<int>(split.tokens.size());
  EXPECT_EQ(count_tokens(split.tail), count);
  std::string dest(std::string(split.tail).size() + 1, '\0');
  for (int n = 1; n <= count; ++n) {
    EXPECT_EQ(extract_token(dest.data(), n, split.tail), dest.data());
    EXPECT_EQ(std::string(dest.c_str()), split.tokens[static_cast<std::size_t>(n - 1)])
        << "token " << n;
  }
}

TEST_P(TokenizerSplits, OnePassWalkMatchesExtraction) {
  const Split& split = GetParam();
  std::vector<std::string> walked;
  const char* cursor = split.tail;
  TokenSpan token;
  while (next_token(&cursor, &token)) {
    walked.emplace_back(token.begin, token.size);
  }
  EXPECT_EQ(walked, split.tokens);
  EXPECT_EQ(*cursor, '\0');
}

INSTANTIATE_TEST_SUITE_P(WorkedSplits, TokenizerSplits, ::testing::ValuesIn(kSplits));

TEST(ExtractToken, NumberOutsideTheTailLeavesDestinationUntouched) {
  const struct {
    const char* tail;
    int n;
  } cases[] = {{"", 1}, {"   ", 1}, {"a b", 3}, {"a b", 0}, {"a b", -1}, {"\"a b\"", 2}};
  for (const auto& c : cases) {
    char dest[] = "previous";
    EXPECT_EQ(extract_token(dest, c.n, c.tail), dest);
    EXPECT_STREQ(dest, "previous") << "tail '" << c.tail << "' n " << c.n;
  }
}

TEST(ExtractToken, LongTokenIsCopiedWhole) {
  // No fixed scratch: a token of any length comes out whole.
  const std::string token(100000, 'x');
  const std::string tail = "1 " + token + " 3";
  std::string dest(tail.size() + 1, '\0');
  extract_token(dest.data(), 2, tail.c_str());
  EXPECT_EQ(std::string(dest.c_str()), token);
  EXPECT_EQ(count_tokens(tail.c_str()), 3);
}

}  // namespace
}  // namespace hibiopen
