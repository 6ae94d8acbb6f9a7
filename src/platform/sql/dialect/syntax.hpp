// Clause-level structure of a statement: keywords at bracket depth 0 and FROM lists.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sql/dialect/lexer.hpp"

namespace orv::sql::dialect {

constexpr std::size_t npos = std::string::npos;

// Nesting beyond this is refused rather than recursed into (subqueries, parentheses, CASE, unary
// operators, IF and BEGIN blocks each count one level).
constexpr int kMaxDepth = 128;

// Raised inside the dialect layer; translate() turns it into a failed Translation.
struct DialectError {
  std::string message;
};

[[noreturn]] void too_deep();
void check_depth(int depth);

// Index of the first keyword of `words` at depth 0 in [begin, end), or npos.
std::size_t find_kw(const Tokens& t, const std::vector<std::size_t>& match, std::size_t begin,
                    std::size_t end, std::initializer_list<std::string_view> words);

// Ranges of the comma-separated items at depth 0 in [begin, end).
std::vector<std::pair<std::size_t, std::size_t>> split_commas(const Tokens& t,
                                                              const std::vector<std::size_t>& match,
                                                              std::size_t begin, std::size_t end);

struct FromItem {
  enum class Join { First, Comma, Inner, Cross, Outer, Other };
  Join join = Join::First;
  std::size_t join_begin = 0;            // the ',' or first join keyword; == begin for First
  std::size_t begin = 0, end = 0;        // the table factor with its alias
  std::size_t on_begin = 0, on_end = 0;  // the ON condition (after ON); empty when none
  std::string table;                     // table or function name; empty for a derived table
  std::string alias;
  std::size_t name_pos = 0;   // token of the (last part of the) table name
  std::size_t alias_pos = 0;  // token of the alias; 0 when none
  bool function = false;
  bool derived = false;
  bool has_on() const { return on_end > on_begin; }
};

struct FromList {
  std::size_t begin = 0, end = 0;  // end: the keyword (WHERE, GROUP...) or bracket that ended it
  std::vector<FromItem> items;
  bool ok = false;  // every token up to `end` understood
};

// The FROM list starting at `begin` (the token after FROM), ending before `limit` at the latest.
FromList parse_from(const Tokens& t, const std::vector<std::size_t>& match, std::size_t begin,
                    std::size_t limit);

// Items of the FROM list that name `target` (as alias first, else as table).
std::vector<std::size_t> bind_target(const FromList& from, std::string_view target);

// SQL Server's message when an UPDATE or DELETE target has several FROM references.
std::string ambiguous_table(std::string_view name);

// A dotted name (a.b.c) starting at `i`; returns the index after it, or `i` when none.
std::size_t dotted_name_end(const Tokens& t, std::size_t i, std::size_t end);

}  // namespace orv::sql::dialect
