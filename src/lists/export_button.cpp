// The exporter a list window's button calls.
#include "lists/export_button.hpp"

#include <atomic>

#include "frame/messages.hpp"
#include "platform/text/cp1250.hpp"

namespace orv::lists {
namespace {

// Until the spreadsheet export is linked in, the button says so instead of doing nothing.
void unavailable(const ListObject&, int32_t) {
  frame::MSG_OSTRZEZENIE("Eksport do Excela jest niedostępny."_w1250);
}

std::atomic<ListExporter> g_exporter{&unavailable};

}  // namespace

ListExporter set_list_exporter(ListExporter exporter) {
  return g_exporter.exchange(exporter ? exporter : &unavailable);
}

void export_from_window(const ListObject& list, int32_t control) {
  g_exporter.load()(list, control);
}

}  // namespace orv::lists
