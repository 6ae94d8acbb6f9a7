// SKROTYKLAWISZOWE: a list of every shortcut the application can bind, to pick one from.
#include "lists/shortcuts.hpp"

#include <algorithm>

#include "frame/window_conventions.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::lists {
namespace {

struct Row {
  const char* name;
  int32_t code;
};

constexpr Row kShortcuts[] = {
#include "lists/shortcut_keys.inc"
};

enum : int { kList = 1, kChoose, kCancel };

ui::Window shortcut_window() {
  ui::Window w("SkrotyKlawiszowe", "Skróty klawiszowe"_w1250);
  w.rect = {0, 0, 160, 200};
  ui::Control& list = w.add(ui::ControlKind::List, kList, "LISTA");
  list.columns = {{"", 120}};
  w.add(ui::ControlKind::Button, kChoose, "WYBIERZ", "Wybierz").key = "Enter";
  w.add(ui::ControlKind::Button, kCancel, "ANULUJ", "Anuluj").key = "Esc";
  return w;
}

const ui::WindowRegistrar kShortcutWin("SkrotyKlawiszowe", "SKROTYKLAWISZOWE", &shortcut_window);

}  // namespace

std::vector<Shortcut> shortcut_table() {
  std::vector<Shortcut> out;
  out.reserve(std::size(kShortcuts));
  for (const auto& r : kShortcuts) out.push_back({r.name, r.code});
  std::stable_sort(out.begin(), out.end(),
                   [](const auto& a, const auto& b) { return a.name < b.name; });
  return out;
}

bool SKROTYKLAWISZOWE(std::string& name, int32_t& code) {
  std::vector<Shortcut> table = shortcut_table();
  ui::Window w = shortcut_window();
  ui::Control& list = w.at(kList);
  for (const auto& s : table) list.rows.push_back({s.name});
  list.selected = 1;
  w.set_focus(kList);
  frame::open_window(w);
  bool chosen = false;
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancel)) break;
    if (!e.accepted(kChoose) && !e.accepted(kList)) continue;
    if (list.selected < 1 || list.selected > static_cast<int>(table.size())) continue;
    name = table[list.selected - 1].name;
    code = table[list.selected - 1].code;
    chosen = true;
    break;
  }
  w.close();
  return chosen;
}

}  // namespace orv::lists
