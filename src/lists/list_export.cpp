// The exporter a list window's button calls.
#include "lists/list_export.hpp"

#include <atomic>

#include "frame/messages.hpp"
#include "platform/text/cp1250.hpp"

namespace orv::lists {
namespace {

// Until the spreadsheet export is linked in, the button says so instead of doing nothing.
void unavailable(const ExportList&, std::string_view) {
  frame::MSG_OSTRZEZENIE("Eksport do Excela jest niedostępny."_w1250);
}

std::atomic<ListExporter> g_exporter{&unavailable};

}  // namespace

ListExporter set_list_exporter(ListExporter exporter) {
  return g_exporter.exchange(exporter ? exporter : &unavailable);
}

void export_list(const ExportList& list, std::string_view description) {
  g_exporter.load()(list, description);
}

}  // namespace orv::lists
