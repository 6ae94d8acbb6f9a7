// The seam between a list window's export button and the list export: the list as the user sees
// it (visible columns, every row of the statement) handed to whoever writes the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orv::lists {

struct ExportColumn {
  std::string title;
  int width = 0;
  std::string picture;
};

// Cells are the texts the list shows, one per column, Windows-1250.
struct ExportList {
  std::string caption;
  std::vector<ExportColumn> columns;
  std::vector<std::vector<std::string>> rows;
};

// Writes the list (asking for the file as the export does); `description` goes to the log when
// not empty.
using ListExporter = void (*)(const ExportList& list, std::string_view description);

// Installs the exporter (nullptr restores the built-in one) and returns the previous one.
ListExporter set_list_exporter(ListExporter exporter);
void export_list(const ExportList& list, std::string_view description = {});

}  // namespace orv::lists
