// PYTAJOZAKRESDAT and PYTAJOZAKRES3DAT: named ranges, the range window and where a choice goes.
#include "dialogs/date_range.hpp"

#include <algorithm>

#include "config/parameters.hpp"
#include "dialogs/calendar.hpp"
#include "frame/messages.hpp"
#include "frame/window_conventions.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/host.hpp"
#include "platform/ui/popup.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::dialogs {
namespace {

using ui::ControlKind;

enum : int {
  kGroup = 1,
  kRange,
  kFrom,
  kFromCalendar,
  kTo,
  kToCalendar,
  kYear,
  kDays,
  kDaysLabel,
  kConfirm,
  kCancel
};

constexpr int kAnyRange = 2;
constexpr int kOlderThan = 23;
constexpr std::size_t kNameCapacity = 21;
constexpr std::size_t kDescriptionCapacity = 101;

// The kinds of document and report windows that show data within the current range.
constexpr const char* kRefreshedKinds[] = {"DOKMAG",        "SAD",    "ZAM",  "PROD",
                                           "DOKHANDL",      "DOKFIN", "ROZR", "RAPOBRSTANMAG",
                                           "RAPANALSPRZED", "CRM"};

ui::Window range_window() {
  ui::Window w("PytajOZakresDat", "Ustaw okres czasu");
  w.rect = {0, 0, 200, 120};
  w.add(ControlKind::Group, kGroup, "GRUPA", "Zakres wyświetlania"_w1250);
  ui::Control& range = w.add(ControlKind::DropList, kRange, "ZAKRES", "Zakres");
  range.items = range_names();
  range.visible_items = 10;
  w.add(ControlKind::Entry, kFrom, "DATA_OD", "od");
  w.add(ControlKind::Button, kFromCalendar, "KALENDARZ_OD", "Kalendarz od").icon = "kalendarz.ico";
  w.add(ControlKind::Entry, kTo, "DATA_DO", "do");
  w.add(ControlKind::Button, kToCalendar, "KALENDARZ_DO", "Kalendarz do").icon = "kalendarz.ico";
  w.add(ControlKind::Entry, kYear, "ROK", "Rok").numeric = true;
  // The label "dni" after it is its only caption.
  w.add(ControlKind::Entry, kDays, "ILE_DNI").numeric = true;
  w.add(ControlKind::Label, kDaysLabel, "DNI", "dni");
  w.add(ControlKind::Button, kConfirm, "ZATWIERDZ", "Zatwierdź"_w1250).key = "F10";
  w.add(ControlKind::Button, kCancel, "ANULUJ", "Anuluj").key = "Esc";
  return w;
}

const ui::WindowRegistrar kRangeWin("PytajOZakresDat", "PYTAJOZAKRESDAT", &range_window);

std::string short_date(int32_t day) {
  return day == 0 ? std::string() : picture::format(static_cast<double>(day), "@d17");
}

// Posts the refresh event to every open window of the listed kinds, on the thread the host
// stored with it.
void refresh_open_windows() {
  for (const dict::OknoRow& row : dict::glo().tables.OKNAQ) {
    std::string name(text::clip(row.name));
    bool listed = std::any_of(std::begin(kRefreshedKinds), std::end(kRefreshedKinds),
                              [&](const char* kind) { return text::equal_ci(name, kind); });
    if (listed && row.value != 0) ui::post_event(row.value, kRefreshEvent);
  }
}

void save_global_range(const RangeFields& f, int position, const std::string& description) {
  dict::Context& g = dict::glo();
  g.ZAKRES = text::fit(f.name, kNameCapacity);
  g.ZAKRESPOS = static_cast<uint8_t>(position);
  g.ZAKRESOPIS = description;
  g.DATA_OD = f.from;
  g.DATA_DO = f.to;
  config::USTAWPARAMKONF("u", "ZakrWys", text::clip(f.name));
  config::USTAWPARAMKONF("u", "Data_Od", std::to_string(f.from));
  config::USTAWPARAMKONF("u", "Data_Do", std::to_string(f.to));
  ui::set_status_text(5, description);
  if (text::clip(config::POBIERZPARAMKONF("u", "OdswiezKartot")) == "Tak") refresh_open_windows();
}

// One range window: the fields, their controls and where a confirmed choice goes.
class RangePrompt {
 public:
  explicit RangePrompt(RangeFields f) : f_(std::move(f)) {}
  // True when confirmed; the fields then hold the choice.
  bool run();
  const RangeFields& fields() const { return f_; }
  int position() const { return w_.find(kRange)->selected; }

 private:
  void show();
  bool on_event(const ui::Event& e);
  void date_typed(int control, int32_t& field);
  void calendar(int button, int32_t& field);
  void set_any_range(bool hide_days);
  bool confirmable();

  RangeFields f_;
  ui::Window w_ = range_window();
};

bool RangePrompt::run() {
  w_.at(kRange).selected = range_position(f_.name);
  w_.set_focus(kRange);
  show();
  frame::open_window(w_);
  for (;;) {
    ui::Event e = w_.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancel)) break;
    if (e.accepted(kConfirm) && confirmable()) {
      w_.close();
      return true;
    }
    on_event(e);
  }
  w_.close();
  return false;
}

void RangePrompt::show() {
  ui::Control& range = w_.at(kRange);
  range.value = f_.name;
  w_.at(kFrom).value = short_date(f_.from);
  w_.at(kTo).value = short_date(f_.to);
  w_.at(kYear).value = std::to_string(f_.year);
  w_.at(kDays).value = std::to_string(f_.days);
  w_.at(kDays).hidden = w_.at(kDaysLabel).hidden = !f_.days_shown;
  w_.display();
}

bool RangePrompt::on_event(const ui::Event& e) {
  if (e.accepted(kRange)) {
    choose_range(f_, w_.at(kRange).selected, date::today());
  } else if (e.accepted(kFrom)) {
    date_typed(kFrom, f_.from);
  } else if (e.accepted(kTo)) {
    date_typed(kTo, f_.to);
  } else if (e.accepted(kFromCalendar)) {
    calendar(kFromCalendar, f_.from);
  } else if (e.accepted(kToCalendar)) {
    calendar(kToCalendar, f_.to);
  } else if (e.accepted(kYear)) {
    auto year = text::read_long(w_.at(kYear).value);
    if (year) move_to_year(f_, *year);
  } else if (e.accepted(kDays)) {
    // A count that is no number leaves the date as it was.
    if (auto days = text::read_long(w_.at(kDays).value)) {
      f_.days = *days;
      f_.to = std::max<int32_t>(0, date::today() - *days);
    }
  } else {
    return false;
  }
  show();
  return true;
}

// A typed date makes the range "dowolny zakres"; a text that is no date leaves the field as it
// was rather than opening the range.
void RangePrompt::date_typed(int control, int32_t& field) {
  std::string_view typed = text::trim(w_.at(control).value);
  int32_t day = typed.empty() ? 0 : static_cast<int32_t>(picture::deformat_number(typed, "@d17"));
  if (!typed.empty() && day <= 0) return;
  field = day;
  set_any_range(/*hide_days=*/true);
}

void RangePrompt::calendar(int button, int32_t& field) {
  const ui::Rect& at = w_.at(button).rect;
  int32_t chosen = KALENDARZ(w_.rect.x + at.x, w_.rect.y + at.y, field);
  if (chosen == field) return;
  field = chosen;
  set_any_range(/*hide_days=*/false);
}

void RangePrompt::set_any_range(bool hide_days) {
  f_.name = range_names()[kAnyRange - 1];
  if (hide_days) f_.days_shown = false;
  w_.at(kRange).selected = kAnyRange;
}

bool RangePrompt::confirmable() {
  if (f_.to >= f_.from) return true;
  frame::MSG_OSTRZEZENIE("Data od nie może być większa od daty do!"_w1250);
  return false;
}

// The window's starting fields: the caller's, or the shared range's.
RangeFields starting_fields(bool caller_mode, const int32_t* from, const int32_t* to,
                            const std::string* name) {
  RangeFields f;
  if (caller_mode) {
    f.name = text::clip(*name);
    f.from = from ? *from : 0;
    f.to = to ? *to : 0;
  } else {
    const dict::Context& g = dict::glo();
    f.name = text::clip(g.ZAKRES);
    f.from = g.DATA_OD;
    f.to = g.DATA_DO;
    if (f.name.empty()) {
      f.name = range_names()[0];
      f.from = f.to = 0;
    } else if (range_position(f.name) == kOlderThan) {
      f.days_shown = true;
      f.days = date::today() - f.to;
      f.from = 0;
    }
  }
  if (f.from > 0) f.year = date::civil(f.from).year;
  return f;
}

void set_local_range(const RangeFields& f, int position, const std::string& description) {
  dict::Context& g = dict::glo();
  g.ZAKRES_LOC = text::fit(f.name, kNameCapacity);
  g.ZAKRESPOS_LOC = static_cast<uint8_t>(position);
  g.ZAKRESOPIS_LOC = description;
  g.DATA_OD_LOC = f.from;
  g.DATA_DO_LOC = f.to;
}

const char* const kFixedRanges[] = {"pełny zakres"_w1250,    "dowolny zakres",
                                    "bieżący dzień"_w1250,   "ostatni tydzień"_w1250,
                                    "bieżący miesiąc"_w1250, "bieżący rok"_w1250};
const char* const kLaterRanges[] = {"1 kwartał"_w1250, "2 kwartał"_w1250, "3 kwartał"_w1250,
                                    "4 kwartał"_w1250, "starsze niż"_w1250};

}  // namespace

const std::vector<std::string>& range_names() {
  // The fixed ranges, then the twelve months of the chosen year, then the quarters and the rest.
  static const std::vector<std::string> names = [] {
    // One name at a time: clang 14 crashes evaluating a braced list of these literals.
    std::vector<std::string> out;
    for (const char* fixed : kFixedRanges) out.emplace_back(fixed);
    for (int m = 1; m <= 12; ++m) out.emplace_back(date::month_name(m));
    for (const char* rest : kLaterRanges) out.emplace_back(rest);
    return out;
  }();
  return names;
}

int range_position(std::string_view name) {
  const auto& names = range_names();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == text::clip(name)) return static_cast<int>(i + 1);
  }
  return 0;
}

void choose_range(RangeFields& f, int choice, int32_t today) {
  if (choice < 1 || choice > static_cast<int>(range_names().size())) return;
  f.name = range_names()[choice - 1];
  f.days_shown = false;
  date::Civil now = date::civil(today);
  int32_t y = f.year != 0 ? f.year : now.year;
  if (choice >= 7 && choice <= 18) {  // a month of the year field
    f.from = date::make(choice - 6, 1, y);
    f.to = date::make(choice - 5, 1, y) - 1;
    f.year = y;
    return;
  }
  if (choice >= 19 && choice <= 22) {  // a quarter; month 13 is January of the next year
    int m0 = 3 * choice - 57;
    f.from = date::make(m0 + 1, 1, y);
    f.to = date::make(m0 + 4, 1, y) - 1;
    f.year = y;
    return;
  }
  switch (choice) {
    case 1:
      f.from = f.to = f.year = 0;
      return;
    case 2:
      if (f.from == 0 && f.to == 0) f.from = f.to = today;
      break;
    case 3:
      f.from = f.to = today;
      break;
    case 4:
      f.to = today;
      f.from = today - 6;
      break;
    case 5:
      f.from = date::make(now.month, 1, now.year);
      f.to = date::make(now.month + 1, 1, now.year) - 1;
      break;
    case 6:
      f.from = date::make(1, 1, now.year);
      f.to = date::make(1, 1, now.year + 1) - 1;
      break;
    default:  // "starsze niż": everything up to sixty days ago
      f.days_shown = true;
      f.days = 60;
      f.to = today - 60;
      f.from = 0;
      f.year = 0;
      return;
  }
  f.year = now.year;
}

bool move_to_year(RangeFields& f, int32_t year) {
  if (year == 0) {
    f.year = 0;
    return true;
  }
  if (year < 1801 || year > 9999) return false;
  for (int32_t* d : {&f.from, &f.to}) {
    if (*d == 0) continue;
    date::Civil c = date::civil(*d);
    *d = date::make(c.month, c.day, year);
  }
  f.year = year;
  return true;
}

std::string range_description(std::string_view name, int32_t from, int32_t to) {
  if (text::clip(name) == range_names()[0]) return range_names()[0];
  return text::fit(
      std::string(text::clip(name)) + " (" + short_date(from) + " - " + short_date(to) + ")",
      kDescriptionCapacity);
}

uint8_t PYTAJOZAKRESDAT(std::optional<uint8_t> save_global, int32_t* from, int32_t* to,
                        std::string* name) {
  bool caller_mode = name && !text::clip(*name).empty();
  RangePrompt prompt(starting_fields(caller_mode, from, to, name));
  if (!prompt.run()) return 0;
  const RangeFields& f = prompt.fields();
  if (caller_mode) {
    if (from) *from = f.from;
    if (to) *to = f.to;
    *name = f.name;
    return 1;
  }
  std::string description = range_description(f.name, f.from, f.to);
  set_local_range(f, prompt.position(), description);
  if (save_global.value_or(0) == 1) save_global_range(f, prompt.position(), description);
  return 1;
}

uint8_t PYTAJOZAKRES3DAT(int32_t* from, int32_t* to, std::string* name) {
  static const uint8_t kCodes[] = {2, 4, 5};
  const auto& names = range_names();
  int chosen = ui::popup(names[2] + "|" + names[4] + "|" + names[5]);
  if (chosen < 1 || chosen > 3) return 0;
  int32_t today = date::today();
  date::Civil now = date::civil(today);
  RangeFields f;
  f.name = names[chosen == 1 ? 2 : chosen == 2 ? 4 : 5];
  if (chosen == 1) f.from = f.to = today;
  if (chosen == 2)
    f.from = date::make(now.month, 1, now.year), f.to = date::make(now.month + 1, 1, now.year) - 1;
  if (chosen == 3) f.from = date::make(1, 1, now.year), f.to = date::make(12, 31, now.year);
  uint8_t code = kCodes[chosen - 1];
  if (name && !text::clip(*name).empty()) {
    *name = f.name;
    if (from) *from = f.from;
    if (to) *to = f.to;
    return code;
  }
  dict::Context& g = dict::glo();
  std::string description = range_description(f.name, f.from, f.to);
  g.ZAKRES = f.name;
  g.DATA_OD = f.from;
  g.DATA_DO = f.to;
  g.ZAKRESPOS = code;
  g.ZAKRESOPIS = description;
  ui::set_status_text(5, description);
  return code;
}

}  // namespace orv::dialogs
