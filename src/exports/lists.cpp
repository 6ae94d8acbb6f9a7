// C entry points of the list support: open-window and open-object registries, column settings
// and their dialog, popups, status texts, shortcuts, the mouse and tooltips.
#include "boundary.hpp"
#include "list_handle.hpp"
#include "lists/column_dialog.hpp"
#include "lists/column_settings.hpp"
#include "lists/list_export.hpp"
#include "lists/log_window.hpp"
#include "lists/navigator.hpp"
#include "lists/popups.hpp"
#include "lists/settings_profiles.hpp"
#include "lists/shortcuts.hpp"
#include "lists/tooltips.hpp"
#include "lists/users_list.hpp"
#include "lists/window_registry.hpp"
#include "table.hpp"

using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;
using orv::exports::optional_of;

extern "C" {

uint8_t DODAJOKNO(const char* name) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::lists::DODAJOKNO(in(name)); });
}
void SKASUJOKNO(const char* name) noexcept {
  guard(__func__, [&] { orv::lists::SKASUJOKNO(in(name)); });
}
int32_t WEZOKNO(const char* name) noexcept {
  return guard(__func__, int32_t{0}, [&] { return orv::lists::WEZOKNO(in(name)); });
}
void ADDKOO(const char* name, const char* qualifier) noexcept {
  guard(__func__, [&] { orv::lists::ADDKOO(in(name), in(qualifier)); });
}
void DELKOO(const char* name, const char* qualifier) noexcept {
  guard(__func__, [&] { orv::lists::DELKOO(in(name), in(qualifier)); });
}
uint8_t ISKOO(const char* name, const char* qualifier) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::lists::ISKOO(in(name), in(qualifier)); });
}
void FREEKOO(void) noexcept {
  guard(__func__, [] { orv::lists::FREEKOO(); });
}

void LADUJUSTAWIENIAKOLUMN(void) noexcept {
  guard(__func__, [] { orv::lists::LADUJUSTAWIENIAKOLUMN(); });
}
void POBIERZZAKRESKOLUMNBROWSERA(const char* window, int32_t* first, int32_t* last) noexcept {
  guard(__func__, [&] {
    int32_t f = 0, l = 0;
    orv::lists::POBIERZZAKRESKOLUMNBROWSERA(in(window), f, l);
    if (first) *first = f;
    if (last) *last = l;
  });
}
char* POBIERZKOLUMNEFORMAT(const char* window, int32_t position) noexcept {
  return guard_text(__func__,
                    [&] { return orv::lists::POBIERZKOLUMNEFORMAT(in(window), position); });
}
int32_t POBIERZKOLUMNEROZMIAR(const char* window, int32_t position) noexcept {
  return guard(__func__, int32_t{0},
               [&] { return orv::lists::POBIERZKOLUMNEROZMIAR(in(window), position); });
}
uint8_t USTAWKOLUMNE(const char* window, int32_t position, const char* format,
                     int32_t width) noexcept {
  return guard(__func__, uint8_t{0},
               [&] { return orv::lists::USTAWKOLUMNE(in(window), position, in(format), width); });
}
uint8_t KONFIGURACJA_KOLUMN(const char* window) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::lists::KONFIGURACJA_KOLUMN(in(window)); });
}

void USTAW4IKONYBROWSERA(void* popup, const uint8_t* variant) noexcept {
  if (!popup) return;
  guard(__func__, [&] {
    orv::lists::USTAW4IKONYBROWSERA(*static_cast<orv::ui::PopupMenu*>(popup),
                                    variant ? *variant : 0);
  });
}
void POPUPADDEDOKUMENTY(void* popup) noexcept {
  if (!popup) return;
  guard(__func__,
        [&] { orv::lists::POPUPADDEDOKUMENTY(*static_cast<orv::ui::PopupMenu*>(popup)); });
}
void POKAZSTATUSDOK(const char* base, double editing_user, uint8_t edited, uint8_t posted,
                    uint8_t locked, const uint8_t* marked) noexcept {
  guard(__func__, [&] {
    orv::lists::POKAZSTATUSDOK(in(base), editing_user, edited, posted, locked, optional_of(marked));
  });
}
void SKROTYKLAWISZOWE(ORVRUN_TEXT* name, int32_t* code) noexcept {
  guard(__func__, [&] {
    std::string chosen_name;
    int32_t chosen_code = 0;
    if (!orv::lists::SKROTYKLAWISZOWE(chosen_name, chosen_code)) return;
    orv::exports::put_text(name, chosen_name);
    if (code) *code = chosen_code;
  });
}
void USTAWMYSZ(int32_t window, int32_t dx, int32_t dy) noexcept {
  guard(__func__, [&] { orv::lists::USTAWMYSZ(window, dx, dy); });
}
void USTAWTOOLTIP(int32_t window, int32_t control, const char* text) noexcept {
  guard(__func__, [&] { orv::lists::USTAWTOOLTIP(window, control, in(text)); });
}

void LOG_WYKONANIA(const char* context) noexcept {
  guard(__func__, [&] { orv::lists::LOG_WYKONANIA(in(context)); });
}
void PROFILE_USTAWIEN_BRW(void) noexcept {
  guard(__func__, [] { orv::lists::PROFILE_USTAWIEN_BRW(); });
}
int32_t NAWIGATOR(void) noexcept {
  return guard(__func__, int32_t{0}, [] { return orv::lists::NAWIGATOR(); });
}
void UZYTKOWNIK1_BRW(void) noexcept {
  guard(__func__, [] { orv::lists::UZYTKOWNIK1_BRW(); });
}
void EXPORTBROWSERTOEXCEL(const ORVRUN_LIST* list, int32_t control,
                          const char* description) noexcept {
  guard(__func__, [&] {
    static const orv::lists::ListObject kEmpty;
    orv::lists::EXPORTBROWSERTOEXCEL(list ? list->list : kEmpty, control,
                                     description ? std::optional(in(description)) : std::nullopt);
  });
}

}  // extern "C"
