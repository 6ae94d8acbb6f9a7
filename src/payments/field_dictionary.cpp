// The field dictionary of payment-file schemes ("EPP - słownik") and its form: system elements
// stay as delivered, user elements hold the constants a scheme prints.
#include <string>
#include <vector>

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/transaction.hpp"
#include "lists/list_window.hpp"
#include "lists/sql_value.hpp"
#include "lists/update_form.hpp"
#include "payments/scheme_editors.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"

namespace orv::payments {
namespace {

using ui::ControlKind;

constexpr const char* kRecord = "MC_DEF_POLA";
const std::vector<std::string> kFields = {"ID_MC_DEF_POLA", "NAZWA", "WARTOSC", "TYP"};
constexpr int kShowCurrent = 1;  // the user event that moves the highlight to the current field

enum : int { kName = 20, kValue };

lists::ListDesign dictionary_design() {
  lists::ListDesign s;
  s.name = "MC_Slownik";
  s.title = "EPP - słownik"_w1250;
  s.record = kRecord;
  s.fields = {{"ID_MC_DEF_POLA", "a.id_mc_def_pola", true},
              {"NAZWA", "a.nazwa"},
              {"WARTOSC", "a.wartosc"},
              {"TYP", "a.typ"},
              {"KOLEJNOSC", "isnull(a.typ,'')+' '+a.nazwa"}};
  s.from = "MC_DEF_POLA a with (nolock)";
  s.columns = {lists::column("Nazwa", 150, 1), lists::column("Wartość"_w1250, 120, 2)};
  s.sorts = {{"Nazwa", 4}};
  s.buttons = lists::kAllButtons;
  return s;
}

// The rows go by type, then name: a name typed into the locator would not find its row.
ui::Window dictionary_window() {
  ui::Window w = lists::build_list_window(dictionary_design());
  w.at(lists::kLocator).hidden = true;
  return w;
}

ui::Window field_form() {
  ui::Window w("UpdateMC_Slownik", "Dodaj ");
  w.rect = {0, 0, 260, 90};
  lists::add_form_controls(w);
  w.add(ControlKind::Entry, kName, "NAZWA", "Nazwa:");
  w.add(ControlKind::Entry, kValue, "WARTOSC", "Wartość:"_w1250);
  return w;
}

const ui::WindowRegistrar kListWin("MC_Slownik", "MULTICASH", &dictionary_window);
const ui::WindowRegistrar kFormWin("UpdateMC_Slownik", "UP_MC_SLOWNIK", &field_form);

std::string buffer(const char* field) {
  return dict::row_field(dict::glo().records, kRecord, field).value_or("");
}

bool system_element(std::string_view typ) {
  return text::upper(text::clip(typ)) == "S";
}

bool confirmed() {
  ui::MessageBox box;
  box.text = "Czy chcesz usunąć wybraną pozycję?"_w1250;
  box.title = "ORVEX: Pytanie";
  box.icon = ui::Icon::Exclamation;
  box.buttons = ui::kYes | ui::kNo;
  box.default_button = ui::kNo;
  return ui::backend().message(box) == ui::kYes;
}

// Sound behaviour: a user field that positions still print is kept, since the writer would
// drop those positions without a word.
int32_t positions_using(const std::string& id) {
  return text::long_of(
      frame::FUNCSQL("select count(*) from MC_DEF_POZ where id_mc_def_pola=" + id));
}

bool delete_field() {
  if (!confirmed()) return false;
  if (system_element(buffer("TYP"))) {
    frame::MSG_OSTRZEZENIE("Nie można usuwać systemowych elementów słownika."_w1250);
    return false;
  }
  const std::string id = lists::number(buffer("ID_MC_DEF_POLA"));
  if (const int32_t used = positions_using(id); used > 0) {
    frame::MSG_OSTRZEZENIE("Nie można usunąć pola używanego w definicjach schematów EPP."_w1250 +
                           std::string("|Liczba pozycji: ") + std::to_string(used));
    return false;
  }
  const bool ok = frame::ESQL("delete from MC_DEF_POLA where id_mc_def_pola=" + id) == 0;
  frame::CLOSESQL();
  return ok;
}

bool save_field(ui::Window& w, lists::Request r) {
  const std::string name = lists::quote(w.at(kName).value, 50);
  const std::string value = lists::quote(w.at(kValue).value, 100);
  if (r != lists::Request::Insert) {
    const bool ok =
        frame::ESQL("update MC_DEF_POLA with (rowlock) set NAZWA=" + name + ",WARTOSC=" + value +
                    " where id_mc_def_pola=" + lists::number(buffer("ID_MC_DEF_POLA"))) == 0;
    frame::CLOSESQL();
    return ok;
  }
  const std::string id = frame::inserted_id("insert into MC_DEF_POLA (NAZWA,WARTOSC) values(" +
                                            name + "," + value + ")");
  return !id.empty() && dict::set_record_field(dict::glo().records, kRecord, "ID_MC_DEF_POLA", id);
}

const char* form_title(lists::Request r) {
  if (r == lists::Request::Insert) return "Dodaj ";
  if (r == lists::Request::Change) return "Edycja";
  return "View Record";
}

}  // namespace

void UP_MC_SLOWNIK() {
  dict::declare_row_buffer(kRecord, kFields);
  const lists::Request r = lists::form_request(text::real_of(buffer("ID_MC_DEF_POLA")));
  if (r == lists::Request::Delete) {
    lists::answer_request(delete_field());
    return;
  }
  ui::Window w = field_form();
  w.title = form_title(r);
  w.at(kName).value = buffer("NAZWA");
  w.at(kValue).value = buffer("WARTOSC");
  if (r == lists::Request::Change && system_element(buffer("TYP"))) {
    w.at(kName).disabled = true;
    w.at(kValue).disabled = true;
    w.at(lists::kSaveButton).disabled = true;
  }
  lists::UpdateForm form(w, r);
  form.run([&] { return save_field(w, r); });
}

double choose_field(double current) {
  const lists::ListDesign design = dictionary_design();
  ui::Window w = dictionary_window();
  lists::ListWindow list(w, design);
  list.on_update([] { UP_MC_SLOWNIK(); });
  list.on_event([current](lists::ListWindow& l, const ui::Event& e) {
    if (e.kind != ui::EventKind::User || e.code != kShowCurrent) return false;
    l.show_row(current);
    return true;
  });
  if (current > 0) w.post(ui::Event(ui::EventKind::User, 0, {}, kShowCurrent));
  lists::set_global_request(lists::Request::Select);
  if (!list.run()) return 0;
  return text::real_of(buffer("ID_MC_DEF_POLA"));
}

}  // namespace orv::payments
