// The users chooser over the table uzytkownik.
#include "lists/users_list.hpp"

#include "lists/list_window.hpp"
#include "lists/users_tab.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/ui/registry.hpp"

namespace orv::lists {
namespace {

ListDesign make_users_design() {
  ListDesign s;
  s.name = "Uzytkownik1_Brw";
  s.title = "Lista użytkowników"_w1250;
  s.record = "UZYTKOWNIK1";
  s.fields = {{"ID_UZYTKOWNIKA", "u.id_uzytkownika", true},
              {"NAZWA", "u.nazwa"},
              {"IDENTYFIKATOR", "u.identyfikator"}};
  s.from = "uzytkownik u with (nolock)";
  s.columns = {column("Nazwa użytkownika"_w1250, 150, 1), column("Login", 80, 2)};
  s.sorts = {{"Nazwa", 1}, {"Login", 2}};
  s.buttons = kSelect | kExport;
  return s;
}

const ListDesign& users_design() {
  static const ListDesign design = make_users_design();
  return design;
}

ui::Window users_window() {
  return build_list_window(users_design());
}

const ui::WindowRegistrar kUsersWin("Uzytkownik1_Brw", "UZYTKOWNIK1_BRW", &users_window);

}  // namespace

void UZYTKOWNIK1_BRW() {
  ui::Window w = users_window();
  ListWindow list(w, users_design());
  list.run();
}

std::optional<double> choose_user() {
  set_global_request(Request::Select);
  UZYTKOWNIK1_BRW();
  if (dict::glo().GLOBALRESPONSE != kRequestCompleted) return std::nullopt;
  auto id = dict::row_field(dict::glo().records, "UZYTKOWNIK1", "ID_UZYTKOWNIKA");
  const double user = text::real_of(id.value_or(""));
  if (user <= 0) return std::nullopt;
  return user;
}

}  // namespace orv::lists
