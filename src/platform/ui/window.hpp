// The window model: a window is data (a title and controls with ids) plus an event loop.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/ui.hpp"

namespace orv::ini {
class IniFile;
}

namespace orv::ui {

enum class ControlKind {
  Label,
  Entry,
  Button,
  Check,
  DropList,
  List,
  Tab,
  Progress,
  Image,
  TextArea,
  Group,
  Slider
};

const char* kind_name(ControlKind kind);

// Positions and sizes are in the windows' own units; the host frame uses the same ones.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Column {
  std::string title;
  int width = 0;
};

struct Control {
  int number = 0;  // unique in its window; what USTAWTOOLTIP and USTAWSPLIT address
  std::string id;  // the name scripts and `orvrun windows` use, e.g. "NR_PROCENT"
  ControlKind kind = ControlKind::Label;
  std::string caption;  // text of a label, button, check, group or tab
  std::string prompt;   // the label in front of an entry, drop list, list, text area or bar
  // Entry and text area: the text; check: "1" or "0"; drop list: the chosen item; progress:
  // 0..100. Lists keep their choice in `selected`.
  std::string value;
  std::vector<std::string> items;              // drop list items
  std::vector<Column> columns;                 // list columns
  std::vector<std::vector<std::string>> rows;  // list rows, one cell per column
  int selected = 0;                            // list or drop list: 1-based, 0 = none
  int visible_items = 0;  // drop list: items its opened list shows at a time, 0 = toolkit's own
  // Slider: its position is `value` (a whole number from `low` to `high`), marks every `tick`.
  int low = 0;
  int high = 100;
  int tick = 0;
  // Text area: the selected characters [selection_start, selection_end) of `value`; none when
  // the two are equal.
  std::size_t selection_start = 0;
  std::size_t selection_end = 0;
  int column = 0;   // list: 1-based column of the chosen cell in the selected row, 0 = none
  std::string key;  // a button's key: "F10", "Esc", "Ctrl+D"
  std::string tip;
  std::string icon;
  std::string font;
  int colour = -1;      // RGB text colour, -1 = the default
  int background = -1;  // RGB fill, -1 = the default
  bool hidden = false;
  bool disabled = false;
  bool read_only = false;
  // Entry: its logic reads a number (typed_number in script.hpp); other text typed at run is the
  // logic's to refuse, a script that gives it is refused as it is read (check_script).
  bool numeric = false;
  // A list whose window's logic pages its rows: the moving keys (Down, Up, PgDn, PgUp, Home, End)
  // go to the logic, as the widget holds one page only.
  bool paged = false;
  Rect rect;
  // Image: the picture shown (JPEG, BMP, GIF, PNG, WMF bytes), shared with whoever drew it; its
  // `value` then reads "<type> <bytes>" (set by show_picture), which scripts and records see.
  std::shared_ptr<const std::vector<unsigned char>> picture;

  // What the user sees as this control's value (a list's selected cell, else the selected row's
  // first cell; a label's text).
  std::string shown_value() const;
  // A text area's selected text; empty when nothing is selected.
  std::string selected_text() const;
};

// Maximized: the user maximised the window (its `maximized` is set); the window's logic decides
// where it goes.
enum class EventKind {
  Accepted,
  Selected,
  NewSelection,
  Timer,
  CloseWindow,
  Key,
  AlertKey,
  User,
  Maximized
};

const char* event_name(EventKind kind);

struct Event {
  Event() = default;
  Event(EventKind k, int c = 0, std::string key_name = {}, int user_code = 0)
      : kind(k), control(c), key(std::move(key_name)), code(user_code) {}

  EventKind kind = EventKind::CloseWindow;
  int control = 0;  // the control concerned, 0 for window events
  std::string key;  // the key that caused it ("F10", "Esc", "MouseLeft2"), if any
  int code = 0;     // a user event's code

  bool accepted(int number) const { return kind == EventKind::Accepted && control == number; }
};

// How the library's conventions open a window (frame fills these in).
struct OpenOptions {
  ini::IniFile* ini = nullptr;  // position and size kept under the window's name
  std::string help_file;
  std::string help_topic;
  bool alt_as_f10 = false;
  int32_t thread = 0;     // the runtime's thread number, target of posted events
  bool tooltips = false;  // registers with the tooltip manager
};

class Window {
 public:
  // `name` is the window's fixed name: its INI section and its key in the window registry.
  Window(std::string name, std::string title);
  // Moving is for handing a built window to its procedure; an open window is never moved.
  Window(Window&& other) noexcept;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();

  const std::string& name() const { return name_; }
  std::string title;
  Rect rect;
  bool maximized = false;
  std::string font;
  int timer = 0;  // hundredths of a second between timer events, 0 = none
  // A window that only shows something (the SQL error window): like a box with OK alone, it
  // closes by itself when the script has no "close" or "key" for it.
  bool display_only = false;
  std::vector<std::string> alert_keys;

  // Adds a control; `text` is the caption of labels, buttons, checks, groups and tabs and the
  // prompt of the others. The reference stays valid while the window lives.
  Control& add(ControlKind kind, int number, std::string id, std::string text = {});
  Control* find(int number);
  const Control* find(int number) const;
  // By id, then by visible caption or prompt (case-insensitive), then by number.
  Control* find(std::string_view ref);
  Control& at(int number);  // a control the window's own code knows exists
  const std::deque<Control>& controls() const { return controls_; }

  int focus() const { return focus_; }
  void set_focus(int number) { focus_ = number; }

  // Opens the window on the calling thread: it becomes the thread's current window.
  void open(const OpenOptions& options = {});
  bool is_open() const { return open_; }
  int32_t handle() const { return handle_; }
  int32_t thread() const { return options_.thread; }
  const OpenOptions& options() const { return options_; }
  // The next event for the window's own logic; keys become the events their buttons, alert keys
  // and the window's conventions give them.
  Event accept();
  // Queues an event ahead of the user's; safe from any thread.
  void post(Event e);
  // Takes the first queued event; a backend waiting for the user hands it over at once.
  bool take_posted(Event& e);
  void display();  // redraw after the logic changed controls
  void close();    // saves position and size, and the backend forgets the window

 private:
  bool translate_key(Event& e);
  void restore_position();
  void save_position() const;

  std::string name_;
  std::deque<Control> controls_;
  int focus_ = 0;
  bool open_ = false;
  int32_t handle_ = 0;
  OpenOptions options_;
  std::deque<Event> posted_;
  mutable std::mutex posted_mutex_;
};

// The picture's type from its first bytes: "JPEG", "PNG", "GIF", "BMP", "WMF", else "?".
std::string picture_type(const std::vector<unsigned char>& bytes);
// Puts a picture into an image control (none: an empty picture area) and describes it in value.
void show_picture(Control& image, std::shared_ptr<const std::vector<unsigned char>> picture);

// The window whose loop runs on the calling thread (the innermost one), or nullptr.
Window* current_window();
// An open window by handle; 0 is the calling thread's current window.
Window* window_by_handle(int32_t handle);
// Posts an event to every open window of a thread.
void post_to_thread(int32_t thread, const Event& e);

// Keys as scripts and buttons name them, in one spelling: "ctrl+d" → "Ctrl+D", "esc" → "Esc".
std::string canonical_key(std::string_view key);
// A key scripts may name: a named key, a letter or sign, or F1..F99, with Ctrl/Alt/Shift.
bool known_key(std::string_view key);

}  // namespace orv::ui
