// Values stored into integer columns: the server refuses one its column cannot hold, where SQLite
// would keep any number in any column.
#include <cstdint>
#include <string>

#include "platform/sql/dialect/expr.hpp"
#include "platform/sql/dialect/passes.hpp"
#include "platform/sql/dialect/syntax.hpp"
#include "platform/sql/dialect/token_helpers.hpp"

namespace orv::sql::dialect {

std::string integer_type(std::string_view declared) {
  std::string d = ascii_lower(declared);
  std::string first = d.substr(0, d.find_first_of(" ("));
  if (first == "int" || first == "integer") return "int";
  if (first == "bigint" || first == "smallint" || first == "tinyint") return first;
  return {};
}

namespace {

bool literal_fits(const std::string& digits, bool negative, const std::string& type) {
  if (digits.empty() || digits.size() > 18) return false;
  for (char c : digits)
    if (c < '0' || c > '9') return false;
  int64_t v = std::stoll(digits) * (negative ? -1 : 1);
  if (type == "tinyint") return v >= 0 && v <= 255;
  if (type == "smallint") return v >= -32768 && v <= 32767;
  if (type == "int") return v >= INT32_MIN && v <= INT32_MAX;
  return true;
}

class StoredIntegers {
 public:
  StoredIntegers(Tokens& t, const Catalog& catalog)
      : t_(t), match_(match_brackets(t)), catalog_(catalog) {}

  void run() {
    if (is_kw(t_[0], "INSERT")) insert();
    if (is_kw(t_[0], "UPDATE")) update();
    // Last first: each wrap leaves the positions before it as they were.
    for (auto it = wraps_.rbegin(); it != wraps_.rend(); ++it) wrap(*it);
  }

 private:
  struct Wrap {
    std::size_t begin, end;
    std::string type;
  };

  std::string type_of(const std::string& table, const std::string& column) const {
    auto declared = catalog_.column_type(table, column);
    return declared ? integer_type(*declared) : std::string();
  }

  // INSERT [OR ...] INTO t [(columns)] VALUES (...), ... | SELECT list ...
  void insert() {
    std::size_t n = t_.size(), i = 1;
    if (i < n && is_kw(t_[i], "OR")) i += 2;
    if (i >= n || !is_kw(t_[i], "INTO")) return;
    std::size_t name_end = dotted_name_end(t_, i + 1, n);
    if (name_end == i + 1) return;
    std::string table = name_of(t_[name_end - 1]);
    i = name_end;
    std::vector<std::string> types;
    if (i < n && is_op(t_[i], "(") && match_[i] != npos) {
      for (auto [b, e] : split_commas(t_, match_, i + 1, match_[i]))
        types.push_back(e == b + 1 ? type_of(table, name_of(t_[b])) : std::string());
      i = match_[i] + 1;
    } else {
      for (const std::string& column : catalog_.columns(table))
        types.push_back(type_of(table, column));
    }
    if (i < n && is_kw(t_[i], "VALUES")) return values(i + 1, types);
    if (i < n && is_kw(t_[i], "SELECT")) select_list(i, types);
  }

  void values(std::size_t i, const std::vector<std::string>& types) {
    while (i < t_.size() && is_op(t_[i], "(") && match_[i] != npos) {
      auto items = split_commas(t_, match_, i + 1, match_[i]);
      for (std::size_t k = 0; k < items.size() && k < types.size(); ++k)
        store(items[k].first, items[k].second, types[k]);
      i = match_[i] + 1;
      if (i >= t_.size() || !is_op(t_[i], ",")) return;
      ++i;
    }
  }

  // A single SELECT whose columns are known one by one (no '*', no UNION).
  void select_list(std::size_t i, const std::vector<std::string>& types) {
    std::size_t n = t_.size();
    if (find_kw(t_, match_, i, n, {"UNION", "EXCEPT", "INTERSECT"}) != npos) return;
    ++i;
    while (i < n && any_kw(t_[i], {"DISTINCT", "ALL"})) ++i;
    std::size_t end =
        find_kw(t_, match_, i, n, {"FROM", "WHERE", "GROUP", "HAVING", "ORDER", "LIMIT", "WINDOW"});
    auto items = split_commas(t_, match_, i, end == npos ? n : end);
    for (std::size_t k = 0; k < items.size(); ++k) {
      auto [b, e] = items[k];
      if (b == e || is_op(t_[e - 1], "*")) return;
      Expr x;
      if (k >= types.size() || !parsed(b, e, x)) continue;
      store(b, x.end, types[k]);
    }
  }

  // Too deep an expression is left alone here: whether the statement is refused must not depend
  // on the catalog.
  bool parsed(std::size_t b, std::size_t e, Expr& x) const {
    try {
      return parse_expression(t_, match_, b, e, 0, x);
    } catch (const DialectError&) {
      return false;
    }
  }

  // UPDATE t [AS w] SET c = v, w.c = v ... [FROM ...] [WHERE ...]
  void update() {
    std::size_t n = t_.size(), i = 1;
    if (i < n && is_kw(t_[i], "OR")) i += 2;
    std::size_t name_end = dotted_name_end(t_, i, n);
    if (name_end == i) return;
    std::string table = name_of(t_[name_end - 1]);
    std::size_t set = find_kw(t_, match_, name_end, n, {"SET"});
    if (set == npos) return;
    std::size_t end = find_kw(t_, match_, set + 1, n, {"FROM", "WHERE", "ORDER", "LIMIT"});
    for (auto [b, e] : split_commas(t_, match_, set + 1, end == npos ? n : end)) {
      std::size_t eq = dotted_name_end(t_, b, e);
      if (eq == b || eq + 1 >= e || !is_op(t_[eq], "=")) continue;
      store(eq + 1, e, type_of(table, name_of(t_[eq - 1])));
    }
  }

  // A value the column takes as it is: NULL, DEFAULT, a text (the column's affinity reads it),
  // a whole number within range, int arithmetic checked already.
  bool harmless(std::size_t b, std::size_t e, const std::string& type) const {
    if (e == b + 1 && (t_[b].kind == TokenKind::String || any_kw(t_[b], {"NULL", "DEFAULT"})))
      return true;
    if (e == b + 1 && t_[b].kind == TokenKind::Number) return literal_fits(t_[b].text, false, type);
    if (e == b + 2 && is_op(t_[b], "-") && t_[b + 1].kind == TokenKind::Number)
      return literal_fits(t_[b + 1].text, true, type);
    bool checked = e > b + 2 && (is_kw(t_[b], "TSQL_INT") || is_kw(t_[b], "TSQL_BIGINT")) &&
                   is_op(t_[b + 1], "(") && match_[b + 1] == e - 1;
    return checked && (type == "bigint" || (type == "int" && is_kw(t_[b], "TSQL_INT")));
  }

  void store(std::size_t b, std::size_t e, const std::string& type) {
    if (type.empty() || b >= e || harmless(b, e, type)) return;
    wraps_.push_back({b, e, type});
  }

  void wrap(const Wrap& w) {
    t_.insert(t_.begin() + static_cast<std::ptrdiff_t>(w.end), op(")"));
    Tokens head{word("tsql_store", t_[w.begin].space), op("("),
                make_token(TokenKind::String, "'" + w.type + "'", ""), op(",")};
    t_[w.begin].space = " ";
    t_.insert(t_.begin() + static_cast<std::ptrdiff_t>(w.begin), head.begin(), head.end());
  }

  Tokens& t_;
  std::vector<std::size_t> match_;
  const Catalog& catalog_;
  std::vector<Wrap> wraps_;
};

}  // namespace

void check_stored_integers(Tokens& t, const Catalog* catalog) {
  if (!catalog || t.empty() || !any_kw(t[0], {"INSERT", "UPDATE"})) return;
  StoredIntegers(t, *catalog).run();
}

}  // namespace orv::sql::dialect
