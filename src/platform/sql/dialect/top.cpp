// SELECT TOP n [PERCENT] [WITH TIES] → LIMIT at the end of that SELECT (after its ORDER BY,
// before a subquery's ')').
#include <algorithm>
#include <map>

#include "platform/sql/dialect/passes.hpp"
#include "platform/sql/dialect/syntax.hpp"
#include "platform/sql/dialect/token_helpers.hpp"

namespace orv::sql::dialect {
namespace {

class TopRewriter {
 public:
  explicit TopRewriter(Tokens& t) : t_(t), match_(match_brackets(t)), drop_(t.size(), 0) {}

  void run() {
    for (std::size_t i = 0; i < t_.size(); ++i)
      if (is_kw(t_[i], "SELECT")) select_at(i);
    if (edits_ == 0) return;
    Tokens out;
    out.reserve(t_.size() + 4 * edits_);
    for (std::size_t i = 0; i <= t_.size(); ++i) {
      flush(i, out);
      if (i < t_.size() && !drop_[i]) out.push_back(std::move(t_[i]));
    }
    t_ = std::move(out);
  }

 private:
  void select_at(std::size_t s) {
    std::size_t k = s + 1;
    while (k < t_.size() && any_kw(t_[k], {"DISTINCT", "ALL"})) ++k;
    if (k + 1 >= t_.size() || !is_kw(t_[k], "TOP")) return;
    std::size_t count_begin = k + 1, count_end = count_begin + 1;
    if (is_op(t_[count_begin], "(")) {
      if (match_[count_begin] == npos) return;
      count_end = match_[count_begin] + 1;
    } else if (t_[count_begin].kind != TokenKind::Number &&
               t_[count_begin].kind != TokenKind::Variable) {
      return;
    }
    std::size_t after = count_end;
    bool percent = after < t_.size() && is_kw(t_[after], "PERCENT");
    after += percent;
    bool ties = after + 1 < t_.size() && is_kw(t_[after], "WITH") && is_kw(t_[after + 1], "TIES");
    after += ties ? 2 : 0;
    if (percent && !ties && count_end == count_begin + 1 && t_[count_begin].text == "100")
      return whole_percent(k, count_begin, count_end);
    std::fill(drop_.begin() + static_cast<std::ptrdiff_t>(k),
              drop_.begin() + static_cast<std::ptrdiff_t>(after), 1);
    ++edits_;
    bool compound = s > 0 && any_kw(t_[s - 1], {"UNION", "ALL", "EXCEPT", "INTERSECT"});
    std::size_t end = select_end(after, compound);
    Tokens count = copy(count_begin, count_end);
    if (percent) count = share_of_rows(std::move(count), s, k, after, end);
    if (ties) count = rows_tied(std::move(count), after, end);
    Tokens limit{word("LIMIT")};
    append(limit, std::move(count));
    limit[1].space.assign(1, ' ');
    place_limit(s, end, compound, std::move(limit));
  }

  // TOP 100 PERCENT means every row.
  void whole_percent(std::size_t top, std::size_t count_begin, std::size_t count_end) {
    if (count_end != count_begin + 1 || t_[count_begin].text != "100") return;
    drop_[top] = drop_[count_begin] = drop_[count_end] = 1;
    ++edits_;
  }

  // TOP n PERCENT: n per cent of the rows the SELECT gives, a part of a row counting as a row.
  // ceil(count(*) * n / 100.0) over (SELECT [DISTINCT] list FROM ...)
  Tokens share_of_rows(Tokens n, std::size_t s, std::size_t top, std::size_t after,
                       std::size_t end) {
    std::size_t order = find_kw(t_, match_, after, end, {"ORDER"});
    Tokens body{word("SELECT", "")};
    append(body, copy(s + 1, top));
    append(body, copy(after, order == npos ? end : order));
    top_to_limit(body);
    Tokens out = lexed(
        "(SELECT CAST(tsql_share AS INTEGER) + (tsql_share > CAST(tsql_share AS INTEGER)) FROM "
        "(SELECT count(*)*(");
    append(out, bare(std::move(n)));
    append(out, lexed(")/100.0 AS tsql_share FROM (", ""));
    append(out, bare(std::move(body)));
    append(out, lexed(")))", ""));
    return out;
  }

  // TOP n WITH TIES: as many rows as rank at most n in the SELECT's own order.
  // (SELECT count(*) FROM (SELECT rank() OVER (ORDER BY ...) AS tsql_rank FROM ...) WHERE
  // tsql_rank <= n)
  Tokens rows_tied(Tokens n, std::size_t after, std::size_t end) {
    std::size_t order = find_kw(t_, match_, after, end, {"ORDER"});
    if (order == npos || order + 1 >= end || !is_kw(t_[order + 1], "BY")) {
      throw DialectError{
          "The TOP N WITH TIES clause is not allowed without a corresponding ORDER BY clause."};
    }
    std::size_t from = find_kw(t_, match_, after, order, {"FROM"});
    Tokens body = lexed("SELECT rank() OVER (ORDER BY");
    append(body, copy(order + 2, end));
    append(body, lexed(") AS tsql_rank", ""));
    if (from != npos) append(body, copy(from, order));
    top_to_limit(body);
    Tokens out = lexed("(SELECT count(*) FROM (");
    append(out, bare(std::move(body)));
    append(out, lexed(") WHERE tsql_rank <=", ""));
    append(out, std::move(n));
    out.push_back(op(")"));
    return out;
  }

  // The token after the SELECT that starts at `from`: its ORDER BY's end, a subquery's ')' or
  // the next member of a compound select (which makes the select a compound member).
  std::size_t select_end(std::size_t from, bool& compound) const {
    std::size_t end = from;
    while (end < t_.size()) {
      const Token& k = t_[end];
      if (is_op(k, "(") && match_[end] != npos) {
        end = match_[end] + 1;
        continue;
      }
      if (is_op(k, ")") || is_op(k, ";")) break;
      if (any_kw(k, {"UNION", "EXCEPT", "INTERSECT"})) {
        compound = true;
        break;
      }
      ++end;
    }
    return end;
  }

  // The LIMIT goes at the end of the SELECT; a member of UNION/EXCEPT/INTERSECT is wrapped in
  // SELECT * FROM (... LIMIT n), as T-SQL limits that member only.
  void place_limit(std::size_t s, std::size_t end, bool compound, Tokens limit) {
    if (compound) {
      insert(s, {word("SELECT", t_[s].space), op("*", " "), word("FROM"), op("(", " ")});
      limit.push_back(op(")"));
    }
    insert(end, std::move(limit));
  }

  Tokens copy(std::size_t b, std::size_t e) const { return slice(t_, b, e); }

  static Tokens lexed(std::string_view sql, std::string_view space = " ") {
    Tokens out = lex(sql).tokens;
    if (!out.empty()) out[0].space = space;
    return out;
  }

  void insert(std::size_t at, Tokens tokens) {
    auto& slot = inserts_[at];
    // An inner SELECT is found after the outer one; its LIMIT must come first where both end.
    slot.insert(slot.begin(), std::make_move_iterator(tokens.begin()),
                std::make_move_iterator(tokens.end()));
  }

  void flush(std::size_t at, Tokens& out) {
    auto it = inserts_.find(at);
    if (it == inserts_.end()) return;
    for (Token& k : it->second) out.push_back(std::move(k));
    if (at < t_.size() && !it->second.empty() && is_kw(it->second.front(), "SELECT"))
      t_[at].space.clear();
  }

  Tokens& t_;
  std::vector<std::size_t> match_;
  std::vector<char> drop_;
  std::map<std::size_t, Tokens> inserts_;
  std::size_t edits_ = 0;
};

}  // namespace

void top_to_limit(Tokens& t) {
  if (std::none_of(t.begin(), t.end(), [](const Token& k) { return is_kw(k, "TOP"); })) return;
  TopRewriter(t).run();
}

}  // namespace orv::sql::dialect
