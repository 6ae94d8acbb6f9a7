// Typing of T-SQL arithmetic: SQLite's '+' never concatenates and its integers never overflow.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>

#include "platform/sql/dialect/expr.hpp"
#include "platform/sql/dialect/passes.hpp"
#include "platform/sql/dialect/syntax.hpp"
#include "platform/sql/dialect/token_helpers.hpp"

namespace orv::sql::dialect {
namespace {

enum class Type { Unknown, Text, Numeric, Null };

bool contains(std::string_view hay, std::string_view needle) {
  return hay.find(needle) != std::string_view::npos;
}

// SQLite's affinity rules applied to a declared or T-SQL type name (lower case).
Type type_of_declared(std::string_view decl) {
  std::string d = ascii_lower(decl);
  if (contains(d, "int") || contains(d, "bit")) return Type::Numeric;
  if (contains(d, "char") || contains(d, "clob") || contains(d, "text")) return Type::Text;
  if (d.empty() || contains(d, "blob") || contains(d, "date") || contains(d, "time") ||
      contains(d, "binary") || contains(d, "uniqueidentifier"))
    return Type::Unknown;
  return Type::Numeric;  // real, float, double, numeric, decimal, money
}

bool in(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

Type type_of_function(std::string_view f) {
  if (in(f,
         {"char",   "nchar",     "rtrim",    "ltrim",        "trim",       "replace", "substring",
          "substr", "upper",     "lower",    "left",         "right",      "space",   "replicate",
          "str",    "reverse",   "stuff",    "concat",       "quotename",  "format",  "ucase",
          "lcase",  "datename",  "printf",   "group_concat", "string_agg", "hex",     "soundex",
          "newid",  "concat_ws", "translate"}))
    return Type::Text;
  if (in(f, {"len",        "length",     "datalength",
             "charindex",  "instr",      "patindex",
             "count",      "count_big",  "abs",
             "round",      "floor",      "ceiling",
             "ceil",       "sign",       "datepart",
             "datediff",   "year",       "month",
             "day",        "ascii",      "unicode",
             "power",      "sqrt",       "exp",
             "log",        "log10",      "pi",
             "rand",       "sum",        "avg",
             "total",      "changes",    "last_insert_rowid",
             "random",     "row_number", "rank",
             "dense_rank", "isnumeric"}))
    return Type::Numeric;
  return Type::Unknown;
}

// A run of '+': text with no certain number concatenates, all numbers add, anything else is
// left to tsql_add at run time.
enum class Mode { Plus, Concat, TsqlAdd };

Mode decide(const std::vector<Type>& types) {
  bool text = false, number = false, unknown = false;
  for (Type t : types) {
    text |= t == Type::Text;
    number |= t == Type::Numeric;
    unknown |= t == Type::Unknown;
  }
  if (text && !number) return Mode::Concat;
  if (!text && !unknown) return Mode::Plus;
  return Mode::TsqlAdd;
}

Type type_after(Mode mode, const std::vector<Type>& types) {
  if (mode == Mode::Concat) return Type::Text;
  if (mode == Mode::Plus) return Type::Numeric;
  bool text = std::find(types.begin(), types.end(), Type::Text) != types.end();
  bool number = std::find(types.begin(), types.end(), Type::Numeric) != types.end();
  return text && number ? Type::Numeric : Type::Unknown;
}

struct Ref {
  std::string table;  // empty for derived tables and functions
  std::string alias;
};

struct Scope {
  std::vector<Ref> refs;
  const Scope* parent = nullptr;
};

class Typer {
 public:
  Typer(const Tokens& t, const Catalog* catalog)
      : t_(t), match_(match_brackets(t)), catalog_(catalog) {}

  Tokens statement() {
    Tokens out;
    block(0, t_.size(), nullptr, out, 0);
    return out;
  }

  Tokens expression_list() {
    Tokens out;
    std::size_t i = expr_list(0, t_.size(), nullptr, out, 0, false);
    if (i < t_.size()) block(i, t_.size(), nullptr, out, 0);
    return out;
  }

 private:
  // ---- statements: find where expressions start, walk everything else as it is ----

  void block(std::size_t b, std::size_t e, const Scope* parent, Tokens& out, int depth) {
    check_depth(depth);
    const Scope* scope = parent;
    std::size_t i = b;
    while (i < e) {
      const Token& tk = t_[i];
      if (is_kw(tk, "SELECT")) {
        i = select_head(i, e, out);
        scope = select_scope(i, e, parent);
        i = expr_list(i, e, scope, out, depth, true);
      } else if (any_kw(tk, {"UPDATE", "DELETE"})) {
        scope = dml_scope(i, e, parent);
        out.push_back(tk);
        ++i;
      } else if (any_kw(tk, {"UNION", "EXCEPT", "INTERSECT"})) {
        scope = parent;
        out.push_back(tk);
        ++i;
      } else if (any_kw(tk, {"WHERE", "HAVING", "ON", "LIMIT", "OFFSET"})) {
        out.push_back(tk);
        i = one_expr(i + 1, e, scope, out, depth);
      } else if (any_kw(tk, {"SET", "VALUES"}) || (is_kw(tk, "BY") && i > b)) {
        out.push_back(tk);
        i = expr_list(i + 1, e, scope, out, depth, false);
      } else {
        i = other(i, e, scope, out, depth);
      }
    }
  }

  std::size_t other(std::size_t i, std::size_t e, const Scope* scope, Tokens& out, int depth) {
    const Token& tk = t_[i];
    bool open = is_op(tk, "(") && match_[i] != npos && match_[i] < e;
    if (open && i + 1 < e && any_kw(t_[i + 1], {"SELECT", "WITH"})) {
      out.push_back(tk);
      block(i + 1, match_[i], scope, out, depth + 1);
      out.push_back(t_[match_[i]]);
      return match_[i] + 1;
    }
    bool call = is_name(tk) && i + 1 < e && is_op(t_[i + 1], "(");
    if (open || call) {
      std::size_t j = one_expr(i, e, scope, out, depth);
      if (j != i) return j;
    }
    out.push_back(tk);
    return i + 1;
  }

  // SELECT [DISTINCT|ALL] [TOP n | TOP (n) [PERCENT] [WITH TIES]]
  std::size_t select_head(std::size_t i, std::size_t e, Tokens& out) {
    out.push_back(t_[i++]);
    while (i < e && any_kw(t_[i], {"DISTINCT", "ALL"})) out.push_back(t_[i++]);
    if (i >= e || !is_kw(t_[i], "TOP")) return i;
    out.push_back(t_[i++]);
    std::size_t end = i < e && is_op(t_[i], "(") && match_[i] != npos ? match_[i] + 1 : i + 1;
    while (i < end && i < e) out.push_back(t_[i++]);
    while (i < e && any_kw(t_[i], {"PERCENT", "WITH", "TIES"})) out.push_back(t_[i++]);
    return i;
  }

  std::size_t expr_list(std::size_t i, std::size_t e, const Scope* scope, Tokens& out, int depth,
                        bool aliases) {
    while (i < e) {
      std::size_t j = one_expr(i, e, scope, out, depth);
      if (j == i) return i;
      i = j;
      if (aliases && i < e && is_kw(t_[i], "AS")) out.push_back(t_[i++]);
      if (aliases && i < e && (is_name(t_[i]) || t_[i].kind == TokenKind::String))
        out.push_back(t_[i++]);
      while (i < e && any_kw(t_[i], {"ASC", "DESC"})) out.push_back(t_[i++]);
      if (i >= e || !is_op(t_[i], ",")) return i;
      out.push_back(t_[i++]);
    }
    return i;
  }

  std::size_t one_expr(std::size_t i, std::size_t e, const Scope* scope, Tokens& out, int depth) {
    Expr x;
    if (i >= e || !parse_expression(t_, match_, i, e, depth, x)) return i;
    Walk w{x, scope, depth, std::vector<std::optional<Type>>(x.nodes.size())};
    emit_node(w, x.root, out);
    return x.end;
  }

  // ---- scopes: which tables a column name can come from ----

  const Scope* select_scope(std::size_t i, std::size_t e, const Scope* parent) {
    std::size_t stop = find_kw(t_, match_, i, e, {"UNION", "EXCEPT", "INTERSECT"});
    if (stop == npos) stop = e;
    std::size_t from = find_kw(t_, match_, i, stop, {"FROM"});
    Scope s;
    s.parent = parent;
    if (from != npos) add_refs(parse_from(t_, match_, from + 1, stop), s);
    scopes_.push_back(std::move(s));
    return &scopes_.back();
  }

  const Scope* dml_scope(std::size_t i, std::size_t e, const Scope* parent) {
    Scope s;
    s.parent = parent;
    std::size_t k = i + 1;
    if (k < e && is_kw(t_[k], "FROM")) ++k;
    std::size_t name_end = dotted_name_end(t_, k, e);
    if (name_end > k) s.refs.push_back({name_of(t_[name_end - 1]), {}});
    std::size_t from = find_kw(t_, match_, name_end, e, {"FROM"});
    if (from != npos) add_refs(parse_from(t_, match_, from + 1, e), s);
    scopes_.push_back(std::move(s));
    return &scopes_.back();
  }

  static void add_refs(const FromList& from, Scope& s) {
    for (const FromItem& item : from.items)
      s.refs.push_back({item.derived || item.function ? std::string() : item.table, item.alias});
  }

  // What `of` makes of the column's declared type: `unknown` when no table in scope declares it
  // or two that could hold it disagree.
  template <class T, class Of>
  T declared_as(const Node& n, const Scope* scope, T unknown, Of of) const {
    if (!catalog_ || n.parts.empty()) return unknown;
    const std::string& column = n.parts.back();
    if (n.parts.size() >= 2)
      return qualified_as(n.parts[n.parts.size() - 2], column, scope, unknown, of);
    for (const Scope* s = scope; s; s = s->parent) {
      std::optional<T> found;
      for (const Ref& r : s->refs) {
        if (r.table.empty()) continue;
        auto decl = catalog_->column_type(r.table, column);
        if (!decl) continue;
        T t = of(*decl);
        found = !found || *found == t ? t : unknown;
      }
      if (found) return *found;
    }
    return unknown;
  }

  template <class T, class Of>
  T qualified_as(const std::string& q, const std::string& column, const Scope* scope, T unknown,
                 Of of) const {
    for (const Scope* s = scope; s; s = s->parent) {
      for (const Ref& r : s->refs) {
        bool named = r.alias.empty() ? same_name(r.table, q) : same_name(r.alias, q);
        if (!named) continue;
        if (r.table.empty()) return unknown;
        auto decl = catalog_->column_type(r.table, column);
        return decl ? of(*decl) : unknown;
      }
    }
    return unknown;
  }

  Type column_type(const Node& n, const Scope* scope) const {
    return declared_as(n, scope, Type::Unknown, type_of_declared);
  }

  // ---- expressions ----

  struct Walk {
    const Expr& x;
    const Scope* scope;
    int depth;
    std::vector<std::optional<Type>> types;
    const Node& node(int k) const { return x.nodes[static_cast<std::size_t>(k)]; }
  };

  Type type_of(Walk& w, int k) {
    auto& memo = w.types[static_cast<std::size_t>(k)];
    if (!memo) memo = compute_type(w, k);
    return *memo;
  }

  Type compute_type(Walk& w, int k) {
    const Node& n = w.node(k);
    using K = Node::Kind;
    switch (n.kind) {
      case K::String:
        return Type::Text;
      case K::Number:
        return Type::Numeric;
      case K::Null:
        return Type::Null;
      case K::Column:
        return column_type(n, w.scope);
      case K::Call:
        return call_type(w, n);
      case K::Cast:
        return type_of_declared(n.name);
      case K::Case:
        return case_type(w, n);
      case K::Paren:
        return n.kids.size() == 1 ? type_of(w, n.kids[0]) : Type::Unknown;
      case K::Collate:
        return type_of(w, n.kids[0]);
      case K::Unary:
        return n.name == "+" ? type_of(w, n.kids[0]) : Type::Numeric;
      case K::Chain:
        return chain_type(w, n);
      case K::Exists:
      case K::Predicate:
        return Type::Numeric;
      default:
        return Type::Unknown;
    }
  }

  Type call_type(Walk& w, const Node& n) {
    if (n.name == "convert" && !n.kids.empty() && w.node(n.kids[0]).kind == Node::Kind::String)
      return type_of_declared(t_[w.node(n.kids[0]).begin].text);
    if (in(n.name, {"min", "max", "ifnull", "isnull", "coalesce", "nullif"})) {
      for (int kid : n.kids) {
        Type t = type_of(w, kid);
        if (t != Type::Unknown && t != Type::Null) return t;
      }
      return Type::Unknown;
    }
    if (n.name == "iif" && n.kids.size() == 3)
      return merge({type_of(w, n.kids[1]), type_of(w, n.kids[2])});
    return type_of_function(n.name);
  }

  Type case_type(Walk& w, const Node& n) {
    std::vector<Type> results;
    for (std::size_t k = 0; k < n.kids.size(); ++k)
      if (n.ops[k] == "then" || n.ops[k] == "else") results.push_back(type_of(w, n.kids[k]));
    return merge(results);
  }

  static Type merge(const std::vector<Type>& types) {
    std::optional<Type> all;
    for (Type t : types) {
      if (t == Type::Null) continue;
      if (t == Type::Unknown || (all && *all != t)) return Type::Unknown;
      all = t;
    }
    return all.value_or(Type::Null);
  }

  Type chain_type(Walk& w, const Node& n) {
    if (n.level == kMultiply)
      return std::find(n.ops.begin(), n.ops.end(), "||") != n.ops.end() ? Type::Text
                                                                        : Type::Numeric;
    if (n.level != kAdditive) return Type::Numeric;
    Type acc = type_of(w, n.kids[0]);
    for (std::size_t k = 0; k < n.ops.size();) {
      if (n.ops[k] != "+") {
        acc = Type::Numeric;
        ++k;
        continue;
      }
      std::vector<Type> types{acc};
      for (; k < n.ops.size() && n.ops[k] == "+"; ++k) types.push_back(type_of(w, n.kids[k + 1]));
      acc = type_after(decide(types), types);
    }
    return acc;
  }

  // ---- the server's integer widths: int arithmetic past 2^31-1 (bigint past 2^63-1) fails ----

  // Int: literals up to 2^31-1, CONVERT to int, smallint, tinyint and columns declared so
  // (INTEGER is the server's int); Bigint: CONVERT to bigint and bigint columns; arithmetic of
  // these has the wider width, SUM, MIN and MAX their argument's.
  enum class Width { None, Int, Bigint };

  static Width declared_width(std::string_view declared) {
    std::string type = integer_type(declared);
    if (type.empty()) return Width::None;
    return type == "bigint" ? Width::Bigint : Width::Int;
  }

  Width call_width(Walk& w, const Node& n) {
    if (n.kids.size() == 1 && in(n.name, {"sum", "min", "max"})) return width_of(w, n.kids[0]);
    return convert_width(w, n);
  }

  Width width_of(Walk& w, int k) {
    const Node& n = w.node(k);
    using K = Node::Kind;
    switch (n.kind) {
      case K::Number:
        return int_literal(t_[n.begin].text) ? Width::Int : Width::None;
      case K::Paren:
        return n.kids.size() == 1 ? width_of(w, n.kids[0]) : Width::None;
      case K::Unary:
        return n.name == "-" || n.name == "+" ? width_of(w, n.kids[0]) : Width::None;
      case K::Call:
        return call_width(w, n);
      case K::Chain:
        return chain_width(w, n);
      case K::Column:
        return declared_as(n, w.scope, Width::None, declared_width);
      default:
        return Width::None;
    }
  }

  static bool int_literal(const std::string& text) {
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
      if (c < '0' || c > '9') return false;
    return std::stoll(text) <= 2147483647LL;
  }

  Width convert_width(Walk& w, const Node& n) const {
    if (n.name != "convert" || n.kids.empty() || w.node(n.kids[0]).kind != Node::Kind::String)
      return Width::None;
    std::string type = ascii_lower(t_[w.node(n.kids[0]).begin].text);
    if (type == "'bigint'") return Width::Bigint;
    if (type == "'int'" || type == "'integer'" || type == "'smallint'" || type == "'tinyint'")
      return Width::Int;
    return Width::None;
  }

  Width chain_width(Walk& w, const Node& n) {
    if (n.level != kAdditive && n.level != kMultiply) return Width::None;
    for (const std::string& o : n.ops)
      if (o != "+" && o != "-" && o != "*" && o != "/" && o != "%") return Width::None;
    Width widest = Width::Int;
    for (int kid : n.kids) {
      Width k = width_of(w, kid);
      if (k == Width::None) return Width::None;
      if (k == Width::Bigint) widest = Width::Bigint;
    }
    return widest;
  }

  // tsql_int(a op b) / tsql_bigint(a op b) for + - *: SQLite computes in 64 bits (and past them
  // in REAL), the server fails at its type's edge.
  static Tokens checked(Width width, Tokens left, const Token& o, Tokens right) {
    left.push_back(o);
    append(left, std::move(right));
    if (width == Width::None || o.text == "/" || o.text == "%") return left;
    std::string space = left.empty() ? "" : left[0].space;
    Tokens call{word(width == Width::Int ? "tsql_int" : "tsql_bigint", space), op("(")};
    append(call, bare(std::move(left)));
    call.push_back(op(")"));
    return call;
  }

  // The value of literal arithmetic, nullopt when it is not all literals or leaves int on the
  // way (the run must then fail as the server's does) or divides by zero.
  std::optional<int64_t> constant(Walk& w, int k) {
    const Node& n = w.node(k);
    if (n.kind == Node::Kind::Number && int_literal(t_[n.begin].text))
      return std::stoll(t_[n.begin].text);
    if (n.kind == Node::Kind::Paren && n.kids.size() == 1) return constant(w, n.kids[0]);
    if (n.kind == Node::Kind::Unary && (n.name == "-" || n.name == "+")) {
      auto v = constant(w, n.kids[0]);
      return v && n.name == "-" ? std::optional(-*v) : v;
    }
    if (n.kind != Node::Kind::Chain || chain_width(w, n) != Width::Int) return std::nullopt;
    auto acc = constant(w, n.kids[0]);
    for (std::size_t i = 0; acc && i < n.ops.size(); ++i) {
      auto v = constant(w, n.kids[i + 1]);
      const std::string& o = n.ops[i];
      if (!v || ((o == "/" || o == "%") && *v == 0)) return std::nullopt;
      acc = o == "+"   ? *acc + *v
            : o == "-" ? *acc - *v
            : o == "*" ? *acc * *v
            : o == "/" ? *acc / *v
                       : *acc % *v;
      if (*acc < INT32_MIN || *acc > INT32_MAX) return std::nullopt;
    }
    return acc;
  }

  void emit_multiply(Walk& w, const Node& n, Width width, Tokens& out) {
    // Literal arithmetic that stays within int reads as written.
    if (width == Width::Int && constant(w, static_cast<int>(&n - w.x.nodes.data())))
      width = Width::None;
    Tokens acc = emitted(w, n.kids[0]);
    for (std::size_t k = 0; k < n.ops.size(); ++k)
      acc = checked(width, std::move(acc), t_[n.op_pos[k]], emitted(w, n.kids[k + 1]));
    append(out, std::move(acc));
  }

  void emit_node(Walk& w, int k, Tokens& out) {
    const Node& n = w.node(k);
    if (n.kind == Node::Kind::Subquery) {
      out.push_back(t_[n.begin]);
      block(n.begin + 1, n.end - 1, w.scope, out, w.depth + 1);
      out.push_back(t_[n.end - 1]);
      return;
    }
    if (n.kind == Node::Kind::Chain && n.level == kAdditive) return emit_additive(w, n, out);
    if (n.kind == Node::Kind::Chain && n.level == kMultiply) {
      Width width = chain_width(w, n);
      if (width != Width::None) return emit_multiply(w, n, width, out);
    }
    // The server's SUM of int is an int: past its range the sum fails, not grows.
    if (n.kind == Node::Kind::Call && n.name == "sum" && call_width(w, n) == Width::Int) {
      Tokens sum;
      emit_plain(w, n, sum);
      std::string space = sum.empty() ? "" : sum[0].space;
      Tokens call{word("tsql_int", space), op("(")};
      append(call, bare(std::move(sum)));
      call.push_back(op(")"));
      return append(out, std::move(call));
    }
    emit_plain(w, n, out);
  }

  // The node's tokens as written, its kids emitted by their own rules.
  void emit_plain(Walk& w, const Node& n, Tokens& out) {
    std::size_t i = n.begin;
    for (int kid : n.kids) {
      const Node& c = w.node(kid);
      while (i < c.begin) out.push_back(t_[i++]);
      emit_node(w, kid, out);
      i = c.end;
    }
    while (i < n.end) out.push_back(t_[i++]);
  }

  Tokens emitted(Walk& w, int k) {
    Tokens out;
    emit_node(w, k, out);
    return out;
  }

  // Left to right as T-SQL evaluates: each run of '+' is decided on its own operands, the value
  // so far being the first of them.
  void emit_additive(Walk& w, const Node& n, Tokens& out) {
    Width width = chain_width(w, n);
    if (width != Width::None) return emit_multiply(w, n, width, out);
    Tokens acc = emitted(w, n.kids[0]);
    Type acc_type = type_of(w, n.kids[0]);
    bool bitwise = false;  // acc ends in & | ^, which SQLite binds looser than + and -
    for (std::size_t k = 0; k < n.ops.size();) {
      const std::string& o = n.ops[k];
      bool bit_op = o == "&" || o == "|" || o == "^";
      if (bitwise && !bit_op) acc = parenthesised(std::move(acc));
      bitwise = bit_op;
      if (o != "+") {
        acc.push_back(t_[n.op_pos[k]]);
        append(acc, emitted(w, n.kids[k + 1]));
        acc_type = Type::Numeric;
        ++k;
        continue;
      }
      std::vector<Type> types{acc_type};
      std::vector<Tokens> operands;
      operands.push_back(std::move(acc));
      std::size_t first_op = k;
      for (; k < n.ops.size() && n.ops[k] == "+"; ++k) {
        types.push_back(type_of(w, n.kids[k + 1]));
        operands.push_back(emitted(w, n.kids[k + 1]));
      }
      Mode mode = decide(types);
      acc = join_run(mode, std::move(operands), n, first_op);
      acc_type = type_after(mode, types);
    }
    append(out, std::move(acc));
  }

  Tokens join_run(Mode mode, std::vector<Tokens> operands, const Node& n, std::size_t first_op) {
    Tokens r =
        mode == Mode::Concat ? parenthesised(std::move(operands[0])) : std::move(operands[0]);
    for (std::size_t j = 1; j < operands.size(); ++j) {
      if (mode == Mode::Plus) {
        r.push_back(t_[n.op_pos[first_op + j - 1]]);
        append(r, std::move(operands[j]));
      } else if (mode == Mode::Concat) {
        r.push_back(op("||"));
        append(r, parenthesised(bare(std::move(operands[j]))));
      } else {
        std::string space = r.empty() ? "" : r[0].space;
        Tokens call{word("tsql_add", space), op("(")};
        append(call, bare(std::move(r)));
        call.push_back(op(","));
        append(call, bare(std::move(operands[j])));
        call.push_back(op(")"));
        r = std::move(call);
      }
    }
    return r;
  }

  static Tokens parenthesised(Tokens t) {
    std::string space = t.empty() ? "" : t[0].space;
    Tokens r{op("(", space)};
    append(r, bare(std::move(t)));
    r.push_back(op(")"));
    return r;
  }

  const Tokens& t_;
  std::vector<std::size_t> match_;
  const Catalog* catalog_;
  std::deque<Scope> scopes_;
};

}  // namespace

void type_additions(Tokens& t, const Catalog* catalog, bool expression) {
  bool arithmetic = std::any_of(t.begin(), t.end(), [](const Token& k) {
    return is_op(k, "+") || is_op(k, "-") || is_op(k, "*") || is_kw(k, "SUM");
  });
  if (!arithmetic) return;
  Typer typer(t, catalog);
  t = expression ? typer.expression_list() : typer.statement();
}

}  // namespace orv::sql::dialect
