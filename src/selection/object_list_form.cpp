// The form of one object list (Lista obiektów): name, the marked set to store, warehouse and
// mobile switches, description and the assigned users.
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "lists/sql_value.hpp"
#include "lists/update_form.hpp"
#include "lists/users_tab.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/scratch_table.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "selection/object_lists.hpp"

namespace orv::selection::object_lists {
namespace {

using lists::quote;
using ui::ControlKind;

enum : int { kBasicTab = 20, kName, kStoreMarked, kByWarehouse, kMobile, kDescription };

ui::Window list_form() {
  ui::Window w("listy_obiektow_upd", "Lista obiektów"_w1250);
  w.rect = {0, 0, 300, 200};
  lists::add_form_controls(w);
  w.add(ControlKind::Tab, kBasicTab, "ZAKLADKA_DANE", "&1) Dane podstawowe");
  w.add(ControlKind::Entry, kName, "NAZWA", "Nazwa:");
  w.add(ControlKind::Check, kStoreMarked, "ZAPISZ_ZAZNACZONE", "zapisz aktualnie zaznaczonych");
  w.add(ControlKind::Check, kByWarehouse, "ZALEZNA_OD_MAGAZYNU", "lista zależna od magazynu"_w1250);
  w.add(ControlKind::Check, kMobile, "MOBILNA", "lista dostępna w systemie mobilnym"_w1250);
  w.add(ControlKind::Entry, kDescription, "OPIS", "Opis:");
  lists::add_users_tab(w);
  return w;
}

const ui::WindowRegistrar kFormWin("listy_obiektow_upd", "LISTY_OBIEKTOW_UPD", &list_form);

std::string marked_caption(int32_t kind, int32_t count) {
  const bool articles = kind == kArticles;
  if (count == 0)
    return articles ? "brak aktualnie zaznaczonych artykułów"_w1250
                    : "brak aktualnie zaznaczonych kontrahentów"_w1250;
  if (count == 1)
    return std::string("utwórz listę z "_w1250) + (articles
                                                       ? "zaznaczonego aktualnie artykułu"_w1250
                                                       : "zaznaczonego aktualnie kontrahenta");
  return "utwórz listę z zaznaczonych aktualnie "_w1250 + std::to_string(count) + " " + noun(kind) +
         " ";
}

class ListForm {
 public:
  ListForm(int32_t kind, int32_t mode, int32_t usage, int32_t warehouse)
      : kind_(kind),
        mode_(mode),
        usage_(usage),
        warehouse_(warehouse),
        w_(list_form()),
        users_(w_, "ORV_UZYTKOWNIK_LISTY_OBIEKTOW", "id_listy", 0) {}
  void run();

 private:
  bool create();
  void fill();
  void set_switches(bool adding);
  bool save();
  void remove(bool created_only);
  lists::UsersTabActions actions() const;

  int32_t kind_, mode_, usage_, warehouse_;
  ui::Window w_;
  lists::UsersTab users_;
  int32_t id_ = 0;
  std::string saved_name_;
  bool created_here_ = false;
};

// The row exists from the moment the form opens, as the users tab needs its id; the
// administrator and the current user are assigned at once.
bool ListForm::create() {
  const std::string next =
      frame::FUNCSQL("select isnull(max(id_listy),0)+1 from orv_lista_obiektow");
  const std::string name = "nowa (" + std::string(text::clip(next)) + ")";
  if (frame::ESQL("insert into ORV_LISTA_OBIEKTOW (nazwa_listy, uzycie, id_firmy, id_magazynu, "
                  "licznosc, id_uzytkownika) values(" +
                  quote(name, 50) + "," + std::to_string(kind_) + "," +
                  plain_id(dict::glo().ID_FIRMY) + "," + std::to_string(warehouse_) + ",0,0)") != 0)
    return false;
  id_ = text::long_of(frame::FUNCSQL(
      "select max(id_listy) from ORV_LISTA_OBIEKTOW where nazwa_listy=" + quote(name, 50)));
  created_here_ = id_ > 0;
  frame::EXECSQL(
      "insert into ORV_UZYTKOWNIK_LISTY_OBIEKTOW(ID_UZYTKOWNIKA, id_listy) select ID_UZYTKOWNIKA," +
      std::to_string(id_) + " from uzytkownik where id_uzytkownika in (4100001," +
      plain_id(dict::glo().ID_UZYTKOWNIKA) + ")");
  if (frame::VAX().error() != 0) frame::MSG_OSTRZEZENIE(frame::VAX().message());
  frame::CLOSESQL();
  return created_here_;
}

void ListForm::fill() {
  if (frame::ESQL3("select nazwa_listy, opis, mobile, id_magazynu from ORV_LISTA_OBIEKTOW with "
                   "(nolock) where id_listy=" +
                   std::to_string(id_)) != 0)
    return;
  sql::ScratchTable& t = frame::VAX3();
  if (t.next()) {
    saved_name_ = t.field(1);
    w_.at(kName).value = saved_name_;
    w_.at(kDescription).value = t.field(2);
    w_.at(kMobile).value = t.long_field(3) == 1 ? "1" : "0";
    w_.at(kByWarehouse).value = t.long_field(4) > 0 ? "1" : "0";
  }
  frame::CLOSESQL3();
}

void ListForm::set_switches(bool adding) {
  const int32_t count = marked_count(kind_, usage_, warehouse_);
  ui::Control& store = w_.at(kStoreMarked);
  store.caption = marked_caption(kind_, count);
  store.value = adding && count > 0 ? "1" : "0";
  store.disabled = count == 0;
  store.hidden = mode_ == 14;
  if (mode_ == 14) store.value = "0";
  ui::Control& by_warehouse = w_.at(kByWarehouse);
  by_warehouse.hidden = kind_ != kArticles || warehouse_ <= 0;
  if (adding) by_warehouse.value = "1";
  w_.at(kMobile).hidden = kind_ != kArticles;
}

bool ListForm::save() {
  const std::string name(text::clip(w_.at(kName).value));
  if (name != text::clip(saved_name_)) {
    const std::string other = frame::FUNCSQL(
        "select id_listy from ORV_LISTA_OBIEKTOW where uzycie=" + std::to_string(kind_) +
        " and id_firmy=" + plain_id(dict::glo().ID_FIRMY) + " and nazwa_listy=" + quote(name, 50) +
        " and id_listy<>" + std::to_string(id_));
    if (!text::clip(other).empty()) {
      frame::MSG_OSTRZEZENIE("Istnieje już lista o podanej nazwie!|Proszę zmienić nazwę."_w1250);
      w_.set_focus(kName);
      return false;
    }
  }
  const bool by_warehouse = w_.at(kByWarehouse).value == "1" && !w_.at(kByWarehouse).hidden;
  const int32_t store_in = by_warehouse ? warehouse_ : 0;
  if (frame::ESQL("update ORV_LISTA_OBIEKTOW with (rowlock) set nazwa_listy=" + quote(name, 50) +
                  ", opis=" + quote(w_.at(kDescription).value, 500) +
                  ", mobile=" + (w_.at(kMobile).value == "1" ? "1" : "0") + ", id_magazynu=" +
                  std::to_string(store_in) + " where id_listy=" + std::to_string(id_)) != 0)
    return false;
  frame::CLOSESQL();
  if (w_.at(kStoreMarked).value == "1") {
    frame::EXECSQL("call RM_ZapiszZaznaczoneObiekty(" + std::to_string(id_) + "," +
                   plain_id(dict::glo().ID_UZYTKOWNIKA) + "," + std::to_string(usage_) + "," +
                   std::to_string(store_in) + ")");
    frame::CLOSESQL();
  }
  dict::set_record_field(dict::glo().records, kRecord, "ID_LISTY", std::to_string(id_));
  return true;
}

// Deleting a list takes its elements and assignments with it, in one change; a list the form
// created and the user abandoned goes the same way.
void ListForm::remove(bool created_only) {
  if (created_only && !created_here_) return;
  const std::string id = std::to_string(id_);
  bool ok = true;
  for (const std::string& sql : {std::string("begin transaction"),
                                 "delete from ORV_ELEMENTY_LISTY_OBIEKTOW where id_listy=" + id,
                                 "delete from ORV_UZYTKOWNIK_LISTY_OBIEKTOW where id_listy=" + id,
                                 "delete from ORV_LISTA_OBIEKTOW where id_listy=" + id}) {
    if (ok) ok = frame::ESQL(sql) == 0;
  }
  frame::EXECSQL(ok ? "commit transaction" : "rollback transaction");
  frame::CLOSESQL();
}

lists::UsersTabActions ListForm::actions() const {
  const std::string list = std::to_string(id_);
  lists::UsersTabActions a;
  a.add = [list](double user) {
    if (frame::ESQL("insert into ORV_UZYTKOWNIK_LISTY_OBIEKTOW(ID_UZYTKOWNIKA, id_listy) values(" +
                        plain_id(user) + "," + list + ")",
                    /*quiet=*/1) != 0)
      frame::MSG_OSTRZEZENIE("Wybrany użytkownik jest już przypisany do listy!"_w1250);
    frame::CLOSESQL();
  };
  a.add_all = [list] {
    if (frame::MSG_PYTANIE(
            "Czy przydzielić wszystkich użytkowników do listy zaznaczonych rekordów?"_w1250) != 2)
      return;
    frame::ESQL(
        "insert into ORV_UZYTKOWNIK_LISTY_OBIEKTOW(ID_UZYTKOWNIKA, id_listy) select "
        "ID_UZYTKOWNIKA," +
        list +
        " from uzytkownik where id_uzytkownika not in (select id_uzytkownika from "
        "ORV_UZYTKOWNIK_LISTY_OBIEKTOW where id_listy=" +
        list + ")");
    frame::CLOSESQL();
  };
  a.remove = [list](double user) {
    if (user == 4100001)
      return frame::MSG_OSTRZEZENIE(
          "Użytkownika Administrator nie można usunąć z listy zaznaczonych rekordów."_w1250);
    if (frame::MSG_PYTANIE("Czy usunąć użytkownika z danej listy?"_w1250) != 2) return;
    frame::ESQL("delete ORV_UZYTKOWNIK_LISTY_OBIEKTOW where ID_UZYTKOWNIKA=" + plain_id(user) +
                " and id_listy=" + list);
    frame::CLOSESQL();
  };
  a.remove_all = [list] {
    if (frame::MSG_PYTANIE(
            "Czy usunąć wszystkich użytkownika z danej listy zaznaczonych rekordów?"_w1250) != 2)
      return;
    frame::ESQL("delete ORV_UZYTKOWNIK_LISTY_OBIEKTOW where ID_UZYTKOWNIKA<>4100001 and id_listy=" +
                list);
    frame::CLOSESQL();
  };
  return a;
}

void ListForm::run() {
  id_ = text::long_of(dict::row_field(dict::glo().records, kRecord, "ID_LISTY").value_or(""));
  const lists::Request request = lists::form_request(id_);
  dict::glo().GLOBALRESPONSE = lists::kRequestCancelled;
  if (request == lists::Request::Delete) {
    if (id_ <= 0 || !lists::confirm_delete()) return;
    remove(false);
    dict::glo().GLOBALRESPONSE = lists::kRequestCompleted;
    return;
  }
  if (request == lists::Request::Insert ? !create() : id_ <= 0) return;
  fill();
  set_switches(request == lists::Request::Insert);
  users_.set_object(id_);
  users_.refresh();
  if (request == lists::Request::View) users_.disable();
  const lists::UsersTabActions a = actions();
  lists::UpdateForm form(w_, request);
  const int32_t response =
      form.run([&] { return save(); }, [&](const ui::Event& e) { return users_.handle(e, a); });
  if (response != lists::kRequestCompleted) remove(true);
}

}  // namespace

void form(int32_t kind, int32_t mode, int32_t usage, int32_t warehouse) {
  ListForm f(kind, mode, usage, warehouse);
  f.run();
}

}  // namespace orv::selection::object_lists
