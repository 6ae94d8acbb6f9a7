// The registry of window backends and the choice of one when the host names none.
#include "platform/ui/backends.hpp"

#include <cstdlib>
#include <mutex>

#include "platform/text/text.hpp"

namespace orv::ui {
namespace {

struct Entry {
  std::string name;
  UiMaker make;
  bool (*usable)();
};

struct Registry {
  std::mutex mutex;
  std::vector<Entry> entries;
};

Registry& registry() {
  static Registry r;
  return r;
}

const Entry* find_entry(std::string_view name) {
  for (const auto& e : registry().entries) {
    if (text::equal_ci(e.name, name)) return &e;
  }
  return nullptr;
}

bool set(const char* variable) {
  const char* v = std::getenv(variable);
  return v && *v;
}

}  // namespace

UiBackendRegistrar::UiBackendRegistrar(const char* name, UiMaker make, bool (*usable)()) {
  std::lock_guard lock(registry().mutex);
  registry().entries.push_back({name, make, usable});
}

bool ui_backend_usable(std::string_view name) {
  std::lock_guard lock(registry().mutex);
  const Entry* e = find_entry(name);
  return e && (!e->usable || e->usable());
}

std::unique_ptr<UiSession> make_ui(std::string_view name, const UiOptions& options,
                                   ScriptedBackend* engine) {
  UiMaker make = nullptr;
  {
    std::lock_guard lock(registry().mutex);
    const Entry* e = find_entry(name);
    if (!e || (e->usable && !e->usable())) return nullptr;
    make = e->make;
  }
  return make(options, engine);
}

std::vector<std::string> ui_backend_names() {
  std::vector<Entry> entries;
  {
    std::lock_guard lock(registry().mutex);
    entries = registry().entries;
  }
  std::vector<std::string> out;
  for (const auto& e : entries) {
    if (!e.usable || e.usable()) out.push_back(e.name);
  }
  return out;
}

bool display_available() {
  return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

std::string default_ui_backend(bool person_at_terminal) {
  if (set("ORVRUN_UI")) return text::lower(std::getenv("ORVRUN_UI"));
  if (!person_at_terminal) return "headless";
  if (display_available() && ui_backend_usable("qt")) return "qt";
  return "terminal";
}

}  // namespace orv::ui
