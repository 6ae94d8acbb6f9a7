// From split statements to a Plan: blocks, IF/ELSE, procedure calls, variables.
#pragma once

#include <vector>

#include "platform/sql/dialect/dialect.hpp"
#include "platform/sql/dialect/lexer.hpp"
#include "platform/sql/dialect/splitter.hpp"

namespace orv::sql::dialect {

// Throws DialectError where SQL Server would refuse the batch's structure.
Plan build_plan(const Tokens& tokens, const std::vector<Span>& spans, const Catalog* catalog);

// IF [NOT] EXISTS (q) over a single INSERT ... VALUES, UPDATE or DELETE, as one statement:
// INSERT ... SELECT vals WHERE [NOT] EXISTS (q), or the condition added to the WHERE. One
// statement is atomic, where evaluating the test first and inserting after is not. Returns false
// (and leaves `folded` alone) for any other shape.
bool fold_exists(const Tokens& condition, const std::string& body_sql, std::string& folded);

}  // namespace orv::sql::dialect
