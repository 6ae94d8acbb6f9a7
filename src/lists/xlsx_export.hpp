// The list written as .xlsx through the utility library's cell functions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lists/export_cells.hpp"
#include "lists/list_object.hpp"

namespace orv::lists {

// Where the export finds the library's functions: by name, nullptr when missing.
class FunctionSource {
 public:
  virtual ~FunctionSource() = default;
  virtual void* find(std::string_view name) = 0;
};

enum class XlsxOutcome {
  Written,
  Refused,  // a function is missing: the warning was shown
  Failed,   // the library could not write: `error` says why
};

// Writes the workbook to `path` (Windows-1250, as the library takes file names). Colours come
// from the columns that carry them when `colours` is set.
XlsxOutcome write_xlsx(FunctionSource& library, const ListObject& list,
                       const std::vector<ExportColumn>& columns, bool colours,
                       const std::string& path, std::string& error);

}  // namespace orv::lists
