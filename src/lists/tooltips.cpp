// USTAWTOOLTIP: a control's own tip and the shared tooltip manager's.
#include "lists/tooltips.hpp"

#include "platform/dict/context.hpp"
#include "platform/ui/tooltips.hpp"
#include "platform/ui/window.hpp"

namespace orv::lists {

void USTAWTOOLTIP(int32_t window, int32_t control, std::string_view text) {
  ui::Window* w = ui::window_by_handle(window);
  if (!w) return;
  ui::Control* c = w->find(static_cast<int>(control));
  if (!c) return;
  c->tip = text;
  if (dict::glo().TOOLTIPTYPE == 2) ui::xtooltip().set_tip(w->handle(), c->number, c->tip);
  w->display();
}

}  // namespace orv::lists
