// The navigator over the open-window and open-object registries.
#include "lists/navigator.hpp"

#include <string>
#include <vector>

#include "frame/window_conventions.hpp"
#include "lists/list_window.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"

namespace orv::lists {
namespace {

struct Entry {
  int32_t value = 0;  // an open window's value; 0 for an open object
  std::string name;
  std::string qualifier;
};

ui::Window navigator_window() {
  ui::Window w("Nawigator", "Nawigator");
  w.rect = {0, 0, 240, 200};
  ui::Control& list = w.add(ui::ControlKind::List, kList, "LISTA", "Otwarte okna");
  list.columns = {{"Okno", 120}, {"Obiekt", 100}};
  w.add(ui::ControlKind::Button, kSelectButton, "WYBIERZ", "&Wybierz").key = "Enter";
  w.add(ui::ControlKind::Button, kCloseButton, "ZAMKNIJ", "&Zamknij").key = "Esc";
  return w;
}

const ui::WindowRegistrar kNavigatorWin("Nawigator", "NAWIGATOR", &navigator_window);

std::vector<Entry> open_entries() {
  std::vector<Entry> out;
  dict::Tables& t = dict::glo().tables;
  for (std::size_t k = 1; k <= t.OKNAQ.size(); ++k) {
    const dict::OknoRow* r = t.OKNAQ.get(k);
    out.push_back({r->value, r->name, {}});
  }
  for (std::size_t k = 1; k <= t.KOLEJKAOTWARTYCHOKIEN.size(); ++k) {
    const dict::OtwarteOknoRow* r = t.KOLEJKAOTWARTYCHOKIEN.get(k);
    out.push_back({0, r->name, r->qualifier});
  }
  return out;
}

}  // namespace

int32_t NAWIGATOR() {
  dict::declare_row_buffer("NAWIGATOR", {"NAZWA", "KWALIFIKATOR"});
  const std::vector<Entry> entries = open_entries();
  ui::Window w = navigator_window();
  ui::Control& list = w.at(kList);
  for (const Entry& e : entries) list.rows.push_back({e.name, e.qualifier});
  list.selected = entries.empty() ? 0 : 1;
  w.set_focus(kList);
  frame::open_window(w);
  int32_t chosen = 0;
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCloseButton)) break;
    if (!e.accepted(kSelectButton) && !e.accepted(kList)) continue;
    if (list.selected < 1 || list.selected > static_cast<int>(entries.size())) continue;
    const Entry& pick = entries[static_cast<std::size_t>(list.selected - 1)];
    dict::fill_row_buffer(dict::glo().records, "NAWIGATOR",
                          {{"NAZWA", pick.name}, {"KWALIFIKATOR", pick.qualifier}});
    chosen = pick.value;
    break;
  }
  w.close();
  return chosen;
}

}  // namespace orv::lists
