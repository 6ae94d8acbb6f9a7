// Small token helpers every pass uses: keyword sets, slices and joins of token runs.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string_view>

#include "platform/sql/dialect/lexer.hpp"

namespace orv::sql::dialect {

// True when the token is any of the keywords (given in upper case).
inline bool any_kw(const Token& t, std::initializer_list<std::string_view> words) {
  return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return is_kw(t, w); });
}

// Tokens [b, e) of t.
inline Tokens slice(const Tokens& t, std::size_t b, std::size_t e) {
  return Tokens(t.begin() + static_cast<std::ptrdiff_t>(b),
                t.begin() + static_cast<std::ptrdiff_t>(e));
}

inline void append(Tokens& to, Tokens from) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

// The run without the blanks before its first token.
inline Tokens bare(Tokens t) {
  if (!t.empty()) t[0].space.clear();
  return t;
}

}  // namespace orv::sql::dialect
