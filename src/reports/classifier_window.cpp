// KLASYFIKATORY_OKNO: one row per active field, the value control chosen by the field's kind and
// data type, the row buttons, and what OK gives back in each mode.
#include "reports/classifier_window.hpp"

#include <string>
#include <utility>
#include <vector>

#include "dialogs/calendar.hpp"
#include "frame/messages.hpp"
#include "frame/window_conventions.hpp"
#include "lists/list_window.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/host.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"
#include "platform/ui/window.hpp"
#include "reports/classifier_dictionaries.hpp"

namespace orv::reports {
namespace {

using ui::ControlKind;

constexpr const char* kWindowName = "Klasyfikatory_Okno";
constexpr const char* kObjectFilter =
    "wszystkie|*.*|pdf|*.pdf|bmp|*.bmp|jpg|*.jpg|gif|*.gif|word|*.doc|excel|*.xls|csv|*.csv|"
    "txt|*.txt|avi|*.avi";
constexpr int kDropWidth = 40;

// Window controls; each field's row takes the ten numbers from 100 + 10 * field number.
enum : int { kOk = 1, kCancel, kClearAll, kHintOperators, kHintPercent, kHintUnderscore };
enum RowControl : int {
  kValue = 1,
  kClear,
  kDictionary,
  kCalendar,
  kBrowse,
  kOpen,
  kCheck,
  kOperator
};

int control(int32_t field, RowControl c) {
  return 100 + 10 * field + c;
}
std::string control_id(const char* prefix, int32_t field) {
  return std::string(prefix) + std::to_string(field);
}

bool is_date(const dict::KlasyfikatorRow& f) {
  return text::clip(f.data_type) == "data";
}
bool is_number(const dict::KlasyfikatorRow& f) {
  return numeric_type(f.data_type) && !is_date(f);
}
bool is_link(const dict::KlasyfikatorRow& f) {
  return text::clip(f.data_type) == "hiperłącze"_w1250;
}
bool is_drop_down(const dict::KlasyfikatorRow& f) {
  return f.kind == 1 || f.kind == 10;
}
std::string picture_of(const dict::KlasyfikatorRow& f) {
  const std::string_view p = text::clip(f.picture);
  return p.empty() && is_date(f) ? "@d17" : std::string(p);
}

std::vector<std::string> allowed_items(std::string_view allowed) {
  std::vector<std::string> out;
  while (!text::clip(allowed).empty()) {
    const std::size_t bar = allowed.find('|');
    out.emplace_back(text::trim(allowed.substr(0, bar)));
    if (bar == std::string_view::npos) break;
    allowed.remove_prefix(bar + 1);
  }
  return out;
}

std::vector<std::string> operator_items(bool text_field) {
  std::vector<std::string> out{"=", ">", ">=", "<", "<=", "<>"};
  if (text_field) out.insert(out.end(), {"zawiera", "nie zawiera"});
  return out;
}

// A stored value (dates as day numbers) as the entry shows it, through the field's picture.
std::string shown(const dict::KlasyfikatorRow& f, std::string_view value) {
  const std::string_view v = text::trim(value);
  const std::string picture = picture_of(f);
  if (is_drop_down(f) || picture.empty() || v.empty() || !numeric_type(f.data_type))
    return std::string(text::clip(value));
  if (is_date(f) && text::real_of(v) <= 0) return {};
  return std::string(text::trim(picture::format(text::real_of(v), picture)));
}

// What the entry holds, as the caller's array keeps it: a date as its day number (blank for
// none), a number plain ("0" for blank), a text as typed.
std::string stored(const dict::KlasyfikatorRow& f, std::string_view typed) {
  const std::string_view t = text::trim(typed);
  if (!numeric_type(f.data_type)) return std::string(text::clip(typed));
  if (t.empty()) return is_date(f) ? std::string() : "0";
  const std::string picture = picture_of(f);
  const double v =
      is_drop_down(f) || picture.empty() ? text::real_of(t) : picture::deformat_number(t, picture);
  if (is_date(f)) return v > 0 ? plain_id(v) : std::string();
  return plain_number(v);
}

class FieldsWindow {
 public:
  FieldsWindow(std::vector<const dict::KlasyfikatorRow*> fields, uint8_t mode)
      : fields_(std::move(fields)), mode_(mode) {}
  int32_t run(std::string_view group, ClassifierValues& values, ClassifierValues* extra);

 private:
  void add_row(const dict::KlasyfikatorRow& f, const std::string& value, const std::string& extra);
  void add_buttons();
  void set_value(const dict::KlasyfikatorRow& f, const std::string& value);
  bool on_row(const dict::KlasyfikatorRow& f, int button);
  void choose_from_dictionary(const dict::KlasyfikatorRow& f);
  void choose_date(const dict::KlasyfikatorRow& f);
  void browse(const dict::KlasyfikatorRow& f);
  void open_object(const dict::KlasyfikatorRow& f);
  void clear_all();
  ClassifierValues typed(const ClassifierValues& values) const;
  void give_back(ClassifierValues& values, ClassifierValues* extra) const;

  std::vector<const dict::KlasyfikatorRow*> fields_;
  uint8_t mode_;
  ui::Window w_{kWindowName, "Pola dodatkowe"};
};

ui::Window designed_window() {
  ui::Window w(kWindowName, "Pola dodatkowe");
  w.add(ControlKind::Button, kOk, "OK", "OK").key = "F10";
  w.add(ControlKind::Button, kCancel, "ANULUJ", "Anuluj").key = "Esc";
  w.add(ControlKind::Button, kClearAll, "WYCZYSC", "Wyczyść wszystkie pola"_w1250);
  return w;
}

const ui::WindowRegistrar kWindow(kWindowName, "KLASYFIKATORY_OKNO", &designed_window);

void FieldsWindow::add_row(const dict::KlasyfikatorRow& f, const std::string& value,
                           const std::string& extra) {
  const int32_t n = f.number;
  const bool view = mode_ == kViewMode;
  const std::string label(text::clip(f.label));
  ui::Control& v = w_.add(is_drop_down(f) ? ControlKind::DropList : ControlKind::Entry,
                          control(n, kValue), control_id("POLE", n), label);
  if (is_drop_down(f)) {
    v.items = allowed_items(f.allowed);
    v.rect.width = kDropWidth;
  }
  v.numeric = is_number(f) && !is_drop_down(f);
  v.read_only = f.kind == 3 || view;
  v.disabled = is_drop_down(f) && view;
  set_value(f, value);
  // Only the buttons the field's kind and type give; none in a view.
  auto button = [&](RowControl c, const char* id, std::string caption, bool given) {
    if (given)
      w_.add(ControlKind::Button, control(n, c), control_id(id, n), std::move(caption)).hidden =
          view;
  };
  button(kClear, "SKASUJ", "Skasuj zawartość pola"_w1250, f.kind != 3);
  button(kDictionary, "SLOWNIK", "Otwórz słownik"_w1250, f.kind == 2);
  button(kCalendar, "KALENDARZ", "Otwórz kalendarz"_w1250, is_date(f) && f.kind != 3);
  button(kBrowse, "PRZEGLADAJ", "Przeglądaj obiekty"_w1250, f.kind == 4);
  button(kOpen, "OTWORZ",
         f.kind == 4 ? "Otwórz aplikację skojarzoną"_w1250 : "Otwórz stronę WWW"_w1250,
         f.kind == 4 || is_link(f));
  if (mode_ != kGroupChangeMode && mode_ != kFilterMode) return;
  ui::Control& check = w_.add(ControlKind::Check, control(n, kCheck),
                              control_id(mode_ == kFilterMode ? "FILTR" : "ZMIEN", n));
  check.value = mode_ == kGroupChangeMode && text::real_of(extra) != 0 ? "1" : "0";
  if (mode_ != kFilterMode) return;
  ui::Control& op = w_.add(ControlKind::DropList, control(n, kOperator), control_id("OPERATOR", n));
  op.items = operator_items(text::clip(f.data_type) == "tekst");
  const std::string given(text::trim(extra));
  op.selected = 1;
  for (std::size_t k = 0; k < op.items.size(); ++k) {
    if (op.items[k] == given) op.selected = static_cast<int>(k + 1);
  }
  op.value = op.items[static_cast<std::size_t>(op.selected - 1)];
  check.value = given.empty() ? "0" : "1";
}

// A value a drop-down does not offer (one stored before the list changed) is still shown.
void FieldsWindow::set_value(const dict::KlasyfikatorRow& f, const std::string& value) {
  ui::Control& v = w_.at(control(f.number, kValue));
  v.value = shown(f, value);
  if (v.kind != ControlKind::DropList) return;
  v.selected = 0;
  if (v.value.empty()) return;
  for (std::size_t k = 0; k < v.items.size(); ++k) {
    if (v.items[k] == v.value) v.selected = static_cast<int>(k + 1);
  }
  if (v.selected != 0) return;
  v.items.push_back(v.value);
  v.selected = static_cast<int>(v.items.size());
}

void FieldsWindow::add_buttons() {
  const bool view = mode_ == kViewMode;
  ui::Control& ok = w_.add(ControlKind::Button, kOk, "OK", "OK");
  ok.key = "F10";
  ok.hidden = view;
  w_.add(ControlKind::Button, kCancel, "ANULUJ", view ? "Zamknij" : "Anuluj").key = "Esc";
  w_.add(ControlKind::Button, kClearAll, "WYCZYSC", "Wyczyść wszystkie pola"_w1250).hidden = view;
  if (mode_ != kFilterMode) return;
  w_.add(ControlKind::Label, kHintOperators, "PODPOWIEDZ",
         "Dla operatora \"zawiera\" i \"nie zawiera\" można użyć znaków %,_"_w1250);
  w_.add(ControlKind::Label, kHintPercent, "PODPOWIEDZ_PROCENT",
         "Znak % zastępuje dowolny ciąg znaków."_w1250);
  w_.add(ControlKind::Label, kHintUnderscore, "PODPOWIEDZ_PODKRESLENIE",
         "Znak _ zastępuje dowolny jeden znak."_w1250);
}

void FieldsWindow::choose_from_dictionary(const dict::KlasyfikatorRow& f) {
  lists::set_global_request(lists::Request::Select);
  const std::string chosen = SLOWNIK_KLAS_WAR_BRW(f.dictionary_id);
  if (!chosen.empty()) set_value(f, chosen);
}

void FieldsWindow::choose_date(const dict::KlasyfikatorRow& f) {
  const int32_t current = text::long_of(stored(f, w_.at(control(f.number, kValue)).value));
  const ui::Point at = ui::mouse_position();
  const int32_t chosen = dialogs::KALENDARZ(at.x, at.y, current);
  if (chosen != current) set_value(f, std::to_string(chosen));
}

void FieldsWindow::browse(const dict::KlasyfikatorRow& f) {
  ui::Control& v = w_.at(control(f.number, kValue));
  ui::FileDialog d{"Wybierz obiekt", {}, v.value, kObjectFilter};
  if (auto file = ui::ask_file(d)) v.value = *file;
}

// The configured program gets the path as one argument, whatever it holds; without one the
// desktop opens the address or the file with its own program.
void FieldsWindow::open_object(const dict::KlasyfikatorRow& f) {
  const std::string path(text::trim(w_.at(control(f.number, kValue)).value));
  if (path.empty()) {
    frame::MSG_OSTRZEZENIE("Proszę wpisać ścieżkę do obiektu!"_w1250);
    return;
  }
  const std::string program(text::trim(f.opener));
  std::string error;
  const bool started =
      program.empty() ? ui::open_document(path, error) : ui::start_program(program, {path}, error);
  if (started) return;
  frame::MSG_OSTRZEZENIE("Prawdopodobnie ścieżka dostępu do pliku "_w1250 +
                         (program.empty() ? path : program) + " jest nieprawidłowa!"_w1250);
}

bool FieldsWindow::on_row(const dict::KlasyfikatorRow& f, int button) {
  switch (button - control(f.number, kValue) + kValue) {
    case kClear:
      return set_value(f, {}), true;
    case kDictionary:
      return choose_from_dictionary(f), true;
    case kCalendar:
      return choose_date(f), true;
    case kBrowse:
      return browse(f), true;
    case kOpen:
      return open_object(f), true;
    default:
      return false;
  }
}

// Computed fields keep their value: the user cannot change them.
void FieldsWindow::clear_all() {
  for (const dict::KlasyfikatorRow* f : fields_) {
    if (f->kind != 3) set_value(*f, {});
    if (mode_ != kFilterMode) continue;
    w_.at(control(f->number, kCheck)).value = "0";
    ui::Control& op = w_.at(control(f->number, kOperator));
    op.selected = 1;
    op.value = op.items.front();
  }
}

// A typed text that is no date leaves the field as it was, rather than blanking it unasked.
ClassifierValues FieldsWindow::typed(const ClassifierValues& values) const {
  ClassifierValues out = values;
  for (const dict::KlasyfikatorRow* f : fields_) {
    const std::string& entry = w_.find(control(f->number, kValue))->value;
    std::string value = stored(*f, entry);
    if (is_date(*f) && value.empty() && !text::trim(entry).empty()) continue;
    out[static_cast<std::size_t>(f->number - 1)] = std::move(value);
  }
  return out;
}

void FieldsWindow::give_back(ClassifierValues& values, ClassifierValues* extra) const {
  values = typed(values);
  if (!extra || (mode_ != kGroupChangeMode && mode_ != kFilterMode)) return;
  for (const dict::KlasyfikatorRow* f : fields_) {
    const bool checked = w_.find(control(f->number, kCheck))->value == "1";
    std::string& out = (*extra)[static_cast<std::size_t>(f->number - 1)];
    if (mode_ == kGroupChangeMode) out = checked ? "1" : "0";
    if (mode_ == kFilterMode) out = checked ? w_.find(control(f->number, kOperator))->value : "";
  }
}

int32_t FieldsWindow::run(std::string_view group, ClassifierValues& values,
                          ClassifierValues* extra) {
  for (const dict::KlasyfikatorRow* f : fields_) {
    const auto at = static_cast<std::size_t>(f->number - 1);
    add_row(*f, values[at], extra ? (*extra)[at] : std::string());
  }
  add_buttons();
  frame::open_window(w_);
  int32_t response = lists::kRequestCancelled;
  for (;;) {
    const ui::Event e = w_.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancel)) break;
    if (e.accepted(kOk)) {
      const bool checked = mode_ == kNewObjectMode || mode_ == kChangeMode;
      if (checked && KLASYFIKATORY_WALIDUJ(group, typed(values))) continue;
      give_back(values, extra);
      response = lists::kRequestCompleted;
      break;
    }
    if (e.accepted(kClearAll)) clear_all();
    for (const dict::KlasyfikatorRow* f : fields_) {
      if (e.kind == ui::EventKind::Accepted && on_row(*f, e.control)) break;
    }
    w_.display();
  }
  w_.close();
  return response;
}

}  // namespace

int32_t KLASYFIKATORY_OKNO(std::string_view group, ClassifierValues& values,
                           std::optional<uint8_t> mode, ClassifierValues* extra) {
  std::vector<const dict::KlasyfikatorRow*> active;
  for (const dict::KlasyfikatorRow* f : classifier_fields(group)) {
    if (f->active) active.push_back(f);
  }
  if (active.empty()) {
    frame::MSG_OSTRZEZENIE(
        "Brak zdefiniowanych pól dodatkowych lub wszystkie pola są nieaktywne!|W celu definicji "
        "proszę wejść w funkcję Administrator->Definicje->Pola dodatkowe."_w1250);
    return lists::kRequestCancelled;
  }
  FieldsWindow window(std::move(active), mode.value_or(kGroupChangeMode));
  return window.run(group, values, extra);
}

}  // namespace orv::reports
