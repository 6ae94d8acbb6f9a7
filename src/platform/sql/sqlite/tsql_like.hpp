// T-SQL LIKE patterns: % _ [set] [^set] [a-z], case-insensitive by PL_CI_AS, ESCAPE.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/sql/sqlite/collation.hpp"

namespace orv::sql::sqlite {

class LikePattern {
 public:
  // `pattern` is UTF-8; `escape` makes the character after it literal.
  explicit LikePattern(std::string_view pattern, std::optional<char32_t> escape = std::nullopt);
  // Trailing blanks of `text` do not matter ("abc  " LIKE "abc" holds), those of the pattern do.
  bool matches(std::string_view text) const;

 private:
  enum class Kind { Literal, One, Any, Set };
  struct Range {
    Weight low, high;
  };
  struct Token {
    Kind kind = Kind::Literal;
    char32_t cp = 0;      // Literal: folded to lower case
    std::size_t set = 0;  // Set: index into sets_
  };
  struct Set {
    bool negated = false;
    std::vector<char32_t> chars;  // folded to lower case
    std::vector<Range> ranges;
  };

  std::size_t parse_set(const std::u32string& p, std::size_t i);
  bool token_matches(const Token& t, char32_t folded) const;
  bool match_from(const std::u32string& text) const;

  std::vector<Token> tokens_;
  std::vector<Set> sets_;
};

}  // namespace orv::sql::sqlite
