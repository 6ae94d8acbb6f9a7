// The error list window on the list-window framework's layout: the rows are the module's own
// in-memory list, so the window shows them all instead of paging a statement.
#include "payments/error_window.hpp"

#include <cstdio>

#include "frame/window_conventions.hpp"
#include "lists/list_window.hpp"
#include "payments/error_list.hpp"
#include "platform/date/date.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/registry.hpp"

namespace orv::payments {
namespace {

using ui::ControlKind;

constexpr int kHeading = lists::kOwnControls;
constexpr const char* kTitle = "Błędy generowania Elektronicznego Polecenia Przelewu"_w1250;

// A plain function, not an immediately-invoked lambda: clang-tidy 14 crashes on a lambda that
// holds _w1250 literals.
lists::ListDesign make_design() {
  lists::ListDesign x;
  x.name = "BledyExportuMC";
  x.title = kTitle;
  x.fields = {{"FIELD", "", false}, {"NAME", "", false}, {"DATE", "", true}};
  x.columns = {lists::column("Brak wartości w polu..."_w1250, 120, 0),
               lists::column("w przelewie dla odbiorcy...", 160, 1),
               lists::column("na dzień..."_w1250, 50, 2)};
  x.buttons = 0;
  return x;
}

const lists::ListDesign& design() {
  static const lists::ListDesign d = make_design();
  return d;
}

// Day-month-year with a four-digit year and "-" between.
std::string day_text(int32_t day) {
  const date::Civil c = date::civil(day);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", c.day, c.month, c.year);
  return buf;
}

}  // namespace

ui::Window error_window() {
  ui::Window w = lists::build_list_window(design());
  w.at(lists::kList).paged = false;
  w.at(lists::kLocator).hidden = true;
  w.add(ControlKind::Label, kHeading, "NAGLOWEK",
        "Błędy generowania Elektronicznego Polecenia Przelewu (EPP)"_w1250);
  return w;
}

const ui::WindowRegistrar kErrorWin("BledyExportuMC", "BLEDY_EXPORTU_MC", &error_window);

void BLEDY_EXPORTU_MC() {
  ui::Window w = error_window();
  ui::Control& list = w.at(lists::kList);
  for (const ExportError& e : export_errors().entries()) {
    list.rows.push_back({shown_field(e), e.transfer_name, day_text(e.date)});
  }
  list.selected = list.rows.empty() ? 0 : 1;
  frame::open_window(w);
  for (;;) {
    const ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(lists::kCloseButton)) break;
  }
  w.close();
}

}  // namespace orv::payments
