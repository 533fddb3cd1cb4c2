// Fuzz target for the command-tail tokenizer. The input, up to its first NUL
// byte, is the tail. Every token next_token yields must be a contiguous piece
// of the tail, separated from its neighbours by spaces only, and hold a space
// only inside a quoted stretch; the one-pass walk, count_tokens, extract_token
// and the literal scan of tokenizer_reference.h must all agree.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "cmdline/tokenizer.h"
#include "cmdline/tokenizer_reference.h"

namespace {

void check(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "tokenizer property violated: %s\n", property);
    std::abort();
  }
}

// Whether a space lies outside every quoted stretch of the token.
bool has_bare_space(const char* begin, std::size_t size) {
  bool quoted = false;
  for (std::size_t i = 0; i < size; ++i) {
    if (begin[i] == '"') {
      quoted = !quoted;
    } else if (begin[i] == ' ' && !quoted) {
      return true;
    }
  }
  return false;
}

// extract_token on a destination of exactly the tail's size and a terminator,
// so that the sanitizer sees any write past it.
void check_extraction(const char* tail, std::size_t size, int n, const char* begin,
                      std::size_t token_size) {
  const std::unique_ptr<char[]> dest(new char[size + 1]);
  std::memset(dest.get(), 0x7F, size + 1);
  check(hibiopen::extract_token(dest.get(), n, tail) == dest.get(), "extract_token returns dest");
  check(std::memcmp(dest.get(), begin, token_size) == 0 && dest[token_size] == '\0',
        "extract_token(n) is the n-th token of the one-pass walk");
}

// Numbers outside 1..count leave the destination exactly as it was.
void check_untouched(const char* tail, std::size_t size, int n) {
  const std::unique_ptr<char[]> dest(new char[size + 1]);
  std::memset(dest.get(), 0x7F, size + 1);
  hibiopen::extract_token(dest.get(), n, tail);
  for (std::size_t i = 0; i <= size; ++i) {
    check(dest[i] == 0x7F, "extract_token outside 1..count leaves dest untouched");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t tail_size = strnlen(reinterpret_cast<const char*>(data), size);
  const std::unique_ptr<char[]> owned(new char[tail_size + 1]);
  std::memcpy(owned.get(), data, tail_size);
  owned[tail_size] = '\0';
  const char* const tail = owned.get();
  const char* const end = tail + tail_size;

  // The one-pass walk.
  std::vector<hibiopen::TokenSpan> walked;
  const char* cursor = tail;
  const char* previous_end = tail;
  hibiopen::TokenSpan token;
  while (hibiopen::next_token(&cursor, &token)) {
    check(token.begin >= previous_end && token.size > 0 && token.begin + token.size <= end,
          "a token is a non-empty piece of the tail after the one before");
    for (const char* p = previous_end; p < token.begin; ++p) {
      check(*p == ' ', "only spaces lie between tokens");
    }
    check(token.begin[token.size] == ' ' || token.begin[token.size] == '\0',
          "a token ends at a space or at the end of the tail");
    check(std::memchr(token.begin, '\0', token.size) == nullptr, "a token holds no NUL");
    check(!has_bare_space(token.begin, token.size),
          "a token holds a space only inside a quoted stretch");
    check(cursor == token.begin + token.size, "the cursor moves just past the token");
    walked.push_back(token);
    previous_end = cursor;
  }
  check(cursor == end, "the walk ends at the end of the tail");
  for (const char* p = previous_end; p < end; ++p) {
    check(*p == ' ', "only spaces follow the last token");
  }

  // The literal scan agrees token for token.
  const std::vector<hibiopen::reference::Piece> pieces = hibiopen::reference::split(tail);
  check(pieces.size() == walked.size(), "the walk finds as many tokens as the literal scan");
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    check(walked[i].begin == tail + pieces[i].begin &&
              walked[i].size == pieces[i].end - pieces[i].begin,
          "the walk's tokens are the literal scan's");
  }

  const int count = hibiopen::count_tokens(tail);
  check(count >= 0 && static_cast<std::size_t>(count) == walked.size(),
        "count_tokens is the number of tokens walked");

  // Token by token: every number for a short list, else the first and last
  // 32, which keeps one input linear in practice.
  for (int n = 1; n <= count; ++n) {
    if (count > 64 && n > 32 && n <= count - 32) {
      continue;
    }
    const hibiopen::TokenSpan& expected = walked[static_cast<std::size_t>(n - 1)];
    check_extraction(tail, tail_size, n, expected.begin, expected.size);
  }
  for (const int n : {-1, 0, count + 1}) {
    check_untouched(tail, tail_size, n);
  }
  return 0;
}
