// Batch splitter: T-SQL needs no ';' between statements, SQLite compiles one at a time.
#include "platform/sql/dialect/splitter.hpp"
#include "platform/sql/dialect/token_helpers.hpp"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace orv::sql::dialect {
namespace {

class Splitter {
 public:
  explicit Splitter(const Tokens& t) : t_(t), match_(match_brackets(t)) {}

  std::vector<Span> run() {
    for (std::size_t i = 0; i < t_.size(); ++i) {
      if (i == begin_) start_statement(i);
      step(i);
    }
    close(t_.size(), false);
    return spans_;
  }

 private:
  void step(std::size_t i) {
    const Token& t = t_[i];
    if (body_to_end_) return;
    if (is_op(t, "(")) ++depth_;
    if (is_op(t, ")") && depth_ > 0) --depth_;
    if (depth_ > 0) return;
    if (is_op(t, ";")) {
      if (trigger_ && trigger_blocks_ > 0) return;
      close(i, true);
      begin_ = i + 1;
      return;
    }
    if (track_case(t)) return;
    if (trigger_) return trigger_step(i);
    if (kind_ == "CREATE" || kind_ == "ALTER") {
      if (any_kw(t, {"PROC", "PROCEDURE", "FUNCTION"})) body_to_end_ = true;
      if (is_kw(t, "TRIGGER") && kind_ == "CREATE") trigger_ = true;
    }
    if (i != begin_ && starts_statement(i)) {
      close(i, false);
      begin_ = i;
      start_statement(i);
    }
    note_clause(t);
  }

  // CASE ... END at statement level: its ELSE and END start nothing.
  bool track_case(const Token& t) {
    if (is_kw(t, "CASE")) {
      ++case_depth_;
      return true;
    }
    if (case_depth_ > 0 && (is_kw(t, "END") || is_kw(t, "ELSE"))) {
      if (is_kw(t, "END")) --case_depth_;
      return true;
    }
    return false;
  }

  // A trigger body runs from its BEGIN to the matching END, ';' included.
  void trigger_step(std::size_t i) {
    if (is_kw(t_[i], "BEGIN")) ++trigger_blocks_;
    if (is_kw(t_[i], "END") && trigger_blocks_ > 0 && --trigger_blocks_ == 0) {
      close(i + 1, false);
      begin_ = i + 1;
    }
  }

  void start_statement(std::size_t i) {
    const Token& t = t_[i];
    kind_.clear();
    if (t.kind == TokenKind::Word)
      for (char c : t.text) kind_ += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    insert_source_ = update_set_ = trigger_ = body_to_end_ = false;
    cte_pending_ = kind_ == "WITH";
    case_depth_ = trigger_blocks_ = 0;
  }

  void note_clause(const Token& t) {
    if (kind_ == "INSERT" && any_kw(t, {"SELECT", "VALUES", "EXEC", "EXECUTE", "DEFAULT"}))
      insert_source_ = true;
    if (kind_ == "UPDATE" && is_kw(t, "SET")) update_set_ = true;
    if (cte_pending_ && any_kw(t, {"SELECT", "INSERT", "UPDATE", "DELETE"})) {
      cte_pending_ = false;
      // WITH ... INSERT/UPDATE/DELETE goes on as that statement: its SELECT or SET is its own.
      if (!is_kw(t, "SELECT")) kind_ = ascii_lower(t.text), upper_kind();
    }
  }

  void upper_kind() {
    for (char& c : kind_) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  }

  bool starts_statement(std::size_t i) const {
    const Token& t = t_[i];
    if (t.kind == TokenKind::HostVar) return host_call(i);
    if (is_op(t, "{"))
      return i + 1 < t_.size() && (is_kw(t_[i + 1], "CALL") || is_op(t_[i + 1], "?"));
    if (t.kind != TokenKind::Word) return false;
    const Token& prev = t_[i - 1];
    if (is_op(prev, ",") || is_op(prev, "{") || is_op(prev, "=") || is_op(prev, "?")) return false;
    if (any_kw(prev,
               {"ON", "OF", "BEFORE", "AFTER", "INSTEAD", "FOR", "DO", "THEN", "OR", "CONFLICT"}))
      return false;
    bool ddl = kind_ == "CREATE" || kind_ == "ALTER" || kind_ == "DROP";
    if (is_kw(t, "SELECT")) return select_starts(prev);
    if (any_kw(t, {"INSERT", "UPDATE", "DELETE"})) return !cte_pending_;
    if (is_kw(t, "SET")) return !(kind_ == "UPDATE" && !update_set_) && !is_kw(prev, "UPDATE");
    if (any_kw(t, {"IF", "CREATE", "ALTER", "DROP"})) return !(ddl && prev.kind == TokenKind::Word);
    if (is_kw(t, "WITH")) return cte_starts(i);
    return any_kw(t, {"ELSE", "BEGIN", "END", "CALL", "EXEC", "EXECUTE", "DECLARE", "PRINT",
                      "RETURN", "TRUNCATE", "COMMIT", "ROLLBACK", "WHILE", "USE"});
  }

  bool select_starts(const Token& prev) const {
    if (any_kw(prev, {"UNION", "ALL", "EXCEPT", "INTERSECT", "AS"})) return false;
    if (kind_ == "INSERT" && !insert_source_) return false;
    return !cte_pending_;
  }

  // "&RetCode = call X(...)"
  bool host_call(std::size_t i) const {
    return i + 2 < t_.size() && is_op(t_[i + 1], "=") &&
           any_kw(t_[i + 2], {"CALL", "EXEC", "EXECUTE"});
  }

  // WITH name AS ( / WITH name (columns) AS ( — never WITH ( hints ) or WITH TIES.
  bool cte_starts(std::size_t i) const {
    if (i + 2 >= t_.size() || !is_name(t_[i + 1])) return false;
    std::size_t k = i + 2;
    if (is_op(t_[k], "(")) {
      if (match_[k] == std::string::npos) return false;
      k = match_[k] + 1;
    }
    return k < t_.size() && is_kw(t_[k], "AS");
  }

  void close(std::size_t end, bool semicolon) {
    if (end > begin_)
      spans_.push_back({begin_, end, semicolon});
    else if (semicolon && !spans_.empty() && spans_.back().end == begin_)
      spans_.back().semicolon = true;
    depth_ = 0;
  }

  const Tokens& t_;
  std::vector<std::size_t> match_;
  std::vector<Span> spans_;
  std::size_t begin_ = 0;
  std::string kind_;
  int depth_ = 0;
  int case_depth_ = 0;
  int trigger_blocks_ = 0;
  bool insert_source_ = false, update_set_ = false, cte_pending_ = false;
  bool trigger_ = false, body_to_end_ = false;
};

}  // namespace

std::vector<Span> split(const Tokens& tokens) {
  return Splitter(tokens).run();
}

}  // namespace orv::sql::dialect
