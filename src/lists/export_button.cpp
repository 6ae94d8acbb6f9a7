// The exporter a list window's button calls.
#include "lists/export_button.hpp"

#include <atomic>

#include "lists/list_export.hpp"

namespace orv::lists {
namespace {

// The list's own export: asks for the file, writes it, offers to open it. The lists of the
// library log nothing (an empty description).
void spreadsheet(const ListObject& list, int32_t control) {
  EXPORTBROWSERTOEXCEL(list, control, std::nullopt);
}

std::atomic<ListExporter> g_exporter{&spreadsheet};

}  // namespace

ListExporter set_list_exporter(ListExporter exporter) {
  return g_exporter.exchange(exporter ? exporter : &spreadsheet);
}

void export_from_window(const ListObject& list, int32_t control) {
  g_exporter.load()(list, control);
}

}  // namespace orv::lists
