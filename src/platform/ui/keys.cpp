// One spelling for keys, whether a script, a button or a terminal names them.
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "platform/text/text.hpp"
#include "platform/ui/window.hpp"

namespace orv::ui {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 33> kNames{{
    {"esc", "Esc"},       {"escape", "Esc"},    {"enter", "Enter"},  {"return", "Enter"},
    {"tab", "Tab"},       {"bs", "BS"},         {"backspace", "BS"}, {"delete", "Delete"},
    {"del", "Delete"},    {"insert", "Insert"}, {"ins", "Insert"},   {"home", "Home"},
    {"end", "End"},       {"pgup", "PgUp"},     {"pageup", "PgUp"},  {"pgdn", "PgDn"},
    {"pagedown", "PgDn"}, {"up", "Up"},         {"down", "Down"},    {"left", "Left"},
    {"right", "Right"},   {"space", "Space"},   {"minus", "Minus"},  {"plus", "Plus"},
    {"slash", "Slash"},   {"pause", "Pause"},   {"print", "Print"},  {"alt", "Alt"},
    {"ctrl", "Ctrl"},     {"control", "Ctrl"},  {"shift", "Shift"},  {"+", "Plus"},
    {"-", "Minus"},
}};

std::string base_key(std::string_view part) {
  std::string low = text::lower(part);
  for (const auto& [name, canonical] : kNames) {
    if (low == name) return std::string(canonical);
  }
  if (part.size() == 1) return text::upper(part);
  bool function_key = low.size() <= 3 && low[0] == 'f' && low.size() > 1;
  for (std::size_t i = 1; function_key && i < low.size(); ++i)
    function_key = text::is_digit(low[i]);
  if (function_key) return "F" + low.substr(1);
  return std::string(part);
}

bool known_base(std::string_view part) {
  std::string low = text::lower(part);
  for (const auto& [name, canonical] : kNames) {
    if (low == name) return true;
  }
  bool function_key = low.size() >= 2 && low.size() <= 3 && low[0] == 'f';
  for (std::size_t i = 1; function_key && i < low.size(); ++i)
    function_key = text::is_digit(low[i]);
  return part.size() == 1 || function_key;
}

}  // namespace

bool known_key(std::string_view key) {
  std::string k = canonical_key(key);
  auto plus = k.rfind('+', k.size() >= 2 ? k.size() - 2 : 0);
  return known_base(plus == std::string::npos ? std::string_view(k)
                                              : std::string_view(k).substr(plus + 1));
}

std::string canonical_key(std::string_view key) {
  key = text::trim(key);
  bool ctrl = false, alt = false, shift = false;
  // "Ctrl++" names Ctrl with Plus: a '+' directly after a separator is the key itself.
  while (true) {
    auto plus = key.find('+');
    if (plus == std::string_view::npos || plus == 0 || plus + 1 >= key.size()) break;
    std::string mod = text::lower(key.substr(0, plus));
    if (mod == "ctrl" || mod == "control") {
      ctrl = true;
    } else if (mod == "alt") {
      alt = true;
    } else if (mod == "shift") {
      shift = true;
    } else {
      break;
    }
    key.remove_prefix(plus + 1);
  }
  std::string out = ctrl ? "Ctrl+" : "";
  if (alt) out += "Alt+";
  if (shift) out += "Shift+";
  return out + base_key(key);
}

}  // namespace orv::ui
