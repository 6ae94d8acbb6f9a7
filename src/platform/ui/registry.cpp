// The window registry: filled by static registrars while the library loads.
#include "platform/ui/registry.hpp"

#include <algorithm>
#include <mutex>

#include "platform/text/text.hpp"

namespace orv::ui {
namespace {

struct Registry {
  std::mutex mutex;
  std::vector<WindowDefinition> definitions;
};

Registry& registry() {
  static Registry r;
  return r;
}

}  // namespace

WindowRegistrar::WindowRegistrar(const char* name, const char* procedure, Window (*build)()) {
  std::lock_guard lock(registry().mutex);
  registry().definitions.push_back({name, procedure, build});
}

std::vector<WindowDefinition> window_definitions() {
  std::vector<WindowDefinition> out;
  {
    std::lock_guard lock(registry().mutex);
    out = registry().definitions;
  }
  std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
    return a.procedure != b.procedure ? a.procedure < b.procedure : a.name < b.name;
  });
  return out;
}

const WindowDefinition* find_window_definition(const std::string& name_or_procedure) {
  std::lock_guard lock(registry().mutex);
  for (const auto& d : registry().definitions) {
    if (text::equal_ci(d.name, name_or_procedure) ||
        text::equal_ci(d.procedure, name_or_procedure)) {
      return &d;
    }
  }
  return nullptr;
}

}  // namespace orv::ui
