// Rules of the server's arithmetic and comparison that SQLite's operators do not follow.
#include "platform/sql/dialect/passes.hpp"
#include "platform/sql/dialect/syntax.hpp"

namespace orv::sql::dialect {
namespace {

bool comparison(const Token& k) {
  if (k.kind != TokenKind::Op) return false;
  for (const char* o : {"=", "<>", "!=", "<", ">", "<=", ">="})
    if (k.text == o) return true;
  return false;
}

bool name_like(const Token& k) {
  return (k.kind == TokenKind::Word && !is_reserved(k)) || k.kind == TokenKind::Name;
}

// One past the end of the operand starting at `i` (unary signs, a literal, a variable, a
// qualified name, a call, a bracket, CASE...END, COLLATE x); npos when it is none of these.
std::size_t operand_end(const Tokens& t, const std::vector<std::size_t>& match, std::size_t i) {
  while (i < t.size() && (is_op(t[i], "-") || is_op(t[i], "+") || is_op(t[i], "~"))) ++i;
  if (i >= t.size()) return npos;
  std::size_t end = npos;
  if (is_op(t[i], "(")) {
    end = match[i] == npos ? npos : match[i] + 1;
  } else if (is_kw(t[i], "CASE")) {
    int depth = 0;
    for (std::size_t k = i; k < t.size() && end == npos; ++k) {
      if (is_kw(t[k], "CASE")) ++depth;
      if (is_kw(t[k], "END") && --depth == 0) end = k + 1;
    }
  } else if (t[i].kind == TokenKind::Number || t[i].kind == TokenKind::String ||
             t[i].kind == TokenKind::Variable || t[i].kind == TokenKind::HostVar) {
    end = i + 1;
  } else if (name_like(t[i]) || is_kw(t[i], "CAST") || is_kw(t[i], "CONVERT")) {
    end = i + 1;
    while (end + 1 < t.size() && is_op(t[end], ".") && name_like(t[end + 1])) end += 2;
    if (end < t.size() && is_op(t[end], "(")) end = match[end] == npos ? npos : match[end] + 1;
  }
  if (end != npos && end + 1 < t.size() && is_kw(t[end], "COLLATE")) end += 2;
  return end;
}

bool nonzero_number(const Tokens& t, std::size_t b, std::size_t e) {
  if (e != b + 1 || t[b].kind != TokenKind::Number) return false;
  return t[b].text.find_first_not_of("0.xX") != std::string::npos;
}

// A column as written: names joined by dots, not a call.
bool bare_column_ending_at(const Tokens& t, std::size_t last) {
  return last < t.size() && name_like(t[last]) && !(last > 0 && is_op(t[last - 1], "@"));
}

bool bare_column_starting_at(const Tokens& t, std::size_t first) {
  if (first >= t.size() || !name_like(t[first])) return false;
  std::size_t k = first + 1;
  while (k + 1 < t.size() && is_op(t[k], ".") && name_like(t[k + 1])) k += 2;
  return k >= t.size() || !is_op(t[k], "(");
}

// getdate(), dateadd(...), convert('datetime', ...): a call whose value is a moment.
bool moment_call(const Tokens& t, std::size_t i) {
  if (i + 1 >= t.size() || !is_op(t[i + 1], "(")) return false;
  for (const char* f : {"GETDATE", "GETUTCDATE", "SYSDATETIME", "DATEADD"})
    if (is_kw(t[i], f)) return true;
  if (!is_kw(t[i], "CONVERT") || i + 2 >= t.size() || t[i + 2].kind != TokenKind::String)
    return false;
  std::string type = ascii_lower(t[i + 2].text);
  return type.starts_with("'date") || type.starts_with("'smalldatetime");
}

// The last token of a text operand: a literal, a variable, a name, a bracket or CASE's END.
bool operand_last(const Token& k) {
  return k.kind == TokenKind::String || k.kind == TokenKind::Variable ||
         k.kind == TokenKind::HostVar || is_op(k, ")") || name_like(k) || is_kw(k, "END");
}

}  // namespace

// A moment plus or minus a number moves by days on the server; SQLite would add to the year.
// getdate() - 1 → dateadd('day', -(1), getdate()).
void date_arithmetic(Tokens& t) {
  auto match = match_brackets(t);
  Tokens out;
  out.reserve(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    std::size_t call_end = moment_call(t, i) && match[i + 1] != npos ? match[i + 1] + 1 : npos;
    bool sign = call_end != npos && call_end + 1 < t.size() &&
                (is_op(t[call_end], "+") || is_op(t[call_end], "-"));
    std::size_t e = sign ? operand_end(t, match, call_end + 1) : npos;
    bool tighter = e < t.size() && (is_op(t[e], "*") || is_op(t[e], "/") || is_op(t[e], "%"));
    if (e == npos || tighter || (i > 0 && (is_op(t[i - 1], "-") || is_op(t[i - 1], "*")))) {
      out.push_back(std::move(t[i]));
      continue;
    }
    out.push_back(word("dateadd", t[i].space));
    out.push_back(op("("));
    out.push_back(make_token(TokenKind::String, "'day'", ""));
    out.push_back(op(","));
    if (is_op(t[call_end], "-")) out.push_back(op("-", " "));
    out.push_back(op("(", is_op(t[call_end], "-") ? "" : " "));
    t[call_end + 1].space.clear();
    for (std::size_t k = call_end + 1; k < e; ++k) out.push_back(t[k]);
    out.push_back(op(")"));
    out.push_back(op(","));
    t[i].space = " ";
    for (std::size_t k = i; k < call_end; ++k) out.push_back(t[k]);
    out.push_back(op(")"));
    i = e - 1;
  }
  t = std::move(out);
}

// 1/0 is NULL in SQLite; the server stops the statement. A divisor that is not a literal other
// than zero goes through tsql_divisor(), which refuses zero.
void guard_division(Tokens& t) {
  bool any = false;
  for (const Token& k : t) any = any || is_op(k, "/") || is_op(k, "%");
  if (!any) return;
  auto match = match_brackets(t);
  std::vector<int> opens(t.size() + 1, 0), closes(t.size() + 1, 0);
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    if (!is_op(t[i], "/") && !is_op(t[i], "%")) continue;
    std::size_t e = operand_end(t, match, i + 1);
    if (e == npos || e > t.size() || nonzero_number(t, i + 1, e)) continue;
    ++opens[i + 1];
    ++closes[e];
  }
  Tokens out;
  out.reserve(t.size() + 8);
  for (std::size_t i = 0; i <= t.size(); ++i) {
    for (int c = 0; c < closes[i]; ++c) out.push_back(op(")"));
    if (i == t.size()) break;
    for (int o = 0; o < opens[i]; ++o) {
      out.push_back(word("tsql_divisor", t[i].space));
      out.push_back(op("("));
      t[i].space.clear();
    }
    out.push_back(std::move(t[i]));
  }
  t = std::move(out);
}

namespace {

// A CASE with an operand compares it with each WHEN value: the WHEN literals of a CASE whose
// operand is not a bare column are marked (a column brings its own collation).
void mark_case_values(const Tokens& t, const std::vector<std::size_t>& match, std::size_t c,
                      std::vector<char>& collate) {
  if (c + 1 >= t.size() || is_kw(t[c + 1], "WHEN")) return;
  std::size_t k = c + 1;
  bool operand_is_column = bare_column_starting_at(t, k) &&
                           dotted_name_end(t, k, t.size()) < t.size() &&
                           is_kw(t[dotted_name_end(t, k, t.size())], "WHEN");
  int depth = 1;
  for (; k < t.size() && depth > 0; ++k) {
    if (is_op(t[k], "(") && match[k] != npos) {
      k = match[k];
      continue;
    }
    if (is_kw(t[k], "CASE")) ++depth;
    if (is_kw(t[k], "END")) --depth;
    bool value = depth == 1 && is_kw(t[k], "WHEN") && k + 2 < t.size() &&
                 t[k + 1].kind == TokenKind::String && is_kw(t[k + 2], "THEN");
    if (value && !operand_is_column) collate[k + 1] = 1;
  }
}

// x IN ('a', 'b') compares with x's collation only: an x that is not a bare column gets the
// database's.
void mark_in_operand(const Tokens& t, const std::vector<std::size_t>& match, std::size_t in,
                     std::vector<char>& collate) {
  if (in + 1 >= t.size() || !is_op(t[in + 1], "(") || match[in + 1] == npos || in == 0) return;
  bool literal = false;
  for (auto [b, e] : split_commas(t, match, in + 2, match[in + 1]))
    literal = literal || (e == b + 1 && t[b].kind == TokenKind::String);
  if (!literal) return;
  std::size_t last = is_kw(t[in - 1], "NOT") ? in - 2 : in - 1;
  if (last >= t.size() || !operand_last(t[last])) return;
  if (bare_column_ending_at(t, last) || (last >= 1 && is_kw(t[last - 1], "COLLATE"))) return;
  collate[last] = 1;
}

}  // namespace

// A literal compared with anything but a column (another literal, a call, a variable) compares
// as the database's text does; a column already brings that collation. The same holds for the
// values of CASE x WHEN 'a' and for x IN ('a', 'b').
void collate_literals(Tokens& t) {
  std::vector<char> collate(t.size(), 0);
  auto match = match_brackets(t);
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (is_kw(t[i], "CASE")) mark_case_values(t, match, i, collate);
    if (is_kw(t[i], "IN")) mark_in_operand(t, match, i, collate);
    if (t[i].kind != TokenKind::String) continue;
    if (i + 1 < t.size() && is_kw(t[i + 1], "COLLATE")) continue;
    bool left = i > 0 && comparison(t[i - 1]) && !bare_column_ending_at(t, i - 2);
    bool right = i + 1 < t.size() && comparison(t[i + 1]) && !bare_column_starting_at(t, i + 2);
    collate[i] = collate[i] || left || right;
  }
  Tokens out;
  out.reserve(t.size() + 8);
  for (std::size_t i = 0; i < t.size(); ++i) {
    out.push_back(std::move(t[i]));
    if (!collate[i]) continue;
    out.push_back(word("COLLATE"));
    out.push_back(word("PL_CI_AS"));
  }
  t = std::move(out);
}

}  // namespace orv::sql::dialect
