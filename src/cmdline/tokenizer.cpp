#include "cmdline/tokenizer.h"

#include <cstring>

namespace hibiopen {

bool next_token(const char** cursor, TokenSpan* token) {
  const char* p = *cursor;
  while (*p == ' ') {
    ++p;
  }
  if (*p == '\0') {
    *cursor = p;
    return false;
  }
  const char* begin = p;
  while (*p != '\0' && *p != ' ') {
    if (*p == '"') {
      // A quoted stretch: up to and past the next quote, or to the end of
      // the tail when it never closes.
      ++p;
      while (*p != '\0' && *p != '"') {
        ++p;
      }
      if (*p == '"') {
        ++p;
      }
    } else {
      ++p;
    }
  }
  token->begin = begin;
  token->size = static_cast<std::size_t>(p - begin);
  *cursor = p;
  return true;
}

int count_tokens(const char* tail) {
  int count = 0;
  TokenSpan token;
  while (next_token(&tail, &token)) {
    ++count;
  }
  return count;
}

char* extract_token(char* dest, int n, const char* tail) {
  if (n < 1) {
    return dest;
  }
  TokenSpan token;
  for (int i = 1; next_token(&tail, &token); ++i) {
    if (i == n) {
      std::memcpy(dest, token.begin, token.size);
      dest[token.size] = '\0';
      break;
    }
  }
  return dest;
}

}  // namespace hibiopen
