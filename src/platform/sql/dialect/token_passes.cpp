// Token-level rewrites: table hints, dbo., ODBC escapes, N'', renamed and re-argued functions.
#include <algorithm>

#include "platform/sql/dialect/passes.hpp"
#include "platform/sql/dialect/syntax.hpp"
#include "platform/sql/dialect/token_helpers.hpp"

namespace orv::sql::dialect {
namespace {

bool has(const Tokens& t, bool (*pred)(const Token&)) {
  return std::any_of(t.begin(), t.end(), pred);
}

bool is_word_or_name(const Token& t) {
  return t.kind == TokenKind::Word || t.kind == TokenKind::Name;
}

// Tokens kept where `drop` is 0; a dropped token hands its blanks to the next kept one unless
// that is punctuation ("o with (nolock),p" → "o,p", "from dbo.X" → "from X").
Tokens keep(Tokens& t, const std::vector<char>& drop) {
  Tokens out;
  out.reserve(t.size());
  std::string carried;
  bool carrying = false;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (drop[i]) {
      if (!carrying) carried = t[i].space;
      carrying = true;
      continue;
    }
    if (carrying && t[i].space.empty() && t[i].kind != TokenKind::Op) t[i].space = carried;
    carrying = false;
    out.push_back(std::move(t[i]));
  }
  return out;
}

// ---- table hints ----

bool is_hint_word(const Token& t) {
  return any_kw(
      t, {"NOLOCK",        "ROWLOCK",           "UPDLOCK",   "HOLDLOCK",       "READUNCOMMITTED",
          "READCOMMITTED", "READCOMMITTEDLOCK", "READPAST",  "REPEATABLEREAD", "SERIALIZABLE",
          "TABLOCK",       "TABLOCKX",          "PAGLOCK",   "XLOCK",          "NOWAIT",
          "NOEXPAND",      "FASTFIRSTROW",      "FORCESEEK", "FORCESCAN",      "SNAPSHOT"});
}

// ( hint [, hint]* ); `strict`: only plain lock hints, as in the old "T (NOLOCK)" form.
bool hint_list(const Tokens& t, const std::vector<std::size_t>& match, std::size_t open,
               bool strict) {
  std::size_t close = match[open];
  if (close == npos || close == open + 1) return false;
  for (auto [b, e] : split_commas(t, match, open + 1, close)) {
    if (b >= e || t[b].kind != TokenKind::Word || is_kw(t[b], "SELECT")) return false;
    if (strict && (e != b + 1 || !is_hint_word(t[b]))) return false;
  }
  return true;
}

bool after_table(const Token& t) {
  return is_name(t) || is_op(t, ")");
}

bool old_hint_context(const Tokens& t, std::size_t name) {
  if (!is_name(t[name])) return false;
  if (name == 0) return false;
  const Token& before = t[name - 1];
  return is_name(before) || is_op(before, ",") ||
         any_kw(before, {"FROM", "JOIN", "UPDATE", "INTO"});
}

// ---- function calls with argument surgery ----

using Range = std::pair<std::size_t, std::size_t>;

class CallRewriter {
 public:
  explicit CallRewriter(const Tokens& t) : t_(t), match_(match_brackets(t)) {}

  Tokens run() {
    Tokens out;
    range(0, t_.size(), out, 0);
    return out;
  }

 private:
  void range(std::size_t b, std::size_t e, Tokens& out, int depth) {
    check_depth(depth);
    for (std::size_t i = b; i < e; ++i) {
      std::size_t close = i + 1 < e && is_op(t_[i + 1], "(") ? match_[i + 1] : npos;
      if (t_[i].kind == TokenKind::Word && close != npos && close < e &&
          rewrite(i, close, out, depth))
        i = close;
      else
        out.push_back(t_[i]);
    }
  }

  Tokens arg(Range r, int depth) {
    Tokens out;
    range(r.first, r.second, out, depth + 1);
    if (!out.empty()) out[0].space.clear();
    return out;
  }

  bool rewrite(std::size_t i, std::size_t close, Tokens& out, int depth) {
    bool left = is_kw(t_[i], "LEFT"), right = is_kw(t_[i], "RIGHT");
    if (!left && !right && !is_kw(t_[i], "CHARINDEX")) return false;
    auto args = split_commas(t_, match_, i + 2, close);
    if (args.size() != 2) return false;
    Tokens a = arg(args[0], depth), n = arg(args[1], depth);
    if (a.empty() || n.empty()) return false;
    const std::string& space = t_[i].space;
    if (left) {  // substr(a, 1, n)
      append(out, {word("substr", space), op("(")});
      append(out, a);
      append(out, {op(","), make_token(TokenKind::Number, "1", ""), op(",")});
      append(out, n);
    } else if (right) {  // substr(a, max(length(a)-(n),0)+1): n = 0 gives '', n > len gives a
      append(out, {word("substr", space), op("(")});
      append(out, a);
      append(out, {op(","), word("max", ""), op("("), word("length", ""), op("(")});
      append(out, a);
      append(out, {op(")"), op("-"), op("(")});
      append(out, n);
      append(out, {op(")"), op(","), make_token(TokenKind::Number, "0", ""), op(")"), op("+"),
                   make_token(TokenKind::Number, "1", "")});
    } else {  // instr(str, sub)
      append(out, {word("instr", space), op("(")});
      append(out, n);
      out.push_back(op(","));
      append(out, a);
    }
    out.push_back(op(")"));
    return true;
  }

  const Tokens& t_;
  std::vector<std::size_t> match_;
};

// convert(varchar(20), x) → 'varchar(20)'; datepart(dw, x) → 'dw'
bool type_argument(const Tokens& t, const std::vector<std::size_t>& match, std::size_t b,
                   std::size_t e, bool with_size) {
  if (b >= e || t[b].kind != TokenKind::Word || is_reserved(t[b])) return false;
  if (e == b + 1) return true;
  if (!with_size || !is_op(t[b + 1], "(") || match[b + 1] != e - 1) return false;
  for (std::size_t k = b + 2; k < e - 1; ++k)
    if (t[k].kind != TokenKind::Number && !is_op(t[k], ",") && !is_kw(t[k], "MAX")) return false;
  return true;
}

}  // namespace

void unwrap_odbc_escapes(Tokens& t) {
  if (!has(t, [](const Token& k) { return is_op(k, "{"); })) return;
  auto match = match_brackets(t);
  std::vector<char> drop(t.size(), 0);
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    std::size_t close = match[i];
    if (!is_op(t[i], "{") || close == npos) continue;
    const Token& k = t[i + 1];
    bool marker = any_kw(k, {"FN", "OJ"}) || (any_kw(k, {"D", "T", "TS"}) && i + 3 == close &&
                                              t[i + 2].kind == TokenKind::String);
    if (!marker && !is_kw(k, "CALL") && !is_op(k, "?")) continue;
    drop[i] = drop[close] = 1;
    if (marker) drop[i + 1] = 1;
    // ODBC's own names for functions SQLite knows under the usual ones
    if (is_kw(k, "FN") && i + 2 < close && is_kw(t[i + 2], "UCASE")) t[i + 2].text = "upper";
    if (is_kw(k, "FN") && i + 2 < close && is_kw(t[i + 2], "LCASE")) t[i + 2].text = "lower";
  }
  t = keep(t, drop);
}

void strip_dbo(Tokens& t) {
  std::vector<char> drop(t.size(), 0);
  bool any = false;
  for (std::size_t i = 0; i + 2 < t.size(); ++i) {
    bool dbo = is_word_or_name(t[i]) && same_name(name_of(t[i]), "dbo");
    bool dotted = is_op(t[i + 1], ".") && is_word_or_name(t[i + 2]);
    bool default_schema = is_word_or_name(t[i]) && is_op(t[i + 1], ".") && i + 3 < t.size() &&
                          is_op(t[i + 2], ".") && is_word_or_name(t[i + 3]);
    if (default_schema) {  // db..X
      drop[i] = drop[i + 1] = drop[i + 2] = any = true;
      continue;
    }
    if (!dbo || !dotted) continue;
    drop[i] = drop[i + 1] = any = true;
    if (i >= 2 && is_op(t[i - 1], ".") && is_word_or_name(t[i - 2]) && !drop[i - 1])
      drop[i - 2] = drop[i - 1] = 1;  // db.dbo.X
  }
  if (any) t = keep(t, drop);
}

void strip_hints(Tokens& t) {
  bool candidate = false;
  for (std::size_t i = 0; i + 1 < t.size() && !candidate; ++i)
    candidate = is_kw(t[i], "WITH") || (is_op(t[i], "(") && is_hint_word(t[i + 1]));
  if (!candidate) return;
  auto match = match_brackets(t);
  std::vector<char> drop(t.size(), 0);
  bool any = false;
  for (std::size_t i = 1; i < t.size(); ++i) {
    std::size_t open = npos;
    if (is_kw(t[i], "WITH") && i + 1 < t.size() && is_op(t[i + 1], "(") &&
        hint_list(t, match, i + 1, false) && after_table(t[i - 1]))
      open = i + 1;
    else if (is_op(t[i], "(") && hint_list(t, match, i, true) && old_hint_context(t, i - 1))
      open = i;
    if (open == npos) continue;
    std::fill(drop.begin() + static_cast<std::ptrdiff_t>(i),
              drop.begin() + static_cast<std::ptrdiff_t>(match[open] + 1), 1);
    any = true;
    i = match[open];
  }
  if (any) t = keep(t, drop);
}

void drop_unicode_prefix(Tokens& t) {
  for (Token& k : t)
    if (k.kind == TokenKind::String && k.text[0] != '\'') k.text.erase(0, 1);
}

void rename_functions(Tokens& t) {
  Tokens out;
  out.reserve(t.size() + 4);
  for (std::size_t i = 0; i < t.size(); ++i) {
    Token& k = t[i];
    bool call = i + 1 < t.size() && is_op(t[i + 1], "(");
    if (call && is_kw(k, "ISNULL")) k.text = "ifnull";
    if (call && is_kw(k, "SCOPE_IDENTITY")) k.text = "last_insert_rowid";
    if (is_op(k, "!<")) k.text = ">=";
    if (is_op(k, "!>")) k.text = "<=";
    bool identity = k.kind == TokenKind::Variable && same_name(k.text, "@@IDENTITY");
    bool rowcount = k.kind == TokenKind::Variable && same_name(k.text, "@@ROWCOUNT");
    if (identity || rowcount) {
      out.push_back(word(identity ? "last_insert_rowid" : "changes", k.space));
      out.push_back(op("("));
      out.push_back(op(")"));
      continue;
    }
    out.push_back(std::move(k));
  }
  t = std::move(out);
}

namespace {

bool takes_type_argument(const Token& k) {
  return any_kw(
      k, {"CONVERT", "TRY_CONVERT", "DATEPART", "DATEADD", "DATEDIFF", "DATENAME", "DATEDIFF_BIG"});
}

}  // namespace

void quote_type_arguments(Tokens& t) {
  if (!has(t, takes_type_argument)) return;
  auto match = match_brackets(t);
  Tokens out;
  out.reserve(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    out.push_back(t[i]);
    bool convert = any_kw(t[i], {"CONVERT", "TRY_CONVERT"});
    bool date = any_kw(t[i], {"DATEPART", "DATEADD", "DATEDIFF", "DATENAME", "DATEDIFF_BIG"});
    if ((!convert && !date) || i + 2 >= t.size() || !is_op(t[i + 1], "(")) continue;
    std::size_t close = match[i + 1];
    if (close == npos) continue;
    auto args = split_commas(t, match, i + 2, close);
    if (args.size() < 2 || !type_argument(t, match, args[0].first, args[0].second, convert))
      continue;
    std::string text = "'";
    for (std::size_t k = args[0].first; k < args[0].second; ++k) text += t[k].text;
    out.push_back(t[i + 1]);
    out.push_back(make_token(TokenKind::String, text + "'", t[i + 2].space));
    i = args[0].second - 1;
  }
  t = std::move(out);
}

namespace {

// TEXT stays SQLite's own cast: the reference statements read numbers back with it.
bool convertible_type(const Token& k) {
  return any_kw(k, {"INT",     "INTEGER",  "BIGINT",    "SMALLINT",     "TINYINT",    "REAL",
                    "FLOAT",   "NUMERIC",  "DECIMAL",   "MONEY",        "SMALLMONEY", "BIT",
                    "VARCHAR", "NVARCHAR", "CHAR",      "NCHAR",        "SYSNAME",    "DATETIME",
                    "DATE",    "TIME",     "DATETIME2", "SMALLDATETIME"});
}

// The AS of CAST( x AS type ) at the cast's own depth, npos when there is none.
std::size_t cast_as(const Tokens& t, const std::vector<std::size_t>& match, std::size_t open) {
  std::size_t found = npos;
  for (std::size_t k = open + 1; k < match[open]; ++k) {
    if (is_op(t[k], "(") && match[k] != npos)
      k = match[k];
    else if (is_kw(t[k], "AS"))
      found = k;
  }
  return found;
}

}  // namespace

// CAST follows CONVERT's rules, as on the server: CAST('12,5' AS real) and CAST('abc' AS int)
// fail instead of giving 12.0 and 0, lengths cut, decimals round to their scale, dates read.
void cast_to_convert(Tokens& t) {
  if (!has(t, [](const Token& k) { return is_kw(k, "CAST"); })) return;
  auto match = match_brackets(t);
  std::vector<char> drop(t.size(), 0);
  Tokens out;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (drop[i]) continue;
    std::size_t close = i + 1 < t.size() && is_op(t[i + 1], "(") ? match[i + 1] : npos;
    std::size_t as = is_kw(t[i], "CAST") && close != npos ? cast_as(t, match, i + 1) : npos;
    bool typed = as != npos && as > i + 2 && convertible_type(t[as + 1]) &&
                 type_argument(t, match, as + 1, close, true);
    if (!typed) {
      out.push_back(t[i]);
      continue;
    }
    std::string type = "'";
    for (std::size_t k = as + 1; k < close; ++k) {
      type += ascii_lower(t[k].text);
      drop[k] = 1;
    }
    out.push_back(word("convert", t[i].space));
    out.push_back(t[i + 1]);
    out.push_back(make_token(TokenKind::String, type + "'", ""));
    out.push_back(op(","));
    drop[as] = 1;
    ++i;
  }
  t = std::move(out);
}

void rewrite_string_calls(Tokens& t) {
  bool candidate = has(t, [](const Token& k) { return any_kw(k, {"LEFT", "RIGHT", "CHARINDEX"}); });
  if (candidate) t = CallRewriter(t).run();
}

// #name and ##name are the server's temporary tables; SQLite would read #name as a parameter.
// CREATE TABLE #t makes a TEMP table, private to the connection as on the server.
void temp_tables(Tokens& t) {
  bool any = false;
  for (Token& k : t) {
    if (k.kind != TokenKind::Word || k.text.empty() || k.text[0] != '#') continue;
    k.kind = TokenKind::Name;
    k.text = "\"" + k.text + "\"";
    any = true;
  }
  if (!any || t.size() < 3 || !is_kw(t[0], "CREATE") || !is_kw(t[1], "TABLE")) return;
  if (t[2].kind == TokenKind::Name && t[2].text.starts_with("\"#"))
    t.insert(t.begin() + 1, word("TEMP"));
}

namespace {

bool text_type(const Token& k) {
  if (k.kind != TokenKind::Word) return false;
  std::string type = ascii_lower(k.text);
  return type.find("char") != std::string::npos || type.find("text") != std::string::npos ||
         type == "sysname";
}

}  // namespace

// A text column the server creates takes the database's collation; SQLite's would compare
// bytes. CREATE TABLE t (a varchar(5)) → (a varchar(5) COLLATE PL_CI_AS).
void collate_new_columns(Tokens& t) {
  std::size_t open = 2;
  while (open < t.size() && !is_op(t[open], "(") && !is_kw(t[open], "AS")) ++open;
  if (t.size() < 4 || !is_kw(t[0], "CREATE") || open >= t.size() || !is_op(t[open], "(")) return;
  if (!is_kw(t[1], "TABLE") && !(is_kw(t[1], "TEMP") && is_kw(t[2], "TABLE"))) return;
  auto match = match_brackets(t);
  if (match[open] == npos) return;
  struct Edit {
    std::size_t at;  // after the type and its length
    bool collate;
    bool max;  // the length is (max): no SQLite spelling, and SQLite enforces none
  };
  std::vector<Edit> edits;
  for (auto [b, e] : split_commas(t, match, open + 1, match[open])) {
    if (e < b + 2 || !text_type(t[b + 1])) continue;
    std::size_t end = b + 2;
    bool max =
        end + 2 < e && is_op(t[end], "(") && is_kw(t[end + 1], "MAX") && is_op(t[end + 2], ")");
    if (end < e && is_op(t[end], "(") && match[end] != npos) end = match[end] + 1;
    bool collated = false;
    for (std::size_t k = end; k < e; ++k) collated = collated || is_kw(t[k], "COLLATE");
    if (!collated || max) edits.push_back({end, !collated, max});
  }
  for (auto it = edits.rbegin(); it != edits.rend(); ++it) {
    auto at = t.begin() + static_cast<std::ptrdiff_t>(it->at);
    if (it->collate) t.insert(at, {word("COLLATE"), word("PL_CI_AS")});
    at = t.begin() + static_cast<std::ptrdiff_t>(it->at);
    if (it->max) t.erase(at - 3, at);
  }
}

}  // namespace orv::sql::dialect
