// The list of payment-file schemes (MultiCash) and the scheme form, which can copy the
// positions of another scheme into a new one.
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

constexpr const char* kRecord = "MC_DEF_NAG";
const std::vector<std::string> kFields = {"ID_MC_DEF_NAG", "NAZWA", "STRONA_KODOWA", "OPIS"};

enum : int { kDefinition = lists::kOwnControls };
enum : int { kName = 20, kDescription, kCodePage, kCopy, kSource };

// The code page as stored and as the form offers it; "Bez PL" reads out in full.
constexpr const char* kNoPolish = "Bez PL";
const char* const kNoPolishShown = "Bez polskich znaków"_w1250;

lists::ListDesign schemes_design() {
  lists::ListDesign s;
  s.name = "MultiCash";
  s.title = "Elektroniczne Polecenie Przelewu - schematy";
  s.record = kRecord;
  s.fields = {{"ID_MC_DEF_NAG", "a.id_mc_def_nag", true},
              {"NAZWA", "a.nazwa"},
              {"STRONA_KODOWA", "a.strona_kodowa"},
              {"OPIS", "a.opis"},
              {"STRONA_KODOWA_OPIS", std::string("case a.strona_kodowa when 'Bez PL' then '") +
                                         kNoPolishShown + "' else a.strona_kodowa end"}};
  s.from = "MC_DEF_NAG a with (nolock)";
  s.columns = {lists::column("Nazwa", 120, 1), lists::column("Strona kodowa", 70, 4),
               lists::column("Opis", 200, 3)};
  s.sorts = {{"Nazwa", 1}};
  s.buttons = lists::kAllButtons;
  return s;
}

ui::Window schemes_window() {
  ui::Window w = lists::build_list_window(schemes_design());
  w.add(ControlKind::Button, kDefinition, "DEFINICJA", "De&finicja").key = "Ctrl+D";
  return w;
}

ui::Window scheme_form() {
  ui::Window w("UpdateMultiCash", "Dodaj format EPP");
  w.rect = {0, 0, 280, 140};
  lists::add_form_controls(w);
  w.add(ControlKind::Entry, kName, "NAZWA", "Nazwa:");
  w.add(ControlKind::Entry, kDescription, "OPIS", "Opis:");
  ui::Control& page = w.add(ControlKind::DropList, kCodePage, "STRONA_KODOWA", "Strona kodowa:");
  page.items = {"Latin", "Mazovia", "Windows", kNoPolishShown};
  w.add(ControlKind::Check, kCopy, "KOPIUJ", "Kopiuj pozycje definicji");
  w.add(ControlKind::DropList, kSource, "SCHEMAT", "Schemat:").disabled = true;
  return w;
}

const ui::WindowRegistrar kListWin("MultiCash", "MULTICASH", &schemes_window);
const ui::WindowRegistrar kFormWin("UpdateMultiCash", "UP_MULTICASH", &scheme_form);

std::string buffer(const char* field) {
  return dict::row_field(dict::glo().records, kRecord, field).value_or("");
}

const char* form_title(lists::Request r) {
  if (r == lists::Request::Insert) return "Dodaj format EPP";
  if (r == lists::Request::Change) return "Edycja formatu EPP";
  return "View Record";
}

// The schemes a new one may copy from, by name: their ids as the database gave them.
std::vector<std::string> offer_sources(ui::Control& sources) {
  std::vector<std::string> ids;
  if (frame::ESQL("select id_mc_def_nag, nazwa from MC_DEF_NAG order by nazwa") == 0) {
    while (frame::VAX().next()) {
      ids.emplace_back(text::clip(frame::VAX().field(1)));
      sources.items.emplace_back(text::clip(frame::VAX().field(2)));
    }
  }
  frame::CLOSESQL();
  if (!ids.empty()) sources.selected = 1, sources.value = sources.items.front();
  return ids;
}

void show_code_page(ui::Control& page, std::string_view stored) {
  const std::string_view v = text::clip(stored);
  page.value = text::equal_ci(v, kNoPolish) ? std::string(kNoPolishShown) : std::string(v);
  for (std::size_t k = 0; k < page.items.size(); ++k) {
    if (text::equal_ci(page.items[k], page.value)) page.selected = static_cast<int>(k + 1);
  }
}

std::string stored_code_page(const ui::Control& page) {
  return page.value == kNoPolishShown ? std::string(kNoPolish) : page.value;
}

// The new scheme's id, from the batch that inserted it.
std::string insert_scheme(const std::string& values) {
  return frame::inserted_id("insert into MC_DEF_NAG (NAZWA,OPIS,STRONA_KODOWA) values(" + values +
                            ")");
}

bool save_scheme(ui::Window& w, lists::Request r) {
  const std::string name = lists::quote(w.at(kName).value, 50);
  const std::string description = lists::quote(w.at(kDescription).value, 255);
  const std::string page = lists::quote(stored_code_page(w.at(kCodePage)), 50);
  if (r == lists::Request::Insert) {
    const std::string id = insert_scheme(name + "," + description + "," + page);
    return !id.empty() && dict::set_record_field(dict::glo().records, kRecord, "ID_MC_DEF_NAG", id);
  }
  const bool ok =
      frame::ESQL("update MC_DEF_NAG with (rowlock) set NAZWA=" + name + ",OPIS=" + description +
                  ",STRONA_KODOWA=" + page +
                  " where id_mc_def_nag=" + lists::number(buffer("ID_MC_DEF_NAG"))) == 0;
  frame::CLOSESQL();
  return ok;
}

// The positions of `source` copied into the new scheme; a failure leaves it without them.
void copy_positions(const std::string& new_id, const std::string& source) {
  ui::BusyCursor busy;
  frame::EXECSQL(
      "insert into MC_DEF_POZ "
      "(ID_MC_DEF_NAG,ID_MC_DEF_POLA,LP,PREFIKS,SUFIKS,SEPARATOR,TYP,KONIEC_LINII,WYMAGANA_WARTOSC,"
      "FORMAT_TYP,FORMAT_ILOSC,FORMAT_FIXED,FORMAT_FORMAT,FORMAT_SEPARATOR,FORMAT_WYROWNANIE,"
      "FORMAT_DISPLAY_1,FORMAT_DISPLAY_2) select " +
      lists::number(new_id) +
      ",ID_MC_DEF_POLA,LP,PREFIKS,SUFIKS,SEPARATOR,TYP,KONIEC_LINII,WYMAGANA_WARTOSC,FORMAT_TYP,"
      "FORMAT_ILOSC,FORMAT_FIXED,FORMAT_FORMAT,FORMAT_SEPARATOR,FORMAT_WYROWNANIE,FORMAT_DISPLAY_1,"
      "FORMAT_DISPLAY_2" +
      " from MC_DEF_POZ where ID_MC_DEF_NAG=" + lists::number(source));
  const int error = frame::VAX().error();
  const std::string message = frame::VAX().message();
  frame::CLOSESQL();
  if (error != 0) frame::MSG_INFORMACJA(message);
}

// A scheme goes with its positions, in one change.
void delete_scheme() {
  if (!lists::confirm_delete()) {
    dict::glo().GLOBALRESPONSE = lists::kRequestCancelled;
    return;
  }
  const std::string id = lists::number(buffer("ID_MC_DEF_NAG"));
  const bool done = frame::in_transaction([&] {
    return frame::ESQL("delete from MC_DEF_POZ where id_mc_def_nag=" + id) == 0 &&
           frame::ESQL("delete from MC_DEF_NAG where id_mc_def_nag=" + id) == 0;
  });
  lists::answer_request(done);
}

void fill_form(ui::Window& w, lists::Request r) {
  w.title = form_title(r);
  w.at(kName).value = buffer("NAZWA");
  w.at(kDescription).value = buffer("OPIS");
  show_code_page(w.at(kCodePage), r == lists::Request::Insert ? "Latin" : buffer("STRONA_KODOWA"));
  const bool adding = r == lists::Request::Insert;
  w.at(kCopy).hidden = !adding;
  w.at(kSource).hidden = !adding;
}

}  // namespace

void UP_MULTICASH() {
  dict::declare_row_buffer(kRecord, kFields);
  const lists::Request r = lists::form_request(text::real_of(buffer("ID_MC_DEF_NAG")));
  if (r == lists::Request::Delete) return delete_scheme();
  ui::Window w = scheme_form();
  fill_form(w, r);
  const std::vector<std::string> sources =
      r == lists::Request::Insert ? offer_sources(w.at(kSource)) : std::vector<std::string>{};
  lists::UpdateForm form(w, r);
  const int32_t response = form.run([&] { return save_scheme(w, r); },
                                    [&](const ui::Event& e) {
                                      if (!e.accepted(kCopy)) return false;
                                      w.at(kSource).disabled = w.at(kCopy).value != "1";
                                      w.display();
                                      return true;
                                    });
  const int chosen = w.at(kSource).selected;
  if (response != lists::kRequestCompleted || r != lists::Request::Insert ||
      w.at(kCopy).value != "1" || chosen < 1 || chosen > static_cast<int>(sources.size()))
    return;
  copy_positions(buffer("ID_MC_DEF_NAG"), sources[static_cast<std::size_t>(chosen - 1)]);
}

int32_t MULTICASH(std::string_view mode) {
  const bool offers_choice = text::read_real(text::trim(mode)).value_or(0) != 0;
  const lists::ListDesign design = schemes_design();
  ui::Window w = schemes_window();
  lists::ListWindow list(w, design);
  list.on_update([] { UP_MULTICASH(); });
  list.on_event([](lists::ListWindow& l, const ui::Event& e) {
    if (!e.accepted(kDefinition)) return false;
    const double id = text::real_of(l.field("ID_MC_DEF_NAG"));
    if (id > 0) positions_list(id, l.field("NAZWA"));
    return true;
  });
  lists::set_global_request(offers_choice ? lists::Request::Select : lists::Request::None);
  if (!list.run()) return 0;
  return static_cast<int32_t>(text::real_of(buffer("ID_MC_DEF_NAG")));
}

}  // namespace orv::payments
