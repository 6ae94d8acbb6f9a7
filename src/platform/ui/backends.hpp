// Window backends by name: each backend registers itself, and hosts choose one by name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/script.hpp"

namespace orv::ui {

struct UiOptions {
  std::vector<std::string> answers;  // answers for boxes the script does not answer, in order
  bool strict = false;               // input the script does not give fails the run
  bool interactive = false;          // a person answers what the script does not (qt)
  std::string screenshots;           // qt: a folder for a PNG of each window as the script acts
};

// One chosen backend: the script engine that keeps the records (boxes, windows, notes) and the
// backend to install, which is the engine itself or the engine shown through a toolkit.
class UiSession {
 public:
  virtual ~UiSession() = default;
  virtual ScriptedBackend& engine() = 0;
  virtual Backend& backend() = 0;
};

// Makes a session; `engine`, when given, is driven instead of a new one (and outlives the
// session). Returns nullptr when the backend cannot drive an engine of the caller's.
using UiMaker = std::unique_ptr<UiSession> (*)(const UiOptions& options, ScriptedBackend* engine);

// Registers a backend by one static object in its own folder; `usable` says whether it can run
// in this process (a toolkit without a display, say), nullptr meaning always.
struct UiBackendRegistrar {
  UiBackendRegistrar(const char* name, UiMaker make, bool (*usable)() = nullptr);
};

// The backend of that name (case-insensitive), nullptr when none is registered or usable.
std::unique_ptr<UiSession> make_ui(std::string_view name, const UiOptions& options = {},
                                   ScriptedBackend* engine = nullptr);
// Names of the registered backends that can run here, in registration order.
std::vector<std::string> ui_backend_names();
bool ui_backend_usable(std::string_view name);

// The backend a host uses when it names none: $ORVRUN_UI when set; otherwise, for a person at a
// terminal (no --json, --answer or script), "qt" when a display is available and "terminal"
// when not; otherwise "headless".
std::string default_ui_backend(bool person_at_terminal);
// True when $DISPLAY or $WAYLAND_DISPLAY names a display.
bool display_available();

}  // namespace orv::ui
