// Popup menus: the framework's menu object with named items, and the host's item-text syntax.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orv::ui {

// An item text may carry an icon: "[31848(~dodaj2.ico)]Dodaj" or "31848(~dodaj2.ico)]Dodaj"
// (31848 is the icon property's code); a text of "-" is a separator.
struct ItemLook {
  std::string caption;
  std::string icon;
};
ItemLook item_look(std::string_view text);

class PopupMenu {
 public:
  struct Item {
    std::string name;
    std::string text;
    int level = 0;
  };

  void add_item(std::string text, std::string name);
  // False when there is no item of that name.
  bool set_text(std::string_view name, std::string text);
  bool set_level(std::string_view name, int level);
  const Item* find(std::string_view name) const;
  const std::vector<Item>& items() const { return items_; }
  // Shows the menu; the chosen item's name, or "" when dismissed. Separators cannot be chosen.
  std::string ask() const;

 private:
  Item* find_item(std::string_view name);
  std::vector<Item> items_;
};

// The runtime's popup of plain captions separated by "|": the 1-based choice, 0 when dismissed.
int popup(std::string_view items);

}  // namespace orv::ui
