// T-SQL LIKE: the pattern compiled once into tokens, matched with backtracking over '%'.
#include "platform/sql/sqlite/tsql_like.hpp"

#include <string>

namespace orv::sql::sqlite {
namespace {

std::u32string decode_folded(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) out += fold_lower(next_code_point(s, i));
  return out;
}

}  // namespace

LikePattern::LikePattern(std::string_view pattern, std::optional<char32_t> escape) {
  std::u32string p = decode_folded(pattern);
  const bool has_escape = escape.has_value();
  const char32_t esc = has_escape ? fold_lower(*escape) : 0;
  for (std::size_t i = 0; i < p.size();) {
    char32_t c = p[i];
    if (has_escape && c == esc && i + 1 < p.size()) {
      tokens_.push_back({Kind::Literal, p[i + 1], 0});
      i += 2;
    } else if (c == '%') {
      if (tokens_.empty() || tokens_.back().kind != Kind::Any) tokens_.push_back({Kind::Any, 0, 0});
      ++i;
    } else if (c == '_') {
      tokens_.push_back({Kind::One, 0, 0});
      ++i;
    } else if (c == '[') {
      i = parse_set(p, i);
    } else {
      tokens_.push_back({Kind::Literal, c, 0});
      ++i;
    }
  }
}

// Reads "[...]" at p[i]; an unclosed bracket is an ordinary character. A ']' right after the
// opening (or after '^') belongs to the set, and '-' at either end is literal.
std::size_t LikePattern::parse_set(const std::u32string& p, std::size_t i) {
  std::size_t k = i + 1;
  Set set;
  if (k < p.size() && p[k] == '^') set.negated = true, ++k;
  std::size_t first = k;
  while (k < p.size() && (p[k] != ']' || k == first)) ++k;
  if (k >= p.size()) {
    tokens_.push_back({Kind::Literal, '[', 0});
    return i + 1;
  }
  for (std::size_t j = first; j < k; ++j) {
    if (j + 2 < k && p[j + 1] == '-') {
      set.ranges.push_back({weight(p[j]), weight(p[j + 2])});
      j += 2;
    } else {
      set.chars.push_back(p[j]);
    }
  }
  sets_.push_back(std::move(set));
  tokens_.push_back({Kind::Set, 0, sets_.size() - 1});
  return k + 1;
}

bool LikePattern::token_matches(const Token& t, char32_t c) const {
  switch (t.kind) {
    case Kind::Literal:
      return t.cp == c;
    case Kind::One:
      return true;
    case Kind::Any:
      return false;
    case Kind::Set:
      break;
  }
  const Set& set = sets_[t.set];
  bool in = false;
  for (char32_t x : set.chars) in = in || x == c;
  if (!in) {
    Weight w = weight(c);
    for (const auto& r : set.ranges) in = in || (!(w < r.low) && !(r.high < w));
  }
  return in != set.negated;
}

bool LikePattern::match_from(const std::u32string& text) const {
  std::size_t ti = 0, pi = 0, star = std::string::npos, mark = 0;
  while (ti < text.size()) {
    if (pi < tokens_.size() && tokens_[pi].kind == Kind::Any) {
      star = pi++;
      mark = ti;
    } else if (pi < tokens_.size() && token_matches(tokens_[pi], text[ti])) {
      ++pi, ++ti;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ti = ++mark;
    } else {
      return false;
    }
  }
  while (pi < tokens_.size() && tokens_[pi].kind == Kind::Any) ++pi;
  return pi == tokens_.size();
}

bool LikePattern::matches(std::string_view text) const {
  std::u32string t = decode_folded(text);
  if (match_from(t)) return true;
  auto end = t.find_last_not_of(U' ');
  std::size_t clipped = end == std::u32string::npos ? 0 : end + 1;
  if (clipped == t.size()) return false;
  t.resize(clipped);
  return match_from(t);
}

}  // namespace orv::sql::sqlite
