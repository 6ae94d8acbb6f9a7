// The tab of a form that lists the users a record is assigned to, with "Dodaj" (Ins), "Usuń"
// (Del), "Dodaj wszystkich" (Ctrl+Ins) and "Usuń wszystkich" (Ctrl+Del).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/ui/window.hpp"

namespace orv::lists {

enum UsersControl : int {
  kUsersTab = 60,
  kUsersList,
  kUsersAdd,
  kUsersRemove,
  kUsersAddAll,
  kUsersRemoveAll,
};

// The tab "&2) Przypisani użytkownicy" and its controls.
void add_users_tab(ui::Window& w);

// The users chooser (UZYTKOWNIK1_BRW) opened to choose one: the chosen user's id, or nothing.
std::optional<double> choose_user();

// What the four buttons do; each runs its statements and the list is read again afterwards.
struct UsersTabActions {
  std::function<void(double user)> add;
  std::function<void()> add_all;
  std::function<void(double user)> remove;
  std::function<void()> remove_all;
};

class UsersTab {
 public:
  // `table` holds (ID_UZYTKOWNIKA, `column`) pairs; the tab lists the users whose pair names
  // `object_id`, sorted by name and login.
  UsersTab(ui::Window& w, std::string table, std::string column, double object_id);

  void set_object(double object_id) { object_id_ = object_id; }
  void refresh();
  void disable();
  // True when the event was one of the tab's.
  bool handle(const ui::Event& e, const UsersTabActions& actions);
  // The highlighted user's id, 0 when none.
  double selected_user() const;

 private:
  ui::Window& w_;
  std::string table_;
  std::string column_;
  double object_id_;
  std::vector<double> ids_;
};

}  // namespace orv::lists
