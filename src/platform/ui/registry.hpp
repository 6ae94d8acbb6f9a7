// Every window of the library, each registered by its own definition, for `orvrun windows`.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/window.hpp"

namespace orv::ui {

struct WindowDefinition {
  std::string name;       // the window's fixed name (its INI section)
  std::string procedure;  // the exported procedure that opens it
  Window (*build)();      // the window as it is designed, before its procedure fills it in
};

// Definitions in procedure order.
std::vector<WindowDefinition> window_definitions();
const WindowDefinition* find_window_definition(const std::string& name_or_procedure);

// A window definition registers itself with one static object of this type.
struct WindowRegistrar {
  WindowRegistrar(const char* name, const char* procedure, Window (*build)());
};

}  // namespace orv::ui
