// The keyboard-shortcut dialog and its table of 382 shortcuts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv::lists {

struct Shortcut {
  std::string name;  // e.g. "Ctrl+Shift+F5", at most 30 characters
  int32_t code = 0;  // modifiers (Shift 256, Ctrl 512, Alt 1024) + the virtual-key code
};

// The table as the dialog builds it when it opens, sorted by name.
std::vector<Shortcut> shortcut_table();

// Shows "Skróty klawiszowe"; a choice writes the row's name and code and returns true; "Anuluj"
// returns false and changes nothing.
bool SKROTYKLAWISZOWE(std::string& name, int32_t& code);

}  // namespace orv::lists
