// The column dialog's window: reading a list's definitions, the event loop and its commands.
#include "lists/column_dialog.hpp"

#include <algorithm>

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "lists/column_settings.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::lists {
namespace {

using ui::ControlKind;

constexpr std::size_t kNameCapacity = 51;
constexpr std::size_t kFormatCapacity = 201;

constexpr const char* kShownIcon = "~boxon.ico";
constexpr const char* kHiddenIcon = "~boxoff.ico";
constexpr const char* kLockedIcon = "~skroty.ico";
constexpr const char* kStockItems = "Pozycje_Dokumentu_Magazynowego_Brw";

constexpr const char* kDefinitionsStatement =
    "select k.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
    "k.nazwa_kolumny,k.rozmiar_kolumny,k.pole_dodatkowe,k.ukryta  from ini_kolumna k with "
    "(nolock),ini_okno o with (nolock)  where k.id_okna=o.id_okna and o.nazwa='";
constexpr const char* kDefaultsStatement =
    "select k.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
    "k.nazwa_kolumny,k.rozmiar_kolumny,k.pole_dodatkowe from ini_kolumna k,ini_okno o where "
    "k.id_okna=o.id_okna and o.nazwa='";

enum : int {
  kList = 1,
  kUp,
  kUpAll,
  kDown,
  kDownAll,
  kShow,
  kHide,
  kLock,
  kUnlock,
  kDefaults,
  kSave,
  kCancel,
  kShownLegendIcon,
  kShownLegend,
  kHiddenLegendIcon,
  kHiddenLegend
};

// Where the list sits in its window's classifier scheme, and what the dialog may show.
struct Dialog {
  std::string window;    // clipped
  std::string sql_name;  // the name between quotes in statements
  std::string group;     // kod_klas_grupy
  int32_t offset = 0;    // skok
  std::vector<int32_t> allowed;
  int32_t first = 0;
  int32_t last = 0;
  DialogColumns rows;
};

void add_button(ui::Window& w, int number, const char* id, const char* caption, const char* key) {
  w.add(ControlKind::Button, number, id, caption).key = key;
}

void add_move_button(ui::Window& w, int number, const char* id, const char* tip, const char* icon,
                     const char* key) {
  ui::Control& b = w.add(ControlKind::Button, number, id);
  b.tip = tip;
  b.icon = icon;
  b.key = key;
}

ui::Window column_window() {
  ui::Window w("Konfiguracja_kolumn", "Ustawienia konfiguracyjne systemu");
  w.rect = {0, 0, 280, 230};
  ui::Control& list = w.add(ControlKind::List, kList, "KOLUMNY");
  list.columns = {{"", 12}, {"", 12}, {"Nazwa kolumny", 160}};
  add_move_button(w, kUp, "UP", "Przenieś w górę"_w1250, "Up.ico", "Ctrl+Up");
  add_move_button(w, kUpAll, "UPALL", "Przenieś na początek"_w1250, "first.ico", "Ctrl+Home");
  add_move_button(w, kDown, "DOWN", "Przenieś w dół"_w1250, "Dn.ico", "Ctrl+Down");
  add_move_button(w, kDownAll, "DOWNALL", "Przenieś na koniec"_w1250, "last.ico", "Ctrl+End");
  add_button(w, kShow, "POKAZ", "Pokaż"_w1250, "Ctrl+P");
  add_button(w, kHide, "UKRYJ", "Ukryj", "Ctrl+U");
  add_button(w, kLock, "ZABLOKUJ", "Zablokuj", "Ctrl+Z");
  add_button(w, kUnlock, "ODBLOKUJ", "Odblokuj", "Ctrl+O");
  add_button(w, kDefaults, "STARTOWE", "Domyślne"_w1250, "Ctrl+D");
  add_button(w, kSave, "ZATWIERDZ", "Zapisz", "F10");
  add_button(w, kCancel, "ANULUJ", "Anuluj", "Esc");
  w.add(ControlKind::Image, kShownLegendIcon, "IKONA_WIDOCZNA").icon = kShownIcon;
  w.add(ControlKind::Label, kShownLegend, "OPIS_WIDOCZNA", "kolumna widoczna w kartotece");
  w.add(ControlKind::Image, kHiddenLegendIcon, "IKONA_NIEWIDOCZNA").icon = kHiddenIcon;
  w.add(ControlKind::Label, kHiddenLegend, "OPIS_NIEWIDOCZNA", "kolumna niewidoczna w kartotece");
  w.alert_keys = {"Space"};
  return w;
}

const ui::WindowRegistrar kColumnDialog("Konfiguracja_kolumn", "KONFIGURACJA_KOLUMN",
                                        &column_window);

uint8_t byte_field(std::string_view text) {
  return static_cast<uint8_t>(long_field(text));
}

bool allowed(const Dialog& d, int32_t number) {
  return std::find(d.allowed.begin(), d.allowed.end(), number) != d.allowed.end();
}

void read_classifier(Dialog& d) {
  std::string statement =
      "select skok,kod_klas_grupy from INI_OKNO with (nolock) where NAZWA='" + d.sql_name + "'";
  if (frame::ESQL(statement) == 0 && frame::VAX().next()) {
    d.offset = long_field(frame::VAX().field(1));
    d.group = frame::VAX().field(2);
  }
  frame::CLOSESQL();
}

// The numbers of the columns the dialog may show: not hidden from everyone, no inactive field.
void read_definitions(Dialog& d) {
  read_on_channel_2(kDefinitionsStatement + d.sql_name + "'", [&](const sql::ScratchTable& t) {
    if (byte_field(t.field(9)) == 1) return;
    int32_t number = long_field(t.field(5));
    if (!additional_field_shown(byte_field(t.field(8)), d.group, d.offset, number)) return;
    d.allowed.push_back(number);
  });
}

DialogColumn default_column(const sql::ScratchTable& t) {
  DialogColumn c;
  c.format = unlock_format(text::fit(t.field(1), kFormatCapacity));
  c.window_id = number_field(t.field(3));
  c.column_id = number_field(t.field(4));
  c.number = long_field(t.field(5));
  c.caption = text::fit(t.field(6), kNameCapacity);
  c.default_width = long_field(t.field(7));
  c.width = c.default_width;
  c.additional = byte_field(t.field(8));
  c.visible = true;
  return c;
}

bool left_out_of_stock_items(const Dialog& d, const DialogColumn& c) {
  std::string_view caption = text::clip(c.caption);
  return d.window == kStockItems && (caption == "Wydano" || caption == "Przyjęto"_w1250);
}

// "Domyślne": every column of the definition visible at its default width, unlocked, in number
// order. Columns hidden from everyone stay out, as they do when the dialog opens. The formats
// stay as the definition stores them: the user's quantity setting reaches them at the next load.
DialogColumns default_rows(const Dialog& d) {
  DialogColumns rows;
  read_on_channel_2(kDefaultsStatement + d.sql_name + "'", [&](const sql::ScratchTable& t) {
    DialogColumn c = default_column(t);
    if (left_out_of_stock_items(d, c)) return;
    if (!additional_field_shown(c.additional, d.group, d.offset, c.number)) return;
    if (allowed(d, c.number)) rows.push_back(std::move(c));
  });
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return a.number < b.number; });
  return rows;
}

void show_rows(ui::Window& w, const DialogColumns& rows, int selected) {
  ui::Control& list = w.at(kList);
  list.rows.clear();
  for (const DialogColumn& c : rows) {
    list.rows.push_back({c.visible ? kShownIcon : kHiddenIcon, c.locked ? kLockedIcon : "",
                         std::string(text::clip(c.caption))});
  }
  list.selected = rows.empty() ? 0 : std::clamp(selected, 1, static_cast<int>(rows.size()));
  w.display();
}

// Mouse events on the list carry the clicked column in the event's code where the toolkit
// reports it (1 visibility, 2 lock, 3 caption). A double click that comes without a column
// (code 0, as a script's dclick gives it) belongs to the lock column, the only one a double
// click acts on.
void list_click(DialogColumns& rows, int row, const ui::Event& e) {
  if (e.key == "MouseLeft" && e.code == 1) toggle_visible(rows, row);
  if (e.key == "MouseLeft2" && (e.code == 0 || e.code == 2)) toggle_lock(rows, row);
}

int restore_defaults(const Dialog& d, DialogColumns& rows, int row) {
  if (frame::MSG_PYTANIE("Czy chcesz przywrócić ustawienia domyślne?"_w1250) != 2) {
    return row;
  }
  rows = default_rows(d);
  return 1;
}

// One command on the selected row; the row selected after it.
int command(Dialog& d, const ui::Event& e, int row) {
  if (e.kind == ui::EventKind::AlertKey && e.key == "Space") {
    toggle_visible(d.rows, row);
    return row + 1;
  }
  if (e.kind != ui::EventKind::Accepted) return row;
  switch (e.control) {
    case kUp:
      return move_up(d.rows, row);
    case kUpAll:
      return move_to_top(d.rows, row);
    case kDown:
      return move_down(d.rows, row);
    case kDownAll:
      return move_to_bottom(d.rows, row);
    case kShow:
      show_column(d.rows, row);
      break;
    case kHide:
      hide_column(d.rows, row);
      break;
    case kLock:
      lock_through(d.rows, row);
      break;
    case kUnlock:
      unlock_from(d.rows, row);
      break;
    case kDefaults:
      return restore_defaults(d, d.rows, row);
    case kList:
      list_click(d.rows, row, e);
      break;
    default:
      break;
  }
  return row;
}

// "Zapisz": refused while the locked rows are not one block from the top.
bool save(const Dialog& d) {
  if (int n = broken_lock_block(d.rows)) {
    frame::MSG_OSTRZEZENIE("Wszystkie kolumny do 1 do " + std::to_string(n) +
                           " muszą być zablokowane!"_w1250);
    return false;
  }
  write_back(d.window, d.rows, d.first, d.last);
  return true;
}

uint8_t run(ui::Window& w, Dialog& d) {
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancel)) return 0;
    if (e.accepted(kSave)) {
      if (save(d)) return 1;
      continue;
    }
    show_rows(w, d.rows, command(d, e, w.at(kList).selected));
  }
}

}  // namespace

uint8_t KONFIGURACJA_KOLUMN(std::string_view window) {
  Dialog d;
  d.window = std::string(text::clip(window));
  d.sql_name = text::double_apostrophes(d.window);
  read_classifier(d);
  read_definitions(d);
  POBIERZZAKRESKOLUMNBROWSERA(d.window, d.first, d.last);
  if (d.first == 0 || d.last == 0) {
    frame::MSG_OSTRZEZENIE("Wystąpił błąd w odczycie konfiguracj kolumn!"_w1250);
    return 0;
  }
  d.rows = rows_for_dialog(d.window, d.first, d.last, d.allowed);
  ui::Window w = column_window();
  w.title = dialog_title(d.window);
  show_rows(w, d.rows, 1);
  frame::open_window(w, "obs_rej_kol.htm");
  uint8_t result = run(w, d);
  w.close();
  return result;
}

}  // namespace orv::lists
