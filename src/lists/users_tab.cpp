// The assigned-users tab of the update forms.
#include "lists/users_tab.hpp"

#include <algorithm>

#include "frame/sql_channels.hpp"
#include "lists/list_window.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/scratch_table.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"

namespace orv::lists {

using ui::ControlKind;

void add_users_tab(ui::Window& w) {
  w.add(ControlKind::Tab, kUsersTab, "ZAKLADKA_UZYTKOWNICY", "&2) Przypisani użytkownicy"_w1250);
  ui::Control& list =
      w.add(ControlKind::List, kUsersList, "UZYTKOWNICY", "Przypisani użytkownicy"_w1250);
  list.columns = {{"Nazwa użytkownika"_w1250, 120}, {"Login", 60}};
  w.add(ControlKind::Button, kUsersAdd, "DODAJ_UZYTKOWNIKA", "Dodaj").key = "Insert";
  w.add(ControlKind::Button, kUsersRemove, "USUN_UZYTKOWNIKA", "Usuń"_w1250).key = "Delete";
  w.add(ControlKind::Button, kUsersAddAll, "DODAJ_WSZYSTKICH", "Dodaj wszystkich").key =
      "Ctrl+Insert";
  w.add(ControlKind::Button, kUsersRemoveAll, "USUN_WSZYSTKICH", "Usuń wszystkich"_w1250).key =
      "Ctrl+Delete";
}

UsersTab::UsersTab(ui::Window& w, std::string table, std::string column, double object_id)
    : w_(w), table_(std::move(table)), column_(std::move(column)), object_id_(object_id) {}

void UsersTab::refresh() {
  ui::Control& list = w_.at(kUsersList);
  const int keep = list.selected;
  list.rows.clear();
  ids_.clear();
  const std::string sql =
      "select u.id_uzytkownika, u.nazwa, u.identyfikator from uzytkownik u with (nolock) inner "
      "join " +
      table_ + " x with (nolock) on (x.ID_UZYTKOWNIKA=u.id_uzytkownika) where x." + column_ + "=" +
      plain_id(object_id_) + " order by u.nazwa, u.identyfikator";
  if (frame::ESQL3(sql) == 0) {
    sql::ScratchTable& t = frame::VAX3();
    while (t.next()) {
      ids_.push_back(t.real_field(1));
      list.rows.push_back({t.field(2), t.field(3)});
    }
    frame::CLOSESQL3();
  }
  const int rows = static_cast<int>(list.rows.size());
  list.selected = rows == 0 ? 0 : std::clamp(keep, 1, rows);
  w_.display();
}

void UsersTab::disable() {
  for (int n : {kUsersAdd, kUsersRemove, kUsersAddAll, kUsersRemoveAll}) w_.at(n).disabled = true;
}

double UsersTab::selected_user() const {
  const int s = w_.find(kUsersList)->selected;
  return s >= 1 && s <= static_cast<int>(ids_.size()) ? ids_[static_cast<std::size_t>(s - 1)] : 0;
}

bool UsersTab::handle(const ui::Event& e, const UsersTabActions& a) {
  if (e.kind != ui::EventKind::Accepted) return false;
  switch (e.control) {
    case kUsersAdd:
      if (auto user = choose_user()) a.add(*user);
      break;
    case kUsersRemove:
      if (double user = selected_user(); user > 0) a.remove(user);
      break;
    case kUsersAddAll:
      a.add_all();
      break;
    case kUsersRemoveAll:
      a.remove_all();
      break;
    default:
      return false;
  }
  refresh();
  return true;
}

}  // namespace orv::lists
