// The seam between a list window's export button and the list export: the list as the user sees
// it (its columns, every row of the statement) handed to whoever writes the file.
#pragma once

#include <cstdint>

#include "lists/list_object.hpp"

namespace orv::lists {

// Writes the list (asking for the file as the export does).
using ListExporter = void (*)(const ListObject& list, int32_t control);

// Installs the exporter (nullptr restores the built-in one) and returns the previous one.
ListExporter set_list_exporter(ListExporter exporter);
void export_from_window(const ListObject& list, int32_t control);

}  // namespace orv::lists
