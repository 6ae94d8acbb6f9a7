// DISPLAYZAZNACZONE: the count in the control's tip, the icon by whether anything is marked.
#include "selection/marked_count_display.hpp"

#include <string>

#include "lists/tooltips.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/window.hpp"

namespace orv::selection {

void DISPLAYZAZNACZONE(int32_t window, int32_t control, int32_t count, std::string_view label,
                       std::optional<int32_t> total) {
  const int32_t known = total.value_or(0);
  const std::string suffix =
      known > 0 ? "/" + std::to_string(known) : "\r\nPrawy klawisz-oblicz wszystkie";
  lists::USTAWTOOLTIP(window, control,
                      "Ilo\x9C\xE6 zaznaczonych " + std::string(text::clip(label)) + " : " +
                          std::to_string(count) + suffix);
  ui::Window* w = ui::window_by_handle(window);
  ui::Control* c = w ? w->find(static_cast<int>(control)) : nullptr;
  if (!c) return;
  c->icon = count > 0 ? "~boxon.ico" : "~boxoff.ico";
  w->display();
}

}  // namespace orv::selection
