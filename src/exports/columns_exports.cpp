// C entry points of the list-column settings and their configuration dialog.
#include "lists/column_dialog.hpp"
#include "lists/column_settings.hpp"
#include "table.hpp"
#include "ui_guard.hpp"

using orv::exports::in;
using orv::exports::ui_guard;

extern "C" {

void LADUJUSTAWIENIAKOLUMN(void) {
  // A failed statement shows the SQL error window, which a script may refuse.
  ui_guard([] { orv::lists::LADUJUSTAWIENIAKOLUMN(); });
}

void POBIERZZAKRESKOLUMNBROWSERA(const char* window, int32_t* first, int32_t* last) {
  int32_t f = 0, l = 0;
  orv::lists::POBIERZZAKRESKOLUMNBROWSERA(in(window), f, l);
  if (first) *first = f;
  if (last) *last = l;
}

char* POBIERZKOLUMNEFORMAT(const char* window, int32_t position) {
  return orv::exports::give_text(orv::lists::POBIERZKOLUMNEFORMAT(in(window), position));
}

int32_t POBIERZKOLUMNEROZMIAR(const char* window, int32_t position) {
  return orv::lists::POBIERZKOLUMNEROZMIAR(in(window), position);
}

uint8_t USTAWKOLUMNE(const char* window, int32_t position, const char* format, int32_t width) {
  return orv::lists::USTAWKOLUMNE(in(window), position, in(format), width);
}

uint8_t KONFIGURACJA_KOLUMN(const char* window) {
  return ui_guard([&] { return orv::lists::KONFIGURACJA_KOLUMN(in(window)); }, uint8_t{0});
}

}  // extern "C"

ORV_EXPORT(LADUJUSTAWIENIAKOLUMN,
           "load the windows, the current user's list columns and window parameters");
ORV_EXPORT(POBIERZZAKRESKOLUMNBROWSERA,
           "first and last configurable column numbers of a list window, 0 and 0 when unknown",
           "window", "first", "last");
ORV_EXPORT(POBIERZKOLUMNEFORMAT,
           "format of the column at a position, empty when none or hidden from everyone", "window",
           "position");
ORV_EXPORT(POBIERZKOLUMNEROZMIAR,
           "width of the column at a position, 0 when none, not shown or hidden from everyone",
           "window", "position");
ORV_EXPORT(USTAWKOLUMNE, "store format and width of the column at a position: 1 found, 0 not",
           "window", "position", "format", "width");
ORV_EXPORT(KONFIGURACJA_KOLUMN,
           "the column configuration dialog of a list: 1 saved, 0 cancelled or no columns",
           "window");
