// Cuts a T-SQL batch into statements: at ';' and before every keyword that starts one.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/sql/dialect/lexer.hpp"

namespace orv::sql::dialect {

struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;     // exclusive; the ';' that ended it is not part of it
  bool semicolon = false;  // ended by ';'
};

// IF, ELSE, BEGIN and END come out as statements of their own (an IF's span holds its condition),
// so that the plan builder can assemble blocks; empty statements (";;") are left out.
std::vector<Span> split(const Tokens& tokens);

}  // namespace orv::sql::dialect
