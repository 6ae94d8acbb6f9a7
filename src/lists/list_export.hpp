// EXPORTBROWSERTOEXCEL: a host's list exported to a CSV, XLS or XLSX file the user names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lists/list_object.hpp"

namespace orv::lists {

// Asks for the file, writes it, logs the export when a description is given and offers to open
// the file. `control` names the list control of the host's window whose columns are exported;
// the list object holds that control's layout.
void EXPORTBROWSERTOEXCEL(const ListObject& list, int32_t control,
                          std::optional<std::string_view> description = std::nullopt);

// The file types the export writes, and the one a chosen name asks for.
enum class ExportType { Csv, Xls, Xlsx };
// The last four characters, lower-cased, decide; any other ending gets ".csv" appended.
ExportType export_type(std::string& file_name);

// The type list of the file dialog, in the order "TypDoExcela" asks for.
std::string export_filter(std::string_view preferred);

}  // namespace orv::lists
