// The window backend a host chose, and what the calls showed on it, as data.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::host {

// A host's own renderer. Texts are Windows-1250. Every member may be empty.
struct Renderer {
  // A box: the button code pressed; nullopt leaves the box to its default button.
  std::function<std::optional<unsigned>(const std::string& title, const std::string& text, int icon,
                                        unsigned buttons, unsigned default_button)>
      box;
  std::function<void(int32_t window, const std::string& name, const std::string& title)>
      open_window;
  // A control's state, on opening and whenever the window's logic changed it.
  std::function<void(int32_t window, const std::string& id, const std::string& kind,
                     const std::string& caption, const std::string& value, bool hidden,
                     bool disabled)>
      update_control;
  // The user's next action as commands of the script language ("press OK", "key Esc");
  // nullopt when the user is gone (the window then closes as by Esc).
  std::function<std::optional<std::string>(int32_t window)> next_event;
  std::function<void(int32_t window)> close_window;
  // A file or folder dialog: the chosen path, nullopt when cancelled.
  std::function<std::optional<std::string>(const std::string& title, const std::string& folder,
                                           const std::string& file, const std::string& filter,
                                           bool save, bool folders)>
      file_dialog;
};

// How a backend chosen by name runs.
struct UiChoice {
  std::vector<std::string> answers;  // for questions the script does not answer, in order
  bool strict = false;               // input the script does not give fails the run
  bool interactive = false;          // a person answers what the script does not
  std::string screenshots;           // qt: a folder for a PNG of each window as the script acts
};

// Each installs a backend for every later call and forgets what the previous one recorded.
// By name ("headless", "terminal", "qt" where it can run; empty: the platform's default for
// `interactive`), driven by `script`. False with `error` for an unknown backend or a script
// that does not parse.
bool use_ui(std::string_view name, std::string_view script, const UiChoice& choice,
            std::string& error);
// Shorthands: headless with a script, the terminal.
bool use_headless(std::string_view script, const std::vector<std::string>& answers, bool strict,
                  std::string& error);
void use_terminal();
// A further answer for the backend in use.
void add_answer(std::string answer);
// The host's renderer.
void use_renderer(Renderer renderer);
// Back to the library's default: boxes take their default button, windows close at once.
void use_default_ui();
// The backends that can run here, in order.
std::vector<std::string> ui_names();

// What the calls since the backend was installed (or the records cleared) showed. Nothing for
// the default backend.
struct ShownMessage {
  std::string kind;    // "question", "info", "warning" or "error" (the SQL error window)
  std::string title;   // Windows-1250
  std::string text;    // for "error": the statement
  std::string answer;  // "yes", "no", "ok"... or the chosen caption; empty for "error"
};
struct ShownControl {
  std::string id;
  std::string value;  // Windows-1250
};
// A control's tip and icon, which hold no value but say what the window showed.
struct ShownMark {
  std::string id;
  std::string tip;  // Windows-1250
  std::string icon;
};
struct ShownWindow {
  std::string name;
  std::string title;
  std::vector<ShownControl> controls;  // those that hold a value
  std::vector<ShownMark> marks;        // those with a tip or an icon
};
struct Shown {
  std::vector<ShownMessage> messages;  // boxes in order, then error windows
  std::vector<ShownWindow> windows;
  std::vector<std::string> notes;     // UTF-8: windows closed for want of input
  std::string failure;                // UTF-8: why the script failed, empty when it did not
  std::vector<std::string> leftover;  // UTF-8: script commands nothing took
  std::vector<std::string> opened;    // files handed to the desktop's program (Windows-1250)
};
Shown shown();
void clear_shown();

}  // namespace orv::host
