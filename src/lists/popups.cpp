// Popup items with icons, the document-state status text and placing the mouse pointer.
#include "lists/popups.hpp"

#include <algorithm>

#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/host.hpp"
#include "platform/ui/window.hpp"

namespace orv::lists {
namespace {

constexpr int kStatusZone = 6;

int clamp_sum(int64_t a, int64_t b) {
  return static_cast<int>(std::clamp<int64_t>(a + b, INT32_MIN, INT32_MAX));
}

}  // namespace

void USTAW4IKONYBROWSERA(ui::PopupMenu& popup, uint8_t variant) {
  if (variant > 1) return;
  const std::string open = variant == 0 ? "[" : "";
  popup.set_text("Insert", open + "31848(~dodaj2.ico)]Dodaj");
  popup.set_text("Change", open + "31848(~popraw2.ico)]Popraw");
  popup.set_text("Delete", open + "31848(~usun2.ico)]Usuń"_w1250);
  popup.set_text("Select", open + "31848(~wybierz.ico)]Wybierz");
}

void POPUPADDEDOKUMENTY(ui::PopupMenu& popup) {
  popup.add_item("-", "Sep60");
  popup.set_level("Sep60", 1);
  popup.add_item("e-Dokumenty <Ctrl+E>", "eDokumenty");
  popup.set_text("eDokumenty", "31848(~epit.ico)]e-Dokumenty <Ctrl+E>");
}

std::string document_status(std::string_view base, double editing_user, uint8_t edited,
                            uint8_t posted, uint8_t locked, uint8_t marked) {
  std::string out;
  if (!base.empty() && base.front() == '1') {
    out = base.substr(1);
  } else if (editing_user > 0) {
    bool own = editing_user == dict::glo().ID_UZYTKOWNIKA;
    out = std::string(text::clip(base)) + (own ? " (własny)"_w1250 : " (obcy)") +
          (edited ? " edytowany" : " zablokowany");
  } else if (posted == 0 && marked == 1) {
    out = std::string(base) + " do księgowania"_w1250;
  } else if (posted == 1) {
    out = std::string(base) + " zaksięgowany"_w1250;
  } else if (locked == 1) {
    out = std::string(base) + " zablokowany";
  }
  return text::fit(out, 50);
}

void POKAZSTATUSDOK(std::string_view base, double editing_user, uint8_t edited, uint8_t posted,
                    uint8_t locked, std::optional<uint8_t> marked) {
  ui::set_status_text(
      kStatusZone, document_status(base, editing_user, edited, posted, locked, marked.value_or(0)));
}

void USTAWMYSZ(int32_t window, int32_t dx, int32_t dy) {
  ui::Window* w = ui::window_by_handle(window);
  if (!w) return;
  ui::move_mouse({clamp_sum(w->rect.x, dx), clamp_sum(w->rect.y, dy)});
}

}  // namespace orv::lists
