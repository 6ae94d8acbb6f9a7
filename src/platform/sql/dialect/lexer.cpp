// T-SQL lexer and emitter: nothing inside literals, brackets or quoted names is ever touched.
#include "platform/sql/dialect/lexer.hpp"

#include <algorithm>
#include <array>

namespace orv::sql::dialect {
namespace {

constexpr std::size_t kMaxQuotedInMessage = 128;

bool is_blank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
bool is_digit(unsigned char c) {
  return c >= '0' && c <= '9';
}
bool is_alpha(unsigned char c) {
  return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
bool is_word_start(unsigned char c) {
  return is_alpha(c) || c == '_' || c == '#' || c >= 0x80;
}
bool is_word_char(unsigned char c) {
  return is_word_start(c) || is_digit(c) || c == '$' || c == '@';
}
bool is_hex(unsigned char c) {
  return is_digit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

// The text an unclosed literal began with, cut on a UTF-8 character boundary.
std::string quoted_start(std::string_view rest) {
  if (rest.size() <= kMaxQuotedInMessage) return std::string(rest);
  std::size_t cut = kMaxQuotedInMessage;
  while (cut > 0 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80) --cut;
  return std::string(rest.substr(0, cut)) + "...";
}

std::string unclosed(std::string_view rest) {
  return "Unclosed quotation mark after the character string '" + quoted_start(rest) + "'.";
}

class Lexer {
 public:
  explicit Lexer(std::string_view s) : s_(s) {}

  LexResult run() {
    LexResult r;
    if (s_.find('\0') != std::string_view::npos) {
      r.error = "Incorrect syntax: the statement contains a NUL character.";
      return r;
    }
    while (error_.empty()) {
      std::string space = trivia();
      if (!error_.empty() || pos_ >= s_.size()) break;
      Token t = next_token(r.tokens);
      t.space = std::move(space);
      r.tokens.push_back(std::move(t));
    }
    r.error = error_;
    return r;
  }

 private:
  unsigned char at(std::size_t i) const {
    return i < s_.size() ? static_cast<unsigned char>(s_[i]) : 0;
  }

  // Blanks as written; a comment counts as one blank so that no comment reaches SQLite (T-SQL
  // nests block comments, SQLite does not).
  std::string trivia() {
    std::string space;
    while (pos_ < s_.size()) {
      if (is_blank(at(pos_))) {
        space += s_[pos_++];
      } else if (at(pos_) == '-' && at(pos_ + 1) == '-') {
        while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
        space += ' ';
      } else if (at(pos_) == '/' && at(pos_ + 1) == '*') {
        if (!skip_block_comment()) return space;
        space += ' ';
      } else {
        break;
      }
    }
    return space;
  }

  bool skip_block_comment() {
    int level = 0;
    while (pos_ < s_.size()) {
      if (at(pos_) == '/' && at(pos_ + 1) == '*') {
        ++level;
        pos_ += 2;
      } else if (at(pos_) == '*' && at(pos_ + 1) == '/') {
        pos_ += 2;
        if (--level == 0) return true;
      } else {
        ++pos_;
      }
    }
    error_ = "Missing end comment mark '*/'.";
    return false;
  }

  Token next_token(const Tokens& before) {
    unsigned char c = at(pos_);
    if ((c | 0x20) == 'n' && at(pos_ + 1) == '\'') return quoted(TokenKind::String, 1, '\'');
    if (c == '\'') return quoted(TokenKind::String, 0, '\'');
    if (c == '"') return quoted(TokenKind::Name, 0, '"');
    if (c == '[') return quoted(TokenKind::Name, 0, ']');
    if (is_digit(c) || (c == '.' && is_digit(at(pos_ + 1)))) return number();
    if (is_word_start(c)) return take(TokenKind::Word, word_end(pos_));
    if (c == '@' && (is_word_char(at(pos_ + 1))))
      return take(TokenKind::Variable, word_end(pos_ + 1));
    if (c == '&' && is_word_start(at(pos_ + 1)) && !follows_operand(before))
      return take(TokenKind::HostVar, word_end(pos_ + 1));
    return operator_token();
  }

  std::size_t word_end(std::size_t i) const {
    while (i < s_.size() && is_word_char(at(i))) ++i;
    return i;
  }

  Token take(TokenKind kind, std::size_t end) {
    Token t;
    t.kind = kind;
    t.text = std::string(s_.substr(pos_, end - pos_));
    pos_ = end;
    return t;
  }

  // A literal or quoted name; the closing character is escaped by doubling it.
  Token quoted(TokenKind kind, std::size_t prefix, char close) {
    std::size_t i = pos_ + prefix + 1;
    while (i < s_.size()) {
      if (s_[i] == close) {
        if (at(i + 1) == static_cast<unsigned char>(close)) {
          i += 2;
          continue;
        }
        return take(kind, i + 1);
      }
      ++i;
    }
    error_ = unclosed(s_.substr(pos_ + prefix + 1));
    pos_ = s_.size();
    return {};
  }

  // Digits end where a letter starts, so "5and" gives "5" and "and"; exponents and 0x stay.
  Token number() {
    std::size_t i = pos_;
    if (at(i) == '0' && (at(i + 1) | 0x20) == 'x' && is_hex(at(i + 2))) {
      i += 2;
      while (is_hex(at(i))) ++i;
      return take(TokenKind::Number, i);
    }
    while (is_digit(at(i))) ++i;
    if (at(i) == '.') {
      ++i;
      while (is_digit(at(i))) ++i;
    }
    if ((at(i) | 0x20) == 'e') {
      std::size_t j = i + 1;
      if (at(j) == '+' || at(j) == '-') ++j;
      if (is_digit(at(j))) {
        while (is_digit(at(j))) ++j;
        i = j;
      }
    }
    return take(TokenKind::Number, i);
  }

  // '&' starts a host variable only where an operand may start, not as bitwise AND after one.
  static bool follows_operand(const Tokens& before) {
    if (before.empty()) return false;
    const Token& p = before.back();
    switch (p.kind) {
      case TokenKind::Word:
        return !is_reserved(p);
      case TokenKind::Op:
        return p.text == ")";
      case TokenKind::Other:
        return false;
      default:
        return true;
    }
  }

  Token operator_token() {
    static constexpr std::array<std::string_view, 10> kTwo = {"<>", "!=", "<=", ">=", "!<",
                                                              "!>", "||", "==", "<<", ">>"};
    std::string_view two = s_.substr(pos_, 2);
    for (std::string_view o : kTwo)
      if (two == o) return take(TokenKind::Op, pos_ + 2);
    static constexpr std::string_view kOne = "(),.;+-*/%=<>&|^~{}?:!";
    if (kOne.find(s_[pos_]) != std::string_view::npos) return take(TokenKind::Op, pos_ + 1);
    return take(TokenKind::Other, pos_ + 1);
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  std::string error_;
};

// Would the last character emitted and the next one read as one token?
bool runs_together(unsigned char a, unsigned char b) {
  if (is_word_char(a) && is_word_char(b)) return true;
  if ((a == '-' && b == '-') || (a == '/' && b == '*') || (a == '*' && b == '/')) return true;
  static constexpr std::string_view kJoining = "<>=!|";
  return kJoining.find(static_cast<char>(a)) != std::string_view::npos &&
         kJoining.find(static_cast<char>(b)) != std::string_view::npos;
}

}  // namespace

LexResult lex(std::string_view sql) {
  return Lexer(sql).run();
}

std::string emit(const Tokens& tokens, std::size_t begin, std::size_t end) {
  std::string out;
  for (std::size_t i = begin; i < end && i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    std::string_view text = t.text;
    bool host = t.kind == TokenKind::HostVar;
    if (i != begin) {
      if (!t.space.empty())
        out += t.space;
      else if (!out.empty() && runs_together(static_cast<unsigned char>(out.back()),
                                             host ? ':' : static_cast<unsigned char>(text[0])))
        out += ' ';
    }
    if (host) {
      out += ':';
      text.remove_prefix(1);
    }
    out += text;
  }
  return out;
}

std::string emit(const Tokens& tokens) {
  return emit(tokens, 0, tokens.size());
}

Token make_token(TokenKind kind, std::string text, std::string space) {
  Token t;
  t.kind = kind;
  t.text = std::move(text);
  t.space = std::move(space);
  return t;
}
Token word(std::string text, std::string space) {
  return make_token(TokenKind::Word, std::move(text), std::move(space));
}
Token op(std::string text, std::string space) {
  return make_token(TokenKind::Op, std::move(text), std::move(space));
}

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    if (!is_alpha(x) || (x | 0x20) != (y | 0x20)) return false;
  }
  return true;
}

bool is_kw(const Token& t, std::string_view upper) {
  return t.kind == TokenKind::Word && same_name(t.text, upper);
}

bool is_op(const Token& t, std::string_view text) {
  return t.kind == TokenKind::Op && t.text == text;
}

bool is_reserved(const Token& t) {
  static constexpr std::array<std::string_view, 72> kReserved = {
      "ALL",     "ALTER",    "AND",     "ANY",      "APPLY",   "AS",     "ASC",       "BEGIN",
      "BETWEEN", "BY",       "CALL",    "CASE",     "COLLATE", "COMMIT", "CREATE",    "CROSS",
      "DECLARE", "DELETE",   "DESC",    "DISTINCT", "DROP",    "ELSE",   "END",       "ESCAPE",
      "EXCEPT",  "EXEC",     "EXECUTE", "EXISTS",   "FOR",     "FROM",   "FULL",      "GO",
      "GROUP",   "HAVING",   "IF",      "IN",       "INNER",   "INSERT", "INTERSECT", "INTO",
      "IS",      "JOIN",     "LEFT",    "LIKE",     "LIMIT",   "NOT",    "NULL",      "OFFSET",
      "ON",      "OPTION",   "OR",      "ORDER",    "OUTER",   "PIVOT",  "PRINT",     "RETURN",
      "RIGHT",   "ROLLBACK", "SELECT",  "SET",      "SOME",    "THEN",   "TOP",       "TRUNCATE",
      "UNION",   "UNPIVOT",  "UPDATE",  "USE",      "VALUES",  "WHEN",   "WHERE",     "WITH"};
  if (t.kind != TokenKind::Word) return false;
  return std::any_of(kReserved.begin(), kReserved.end(),
                     [&](std::string_view k) { return same_name(t.text, k); });
}

bool is_name(const Token& t) {
  return t.kind == TokenKind::Name || (t.kind == TokenKind::Word && !is_reserved(t));
}

std::string name_of(const Token& t) {
  if (t.kind != TokenKind::Name || t.text.size() < 2) return t.text;
  char close = t.text.front() == '[' ? ']' : '"';
  std::string out;
  for (std::size_t i = 1; i + 1 < t.text.size(); ++i) {
    out += t.text[i];
    if (t.text[i] == close) ++i;
  }
  return out;
}

std::string ascii_lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c | 0x20);
  return out;
}

std::vector<std::size_t> match_brackets(const Tokens& tokens) {
  std::vector<std::size_t> match(tokens.size(), std::string::npos);
  std::vector<std::size_t> stack;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.kind != TokenKind::Op) continue;
    if (t.text == "(" || t.text == "{") {
      stack.push_back(i);
    } else if ((t.text == ")" || t.text == "}") && !stack.empty()) {
      std::size_t open = stack.back();
      if ((tokens[open].text == "(") != (t.text == ")")) continue;
      stack.pop_back();
      match[open] = i;
      match[i] = open;
    }
  }
  return match;
}

}  // namespace orv::sql::dialect
