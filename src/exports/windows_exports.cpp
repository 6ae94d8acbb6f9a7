// C entry points of the windows that need no database, and of the services windows use.
#include "calc/discount.hpp"
#include "config/window_geometry.hpp"
#include "lists/popups.hpp"
#include "lists/shortcuts.hpp"
#include "lists/tooltips.hpp"
#include "table.hpp"
#include "ui_guard.hpp"

using orv::Decimal;
using orv::exports::in;
using orv::exports::ui_guard;

namespace {

Decimal read(const double* v) {
  return v ? Decimal::from_double(*v) : Decimal();
}

void write(double* to, const Decimal& v) {
  if (to) *to = v.to_double();
}

}  // namespace

extern "C" {

void PRZELICZNIKRABATU(double* percentage, double* price, const char* kind, const char* subject) {
  Decimal p = read(percentage), c = read(price);
  if (!ui_guard([&] { return orv::calc::PRZELICZNIKRABATU(p, c, in(kind), in(subject)); })) return;
  write(percentage, p);
  write(price, c);
}

uint8_t WYDAWANIERESZTY(double* due, double* paid, double* change) {
  Decimal d = read(due), p = read(paid), c = read(change);
  uint8_t r = ui_guard([&] { return orv::calc::WYDAWANIERESZTY(d, p, c); }, uint8_t{1});
  write(due, d);
  write(paid, p);
  write(change, c);
  return r;
}

void USTAW4IKONYBROWSERA(void* popup, const uint8_t* variant) {
  if (popup)
    orv::lists::USTAW4IKONYBROWSERA(*static_cast<orv::ui::PopupMenu*>(popup),
                                    variant ? *variant : 0);
}

void POPUPADDEDOKUMENTY(void* popup) {
  if (popup) orv::lists::POPUPADDEDOKUMENTY(*static_cast<orv::ui::PopupMenu*>(popup));
}

void POKAZSTATUSDOK(const char* base, double editing_user, uint8_t edited, uint8_t posted,
                    uint8_t locked, const uint8_t* marked) {
  orv::lists::POKAZSTATUSDOK(in(base), editing_user, edited, posted, locked,
                             marked ? std::optional<uint8_t>(*marked) : std::nullopt);
}

void SKROTYKLAWISZOWE(ORVRUN_TEXT* name, int32_t* code) {
  std::string chosen_name;
  int32_t chosen_code = 0;
  if (!ui_guard([&] { return orv::lists::SKROTYKLAWISZOWE(chosen_name, chosen_code); })) return;
  orv::exports::put_text(name, chosen_name);
  if (code) *code = chosen_code;
}

void USTAWMYSZ(int32_t window, int32_t dx, int32_t dy) {
  orv::lists::USTAWMYSZ(window, dx, dy);
}

void USTAWTOOLTIP(int32_t window, int32_t control, const char* text) {
  orv::lists::USTAWTOOLTIP(window, control, in(text));
}

uint8_t MAKSYMALIZUJ(void) {
  return orv::config::MAKSYMALIZUJ();
}

void USTAWSPLIT(int32_t left, int32_t splitter, int32_t right, int32_t distance) {
  orv::config::USTAWSPLIT(left, splitter, right, distance);
}

}  // extern "C"

ORV_EXPORT(PRZELICZNIKRABATU, "discount/mark-up converter window", "percentage", "price", "kind?",
           "subject?");
ORV_EXPORT(WYDAWANIERESZTY, "change calculator window; always 1", "due", "paid", "change");
ORV_EXPORT(USTAW4IKONYBROWSERA, "icons on a list popup's four standard items", "popup", "variant?");
ORV_EXPORT(POPUPADDEDOKUMENTY, "add the e-Dokumenty item to a popup", "popup");
ORV_EXPORT(POKAZSTATUSDOK, "document state into status-bar zone 6", "base", "editing_user",
           "edited", "posted", "locked", "marked?");
ORV_EXPORT(SKROTYKLAWISZOWE, "choose a keyboard shortcut", "name[31]", "code");
ORV_EXPORT(USTAWMYSZ, "move the mouse pointer relative to a window", "window", "dx", "dy");
ORV_EXPORT(USTAWTOOLTIP, "set a control's tooltip", "window", "control", "text");
ORV_EXPORT(MAKSYMALIZUJ, "fit the current window to the host frame: 1 moved, 0 already there");
ORV_EXPORT(USTAWSPLIT, "move a splitter in the current window", "left", "splitter", "right",
           "distance");
