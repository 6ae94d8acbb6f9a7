// The list written as an .xls workbook (BIFF8 in a compound document), row by row.
#pragma once

#include <string>
#include <vector>

#include "lists/export_cells.hpp"
#include "lists/list_object.hpp"

namespace orv::lists {

// Rows one sheet holds; longer lists go on into further sheets, each with the header row again.
inline constexpr std::size_t kXlsRowsPerSheet = 65536;

// Writes the workbook to `path` (a file-system name). False with `error` when a write failed;
// nothing is then left under `path`. With `colours`, cells of columns that carry colours get
// their font and background colours as the XLSX export sets them.
bool write_xls(const ListObject& list, const std::vector<ExportColumn>& columns,
               const std::string& path, std::string& error, bool colours = false);

}  // namespace orv::lists
