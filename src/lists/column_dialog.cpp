// The column dialog's rows: its commands, the locked-block rule and the write-back.
#include "lists/column_dialog.hpp"

#include <algorithm>
#include <mutex>
#include <tuple>
#include <utility>

#include "lists/column_settings.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::lists {
namespace {

using dict::IniKolBroRow;

constexpr std::size_t kFormatCapacity = 201;

bool valid(const DialogColumns& rows, int row) {
  return row >= 1 && row <= static_cast<int>(rows.size());
}

DialogColumn& at(DialogColumns& rows, int row) {
  return rows[static_cast<std::size_t>(row - 1)];
}

void swap_rows(DialogColumns& rows, int a, int b) {
  std::swap(at(rows, a), at(rows, b));
}

void set_locked(DialogColumn& c, bool locked) {
  c.locked = locked;
  c.format = locked ? lock_format(c.format) : unlock_format(c.format);
}

bool in_dialog(const DialogColumns& rows, int32_t number) {
  return std::any_of(rows.begin(), rows.end(),
                     [&](const DialogColumn& c) { return c.number == number; });
}

// Positions stay unique: a column the dialog left out (hidden from everyone, an inactive field)
// whose position a shown column now takes moves past the last position of the window. Otherwise
// the accessors, which find a column by position, could answer with the left-out one.
void move_displaced(std::string_view key, const DialogColumns& rows) {
  auto& table = dict::glo().tables.INI_KOL_BRO;
  const auto taken = static_cast<int32_t>(rows.size());
  int32_t last = taken;
  std::vector<IniKolBroRow*> displaced;
  for (IniKolBroRow& r : table) {
    if (r.window != key) continue;
    bool shown = in_dialog(rows, r.number);
    if (!shown) last = std::max(last, r.position);
    if (!shown && r.position >= 1 && r.position <= taken) displaced.push_back(&r);
  }
  std::stable_sort(
      displaced.begin(), displaced.end(),
      [](const IniKolBroRow* a, const IniKolBroRow* b) { return a->position < b->position; });
  for (IniKolBroRow* r : displaced) r->position = ++last;
}

// Hidden columns in the configurable range follow the locked block, so that it stays contiguous.
void align_hidden_locks(std::string_view key, int32_t first, int32_t last, int32_t block_end) {
  for (IniKolBroRow& r : dict::glo().tables.INI_KOL_BRO) {
    if (r.window != key || r.width != 0 || r.position < first || r.position > last) continue;
    bool in_block = block_end > 0 && r.position <= block_end;
    r.format =
        in_block ? text::fit(lock_format(r.format), kFormatCapacity) : unlock_format(r.format);
  }
}

int last_locked(const DialogColumns& rows) {
  for (int i = static_cast<int>(rows.size()); i >= 1; --i) {
    if (rows[static_cast<std::size_t>(i - 1)].locked) return i;
  }
  return 0;
}

bool by_window_and_position(const IniKolBroRow& a, const IniKolBroRow& b) {
  return std::tie(a.window, a.position) < std::tie(b.window, b.position);
}

bool by_window_and_number(const IniKolBroRow& a, const IniKolBroRow& b) {
  return std::tie(a.window, a.number) < std::tie(b.window, b.number);
}

}  // namespace

int move_up(DialogColumns& rows, int row) {
  if (!valid(rows, row) || row == 1) return row;
  swap_rows(rows, row, row - 1);
  return row - 1;
}

int move_to_top(DialogColumns& rows, int row) {
  while (valid(rows, row) && row > 1) row = move_up(rows, row);
  return row;
}

int move_down(DialogColumns& rows, int row) {
  if (!valid(rows, row) || row == static_cast<int>(rows.size())) return row;
  swap_rows(rows, row, row + 1);
  return row + 1;
}

int move_to_bottom(DialogColumns& rows, int row) {
  while (valid(rows, row) && row < static_cast<int>(rows.size())) row = move_down(rows, row);
  return row;
}

void show_column(DialogColumns& rows, int row) {
  if (!valid(rows, row)) return;
  DialogColumn& c = at(rows, row);
  c.visible = true;
  c.width = c.default_width;
}

void hide_column(DialogColumns& rows, int row) {
  if (!valid(rows, row)) return;
  DialogColumn& c = at(rows, row);
  c.visible = false;
  c.width = 0;
}

void toggle_visible(DialogColumns& rows, int row) {
  if (!valid(rows, row)) return;
  if (at(rows, row).visible) {
    hide_column(rows, row);
  } else {
    show_column(rows, row);
  }
}

void lock_through(DialogColumns& rows, int row) {
  if (!valid(rows, row)) return;
  for (int i = 1; i <= row; ++i) set_locked(at(rows, i), true);
}

void unlock_from(DialogColumns& rows, int row) {
  if (!valid(rows, row)) return;
  for (int i = static_cast<int>(rows.size()); i >= row; --i) set_locked(at(rows, i), false);
}

void toggle_lock(DialogColumns& rows, int row) {
  if (!valid(rows, row)) return;
  if (at(rows, row).locked) {
    unlock_from(rows, row);
  } else {
    lock_through(rows, row);
  }
}

int broken_lock_block(const DialogColumns& rows) {
  int n = last_locked(rows);
  auto locked = std::count_if(rows.begin(), rows.end(), [](const auto& c) { return c.locked; });
  return locked == n ? 0 : n;
}

DialogColumns rows_for_dialog(std::string_view window, int32_t first, int32_t last,
                              const std::vector<int32_t>& allowed) {
  const std::string key = list_key(window);
  DialogColumns rows;
  std::lock_guard lock(column_section());
  for (const IniKolBroRow& r : dict::glo().tables.INI_KOL_BRO) {
    if (r.window != key || r.number < first || r.number > last || r.hidden == 1) continue;
    if (std::find(allowed.begin(), allowed.end(), r.number) == allowed.end()) continue;
    DialogColumn c;
    c.caption = r.caption;
    c.format = r.format;
    c.position = r.position;
    c.width = r.width;
    c.default_width = r.default_width;
    c.number = r.number;
    c.window_id = r.window_id;
    c.column_id = r.column_id;
    c.additional = r.additional;
    c.visible = r.width >= 1;
    c.locked = is_locked(r.format);
    rows.push_back(std::move(c));
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return a.position < b.position; });
  return rows;
}

void write_back(std::string_view window, const DialogColumns& rows, int32_t first, int32_t last) {
  const std::string key = list_key(window);
  std::lock_guard lock(column_section());
  int32_t position = 0;
  for (const DialogColumn& c : rows) {
    ++position;
    IniKolBroRow* r = column_by_number(key, c.number);
    if (!r) continue;
    r->position = position;
    r->format = text::fit(c.format, kFormatCapacity);
    r->default_width = c.default_width;
    r->width = c.visible ? c.width : 0;
  }
  move_displaced(key, rows);
  auto& table = dict::glo().tables.INI_KOL_BRO;
  table.sort(by_window_and_position);
  align_hidden_locks(key, first, last, last_locked(rows));
  table.sort(by_window_and_number);
}

std::string dialog_title(std::string_view window) {
  static const std::pair<const char*, const char*> kTitles[] = {
      {"Artykul_Brw", "Konfiguracja kolumn kartoteki asortymentowej"},
      {"Kontrahent_Brw", "Konfiguracja kolumn kartoteki kontrahentów"_w1250},
      {"Dokument_Finansowy_Brw", "Konfiguracja kolumn kartoteki dokumentów finansowych"_w1250},
      {"Rozrachunek_Brw", "Konfiguracja kolumn kartoteki rozrachunków"_w1250},
      {"Dokument_Handlowy_Brw", "Konfiguracja kolumn kartoteki dokumentów handlowych"_w1250},
      {"Dokument_Handlowy_Upd", "Konfiguracja kolumn formularza dokumentu handlowego"},
      {"Dokument_Magazynowy_Brw", "Konfiguracja kolumn kartoteki dokumentów magazynowych"_w1250},
      {"Pozycje_Dokumentu_Magazynowego_Brw",
       "Konfiguracja kolumn formularza dokumentu magazynowego"},
      {"Zamowienie_Brw", "Konfiguracja kolumn kartoteki zamówień"_w1250},
      {"Zamowienie_Upd", "Konfiguracja kolumn formularza zamówienia"_w1250},
      {"Zamowienie_Upd2", "Konfiguracja kolumn formularza zamówienia"_w1250},
      {"Artykul_Remanentu_Brw", "Konfiguracja kolumn kartoteki remanentów"_w1250},
      {"Produkcja_Brw", "Konfiguracja kolumn kartoteki zleceń produkcyjnych"_w1250},
      {"Sad_Brw", "Konfiguracja kolumn kartoteki dokumentów sad"_w1250},
      {"Korekta_Upd", "Konfiguracja kolumn formularza korekty"},
      {"Korekta_Upd1", "Konfiguracja kolumn formularza korekty"},
      {"DMKorekta_Upd", "Konfiguracja kolumn formularza korekty"},
      {"Analiza_artykulow", "Konfiguracja kolumn stanów zamówień i rezerwacji"_w1250},
      {"HistoriaZamowienAsort", "Konfiguracja kolumn historii stanów zamówień i rezerwacji"_w1250},
      {"Kontakt", "Konfiguracja kolumn kontaktów kontrahenta"_w1250},
      {"Pracownik_Brw", "Konfiguracja kolumn pracowników"_w1250},
      {"Sprzedaz_Detaliczna", "Konfiguracja kolumn sprzedaży detalicznej"_w1250},
      {"Bufor_Brw", "Konfiguracja kolumn bufora"},
      {"Crm_Brw", "Konfiguracja kolumn zadań"_w1250},
      {"Intrastat_Brw", "Konfiguracja kolumn dokumentu intrastat"},
      {"Intrastat1_Brw", "Konfiguracja kolumn pozycji dokumentu intrastat"},
      {"Trasy_Brw", "Konfiguracja kolumn tras"},
      {"Magazyn_Brw", "Konfiguracja kolumn kartoteki magazynów"_w1250},
      {"Serwis_Zlecenie_Brw", "Konfiguracja kolumn kartoteki zleceń serwisowych"_w1250},
  };
  std::string_view name = text::clip(window);
  for (const auto& [w, title] : kTitles) {
    if (name == w) return title;
  }
  return "Ustawienia konfiguracyjne systemu";
}

}  // namespace orv::lists
