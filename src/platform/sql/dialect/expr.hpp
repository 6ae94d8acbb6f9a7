// Expressions with T-SQL precedence (Pratt parser): the shape '+' typing and rewrites need.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/sql/dialect/lexer.hpp"

namespace orv::sql::dialect {

// T-SQL binding levels, loosest first. '+', '-' and the bitwise operators share one level in T-SQL
// (SQLite binds '&' and '|' looser than '+').
enum Level : int {
  kOr = 1,
  kAnd = 2,
  kNot = 3,
  kCompare = 4,   // = <> < > <= >= !< !>, LIKE, IN, BETWEEN, IS
  kAdditive = 5,  // + - & | ^
  kMultiply = 6,  // * / % and SQLite's ||
  kUnary = 7,
  kCollate = 8,
};

struct Node {
  enum class Kind {
    String,
    Number,
    Null,
    Column,
    Variable,
    Star,
    Call,
    Cast,
    Case,
    Paren,     // ( a [, b ...] )
    Subquery,  // ( SELECT ... ) as a whole, walked as a statement of its own
    Exists,
    Unary,
    Chain,
    Predicate,
    Collate,
  };
  Kind kind = Kind::Null;
  std::size_t begin = 0, end = 0;  // tokens [begin, end)
  std::vector<int> kids;           // in token order
  // Chain: the operator between kids[k] and kids[k + 1] (lower case) and its token index.
  // Case: a label per kid ("operand", "when", "then", "else").
  std::vector<std::string> ops;
  std::vector<std::size_t> op_pos;
  int level = 0;     // Chain
  std::string name;  // Call: function (lower case); Cast: target type; Unary/Predicate: op
  std::vector<std::string> parts;  // Column: the dotted name, unquoted
};

struct Expr {
  std::vector<Node> nodes;
  int root = -1;
  std::size_t end = 0;  // token after the expression
};

// Parses one expression of tokens [begin, limit). Returns false when the tokens do not start an
// expression it understands (nothing is thrown for that); nesting deeper than kMaxDepth throws
// DialectError.
bool parse_expression(const Tokens& t, const std::vector<std::size_t>& match, std::size_t begin,
                      std::size_t limit, int depth, Expr& out);

}  // namespace orv::sql::dialect
