// The saved-filter list and form: definitions in ORV_DEFINICJA_FILTRA, the shared state (user 0)
// in ORV_FILTR_UZYTKOWNIKA, the assigned users in ORV_UZYTKOWNIK_FILTROW.
#include "selection/filter_windows.hpp"

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "lists/list_window.hpp"
#include "lists/sql_value.hpp"
#include "lists/update_form.hpp"
#include "lists/users_tab.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "selection/companion_filters.hpp"
#include "selection/saved_filters.hpp"

namespace orv::selection {
namespace {

using lists::quote;
using ui::ControlKind;

constexpr double kAdministrator = 4100001;
constexpr const char* kRecord = "ORV_DEFINICJA_FILTRA";
enum : int { kTitleLine = 20, kBasicTab, kName, kDescription, kSystem };

lists::ListDesign filters_design(std::string_view context) {
  lists::ListDesign s;
  s.name = "ListaFiltrowAplikacji_Brw";
  s.title = "Lista filtrów"_w1250;
  s.record = kRecord;
  s.help_topic = "kontrah_listy.htm";
  s.fields = {{"ID_FILTRA", "a.id_filtra", true},
              {"NAZWA", "a.nazwa"},
              {"OPIS", "a.opis"},
              {"ID_UZYTKOWNIKA", "a.id_uzytkownika", true},
              {"SYSTEMOWY", "a.systemowy", true},
              {"NAZWA_KONTEKSTU", "a.nazwa_kontekstu"}};
  s.from = "ORV_DEFINICJA_FILTRA a with (nolock)";
  s.where = "a.podsystem='FiltrF8' and a.Typ='Filtr' and a.Nazwa_kontekstu=" + quote(context, 30) +
            " and a.id_filtra in (select f.ID_FILTRA from ORV_UZYTKOWNIK_FILTROW f with (nolock) "
            "where f.ID_UZYTKOWNIKA=" +
            plain_id(dict::glo().ID_UZYTKOWNIKA) + ")";
  lists::ListColumnDesign icon = lists::column("", 12, 4);
  icon.icons = {{"0", "~filtr_uzytkownika.ico"}, {"1", "~filtron.ico"}};
  s.columns = {icon, lists::column("Nazwa", 120, 1), lists::column("Opis", 160, 2)};
  s.sorts = {{"Nazwa", 1}};
  return s;
}

ui::Window filters_window() {
  ui::Window w = lists::build_list_window(filters_design(""));
  w.at(lists::kChangeButton).tip =
      "Umożliwia edycję danych filtra oraz zastąpienie istniejącej definicji "_w1250;
  return w;
}

ui::Window filter_form() {
  ui::Window w("FiltrAplikacji_upd", "Filtr");
  w.rect = {0, 0, 300, 200};
  w.add(ControlKind::Label, kTitleLine, "NAGLOWEK", "Filtr listy");
  lists::add_form_controls(w);
  w.add(ControlKind::Tab, kBasicTab, "ZAKLADKA_DANE", "&1) Dane podstawowe");
  w.add(ControlKind::Entry, kName, "NAZWA", "Nazwa:");
  w.add(ControlKind::Entry, kDescription, "OPIS", "Opis:");
  w.add(ControlKind::Check, kSystem, "SYSTEMOWY", "Definicja systemowa").value = "0";
  lists::add_users_tab(w);
  return w;
}

const ui::WindowRegistrar kListWin("ListaFiltrowAplikacji_Brw", "LISTAFILTROWAPLIKACJI_BRW",
                                   &filters_window);
const ui::WindowRegistrar kFormWin("FiltrAplikacji_upd", "FILTRAPLIKACJI_UPD", &filter_form);

// A field by its name without the prefix ("LOC:ID_FILTRAF8" is ID_FILTRAF8), as the runtime
// names it.
dict::Field* field_named(dict::Group& record, std::string_view bare) {
  for (std::size_t k = 0; k < record.size(); ++k) {
    dict::Field& f = record.at(k);
    const std::size_t colon = f.name.find(':');
    const std::string_view name = colon == std::string::npos
                                      ? std::string_view(f.name)
                                      : std::string_view(f.name).substr(colon + 1);
    if (text::equal_ci(name, bare) && f.dimension == 0) return &f;
  }
  return nullptr;
}

void choose_filter(int32_t filter, dict::Group& record) {
  std::optional<SavedState> state = fetch_saved_state(filter, 0);
  if (!state || text::clip(state->xml).empty()) return;
  XMLDOGRUPY(state->xml, record);
  if (int32_t table = additional_table_of(record); table > 0)
    load_companion_filter(filter, table, 0);
}

std::string buffer(const char* field) {
  return dict::row_field(dict::glo().records, kRecord, field).value_or("");
}

void set_buffer(const char* field, const std::string& value) {
  dict::set_record_field(dict::glo().records, kRecord, field, value);
}

}  // namespace

void LISTAFILTROWAPLIKACJI_BRW(std::string_view context, dict::Group& record) {
  const lists::ListDesign design = filters_design(context);
  ui::Window w = filters_window();
  lists::ListWindow list(w, design);
  list.on_update([&] { FILTRAPLIKACJI_UPD(context, record); });
  if (lists::global_request() != lists::Request::Select)
    lists::set_global_request(lists::Request::Select);
  if (list.run()) choose_filter(static_cast<int32_t>(text::long_of(buffer("ID_FILTRA"))), record);
}

namespace {

// One filter's form: its definition row, the users tab and the save rules.
class FilterForm {
 public:
  FilterForm(std::string_view context, dict::Group& record)
      : context_(context),
        record_(record),
        w_(filter_form()),
        users_(w_, "ORV_UZYTKOWNIK_FILTROW", "ID_FILTRA", 0) {}

  void run();

 private:
  bool create();
  void fill();
  bool save();
  void drop_unsaved();
  void remove_definition();
  lists::UsersTabActions actions();

  std::string context_;
  dict::Group& record_;
  ui::Window w_;
  lists::UsersTab users_;
  int32_t id_ = 0;
  double creator_ = 0;
  bool created_here_ = false;
};

// The definition exists from the moment the form opens, as the users tab needs its id.
bool FilterForm::create() {
  const double user = dict::glo().ID_UZYTKOWNIKA;
  id_ = text::long_of(frame::FUNCSQL("call RM_DodajFiltrUzytkownika(''," + quote(context_, 30) +
                                     ",'Filtr','FiltrF8'," + plain_id(user) + ")"));
  creator_ = user;
  created_here_ = id_ > 0;
  return created_here_;
}

void FilterForm::fill() {
  if (frame::ESQL3("select nazwa, opis, systemowy, id_uzytkownika from ORV_DEFINICJA_FILTRA "
                   "with (nolock) where id_filtra=" +
                   std::to_string(id_)) != 0)
    return;
  if (frame::VAX3().next()) {
    w_.at(kName).value = frame::VAX3().field(1);
    w_.at(kDescription).value = frame::VAX3().field(2);
    w_.at(kSystem).value = frame::VAX3().long_field(3) == 1 ? "1" : "0";
    creator_ = frame::VAX3().real_field(4);
  }
  frame::CLOSESQL3();
}

// Sound behaviour: a definition the form created and the user abandoned goes again with its
// users, so no nameless filter is left behind.
void FilterForm::drop_unsaved() {
  if (!created_here_) return;
  frame::ESQL("delete from ORV_UZYTKOWNIK_FILTROW where ID_FILTRA=" + std::to_string(id_), 1);
  remove_definition();
}

void FilterForm::remove_definition() {
  frame::ESQL("delete from ORV_DEFINICJA_FILTRA where id_filtra=" + std::to_string(id_));
  frame::CLOSESQL();
}

bool FilterForm::save() {
  const std::string name(text::clip(w_.at(kName).value));
  const std::string other = frame::FUNCSQL(
      "select id_filtra from ORV_DEFINICJA_FILTRA where podsystem='FiltrF8' and Typ='Filtr' and "
      "nazwa=" +
      quote(name, 50) + " and id_filtra<>" + std::to_string(id_));
  if (!text::clip(other).empty()) {
    frame::MSG_OSTRZEZENIE("Istnieje już filtr o podanej nazwie!|Proszę zmienić nazwę."_w1250);
    w_.set_focus(kName);
    return false;
  }
  if (frame::ESQL("update ORV_DEFINICJA_FILTRA with (rowlock) set nazwa=" + quote(name, 50) +
                  ", opis=" + quote(w_.at(kDescription).value) +
                  ", systemowy=" + (w_.at(kSystem).value == "1" ? "1" : "0") +
                  " where id_filtra=" + std::to_string(id_)) != 0)
    return false;
  frame::CLOSESQL();
  if (dict::Field* f = field_named(record_, "ID_FILTRAF8")) f->values[0] = std::to_string(id_);
  if (!store_saved_state(id_, 0, GRUPADOXML(record_), "")) return false;
  if (int32_t table = additional_table_of(record_); table > 0) save_companion_filter(id_, table, 0);
  set_buffer("ID_FILTRA", std::to_string(id_));
  return true;
}

lists::UsersTabActions FilterForm::actions() {
  const std::string filter = std::to_string(id_);
  lists::UsersTabActions a;
  a.add = [filter](double user) {
    const std::string u = plain_id(user);
    if (text::long_of(frame::FUNCSQL("select count(*) from ORV_UZYTKOWNIK_FILTROW where "
                                     "ID_UZYTKOWNIKA=" +
                                     u + " and ID_FILTRA=" + filter)) > 0)
      return frame::MSG_OSTRZEZENIE("Wybrany użytkownik jest już przypisany do filtra!"_w1250);
    frame::ESQL("insert into ORV_UZYTKOWNIK_FILTROW(ID_UZYTKOWNIKA, ID_FILTRA) values(" + u + "," +
                filter + ")");
  };
  a.add_all = [filter] {
    if (frame::MSG_PYTANIE("Czy przydzielić wszystkich użytkowników do filtra ?"_w1250) != 2)
      return;
    frame::ESQL(
        "insert into ORV_UZYTKOWNIK_FILTROW(ID_UZYTKOWNIKA, id_FILTRA) select ID_UZYTKOWNIKA," +
        filter +
        " from uzytkownik where id_uzytkownika not in (select id_uzytkownika from "
        "ORV_UZYTKOWNIK_FILTROW where id_FILTRA=" +
        filter + ")");
  };
  a.remove = [filter, creator = creator_](double user) {
    if (user == kAdministrator)
      return frame::MSG_OSTRZEZENIE(
          "Użytkownika Administrator nie można usunąć z listy przypisanych do filtra."_w1250);
    const char* ask =
        user == creator
            ? "Czy na pewno usunąć użytkownika, któy utworzył filtr z listy przypisanych użytkowników do filtra?"_w1250
            : "Czy usunąć użytkownika z listy przypisanych do filtra?"_w1250;
    if (frame::MSG_PYTANIE(ask) != 2) return;
    frame::ESQL("delete ORV_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA=" + plain_id(user) +
                " and id_filtra=" + filter);
  };
  a.remove_all = [filter, creator = creator_] {
    if (frame::MSG_PYTANIE(
            "Czy usunąć przypisanie wszystkich użytkowników do filtra (Administrator oraz twórca filtra nie zostaną usunięci z listy) ?"_w1250) !=
        2)
      return;
    frame::ESQL(
        "delete ORV_UZYTKOWNIK_FILTROW from ORV_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA<>4100001 "
        "and ID_UZYTKOWNIKA<>" +
        plain_id(creator) + " and ID_FILTRA=" + filter);
  };
  return a;
}

void FilterForm::run() {
  id_ = text::long_of(buffer("ID_FILTRA"));
  const lists::Request request = lists::form_request(id_);
  if (request == lists::Request::Delete) {
    if (id_ <= 0 || !lists::confirm_delete()) {
      dict::glo().GLOBALRESPONSE = lists::kRequestCancelled;
      return;
    }
    remove_definition();
    dict::glo().GLOBALRESPONSE = lists::kRequestCompleted;
    return;
  }
  if (request == lists::Request::Insert ? !create() : id_ <= 0) {
    dict::glo().GLOBALRESPONSE = lists::kRequestCancelled;
    return;
  }
  fill();
  const char* mode = request == lists::Request::Insert   ? "Dodawanie filtra"
                     : request == lists::Request::Change ? "Edycja filtra"
                                                         : "Podgląd"_w1250;
  w_.at(lists::kModeText).caption = mode;
  users_.set_object(id_);
  users_.refresh();
  lists::UpdateForm form(w_, request);
  if (request == lists::Request::View) users_.disable();
  const lists::UsersTabActions a = actions();
  const int32_t response =
      form.run([&] { return save(); }, [&](const ui::Event& e) { return users_.handle(e, a); });
  if (response != lists::kRequestCompleted) drop_unsaved();
}

}  // namespace

void FILTRAPLIKACJI_UPD(std::string_view context, dict::Group& record) {
  FilterForm form(context, record);
  form.run();
}

}  // namespace orv::selection
