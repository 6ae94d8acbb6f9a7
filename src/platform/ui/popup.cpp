// Popup menus through the current backend.
#include "platform/ui/popup.hpp"

#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"

namespace orv::ui {

ItemLook item_look(std::string_view text) {
  std::string_view t = text;
  if (!t.empty() && t.front() == '[') t.remove_prefix(1);
  std::size_t digits = 0;
  while (digits < t.size() && text::is_digit(t[digits])) ++digits;
  if (digits == 0 || t.substr(digits, 2) != "(~") return {std::string(text), {}};
  auto close = t.find(")]", digits);
  if (close == std::string_view::npos) return {std::string(text), {}};
  return {std::string(t.substr(close + 2)), std::string(t.substr(digits + 2, close - digits - 2))};
}

void PopupMenu::add_item(std::string text, std::string name) {
  items_.push_back({std::move(name), std::move(text), 0});
}

PopupMenu::Item* PopupMenu::find_item(std::string_view name) {
  for (auto& i : items_) {
    if (text::equal_ci(i.name, name)) return &i;
  }
  return nullptr;
}

const PopupMenu::Item* PopupMenu::find(std::string_view name) const {
  return const_cast<PopupMenu*>(this)->find_item(name);
}

bool PopupMenu::set_text(std::string_view name, std::string text) {
  Item* i = find_item(name);
  if (i) i->text = std::move(text);
  return i != nullptr;
}

bool PopupMenu::set_level(std::string_view name, int level) {
  Item* i = find_item(name);
  if (i) i->level = level;
  return i != nullptr;
}

std::string PopupMenu::ask() const {
  std::vector<std::string> captions;
  std::vector<const Item*> choosable;
  for (const auto& i : items_) {
    if (i.text == "-") continue;
    captions.push_back(item_look(i.text).caption);
    choosable.push_back(&i);
  }
  int chosen = backend().popup(captions);
  if (chosen < 1 || chosen > static_cast<int>(choosable.size())) return {};
  return choosable[chosen - 1]->name;
}

int popup(std::string_view items) {
  std::vector<std::string> captions;
  std::vector<int> positions;
  int position = 0;
  std::size_t start = 0;
  while (start <= items.size()) {
    auto bar = items.find('|', start);
    if (bar == std::string_view::npos) bar = items.size();
    std::string_view item = items.substr(start, bar - start);
    start = bar + 1;
    if (item == "-") continue;
    ++position;
    captions.push_back(item_look(item).caption);
    positions.push_back(position);
  }
  int chosen = backend().popup(captions);
  return chosen < 1 || chosen > static_cast<int>(positions.size()) ? 0 : positions[chosen - 1];
}

}  // namespace orv::ui
