// INSERT, DELETE and UPDATE forms T-SQL allows and SQLite reads otherwise or not at all.
#include <algorithm>

#include "platform/sql/dialect/passes.hpp"
#include "platform/sql/dialect/syntax.hpp"

namespace orv::sql::dialect {
namespace {

void copy(const Tokens& t, std::size_t b, std::size_t e, Tokens& out) {
  for (std::size_t i = b; i < e && i < t.size(); ++i) out.push_back(t[i]);
}

// Tokens [b, e) with the first one's blanks replaced.
void copy_spaced(const Tokens& t, std::size_t b, std::size_t e, Tokens& out, std::string space) {
  std::size_t first = out.size();
  copy(t, b, e, out);
  if (out.size() > first) out[first].space = std::move(space);
}

Token spaced(Token k, std::string space = " ") {
  k.space = std::move(space);
  return k;
}

// "T" or "T AS alias" for a FROM item naming a plain table, spelled as written.
void target_of(const Tokens& t, const FromItem& item, bool with_alias, Tokens& out) {
  out.push_back(spaced(t[item.name_pos]));
  if (!with_alias || item.alias.empty()) return;
  out.push_back(word("AS"));
  out.push_back(spaced(t[item.alias_pos]));
}

// How a column of the item is qualified: its alias, else its table name.
Token qualifier(const Tokens& t, const FromItem& item, std::string space) {
  return spaced(t[item.alias.empty() ? item.name_pos : item.alias_pos], std::move(space));
}

bool plain_table(const FromItem& item) {
  return !item.derived && !item.function && !item.table.empty();
}

class DeleteRewriter {
 public:
  explicit DeleteRewriter(Tokens& t) : t_(t), match_(match_brackets(t)) {}

  void run() {
    if (t_.size() < 2 || is_kw(t_[1], "TOP")) return;
    std::size_t name = is_kw(t_[1], "FROM") ? 2 : 1;
    std::size_t name_end = dotted_name_end(t_, name, t_.size());
    if (name_end == name) return;
    bool second_from = name_end < t_.size() && is_kw(t_[name_end], "FROM");
    if (second_from) return joined(name, name_end);
    if (name == 1) t_.insert(t_.begin() + 1, word("FROM"));  // DELETE T WHERE ...
  }

 private:
  // DELETE T FROM <list> [WHERE c]: T is bound to its one reference in the list.
  void joined(std::size_t name, std::size_t from) {
    std::size_t where = find_kw(t_, match_, from + 1, t_.size(), {"WHERE"});
    std::size_t list_end = where == npos ? t_.size() : where;
    FromList list = parse_from(t_, match_, from + 1, list_end);
    if (!list.ok || list.end != list_end) return;
    std::string target = name_of(t_[name]);
    auto bound = bind_target(list, target);
    if (bound.size() > 1) throw DialectError{ambiguous_table(target)};
    if (bound.empty() || !plain_table(list.items[bound[0]])) return;
    const FromItem& item = list.items[bound[0]];
    Tokens out{t_[0], spaced(t_[from])};
    if (list.items.size() == 1) {
      target_of(t_, item, true, out);
      copy(t_, list_end, t_.size(), out);
    } else {  // DELETE FROM T WHERE rowid IN (SELECT x.rowid FROM <list> WHERE c)
      target_of(t_, item, false, out);
      out.insert(out.end(),
                 {word("WHERE"), word("rowid"), word("IN"), op("(", " "), word("SELECT", ""),
                  qualifier(t_, item, " "), op("."), word("rowid", ""), word("FROM")});
      copy_spaced(t_, from + 1, t_.size(), out, " ");
      out.push_back(op(")"));
    }
    t_ = std::move(out);
  }

  Tokens& t_;
  std::vector<std::size_t> match_;
};

class UpdateRewriter {
 public:
  explicit UpdateRewriter(Tokens& t) : t_(t), match_(match_brackets(t)) {}

  void run() {
    name_end_ = dotted_name_end(t_, 1, t_.size());
    if (name_end_ == 1) return;
    set_ = find_kw(t_, match_, name_end_, t_.size(), {"SET"});
    if (set_ != name_end_) return;  // UPDATE TOP, UPDATE t WITH ... not understood
    from_ = find_kw(t_, match_, set_ + 1, t_.size(), {"FROM"});
    where_ = find_kw(t_, match_, from_ == npos ? set_ + 1 : from_ + 1, t_.size(), {"WHERE"});
    std::size_t set_end = from_ != npos ? from_ : where_ != npos ? where_ : t_.size();
    strip_set_qualifiers(set_end);
    if (from_ != npos) bind();
  }

 private:
  // SET w.col = ... → SET col = ... (SQLite takes no qualifier there).
  void strip_set_qualifiers(std::size_t set_end) {
    std::vector<std::size_t> cut;
    for (auto [b, e] : split_commas(t_, match_, set_ + 1, set_end)) {
      std::size_t k = dotted_name_end(t_, b, e);
      if (k > b + 1 && k < e && is_op(t_[k], "=")) cut.push_back(b);
    }
    for (auto it = cut.rbegin(); it != cut.rend(); ++it) {
      std::size_t b = *it;
      std::size_t k = dotted_name_end(t_, b, t_.size());
      std::string space = t_[b].space;
      t_.erase(t_.begin() + static_cast<std::ptrdiff_t>(b),
               t_.begin() + static_cast<std::ptrdiff_t>(k - 1));
      t_[b].space = space;
      adjust(b, k - 1 - b);
    }
  }

  void adjust(std::size_t at, std::size_t removed) {
    for (std::size_t* p : {&from_, &where_})
      if (*p != npos && *p > at) *p -= removed;
    match_ = match_brackets(t_);
  }

  void bind() {
    std::size_t list_end = where_ == npos ? t_.size() : where_;
    FromList list = parse_from(t_, match_, from_ + 1, list_end);
    if (!list.ok || list.end != list_end) return;
    std::string target = name_of(t_[name_end_ - 1]);
    auto bound = bind_target(list, target);
    if (bound.size() > 1) throw DialectError{ambiguous_table(target)};
    if (bound.empty() || !plain_table(list.items[bound[0]])) return;
    std::size_t c = bound[0];
    auto [g_begin, g_end] = group_of(list, c);
    bool outer =
        std::any_of(list.items.begin() + static_cast<std::ptrdiff_t>(g_begin),
                    list.items.begin() + static_cast<std::ptrdiff_t>(g_end), [](const FromItem& i) {
                      return i.join == FromItem::Join::Outer || i.join == FromItem::Join::Other;
                    });
    if (outer) return rowid_fallback(list, c);
    move_target(list, c, g_begin, g_end);
  }

  // The items joined to item c by JOIN (not by commas).
  static std::pair<std::size_t, std::size_t> group_of(const FromList& list, std::size_t c) {
    std::size_t b = c, e = c + 1;
    auto joined = [&](std::size_t k) {
      return list.items[k].join != FromItem::Join::First &&
             list.items[k].join != FromItem::Join::Comma;
    };
    while (b > 0 && joined(b)) --b;
    while (e < list.items.size() && joined(e)) ++e;
    return {b, e};
  }

  // UPDATE T AS w SET ... FROM <list without T w> WHERE ...; the inner joins around T w become
  // comma items and their ON conditions move to WHERE (SQLite lets no ON clause see the target).
  void move_target(const FromList& list, std::size_t c, std::size_t g_begin, std::size_t g_end) {
    const FromItem& target = list.items[c];
    Tokens out{t_[0]};
    target_of(t_, target, true, out);
    copy(t_, set_, from_, out);
    std::vector<std::pair<std::size_t, std::size_t>> moved;
    bool first = true;
    for (std::size_t k = 0; k < list.items.size(); ++k) {
      const FromItem& item = list.items[k];
      bool flattened = k >= g_begin && k < g_end && g_end - g_begin > 1;
      if (flattened && item.has_on()) moved.emplace_back(item.on_begin, item.on_end);
      if (k == c) continue;
      if (first) out.push_back(t_[from_]);
      bool own_join = !first && !flattened && item.join != FromItem::Join::First &&
                      item.join != FromItem::Join::Comma;
      if (own_join) {
        copy(t_, item.join_begin, item.on_end > item.end ? item.on_end : item.end, out);
      } else {
        if (!first) out.push_back(op(","));
        copy_spaced(t_, item.begin, item.end, out, first ? " " : "");
        if (!flattened && item.has_on()) copy(t_, item.end, item.on_end, out);
      }
      first = false;
    }
    where_with(moved, out);
    t_ = std::move(out);
  }

  void where_with(const std::vector<std::pair<std::size_t, std::size_t>>& moved, Tokens& out) {
    if (moved.empty()) {
      if (where_ != npos) copy(t_, where_, t_.size(), out);
      return;
    }
    out.push_back(word("WHERE"));
    bool first = true;
    auto condition = [&](std::size_t b, std::size_t e) {
      if (!first) out.push_back(word("AND"));
      out.push_back(op("(", " "));
      copy_spaced(t_, b, e, out, "");
      out.push_back(op(")"));
      first = false;
    };
    if (where_ != npos) condition(where_ + 1, t_.size());
    for (auto [b, e] : moved) condition(b, e);
  }

  // T under an outer join: keep the list, expose the rowid through a subquery and tie the target
  // to it (a FROM item's own rowid is not visible in UPDATE ... FROM).
  void rowid_fallback(const FromList& list, std::size_t c) {
    const FromItem& target = list.items[c];
    std::string alias = free_alias();
    Tokens out{t_[0]};
    target_of(t_, target, false, out);
    out.insert(out.end(), {word("AS"), word(alias)});
    copy(t_, set_, target.begin, out);
    out.insert(out.end(), {op("(", " "), word("SELECT", ""), word("rowid"), word("AS"),
                           word("__rid"), op(","), op("*"), word("FROM"),
                           spaced(t_[target.name_pos]), op(")"), qualifier(t_, target, " ")});
    std::size_t list_end = where_ == npos ? t_.size() : where_;
    copy(t_, target.end, list_end, out);
    out.insert(out.end(), {word("WHERE"), word(alias), op("."), word("rowid", ""), op("="),
                           qualifier(t_, target, ""), op("."), word("__rid", "")});
    if (where_ != npos) {
      out.insert(out.end(), {word("AND"), op("(", " ")});
      copy_spaced(t_, where_ + 1, t_.size(), out, "");
      out.push_back(op(")"));
    }
    t_ = std::move(out);
  }

  std::string free_alias() const {
    for (int n = 0;; ++n) {
      std::string a = std::to_string(n);
      a.insert(a.begin(), 't');
      bool used = std::any_of(t_.begin(), t_.end(), [&](const Token& k) {
        return (k.kind == TokenKind::Word || k.kind == TokenKind::Name) && same_name(name_of(k), a);
      });
      if (!used) return a;
    }
  }

  Tokens& t_;
  std::vector<std::size_t> match_;
  std::size_t name_end_ = 0, set_ = npos, from_ = npos, where_ = npos;
};

}  // namespace

void complete_insert(Tokens& t) {
  if (t.size() >= 3 && is_kw(t[0], "TRUNCATE") && is_kw(t[1], "TABLE")) {
    t[0].text = "DELETE";
    t[1].text = "FROM";
    return;
  }
  if (t.size() >= 2 && is_kw(t[0], "INSERT") && !is_kw(t[1], "INTO") && !is_kw(t[1], "OR"))
    t.insert(t.begin() + 1, word("INTO"));
}

void rewrite_delete(Tokens& t) {
  if (!t.empty() && is_kw(t[0], "DELETE")) DeleteRewriter(t).run();
}

void rewrite_update_from(Tokens& t) {
  if (t.size() > 3 && is_kw(t[0], "UPDATE")) UpdateRewriter(t).run();
}

}  // namespace orv::sql::dialect
