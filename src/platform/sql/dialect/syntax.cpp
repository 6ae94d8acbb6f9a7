// FROM-list and clause scanning shared by the typing, DELETE and UPDATE rewrites.
#include "platform/sql/dialect/syntax.hpp"
#include "platform/sql/dialect/token_helpers.hpp"

#include <algorithm>

namespace orv::sql::dialect {
namespace {

bool ends_from(const Tokens& t, std::size_t i) {
  if (is_op(t[i], ";") || is_op(t[i], ")")) return true;
  return any_kw(t[i], {"WHERE", "GROUP", "ORDER", "HAVING", "UNION", "EXCEPT", "INTERSECT", "LIMIT",
                       "OPTION", "FOR", "WINDOW", "SET", "VALUES", "SELECT"});
}

// LEFT( and RIGHT( are functions, not joins.
bool starts_join(const Tokens& t, std::size_t i, std::size_t end) {
  if (is_op(t[i], ",")) return true;
  bool call = i + 1 < end && is_op(t[i + 1], "(");
  if ((is_kw(t[i], "LEFT") || is_kw(t[i], "RIGHT")) && call) return false;
  return any_kw(t[i], {"JOIN", "INNER", "LEFT", "RIGHT", "FULL", "CROSS", "OUTER", "NATURAL"});
}

class FromParser {
 public:
  FromParser(const Tokens& t, const std::vector<std::size_t>& match, std::size_t limit)
      : t_(t), match_(match), limit_(std::min(limit, t.size())) {}

  FromList run(std::size_t begin) {
    FromList list;
    list.begin = begin;
    std::size_t i = begin;
    bool complete = true;  // a dangling ',' or JOIN must not read as a shorter, valid list
    while (i < limit_ && !ends_from(t_, i)) {
      FromItem item;
      item.join_begin = i;
      if ((!list.items.empty() && !join_prefix(i, item)) || !factor(i, item)) {
        complete = false;
        break;
      }
      on_condition(i, item);
      list.items.push_back(std::move(item));
    }
    list.end = i;
    list.ok = complete && !list.items.empty() && (i >= limit_ || ends_from(t_, i));
    return list;
  }

 private:
  bool join_prefix(std::size_t& i, FromItem& item) {
    using Join = FromItem::Join;
    if (is_op(t_[i], ",")) {
      item.join = Join::Comma;
      return ++i < limit_;
    }
    if (is_kw(t_[i], "INNER") || is_kw(t_[i], "JOIN")) {
      item.join = Join::Inner;
    } else if (is_kw(t_[i], "CROSS") && i + 1 < limit_ && is_kw(t_[i + 1], "JOIN")) {
      item.join = Join::Cross;
    } else if (any_kw(t_[i], {"LEFT", "RIGHT", "FULL"})) {
      item.join = Join::Outer;
    } else if (starts_join(t_, i, limit_)) {
      item.join = Join::Other;  // APPLY, NATURAL...
    } else {
      return false;
    }
    while (i < limit_ && !is_kw(t_[i], "JOIN") && !is_kw(t_[i], "APPLY")) {
      if (!any_kw(t_[i], {"INNER", "LEFT", "RIGHT", "FULL", "OUTER", "CROSS", "NATURAL"}))
        return false;
      ++i;
    }
    if (i >= limit_) return false;
    ++i;
    return i < limit_;
  }

  bool factor(std::size_t& i, FromItem& item) {
    item.begin = i;
    if (i >= limit_) return false;
    if (is_op(t_[i], "(")) {
      if (match_[i] == npos || match_[i] >= limit_) return false;
      item.derived = true;
      i = match_[i] + 1;
    } else {
      std::size_t e = dotted_name_end(t_, i, limit_);
      if (e == i) return false;
      item.table = name_of(t_[e - 1]);
      item.name_pos = e - 1;
      i = e;
      if (i < limit_ && is_op(t_[i], "(")) {
        if (match_[i] == npos || match_[i] >= limit_) return false;
        item.function = true;
        i = match_[i] + 1;
      }
    }
    alias(i, item);
    item.end = i;
    return true;
  }

  void alias(std::size_t& i, FromItem& item) {
    std::size_t k = i;
    if (k < limit_ && is_kw(t_[k], "AS")) ++k;
    if (k < limit_ && is_name(t_[k]) && !starts_join(t_, k, limit_)) {
      item.alias = name_of(t_[k]);
      item.alias_pos = k;
      i = k + 1;
    }
  }

  void on_condition(std::size_t& i, FromItem& item) {
    if (i >= limit_ || !is_kw(t_[i], "ON")) return;
    item.on_begin = item.on_end = ++i;
    while (i < limit_ && !ends_from(t_, i) && !starts_join(t_, i, limit_)) {
      if (is_op(t_[i], "(") && match_[i] != npos) i = match_[i];
      ++i;
    }
    item.on_end = i;
  }

  const Tokens& t_;
  const std::vector<std::size_t>& match_;
  std::size_t limit_;
};

}  // namespace

void too_deep() {
  throw DialectError{
      "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up "
      "into smaller queries."};
}

void check_depth(int depth) {
  if (depth > kMaxDepth) too_deep();
}

std::size_t find_kw(const Tokens& t, const std::vector<std::size_t>& match, std::size_t begin,
                    std::size_t end, std::initializer_list<std::string_view> words) {
  for (std::size_t i = begin; i < end && i < t.size(); ++i) {
    if (is_op(t[i], "(") && match[i] != npos) {
      i = match[i];
      continue;
    }
    if (any_kw(t[i], words)) return i;
  }
  return npos;
}

std::vector<std::pair<std::size_t, std::size_t>> split_commas(const Tokens& t,
                                                              const std::vector<std::size_t>& match,
                                                              std::size_t begin, std::size_t end) {
  std::vector<std::pair<std::size_t, std::size_t>> parts;
  std::size_t start = begin;
  for (std::size_t i = begin; i < end; ++i) {
    if (is_op(t[i], "(") && match[i] != npos && match[i] < end) {
      i = match[i];
    } else if (is_op(t[i], ",")) {
      parts.emplace_back(start, i);
      start = i + 1;
    }
  }
  if (start < end || !parts.empty()) parts.emplace_back(start, end);
  return parts;
}

std::size_t dotted_name_end(const Tokens& t, std::size_t i, std::size_t end) {
  if (i >= end || !is_name(t[i])) return i;
  std::size_t k = i + 1;
  while (k + 1 < end && is_op(t[k], ".") && is_name(t[k + 1])) k += 2;
  return k;
}

FromList parse_from(const Tokens& t, const std::vector<std::size_t>& match, std::size_t begin,
                    std::size_t limit) {
  return FromParser(t, match, limit).run(begin);
}

std::vector<std::size_t> bind_target(const FromList& from, std::string_view target) {
  std::vector<std::size_t> by_alias, by_table;
  for (std::size_t k = 0; k < from.items.size(); ++k) {
    const FromItem& item = from.items[k];
    if (!item.alias.empty() && same_name(item.alias, target)) by_alias.push_back(k);
    if (same_name(item.table, target) && !item.function && !item.derived) by_table.push_back(k);
  }
  return by_alias.empty() ? by_table : by_alias;
}

std::string ambiguous_table(std::string_view name) {
  return "The table '" + std::string(name) + "' is ambiguous.";
}

}  // namespace orv::sql::dialect
