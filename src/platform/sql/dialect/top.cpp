// SELECT TOP n → LIMIT n at the end of that SELECT (after its ORDER BY, before a subquery's ')').
#include <algorithm>
#include <map>

#include "platform/sql/dialect/passes.hpp"
#include "platform/sql/dialect/syntax.hpp"

namespace orv::sql::dialect {
namespace {

bool any_kw(const Token& t, std::initializer_list<std::string_view> words) {
  return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return is_kw(t, w); });
}

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
    if (count_end < t_.size() && is_kw(t_[count_end], "PERCENT"))
      return whole_percent(k, count_begin, count_end);
    if (count_end + 1 < t_.size() && is_kw(t_[count_end], "WITH") &&
        is_kw(t_[count_end + 1], "TIES"))
      return;  // not understood: SQLite reports it
    std::fill(drop_.begin() + static_cast<std::ptrdiff_t>(k),
              drop_.begin() + static_cast<std::ptrdiff_t>(count_end), 1);
    ++edits_;
    Tokens limit{word("LIMIT")};
    for (std::size_t c = count_begin; c < count_end; ++c) limit.push_back(t_[c]);
    limit[1].space.assign(1, ' ');
    place_limit(s, count_end, std::move(limit));
  }

  // TOP 100 PERCENT means every row.
  void whole_percent(std::size_t top, std::size_t count_begin, std::size_t count_end) {
    if (count_end != count_begin + 1 || t_[count_begin].text != "100") return;
    drop_[top] = drop_[count_begin] = drop_[count_end] = 1;
    ++edits_;
  }

  // The LIMIT goes at the end of the SELECT; a member of UNION/EXCEPT/INTERSECT is wrapped in
  // SELECT * FROM (... LIMIT n), as T-SQL limits that member only.
  void place_limit(std::size_t s, std::size_t from, Tokens limit) {
    std::size_t end = from;
    bool compound = s > 0 && any_kw(t_[s - 1], {"UNION", "ALL", "EXCEPT", "INTERSECT"});
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
    if (compound) {
      insert(s, {word("SELECT", t_[s].space), op("*", " "), word("FROM"), op("(", " ")});
      limit.push_back(op(")"));
    }
    insert(end, std::move(limit));
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
