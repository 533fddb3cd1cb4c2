// Splitting of the command tail into tokens.
//
// Only the space (0x20) separates tokens. A double quote opens a stretch that
// runs to the next double quote and may hold spaces; the quotes stay inside the
// token. There is no escape character. Every other byte, tabs and both bytes of
// a double-byte character included, is an ordinary token byte.
#pragma once

#include <cstddef>

namespace hibiopen {

// One token: a piece of the tail, quotes included, not NUL-terminated.
struct TokenSpan {
  const char* begin;
  std::size_t size;
};

// Finds the token that starts at or after *cursor. On success stores it in
// *token, moves *cursor just past it and returns true; returns false when only
// spaces remain. Walking a tail with this visits every token once, in order,
// in one linear pass.
bool next_token(const char** cursor, TokenSpan* token);

// The number of tokens in the tail; 0 for an empty tail or one of spaces.
int count_tokens(const char* tail);

// Copies token n (counting from 1) into dest and terminates it when the tail
// has at least n tokens; otherwise leaves dest exactly as it was. Returns dest
// either way. dest must have room for the whole tail and a terminator.
char* extract_token(char* dest, int n, const char* tail);

}  // namespace hibiopen
