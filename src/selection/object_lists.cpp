// The window of object lists and the clipboard list (mode 24).
#include "selection/object_lists.hpp"

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "lists/list_window.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"

namespace orv::selection {
namespace object_lists {

std::string noun(int32_t kind) {
  return kind == kArticles ? "artykułów"_w1250 : "kontrahentów"_w1250;
}

int32_t marked_count(int32_t kind, int32_t usage, int32_t warehouse) {
  const std::string user = plain_id(dict::glo().ID_UZYTKOWNIKA);
  if (kind == kArticles && warehouse > 0) {
    return text::long_of(frame::FUNCSQL(
        "select count(*) from zaznaczone z inner join artykul a on (z.id=a.id_artykulu and "
        "a.id_magazynu=" +
        std::to_string(warehouse) + ") where z.id>0 and z.uzycie=" + std::to_string(usage) +
        " and z.id_sesji=" + user));
  }
  return text::long_of(frame::FUNCSQL("select count(*) from zaznaczone where id>0 and uzycie=" +
                                      std::to_string(usage) + " and id_sesji=" + user));
}

}  // namespace object_lists

namespace {

using namespace object_lists;

struct Options {
  int32_t kind = 0;
  int32_t mode = 0;
  int32_t usage = 0;
  int32_t warehouse = 0;
};

lists::ListDesign lists_design(const Options& o) {
  const std::string user = plain_id(dict::glo().ID_UZYTKOWNIKA);
  lists::ListDesign s;
  s.name = "LISTY_OBIEKTOW";
  s.title = "Listy zaznaczonych " + noun(o.kind);
  s.record = kRecord;
  s.help_topic = "kontrah_listy.htm";
  s.fields = {{"ID_LISTY", "a.id_listy", true},
              {"NAZWA_LISTY", "a.nazwa_listy"},
              {"LICZNOSC", "a.licznosc", true},
              {"MAGAZYN",
               "isnull((select m.nazwa from magazyn m with (nolock) where "
               "m.id_magazynu=a.id_magazynu),'')"},
              {"OPIS", "a.opis"},
              {"MOBILE", "a.mobile", true},
              {"ID_MAGAZYNU", "a.id_magazynu", true},
              {"UZYCIE", "a.uzycie", true},
              {"ID_UZYTKOWNIKA", "a.id_uzytkownika", true}};
  s.from = "ORV_LISTA_OBIEKTOW a with (nolock)";
  s.where =
      "a.uzycie=" + std::to_string(o.kind) + " and a.id_firmy=" + plain_id(dict::glo().ID_FIRMY);
  // A clipboard list belongs to its user through ID_UZYTKOWNIKA and has no assigned users.
  s.where += o.mode == 24
                 ? " and a.id_uzytkownika=" + user
                 : " and a.id_uzytkownika=0 and a.id_listy in (select u.id_listy from "
                   "ORV_UZYTKOWNIK_LISTY_OBIEKTOW u with (nolock) where u.ID_UZYTKOWNIKA=" +
                       user + ")";
  if (o.warehouse > 0) s.where += " and a.id_magazynu in (0," + std::to_string(o.warehouse) + ")";
  lists::ListColumnDesign icon = lists::column("", 12, 5);
  icon.icons = {{"1", "~mobile.ico"}};
  lists::ListColumnDesign store = lists::column("Magazyn", 80, 3);
  store.hidden = o.warehouse <= 0;
  s.columns = {icon, lists::column("Nazwa listy", 120, 1),
               lists::column("Ilość rekordów"_w1250, 50, 2, "@n-14"), store,
               lists::column("Opis", 150, 4)};
  s.sorts = {{"Nazwa listy", 1}};
  return s;
}

ui::Window lists_window() {
  return lists::build_list_window(lists_design({kCustomers, 0, kCustomers, 0}));
}

const ui::WindowRegistrar kListWin("LISTY_OBIEKTOW", "LISTY_OBIEKTOW", &lists_window);

int32_t number_of(std::optional<std::string_view> text) {
  return text ? text::long_of(*text) : 0;
}

// "Dodaj" needs something marked first.
bool refuse_empty_insert(const Options& o) {
  if (marked_count(o.kind, o.usage, 0) > 0) return false;
  frame::MSG_OSTRZEZENIE("Proszę najpierw wykonać zaznaczenie "_w1250 + noun(o.kind) + "!");
  return true;
}

// Mode 24: the marked set as a new clipboard list of the current user.
void store_clipboard(const Options& o) {
  const std::string user = plain_id(dict::glo().ID_UZYTKOWNIKA);
  const std::string name =
      o.kind == kArticles ? "<zaznaczone artykuły>"_w1250 : "<zaznaczeni kontrahenci>";
  const std::uint8_t failed = frame::ESQL(
      "insert into ORV_LISTA_OBIEKTOW (nazwa_listy, uzycie, id_firmy, id_magazynu, licznosc, "
      "id_uzytkownika) values('" +
          name + "'," + std::to_string(o.kind) + "," + plain_id(dict::glo().ID_FIRMY) + "," +
          std::to_string(o.warehouse) + ",0," + user + ")",
      /*quiet=*/1);
  frame::CLOSESQL();
  const std::string id =
      failed ? std::string()
             : frame::FUNCSQL("select max(id_listy) from ORV_LISTA_OBIEKTOW where id_uzytkownika=" +
                              user + " and uzycie=" + std::to_string(o.kind));
  if (text::long_of(id) <= 0) {
    frame::MSG_OSTRZEZENIE("Błąd dodania do schowka!"_w1250);
    return;
  }
  frame::EXECSQL("call RM_ZapiszZaznaczoneObiekty(" + std::string(text::clip(id)) + "," + user +
                 "," + std::to_string(o.usage) + "," + std::to_string(o.warehouse) + ")");
  frame::CLOSESQL();
}

}  // namespace

void LISTY_OBIEKTOW(std::string_view kind, std::optional<std::string_view> mode,
                    std::optional<std::string_view> usage, std::optional<int32_t> warehouse) {
  Options o{text::long_of(kind), number_of(mode), number_of(usage), warehouse.value_or(0)};
  if (o.usage == 0) o.usage = o.kind;
  const lists::ListDesign design = lists_design(o);
  ui::Window w = lists::build_list_window(design);
  if (o.mode == 14) {
    for (int b : {lists::kInsertButton, lists::kChangeButton, lists::kDeleteButton})
      w.at(b).disabled = true;
  }
  if (o.mode == 24)
    w.at(lists::kInsertButton).disabled = w.at(lists::kChangeButton).disabled = true;
  lists::ListWindow list(w, design);
  list.on_update([&] { LISTY_OBIEKTOW_UPD(o.kind, o.mode, o.usage, o.warehouse); });
  list.on_event([&](lists::ListWindow&, const ui::Event& e) {
    return e.accepted(lists::kInsertButton) && refuse_empty_insert(o);
  });
  if (o.mode == 4 || o.mode == 14 || o.mode == 24)
    lists::set_global_request(lists::Request::Select);
  list.run();
}

void LISTY_OBIEKTOW_UPD(int32_t kind, std::optional<int32_t> mode, std::optional<int32_t> usage,
                        std::optional<int32_t> warehouse) {
  Options o{kind, mode.value_or(0), usage.value_or(0), warehouse.value_or(0)};
  if (o.usage == 0) o.usage = o.kind;
  // Sound behaviour: the clipboard list's own window deletes and views its lists through the
  // form; only a new list (or a host's call) stores the marked set as a clipboard list.
  const lists::Request r = lists::global_request();
  if (o.mode == 24 && (r == lists::Request::None || r == lists::Request::Insert))
    return store_clipboard(o);
  object_lists::form(o.kind, o.mode, o.usage, o.warehouse);
}

}  // namespace orv::selection
