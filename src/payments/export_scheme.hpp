// The scheme an export writes by: its positions in LP order with their fields, and its code page.
#pragma once

#include <string>
#include <vector>

#include "payments/scheme.hpp"
#include "payments/value_format.hpp"
#include "platform/sql/scratch_table.hpp"

namespace orv::payments {

struct ExportScheme {
  std::vector<Position> positions;
  CodePage page = CodePage::Windows;
};

// The statement reading a scheme's positions joined with their fields, as the system sends it.
std::string positions_statement(double scheme_id);
// The position in the current row of that statement's result.
Position position_of_row(const sql::ScratchTable& row);

// Read once per export on the main channel (the scheme does not change while it writes).
ExportScheme read_scheme(double scheme_id);

}  // namespace orv::payments
