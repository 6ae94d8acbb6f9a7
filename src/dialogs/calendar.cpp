// KALENDARZ and KALENDARZ_OLD: the month grid, the server's weekday and the window's loop.
#include "dialogs/calendar.hpp"

#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "lists/tooltips.hpp"
#include "platform/date/date.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::dialogs {
namespace {

using ui::ControlKind;

enum : int { kMonth = 1, kYear, kGrid, kToday, kClose, kChoose };

constexpr int32_t kServerDayZero = 36163;  // 1 January 1900

const char* const kMonths[] = {
    "Styczeń"_w1250, "Luty",          "Marzec",         "Kwiecień"_w1250, "Maj",
    "Czerwiec",      "Lipiec",        "Sierpień"_w1250, "Wrzesień"_w1250, ("Październik"_w1250),
    "Listopad",      "Grudzień"_w1250};
const char* const kDayNames[] = {"Niedziela", ("Poniedziałek"_w1250), "Wtorek", "Środa"_w1250,
                                 "Czwartek",  "Piątek"_w1250,         "Sobota"};
const char* const kHeads[] = {"Pn", "Wt", "Śr"_w1250, "Cz", "Pt", "So", "N"};
const char* const kOldHeads[] = {"P", "W", "Ś"_w1250, "C", "P", "S", "N"};

int32_t last_day() {
  static const int32_t last = date::make(12, 31, 9999);
  return last;
}

ui::Window calendar_window(bool old) {
  ui::Window w(old ? "KalendarzOld" : "Kalendarz", "Kalendarz");
  w.rect = {0, 0, 150, 130};
  ui::Control& month = w.add(ControlKind::DropList, kMonth, "MIESIAC", "Miesiąc"_w1250);
  month.items.assign(std::begin(kMonths), std::end(kMonths));
  w.add(ControlKind::Entry, kYear, "ROK", "Rok").numeric = true;
  ui::Control& grid = w.add(ControlKind::List, kGrid, "DNI", "Dni");
  for (const char* head : old ? kOldHeads : kHeads) grid.columns.push_back({head, 18});
  w.add(ControlKind::Button, kToday, "DZISIAJ", "Dzisiaj").key = "Ctrl+D";
  if (old) {
    w.add(ControlKind::Button, kChoose, "WYBIERZ", "Wybierz").key = "F10";
    w.add(ControlKind::Button, kClose, "ANULUJ", "Anuluj").key = "Esc";
  } else {
    w.add(ControlKind::Button, kClose, "ZAMKNIJ", "X").key = "Esc";
    w.alert_keys = {"F10"};
  }
  return w;
}

const ui::WindowRegistrar kCalendar("Kalendarz", "KALENDARZ",
                                    [] { return calendar_window(false); });
const ui::WindowRegistrar kCalendarOld("KalendarzOld", "KALENDARZ_OLD",
                                       [] { return calendar_window(true); });

std::string short_date(int32_t day) {
  return picture::format(static_cast<double>(day), "@d17");
}

struct Cell {
  int row = 0;     // 1-based
  int column = 0;  // 1-based
};

// One calendar on the screen: the month shown, the result and the cell to fall back to.
class Calendar {
 public:
  Calendar(bool old, int32_t date)
      : old_(old),
        opened_on_(date > 0 && date <= last_day() ? date : date::today()),
        result_(date),
        shown_(opened_on_),
        w_(calendar_window(old)) {}

  int32_t run(int32_t x, int32_t y);

 private:
  int weekday(int32_t day) const { return old_ ? server_weekday(day) : monday_first_weekday(day); }
  void show_today_button();
  void build();
  int day_at(Cell c) const;
  void select(Cell c);
  bool on_event(const ui::Event& e);
  bool choose_cell();
  void month_chosen();
  void year_changed();

  const bool old_;
  const int32_t opened_on_;
  int32_t result_;
  int32_t shown_;
  ui::Window w_;
  std::vector<Week> grid_;
  Cell last_good_;
};

int32_t Calendar::run(int32_t x, int32_t y) {
  show_today_button();
  build();
  frame::open_window(w_, "obs_for_kal.htm");
  w_.rect.x = x;
  w_.rect.y = y;
  const ui::Control& today = w_.at(kToday);
  lists::USTAWTOOLTIP(w_.handle(), kToday, "Ctrl+D Ustaw dzisiejszą datę "_w1250 + today.caption);
  w_.display();
  for (;;) {
    ui::Event e = w_.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kClose)) break;
    if (on_event(e)) break;
  }
  w_.close();
  return result_;
}

void Calendar::show_today_button() {
  int32_t today = date::today();
  w_.at(kToday).caption = std::string(kDayNames[((today % 7) + 7) % 7]) + "  " + short_date(today);
}

// The grid of the shown month, with the shown day's cell selected.
void Calendar::build() {
  date::Civil c = date::civil(shown_);
  int32_t first = shown_ - (c.day - 1);
  grid_ = month_grid(shown_, weekday(first));
  ui::Control& grid = w_.at(kGrid);
  grid.rows.clear();
  for (const Week& week : grid_) {
    std::vector<std::string> cells;
    for (uint8_t d : week) cells.push_back(d == 0 ? std::string() : std::to_string(d));
    grid.rows.push_back(std::move(cells));
  }
  ui::Control& month = w_.at(kMonth);
  month.selected = c.month;
  month.value = kMonths[c.month - 1];
  w_.at(kYear).value = std::to_string(c.year);
  int column = weekday(shown_);
  Cell found{0, column};
  for (std::size_t r = 0; r < grid_.size() && found.row == 0; ++r) {
    if (grid_[r][column - 1] == c.day) found.row = static_cast<int>(r + 1);
  }
  // A server whose weekdays disagree with the grid's first row: the day is found wherever it is.
  for (std::size_t r = 0; r < grid_.size() && found.row == 0; ++r) {
    for (int k = 0; k < 7; ++k) {
      if (grid_[r][k] == c.day) found = Cell{static_cast<int>(r + 1), k + 1};
    }
  }
  select(found.row == 0 ? Cell{1, 1} : found);
  last_good_ = found.row == 0 ? Cell{1, 1} : found;
  w_.set_focus(kGrid);
  w_.display();
}

int Calendar::day_at(Cell c) const {
  if (c.row < 1 || c.row > static_cast<int>(grid_.size()) || c.column < 1 || c.column > 7) return 0;
  return grid_[c.row - 1][c.column - 1];
}

void Calendar::select(Cell c) {
  ui::Control& grid = w_.at(kGrid);
  grid.selected = c.row;
  grid.column = c.column;
}

// True when the window is to close.
bool Calendar::on_event(const ui::Event& e) {
  const ui::Control& grid = w_.at(kGrid);
  Cell current{grid.selected, grid.column};
  if (e.kind == ui::EventKind::NewSelection && e.control == kGrid) {
    if (day_at(current) != 0) last_good_ = current;
    return false;
  }
  bool choose = e.accepted(kGrid) || e.accepted(kChoose) ||
                (e.kind == ui::EventKind::AlertKey && e.key == "F10");
  if (choose) return choose_cell();
  if (e.accepted(kToday)) {
    result_ = date::today();
    return true;
  }
  if (e.accepted(kMonth)) month_chosen();
  if (e.accepted(kYear)) year_changed();
  return false;
}

bool Calendar::choose_cell() {
  const ui::Control& grid = w_.at(kGrid);
  int day = day_at(Cell{grid.selected, grid.column});
  if (day != 0) {
    date::Civil c = date::civil(shown_);
    result_ = date::make(c.month, day, c.year);
    return true;
  }
  result_ = opened_on_;
  select(last_good_);
  w_.display();
  return false;
}

void Calendar::month_chosen() {
  int month = w_.at(kMonth).selected;
  if (month < 1 || month > 12) return;
  shown_ = date::make(month, 1, date::civil(shown_).year);
  build();
}

// A year of 1800 or less, or one the calendar cannot show (past 9999, not a number), becomes
// the current year.
void Calendar::year_changed() {
  int year = text::long_of(w_.at(kYear).value);
  if (year <= 1800 || year > 9999) year = date::civil(date::today()).year;
  int month = w_.at(kMonth).selected;
  shown_ = date::make(month >= 1 && month <= 12 ? month : 1, 1, year);
  build();
}

int32_t open_calendar(bool old, int32_t x, int32_t y, int32_t date) {
  Calendar calendar(old, date);
  return calendar.run(x, y);
}

}  // namespace

int monday_first_weekday(int32_t day) {
  int r = ((day % 7) + 7) % 7;
  return r == 0 ? 7 : r;
}

std::vector<Week> month_grid(int32_t shown, int first_column) {
  date::Civil c = date::civil(shown);
  // The month's length: forward a day at a time, at most 33 days, while the month stays.
  int length = c.day;
  for (int32_t i = 1; i <= 33; ++i) {
    date::Civil next = date::civil(shown + i);
    if (next.month != c.month) break;
    length = next.day;
  }
  std::vector<Week> grid(6, Week{});
  int day = 1;
  for (int cell = first_column - 1; cell < 42 && day <= length; ++cell, ++day) {
    grid[cell / 7][cell % 7] = static_cast<uint8_t>(day);
  }
  Week empty{};
  if (grid[5] == empty) grid.pop_back();
  return grid;
}

int server_weekday(int32_t day) {
  frame::EXECSQL("select datepart(dw,convert(datetime," + std::to_string(day - kServerDayZero) +
                 "))");
  int weekday = 0;
  if (frame::VAX().error() == 0 && frame::VAX().next()) weekday = frame::VAX().long_field(1);
  frame::CLOSESQL();
  return weekday >= 1 && weekday <= 7 ? weekday : monday_first_weekday(day);
}

int32_t KALENDARZ(int32_t x, int32_t y, int32_t date) {
  return open_calendar(/*old=*/false, x, y, date);
}

int32_t KALENDARZ_OLD(int32_t x, int32_t y, int32_t date) {
  return open_calendar(/*old=*/true, x, y, date);
}

}  // namespace orv::dialogs
