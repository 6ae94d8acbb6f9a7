// The classifier dictionaries: the list of dictionaries, one dictionary's values, both side by
// side, and the forms that add, change and delete them.
#include "reports/classifier_dictionaries.hpp"

#include <optional>
#include <utility>
#include <vector>

#include "config/permissions.hpp"
#include "config/reported_writes.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/transaction.hpp"
#include "frame/window_conventions.hpp"
#include "lists/list_window.hpp"
#include "lists/sql_value.hpp"
#include "lists/update_form.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::reports {
namespace {

using lists::Request;
using ui::ControlKind;

constexpr const char* kDictionaryRecord = "KLASYFIKATOR_SLOWNIK";
constexpr const char* kValueRecord = "KLASYFIKATOR_SLOWNIK_WAR";
constexpr const char* kValuesPermission = "PolaDodatkowe";
constexpr const char* kBothPermission = "SLOWNIKIDOD";
constexpr std::size_t kNameSize = 50;
constexpr std::size_t kValueSize = 100;

// Controls of the forms, and the values button of the dictionary list.
enum : int { kName = 20, kType, kPicture, kValue = 20, kValuesButton = lists::kOwnControls };

struct Dictionary {
  double id = 0;
  std::string name;
  std::string type = "tekst";
};

std::vector<std::string> data_types() {
  std::vector<std::string> out;
  out.emplace_back("tekst");
  out.emplace_back("liczba całkowita"_w1250);
  out.emplace_back("liczba");
  out.emplace_back("data");
  return out;
}

// The picture a dictionary's data type gives its values.
std::string picture_of(std::string_view type) {
  const std::string_view t = text::clip(type);
  if (t == "liczba całkowita"_w1250) return "n_8";
  if (t == "liczba") return "n-14`2";
  if (t == "data") return "d17";
  return "s100";
}

bool typed_as_number(std::string_view type) {
  const std::string_view t = text::clip(type);
  return t == "liczba" || t == "liczba całkowita"_w1250 || t == "data";
}

// A stored value as the user reads it: numbers and dates through the type's picture.
std::string shown(const Dictionary& d, std::string_view value) {
  if (!typed_as_number(d.type) || text::trim(value).empty()) return std::string(text::clip(value));
  return std::string(text::trim(picture::format(text::real_of(value), picture_of(d.type))));
}

// A typed value as it is stored: text as typed, numbers plain, dates as day numbers; nullopt
// for nothing, or a date that is none.
std::optional<std::string> stored(const Dictionary& d, std::string_view typed) {
  typed = text::trim(typed);
  if (typed.empty()) return std::nullopt;
  if (!typed_as_number(d.type)) return std::string(typed);
  const double v = picture::deformat_number(typed, picture_of(d.type));
  if (text::clip(d.type) == "data" && v <= 0) return std::nullopt;
  return plain_number(v);
}

Dictionary read_dictionary(double id) {
  Dictionary d;
  if (frame::ESQL("select nazwa, typ_danych from KLASYFIKATOR_SLOWNIK with (nolock) where "
                  "ID_SLOWNIKA=" +
                  plain_id(id)) == 0 &&
      frame::VAX().next()) {
    d = {id, frame::VAX().field(1), frame::VAX().field(2)};
  }
  frame::CLOSESQL();
  return d;
}

bool taken(const std::string& count_statement) {
  return text::long_of(frame::FUNCSQL(count_statement)) > 0;
}

// Statements that change together or not at all; the first failure is shown once.
bool all_or_none(const std::vector<std::string>& statements) {
  config::ReportedWrites writes;
  return frame::in_transaction([&] {
    for (const std::string& s : statements) {
      if (!writes.execute(s)) return false;
    }
    return true;
  });
}

// --- the dictionary form

ui::Window dictionary_form() {
  ui::Window w("Slownik_Klas_Upd", "Słownik pola dodatkowego"_w1250);
  lists::add_form_controls(w);
  w.add(ControlKind::Entry, kName, "NAZWA", "Nazwa:");
  w.add(ControlKind::DropList, kType, "TYP_DANYCH", "Typ danych:").items = data_types();
  w.add(ControlKind::Entry, kPicture, "MASKA", "Maska:").read_only = true;
  return w;
}

bool save_dictionary(Dictionary& d) {
  const std::string_view name = text::clip(d.name);
  if (text::trim(name).empty()) {
    frame::MSG_OSTRZEZENIE("Proszę wprowadzić nazwę słownika!"_w1250);
    return false;
  }
  const std::string quoted = lists::quote(name, kNameSize);
  if (taken("select count(*) from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA<>" + plain_id(d.id) +
            " and nazwa=" + quoted)) {
    frame::MSG_OSTRZEZENIE("Nazwę słownika musi być unikalna!|Proszę wprowadzić nową nazwę."_w1250);
    return false;
  }
  const std::string type = lists::quote(d.type), picture = lists::quote(picture_of(d.type));
  config::ReportedWrites writes;
  const bool written = d.id > 0 ? writes.execute("update KLASYFIKATOR_SLOWNIK set nazwa=" + quoted +
                                                 ", typ_danych=" + type + ", maska=" + picture +
                                                 " where ID_SLOWNIKA=" + plain_id(d.id))
                                : writes.execute(
                                      "insert into KLASYFIKATOR_SLOWNIK (nazwa, typ_danych, maska) "
                                      "values(" +
                                      quoted + "," + type + "," + picture + ")");
  frame::CLOSESQL();
  if (written && d.id <= 0)
    d.id = text::real_of(frame::FUNCSQL("select max(ID_SLOWNIKA) from KLASYFIKATOR_SLOWNIK"));
  return written;
}

void show_type(ui::Window& w, std::string_view type) {
  ui::Control& c = w.at(kType);
  c.selected = 1;
  const std::vector<std::string>& items = c.items;
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (items[k] == text::clip(type)) c.selected = static_cast<int>(k + 1);
  }
  c.value = items[static_cast<std::size_t>(c.selected - 1)];
  w.at(kPicture).value = picture_of(c.value);
}

// A dictionary goes with its values: none is left behind pointing at nothing.
int32_t delete_dictionary(double id) {
  if (!lists::confirm_delete()) return lists::answer_request(false);
  return lists::answer_request(
      all_or_none({"delete from KLASYFIKATOR_SLOWNIK_WAR where ID_SLOWNIKA=" + plain_id(id),
                   "delete from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA=" + plain_id(id)}));
}

// The form for a request on `d`; a dictionary added leaves its id in `d`.
int32_t edit_dictionary(Request r, Dictionary& d) {
  if (r == Request::Delete) return delete_dictionary(d.id);
  ui::Window w = dictionary_form();
  w.at(kName).value = text::clip(d.name);
  show_type(w, d.type);
  lists::UpdateForm form(w, r);
  return form.run(
      [&] {
        d.name = w.at(kName).value;
        d.type = w.at(kType).value;
        return save_dictionary(d);
      },
      [&](const ui::Event& e) {
        if (!e.accepted(kType)) return false;
        show_type(w, w.at(kType).value);
        w.display();
        return true;
      });
}

// --- the value form

ui::Window value_form() {
  ui::Window w("Slownik_Klas_War_Upd", "Wartość słownika"_w1250);
  lists::add_form_controls(w);
  w.add(ControlKind::Entry, kValue, "WARTOSC", "Wartość:"_w1250);
  return w;
}

// The value must be new to its dictionary; the row being changed does not count against it.
bool save_value(const Dictionary& d, double& value_id, std::string_view typed) {
  const std::optional<std::string> value = stored(d, typed);
  if (!value) {
    frame::MSG_OSTRZEZENIE("Proszę wprowadzić wartość słownika!"_w1250);
    return false;
  }
  const std::string quoted = lists::quote(*value, kValueSize);
  if (taken("select count(*) from KLASYFIKATOR_SLOWNIK_WAR where ID_SLOWNIKA=" + plain_id(d.id) +
            " and wartosc=" + quoted + " and id_wartosci<>" + plain_id(value_id))) {
    frame::MSG_OSTRZEZENIE("Wartości słownika "_w1250 + std::string(text::clip(d.name)) +
                           " muszą być unikalne!|Proszę wprowadzić nową wartość."_w1250);
    return false;
  }
  config::ReportedWrites writes;
  const bool written =
      value_id > 0 ? writes.execute("update KLASYFIKATOR_SLOWNIK_WAR set wartosc=" + quoted +
                                    " where id_wartosci=" + plain_id(value_id))
                   : writes.execute(
                         "insert into KLASYFIKATOR_SLOWNIK_WAR (ID_SLOWNIKA, wartosc) "
                         "values(" +
                         plain_id(d.id) + "," + quoted + ")");
  frame::CLOSESQL();
  if (written && value_id <= 0) {
    value_id = text::real_of(
        frame::FUNCSQL("select max(id_wartosci) from KLASYFIKATOR_SLOWNIK_WAR where ID_SLOWNIKA=" +
                       plain_id(d.id)));
  }
  return written;
}

int32_t edit_value(Request r, const Dictionary& d, double& value_id, std::string_view value) {
  if (r == Request::Delete) {
    if (!lists::confirm_delete()) return lists::answer_request(false);
    return lists::answer_request(all_or_none(
        {"delete from KLASYFIKATOR_SLOWNIK_WAR where id_wartosci=" + plain_id(value_id)}));
  }
  ui::Window w = value_form();
  ui::Control& entry = w.at(kValue);
  entry.value = shown(d, value);
  entry.numeric = typed_as_number(d.type) && text::clip(d.type) != "data";
  lists::UpdateForm form(w, r);
  return form.run([&] { return save_value(d, value_id, w.at(kValue).value); });
}

// --- the single lists

lists::ListDesign dictionaries_design() {
  lists::ListDesign s;
  s.name = "Slownik_Klas_Brw";
  s.title = "Słowniki pól dodatkowych"_w1250;
  s.record = kDictionaryRecord;
  s.fields = {{"ID_SLOWNIKA", "a.ID_SLOWNIKA", true},
              {"NAZWA", "a.nazwa"},
              {"TYP_DANYCH", "a.typ_danych"},
              {"MASKA", "a.maska"}};
  s.from = "KLASYFIKATOR_SLOWNIK a with (nolock)";
  s.columns = {lists::column("Nazwa", 200, 1), lists::column("Typ danych", 90, 2)};
  s.sorts = {{"Nazwa", 1}};
  s.buttons = lists::kUpdates | lists::kSelect | lists::kExport;
  return s;
}

lists::ListDesign values_design(const Dictionary& d) {
  lists::ListDesign s;
  s.name = "Slownik_Klas_War_Brw";
  s.title = "Wartości słownika "_w1250 + std::string(text::clip(d.name));
  s.record = kValueRecord;
  s.fields = {{"ID_WARTOSCI", "a.id_wartosci", true},
              {"WARTOSC", "a.wartosc", typed_as_number(d.type)},
              {"ID_SLOWNIKA", "a.ID_SLOWNIKA", true}};
  s.from = "KLASYFIKATOR_SLOWNIK_WAR a with (nolock)";
  s.where = "a.ID_SLOWNIKA=" + plain_id(d.id);
  s.columns = {lists::column("Wartości"_w1250, 150, 1,
                             typed_as_number(d.type) ? picture_of(d.type) : std::string())};
  s.sorts = {{"Wartość"_w1250, 1}};
  s.buttons = lists::kUpdates | lists::kSelect | lists::kExport;
  return s;
}

ui::Window dictionaries_window() {
  ui::Window w = lists::build_list_window(dictionaries_design());
  w.add(ControlKind::Button, kValuesButton, "WARTOSCI", "Wartości"_w1250);
  return w;
}
ui::Window values_window() {
  return lists::build_list_window(values_design(Dictionary{}));
}

std::string buffer_field(const char* record, const char* field) {
  return dict::row_field(dict::glo().records, record, field).value_or("");
}

void update_dictionary_row() {
  Dictionary d{text::real_of(buffer_field(kDictionaryRecord, "ID_SLOWNIKA")),
               buffer_field(kDictionaryRecord, "NAZWA"),
               buffer_field(kDictionaryRecord, "TYP_DANYCH")};
  const Request r = lists::form_request(d.id);
  if (edit_dictionary(r, d) == lists::kRequestCompleted && r == Request::Insert)
    dict::set_record_field(dict::glo().records, kDictionaryRecord, "ID_SLOWNIKA", plain_id(d.id));
}

// Without the right to change, a row opened from the list is only shown.
void update_value_row(const Dictionary& d, bool may_change) {
  double id = text::real_of(buffer_field(kValueRecord, "ID_WARTOSCI"));
  Request r = lists::form_request(id);
  if (d.id <= 0)
    return void(lists::answer_request(false));  // no such dictionary: nothing to add to
  if (!may_change && r != Request::View) {
    if (r != Request::Change) return void(lists::answer_request(false));
    r = Request::View;
  }
  if (edit_value(r, d, id, buffer_field(kValueRecord, "WARTOSC")) == lists::kRequestCompleted &&
      r == Request::Insert)
    dict::set_record_field(dict::glo().records, kValueRecord, "ID_WARTOSCI", plain_id(id));
}

void disable_updates(ui::Window& w, std::initializer_list<int> buttons, bool may_change) {
  for (int b : buttons) w.at(b).disabled = !may_change;
}

// --- both side by side

enum BothControl : int {
  kDictionaries = 1,
  kValues,
  kAddDictionary = 10,
  kChangeDictionary,
  kDeleteDictionary,
  kAddValue,
  kChangeValue,
  kDeleteValue,
  kCloseBoth
};

ui::Window both_window() {
  ui::Window w("Slownik_KlasWar_Brw", "Słowniki pól dodatkowych i ich wartości"_w1250);
  w.rect = {0, 0, 480, 220};
  ui::Control& left = w.add(ControlKind::List, kDictionaries, "SLOWNIKI", "Słowniki"_w1250);
  left.columns = {{"Nazwa", 150}, {"Typ danych", 80}};
  w.add(ControlKind::List, kValues, "WARTOSCI", "Wartości"_w1250).columns = {
      {"Wartości"_w1250, 150}};
  w.add(ControlKind::Button, kAddDictionary, "DODAJ_SLOWNIK", "&Dodaj");
  w.add(ControlKind::Button, kChangeDictionary, "POPRAW_SLOWNIK", "&Popraw");
  w.add(ControlKind::Button, kDeleteDictionary, "USUN_SLOWNIK", "&Usuń"_w1250);
  w.add(ControlKind::Button, kAddValue, "DODAJ_WARTOSC", "Dodaj");
  w.add(ControlKind::Button, kChangeValue, "POPRAW_WARTOSC", "Popraw");
  w.add(ControlKind::Button, kDeleteValue, "USUN_WARTOSC", "Usuń"_w1250);
  w.add(ControlKind::Button, kCloseBoth, "ZAMKNIJ", "&Zamknij").key = "Esc";
  return w;
}

const ui::WindowRegistrar kDictionariesWin("Slownik_Klas_Brw", "SLOWNIK_KLAS_BRW",
                                           &dictionaries_window);
const ui::WindowRegistrar kDictionaryForm("Slownik_Klas_Upd", "SLOWNIK_KLAS_BRW", &dictionary_form);
const ui::WindowRegistrar kValuesWin("Slownik_Klas_War_Brw", "SLOWNIK_KLAS_WAR_BRW",
                                     &values_window);
const ui::WindowRegistrar kValueForm("Slownik_Klas_War_Upd", "SLOWNIK_KLAS_WAR_BRW", &value_form);
const ui::WindowRegistrar kBothWin("Slownik_KlasWar_Brw", "SLOWNIK_KLASWAR_BRW", &both_window);

class BothLists {
 public:
  BothLists() {
    disable_updates(w_,
                    {kAddDictionary, kChangeDictionary, kDeleteDictionary, kAddValue, kChangeValue,
                     kDeleteValue},
                    may_change_);
  }
  void run();

 private:
  void read_dictionaries(double keep);
  void read_values(double keep);
  bool on_event(const ui::Event& e);
  void on_dictionary(Request r);
  void on_value(Request r);
  const Dictionary* dictionary() const;

  bool may_change_ = config::POBIERZUPRAWNIENIE(kBothPermission) != 0;
  ui::Window w_ = both_window();
  std::vector<Dictionary> dictionaries_;
  std::vector<std::pair<double, std::string>> values_;
};

template <typename Row>
const Row* chosen(const ui::Window& w, int list, const std::vector<Row>& rows) {
  const int s = w.find(list)->selected;
  return s >= 1 && s <= static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(s - 1)]
                                                      : nullptr;
}

const Dictionary* BothLists::dictionary() const {
  return chosen(w_, kDictionaries, dictionaries_);
}

void BothLists::read_dictionaries(double keep) {
  dictionaries_.clear();
  ui::Control& list = w_.at(kDictionaries);
  list.rows.clear();
  list.selected = 0;
  if (frame::ESQL("select ID_SLOWNIKA, nazwa, typ_danych from KLASYFIKATOR_SLOWNIK with (nolock) "
                  "order by nazwa") == 0) {
    while (frame::VAX().next()) {
      dictionaries_.push_back(
          {text::real_of(frame::VAX().field(1)), frame::VAX().field(2), frame::VAX().field(3)});
      list.rows.push_back({std::string(text::clip(dictionaries_.back().name)),
                           std::string(text::clip(dictionaries_.back().type))});
      if (dictionaries_.back().id == keep || list.selected == 0)
        list.selected = static_cast<int>(dictionaries_.size());
    }
  }
  frame::CLOSESQL();
  read_values(0);
}

void BothLists::read_values(double keep) {
  values_.clear();
  ui::Control& list = w_.at(kValues);
  list.rows.clear();
  list.selected = 0;
  const Dictionary* d = dictionary();
  if (d && frame::ESQL("select id_wartosci, wartosc from KLASYFIKATOR_SLOWNIK_WAR with (nolock) "
                       "where ID_SLOWNIKA=" +
                       plain_id(d->id) + " order by wartosc") == 0) {
    while (frame::VAX().next()) {
      values_.emplace_back(text::real_of(frame::VAX().field(1)), frame::VAX().field(2));
      list.rows.push_back({shown(*d, values_.back().second)});
      if (values_.back().first == keep || list.selected == 0)
        list.selected = static_cast<int>(values_.size());
    }
  }
  frame::CLOSESQL();
  w_.display();
}

void BothLists::on_dictionary(Request r) {
  Dictionary d = r == Request::Insert || !dictionary() ? Dictionary{} : *dictionary();
  if (r != Request::Insert && d.id <= 0) return;
  if (edit_dictionary(r, d) == lists::kRequestCompleted) read_dictionaries(d.id);
}

void BothLists::on_value(Request r) {
  const Dictionary* d = dictionary();
  if (!d) return;
  const auto* row = chosen(w_, kValues, values_);
  if (r != Request::Insert && !row) return;
  double id = r == Request::Insert ? 0 : row->first;
  const std::string value = r == Request::Insert ? std::string() : row->second;
  if (edit_value(r, *d, id, value) == lists::kRequestCompleted) read_values(id);
}

// True when the window closes.
bool BothLists::on_event(const ui::Event& e) {
  if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCloseBoth)) return true;
  if (e.kind == ui::EventKind::NewSelection && e.control == kDictionaries) read_values(0);
  if (e.kind != ui::EventKind::Accepted) return false;
  const Request change = may_change_ ? Request::Change : Request::View;
  switch (e.control) {
    case kAddDictionary:
      return on_dictionary(Request::Insert), false;
    case kChangeDictionary:
    case kDictionaries:
      return on_dictionary(change), false;
    case kDeleteDictionary:
      return on_dictionary(Request::Delete), false;
    case kAddValue:
      return on_value(Request::Insert), false;
    case kChangeValue:
    case kValues:
      return on_value(change), false;
    case kDeleteValue:
      return on_value(Request::Delete), false;
    default:
      return false;
  }
}

void BothLists::run() {
  read_dictionaries(0);
  frame::open_window(w_);
  while (!on_event(w_.accept())) {
  }
  w_.close();
}

}  // namespace

void SLOWNIK_KLAS_BRW() {
  const lists::ListDesign design = dictionaries_design();
  ui::Window w = dictionaries_window();
  lists::ListWindow list(w, design);
  list.on_update(&update_dictionary_row);
  list.on_event([](lists::ListWindow& l, const ui::Event& e) {
    if (!e.accepted(kValuesButton)) return false;
    const double id = text::real_of(l.field("ID_SLOWNIKA"));
    if (id <= 0) return true;
    lists::set_global_request(Request::None);
    SLOWNIK_KLAS_WAR_BRW(id);
    return true;
  });
  list.run();
}

std::string SLOWNIK_KLAS_WAR_BRW(double dictionary_id) {
  const Dictionary d = read_dictionary(dictionary_id);
  const bool may_change = config::POBIERZUPRAWNIENIE(kValuesPermission) != 0;
  const lists::ListDesign design = values_design(d);
  ui::Window w = lists::build_list_window(design);
  disable_updates(w, {lists::kInsertButton, lists::kChangeButton, lists::kDeleteButton},
                  may_change);
  lists::ListWindow list(w, design);
  list.on_update([&] { update_value_row(d, may_change); });
  if (!list.run()) return {};
  return std::string(text::clip(buffer_field(kValueRecord, "WARTOSC")));
}

void SLOWNIK_KLASWAR_BRW() {
  BothLists both;
  both.run();
}

}  // namespace orv::reports
