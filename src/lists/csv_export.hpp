// The list written as CSV: quoted fields, the chosen separator, lines of at most 50000 characters.
#pragma once

#include <string>
#include <vector>

#include "lists/export_cells.hpp"
#include "lists/list_object.hpp"

namespace orv::lists {

inline constexpr std::size_t kCsvLineLimit = 50000;

// Writes the header line and one line per row shown to `path` (a file-system name), in
// Windows-1250 with CR LF. False with `error` when a write failed; nothing is then left under
// `path`.
bool write_csv(const ListObject& list, const std::vector<ExportColumn>& columns, char separator,
               const std::string& path, std::string& error);

}  // namespace orv::lists
