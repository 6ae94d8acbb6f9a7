// The batch interpreter's plan: SQLite has no IF, BEGIN...END blocks, variables or CALL.
#include "platform/sql/dialect/plan.hpp"

#include <algorithm>

#include "platform/sql/dialect/passes.hpp"
#include "platform/sql/dialect/syntax.hpp"
#include "platform/sql/dialect/token_helpers.hpp"

namespace orv::sql::dialect {
namespace {

std::string incorrect_near_keyword(const Token& t) {
  return "Incorrect syntax near the keyword '" + t.text + "'.";
}

std::string incorrect_near(const Token& t) {
  return "Incorrect syntax near '" + t.text + "'.";
}

Action sql_action(std::string sql) {
  Action a;
  a.kind = Action::Kind::Sql;
  a.sql = std::move(sql);
  return a;
}

// Session options with no SQLite counterpart and no effect on results here.
bool ignorable_option(const Tokens& t) {
  if (t.size() < 2) return false;
  if (is_kw(t[1], "TRANSACTION")) return true;  // ISOLATION LEVEL: readers see snapshots anyway
  return any_kw(t[1],
                {"NOCOUNT", "ANSI_NULLS", "ANSI_WARNINGS", "ANSI_PADDING", "QUOTED_IDENTIFIER",
                 "ARITHABORT", "CONCAT_NULL_YIELDS_NULL", "LOCK_TIMEOUT", "DEADLOCK_PRIORITY",
                 "XACT_ABORT", "ANSI_NULL_DFLT_ON", "NUMERIC_ROUNDABORT"});
}

class PlanBuilder {
 public:
  PlanBuilder(const Tokens& t, const std::vector<Span>& spans, const Catalog* catalog)
      : t_(t), spans_(spans), catalog_(catalog), unclosed_(spans.size(), 0) {}

  Plan run() {
    Plan plan;
    while (next_ < spans_.size()) unit(plan.actions, 0);
    return plan;
  }

 private:
  const Token& first(const Span& s) const { return t_[s.begin]; }
  bool is_kw_span(std::size_t k, std::string_view kw) const {
    return k < spans_.size() && is_kw(first(spans_[k]), kw);
  }
  Tokens statement(std::size_t b, std::size_t e) const { return bare(slice(t_, b, e)); }
  [[noreturn]] void unexpected_end() const { throw DialectError{incorrect_near(t_.back())}; }

  // One statement, or a BEGIN...END block, or an IF with its branches.
  void unit(std::vector<Action>& out, int depth) {
    check_depth(depth);
    const Span& s = spans_[next_];
    const Token& head = first(s);
    if (is_kw(head, "IF")) return if_statement(out, depth);
    if (is_kw(head, "BEGIN")) return begin_statement(out, depth);
    if (is_kw(head, "ELSE")) throw DialectError{incorrect_near_keyword(head)};
    if (is_kw(head, "END")) return stray_end(s);
    ++next_;
    simple(statement(s.begin, s.end), out);
  }

  void if_statement(std::vector<Action>& out, int depth) {
    const Span& s = spans_[next_++];
    if (s.end == s.begin + 1) throw DialectError{incorrect_near_keyword(first(s))};
    Tokens condition = statement(s.begin + 1, s.end);
    rewrite(condition, catalog_, true);
    if (next_ >= spans_.size()) unexpected_end();
    Action a;
    a.kind = Action::Kind::If;
    unit(a.then_actions, depth + 1);
    if (is_kw_span(next_, "ELSE")) {
      const Span& e = spans_[next_++];
      if (e.end != e.begin + 1) throw DialectError{incorrect_near(t_[e.begin + 1])};
      if (next_ >= spans_.size()) unexpected_end();
      unit(a.else_actions, depth + 1);
    }
    std::string folded;
    bool single = a.else_actions.empty() && a.then_actions.size() == 1 &&
                  a.then_actions[0].kind == Action::Kind::Sql;
    if (single && fold_exists(condition, a.then_actions[0].sql, folded)) {
      out.push_back(sql_action(std::move(folded)));
      return;
    }
    a.sql = emit(condition);
    out.push_back(std::move(a));
  }

  void begin_statement(std::vector<Action>& out, int depth) {
    const Span& s = spans_[next_];
    if (s.end > s.begin + 1) return begin_transaction(s, out);
    std::size_t start = next_++;
    if (!unclosed_[start]) {
      std::vector<Action> block;
      while (next_ < spans_.size() && !is_block_end(next_)) unit(block, depth + 1);
      if (next_ < spans_.size()) {
        ++next_;  // END
        for (Action& a : block) out.push_back(std::move(a));
        return;
      }
      // Remembered: each BEGIN would otherwise read the rest again for every BEGIN before it.
      unclosed_[start] = 1;
    }
    // "BEGIN;" with no END anywhere: SQLite's own way of opening a transaction.
    if (!s.semicolon) unexpected_end();
    next_ = start + 1;
    out.push_back(sql_action("BEGIN"));
  }

  bool is_block_end(std::size_t k) const {
    const Span& s = spans_[k];
    return is_kw(first(s), "END") && s.end == s.begin + 1;
  }

  void begin_transaction(const Span& s, std::vector<Action>& out) {
    ++next_;
    const Token& second = t_[s.begin + 1];
    // IMMEDIATE: the write lock is taken (waiting under the busy timeout) before the first
    // statement, so a transaction that has read never fails later on another writer's snapshot.
    if (any_kw(second, {"TRAN", "TRANSACTION", "DISTRIBUTED"}))
      return out.push_back(sql_action("BEGIN IMMEDIATE"));
    simple(statement(s.begin, s.end), out);  // BEGIN IMMEDIATE..., or not understood
  }

  void stray_end(const Span& s) {
    ++next_;
    if (s.end > s.begin + 1 && is_kw(t_[s.begin + 1], "TRANSACTION")) return;
    throw DialectError{incorrect_near_keyword(first(s))};
  }

  void simple(Tokens t, std::vector<Action>& out) {
    const Token& head = t[0];
    if (is_kw(head, "PRINT") || (is_kw(head, "SET") && ignorable_option(t))) return;
    if (any_kw(head, {"COMMIT", "ROLLBACK"}) && plain_transaction_end(t))
      return out.push_back(sql_action(is_kw(head, "COMMIT") ? "COMMIT" : "ROLLBACK"));
    if (call(t, out) || declare(t, out) || set(t, out) || select_assign(t, out)) return;
    rewrite(t, catalog_, false);
    if (select_into(t, out)) return;
    std::string sql = emit(t);
    if (!sql.empty()) out.push_back(sql_action(std::move(sql)));
  }

  static bool plain_transaction_end(const Tokens& t) {
    if (t.size() == 1) return true;
    if (!any_kw(t[1], {"TRAN", "TRANSACTION", "WORK"})) return false;
    return t.size() == 2 || (t.size() == 3 && is_name(t[2]));
  }

  std::string expression(Tokens t) {
    if (!t.empty()) t[0].space.clear();
    rewrite(t, catalog_, true);
    return emit(t);
  }

  // [&Var =] call|exec|execute [dbo.]Name [(] args [)]   and   exec @rc = Name args
  static bool may_call(const Tokens& t) {
    const Token& h = t[0];
    return h.kind == TokenKind::HostVar || h.kind == TokenKind::Variable || is_op(h, "{") ||
           any_kw(h, {"CALL", "EXEC", "EXECUTE"});
  }

  bool call(Tokens t, std::vector<Action>& out) {
    if (!may_call(t)) return false;
    unwrap_odbc_escapes(t);
    strip_dbo(t);
    std::size_t i = 0;
    Action a;
    a.kind = Action::Kind::Call;
    if (t.size() > 2 && (t[0].kind == TokenKind::HostVar || t[0].kind == TokenKind::Variable) &&
        is_op(t[1], "=") && any_kw(t[2], {"CALL", "EXEC", "EXECUTE"})) {
      a.return_var = t[0].text;
      i = 2;
    }
    if (i >= t.size() || !any_kw(t[i], {"CALL", "EXEC", "EXECUTE"})) return false;
    bool exec = !is_kw(t[i], "CALL");
    ++i;
    if (exec && a.return_var.empty() && i < t.size() && is_op(t[i], "("))
      return exec_string(t, i, out);
    if (exec && i + 1 < t.size() && t[i].kind == TokenKind::Variable && is_op(t[i + 1], "=") &&
        a.return_var.empty()) {
      a.return_var = t[i].text;
      i += 2;
    }
    std::size_t name_end = dotted_name_end(t, i, t.size());
    if (name_end == i) return false;
    a.name = name_of(t[name_end - 1]);
    if (!arguments(t, name_end, exec, a)) return false;
    if (same_name(a.name, "sp_executesql") && a.return_var.empty()) return execute_sql(a, out);
    out.push_back(std::move(a));
    return true;
  }

  // sp_executesql stmt [, declarations [, values...]]: EXEC of the text, its parameters bound
  // in the text's own scope; the statement and the list may be named @stmt and @params.
  static bool execute_sql(Action& a, std::vector<Action>& out) {
    if (a.args.empty() || a.args[0].empty()) return false;
    for (std::size_t k = 0; k < a.arg_names.size() && k < 2; ++k) {
      if (same_name(a.arg_names[k], k == 0 ? "@stmt" : "@params")) a.arg_names[k].clear();
      if (!a.arg_names[k].empty()) return false;
    }
    a.kind = Action::Kind::Exec;
    a.sql = std::move(a.args[0]);
    a.args.erase(a.args.begin());
    if (!a.arg_names.empty()) a.arg_names.erase(a.arg_names.begin());
    a.name.clear();
    out.push_back(std::move(a));
    return true;
  }

  // Positional arguments, then "@name = value" ones (the server refuses a positional one after
  // a named one); DEFAULT leaves the parameter to its default.
  bool arguments(const Tokens& t, std::size_t i, bool exec, Action& a) {
    auto match = match_brackets(t);
    std::size_t b = i, e = t.size();
    if (i < t.size() && is_op(t[i], "(") && match[i] == t.size() - 1) {
      b = i + 1;
      e = t.size() - 1;
    } else if (!exec && i < t.size()) {
      return false;
    }
    if (b == e) return true;
    std::vector<std::string> names;
    for (auto [ab, ae] : split_commas(t, match, b, e)) {
      if (ab == ae || find_kw(t, match, ab, ae, {"OUTPUT", "OUT"}) != npos) return false;
      bool named = t[ab].kind == TokenKind::Variable && ab + 2 < ae && is_op(t[ab + 1], "=");
      if (!named && !names.empty() && !names.back().empty())
        throw DialectError{positional_after_named(a.args.size() + 1)};
      names.push_back(named ? t[ab].text : std::string());
      if (named) ab += 2;
      bool fallback = ae == ab + 1 && is_kw(t[ab], "DEFAULT");
      a.args.push_back(fallback ? std::string() : expression(slice(t, ab, ae)));
    }
    bool any_named = std::any_of(names.begin(), names.end(), [](auto& n) { return !n.empty(); });
    if (any_named) a.arg_names = std::move(names);
    return true;
  }

  static std::string positional_after_named(std::size_t number) {
    return "Must pass parameter number " + std::to_string(number) +
           " and subsequent parameters as '@name = value'. After the form '@name = value' has "
           "been used, all subsequent parameters must be passed in the form '@name = value'.";
  }

  // EXEC ('...' [+ ...]): the text is a batch of its own, translated when it runs.
  bool exec_string(const Tokens& t, std::size_t open, std::vector<Action>& out) {
    auto match = match_brackets(t);
    if (match[open] != t.size() - 1 || open + 1 == match[open]) return false;
    Action a;
    a.kind = Action::Kind::Exec;
    a.sql = expression(slice(t, open + 1, t.size() - 1));
    out.push_back(std::move(a));
    return true;
  }

  // SELECT list INTO table FROM ...: the executor makes the table from the SELECT's columns.
  static bool select_into(Tokens& t, std::vector<Action>& out) {
    if (t.empty() || !is_kw(t[0], "SELECT")) return false;
    auto match = match_brackets(t);
    std::size_t into = find_kw(t, match, 1, t.size(), {"INTO", "FROM"});
    if (into == npos || !is_kw(t[into], "INTO")) return false;
    std::size_t name_end = dotted_name_end(t, into + 1, t.size());
    if (name_end == into + 1) throw DialectError{incorrect_near_keyword(t[into])};
    Action a;
    a.kind = Action::Kind::SelectInto;
    a.name = emit(t, into + 1, name_end);
    t.erase(t.begin() + static_cast<std::ptrdiff_t>(into),
            t.begin() + static_cast<std::ptrdiff_t>(name_end));
    a.sql = emit(t);
    out.push_back(std::move(a));
    return true;
  }

  // DECLARE @a int, @b varchar(10) = 'x'
  bool declare(const Tokens& t, std::vector<Action>& out) {
    if (!is_kw(t[0], "DECLARE")) return false;
    auto match = match_brackets(t);
    std::vector<Action> actions;
    for (auto [b, e] : split_commas(t, match, 1, t.size())) {
      if (b >= e || t[b].kind != TokenKind::Variable) return false;
      std::size_t k = b + 1;
      if (k < e && is_kw(t[k], "AS")) ++k;
      if (k >= e || t[k].kind != TokenKind::Word || any_kw(t[k], {"TABLE", "CURSOR"})) return false;
      Action d;
      d.kind = Action::Kind::Declare;
      d.name = t[b].text;
      actions.push_back(d);
      std::size_t eq = k;
      while (eq < e && !is_op(t[eq], "="))
        eq = is_op(t[eq], "(") && match[eq] != npos ? match[eq] + 1 : eq + 1;
      if (eq < e) actions.push_back(assignment(t[b].text, t, eq + 1, e));
    }
    if (actions.empty()) return false;
    for (Action& a : actions) out.push_back(std::move(a));
    return true;
  }

  Action assignment(const std::string& name, const Tokens& t, std::size_t b, std::size_t e) {
    if (b >= e) throw DialectError{incorrect_near(t[b - 1])};
    Action s;
    s.kind = Action::Kind::Set;
    s.name = name;
    s.sql = expression(slice(t, b, e));
    return s;
  }

  // SET @x = expr; SET DATEFIRST n
  bool set(const Tokens& t, std::vector<Action>& out) {
    if (!is_kw(t[0], "SET") || t.size() < 3) return false;
    if (is_kw(t[1], "DATEFIRST")) {
      Tokens value(t.begin() + 2, t.end());
      out.push_back(sql_action("select tsql_datefirst(" + expression(value) + ")"));
      return true;
    }
    if (t[1].kind != TokenKind::Variable || !is_op(t[2], "=")) return false;
    out.push_back(assignment(t[1].text, t, 3, t.size()));
    return true;
  }

  // SELECT @a = x, @b = y [FROM ...]: T-SQL assigns from the last row and leaves the variables
  // alone when there is none; SQLite would read "@a = x" as a comparison and assign nothing.
  bool select_assign(const Tokens& t, std::vector<Action>& out) {
    if (t.size() < 4 || !is_kw(t[0], "SELECT") || t[1].kind != TokenKind::Variable ||
        !is_op(t[2], "="))
      return false;
    auto match = match_brackets(t);
    std::size_t from = find_kw(t, match, 1, t.size(), {"FROM"});
    std::size_t list_end = from == npos ? t.size() : from;
    std::vector<Action> sets;
    for (auto [b, e] : split_commas(t, match, 1, list_end)) {
      if (e < b + 3 || t[b].kind != TokenKind::Variable || !is_op(t[b + 1], "=")) return false;
      Tokens value = slice(t, b + 2, e);
      if (from != npos) value = from_rows(t[b], std::move(value), t, from);
      Action a;
      a.kind = Action::Kind::Set;
      a.name = t[b].text;
      a.sql = expression(std::move(value));
      sets.push_back(std::move(a));
    }
    for (Action& a : sets) out.push_back(std::move(a));
    return true;
  }

  // CASE WHEN EXISTS (SELECT 1 <rest>) THEN (SELECT value <rest>) ELSE @var END
  static Tokens from_rows(const Token& var, Tokens value, const Tokens& t, std::size_t from) {
    Tokens rest = slice(t, from, t.size());
    rest[0].space = " ";
    if (!value.empty()) value[0].space = " ";
    Tokens out{word("CASE", ""), word("WHEN"),       word("EXISTS"),
               op("(", " "),     word("SELECT", ""), make_token(TokenKind::Number, "1", " ")};
    out.insert(out.end(), rest.begin(), rest.end());
    out.insert(out.end(), {op(")"), word("THEN"), op("(", " "), word("SELECT", "")});
    out.insert(out.end(), value.begin(), value.end());
    out.insert(out.end(), rest.begin(), rest.end());
    Token v = var;
    v.space = " ";
    out.insert(out.end(), {op(")"), word("ELSE"), v, word("END")});
    return out;
  }

  const Tokens& t_;
  const std::vector<Span>& spans_;
  const Catalog* catalog_;
  std::vector<char> unclosed_;  // per span: a BEGIN there found no END
  std::size_t next_ = 0;
};

}  // namespace

Plan build_plan(const Tokens& tokens, const std::vector<Span>& spans, const Catalog* catalog) {
  return PlanBuilder(tokens, spans, catalog).run();
}

bool fold_exists(const Tokens& condition, const std::string& body_sql, std::string& folded) {
  std::size_t c = !condition.empty() && is_kw(condition[0], "NOT") ? 1 : 0;
  auto cmatch = match_brackets(condition);
  bool exists = condition.size() > c + 2 && is_kw(condition[c], "EXISTS") &&
                is_op(condition[c + 1], "(") && cmatch[c + 1] == condition.size() - 1;
  if (!exists) return false;
  LexResult body = lex(body_sql);
  if (!body.ok() || body.tokens.empty()) return false;
  const Tokens& b = body.tokens;
  auto match = match_brackets(b);
  Tokens out;
  std::string joint = "where";
  if (is_kw(b[0], "INSERT")) {
    std::size_t values = find_kw(b, match, 0, b.size(), {"VALUES"});
    if (values == npos || values + 1 >= b.size() || !is_op(b[values + 1], "(") ||
        match[values + 1] != b.size() - 1)
      return false;
    out.assign(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(values));
    out.push_back(word("select"));
    std::size_t first_value = out.size();
    out.insert(out.end(), b.begin() + static_cast<std::ptrdiff_t>(values + 2), b.end() - 1);
    if (out.size() > first_value) out[first_value].space = " ";
  } else if (is_kw(b[0], "UPDATE") || is_kw(b[0], "DELETE")) {
    std::size_t where = find_kw(b, match, 0, b.size(), {"WHERE"});
    out.assign(b.begin(),
               b.begin() + static_cast<std::ptrdiff_t>(where == npos ? b.size() : where + 1));
    if (where != npos) {  // WHERE (c) and [NOT] EXISTS (q): c may hold an OR
      out.push_back(op("(", " "));
      std::size_t first = out.size();
      out.insert(out.end(), b.begin() + static_cast<std::ptrdiff_t>(where + 1), b.end());
      if (out.size() > first) out[first].space.clear();
      out.push_back(op(")"));
      joint = "and";
    }
  } else {
    return false;
  }
  out.push_back(word(joint));
  std::size_t cond_at = out.size();
  out.insert(out.end(), condition.begin(), condition.end());
  out[cond_at].space = " ";
  folded = emit(out);
  return true;
}

}  // namespace orv::sql::dialect
