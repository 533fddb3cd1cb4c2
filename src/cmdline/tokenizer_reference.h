// A second, deliberately literal rendering of the command-tail scan, for the
// fuzz targets to check the tokenizer against: one walk over the tail with an
// inside-token flag, the position where the current token began and the list
// of finished tokens.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace hibiopen::reference {

// A token as the bytes [begin, end) of the tail.
struct Piece {
  std::size_t begin;
  std::size_t end;
};

inline std::vector<Piece> split(const char* tail) {
  std::vector<Piece> pieces;
  bool inside = false;
  std::size_t start = 0;
  std::size_t i = 0;
  for (;;) {
    const char c = tail[i];
    if (c == '\0') {
      if (inside) {
        pieces.push_back({start, i});
      }
      return pieces;
    }
    if (c == '"') {
      if (!inside) {
        inside = true;
        start = i;
      }
      ++i;
      while (tail[i] != '\0' && tail[i] != '"') {
        ++i;
      }
      if (tail[i] == '\0') {
        // An unclosed quote: the token runs to the end of the tail.
        pieces.push_back({start, i});
        return pieces;
      }
      ++i;  // Past the closing quote, still inside the token.
    } else if (c == ' ') {
      if (inside) {
        inside = false;
        pieces.push_back({start, i});
      }
      ++i;
    } else {
      if (!inside) {
        inside = true;
        start = i;
      }
      ++i;
    }
  }
}

// The tokens themselves, in order.
inline std::vector<std::string> tokens(const char* tail) {
  std::vector<std::string> out;
  for (const Piece& piece : split(tail)) {
    out.emplace_back(tail + piece.begin, piece.end - piece.begin);
  }
  return out;
}

}  // namespace hibiopen::reference
