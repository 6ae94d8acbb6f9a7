// Windows: controls, the event loop's key rules, open windows by thread and handle.
#include "platform/ui/window.hpp"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <map>
#include <optional>

#include "platform/ini/ini.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/tooltips.hpp"

namespace orv::ui {
namespace {

thread_local std::vector<Window*> t_open;  // innermost last

struct OpenWindows {
  std::mutex mutex;
  std::map<int32_t, Window*> by_handle;
  std::atomic<int32_t> next{1};
};

OpenWindows& open_windows() {
  static OpenWindows w;
  return w;
}

// Captions carry "&" before their hot letter; a trailing ":" is decoration.
std::string visible(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c != '&') out += c;
  }
  std::string_view v = text::trim(out);
  if (!v.empty() && v.back() == ':') v.remove_suffix(1);
  return std::string(text::clip(v));
}

std::optional<int> parse_int(std::string_view s) {
  int v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

}  // namespace

const char* kind_name(ControlKind kind) {
  static const char* const kNames[] = {"label",    "entry",    "button", "check",
                                       "droplist", "list",     "tab",    "progress",
                                       "image",    "textarea", "group",  "slider"};
  return kNames[static_cast<int>(kind)];
}

const char* event_name(EventKind kind) {
  static const char* const kNames[] = {"accepted", "selected", "newselection", "timer",    "close",
                                       "key",      "alertkey", "user",         "maximized"};
  return kNames[static_cast<int>(kind)];
}

std::string Control::shown_value() const {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::Group:
    case ControlKind::Tab:
      return caption;
    case ControlKind::List:
      if (selected < 1 || selected > static_cast<int>(rows.size())) return {};
      if (column > 0 && column <= static_cast<int>(rows[selected - 1].size()))
        return rows[selected - 1][column - 1];
      return rows[selected - 1].empty() ? std::string() : rows[selected - 1][0];
    default:
      return value;
  }
}

std::string Control::selected_text() const {
  std::size_t end = std::min(selection_end, value.size());
  if (selection_start >= end) return {};
  return value.substr(selection_start, end - selection_start);
}

Window::Window(std::string name, std::string title)
    : title(std::move(title)), name_(std::move(name)) {}

Window::Window(Window&& other) noexcept
    : title(std::move(other.title)),
      rect(other.rect),
      maximized(other.maximized),
      font(std::move(other.font)),
      timer(other.timer),
      display_only(other.display_only),
      alert_keys(std::move(other.alert_keys)),
      name_(std::move(other.name_)),
      controls_(std::move(other.controls_)),
      focus_(other.focus_),
      options_(std::move(other.options_)) {}

Window::~Window() {
  if (open_) close();
}

Control& Window::add(ControlKind kind, int number, std::string id, std::string text) {
  Control& c = controls_.emplace_back();
  c.kind = kind;
  c.number = number;
  c.id = std::move(id);
  bool captioned = kind == ControlKind::Label || kind == ControlKind::Button ||
                   kind == ControlKind::Check || kind == ControlKind::Group ||
                   kind == ControlKind::Tab;
  (captioned ? c.caption : c.prompt) = std::move(text);
  return c;
}

Control* Window::find(int number) {
  for (auto& c : controls_) {
    if (c.number == number) return &c;
  }
  return nullptr;
}

const Control* Window::find(int number) const {
  return const_cast<Window*>(this)->find(number);
}

Control* Window::find(std::string_view ref) {
  for (auto& c : controls_) {
    if (text::equal_ci(c.id, ref)) return &c;
  }
  std::string wanted = visible(ref);
  for (bool hidden_too : {false, true}) {
    for (auto& c : controls_) {
      if (c.hidden && !hidden_too) continue;
      const std::string& shown = c.caption.empty() ? c.prompt : c.caption;
      if (!wanted.empty() && text::equal_ci(visible(shown), wanted)) return &c;
    }
  }
  if (auto n = parse_int(ref)) return find(*n);
  return nullptr;
}

Control& Window::at(int number) {
  Control* c = find(number);
  if (!c)
    throw ScriptError{"window \"" + text::to_utf8(title) + "\" has no control " +
                      std::to_string(number)};
  return *c;
}

void Window::open(const OpenOptions& options) {
  if (open_) return;
  options_ = options;
  restore_position();
  {
    OpenWindows& all = open_windows();
    std::lock_guard lock(all.mutex);
    handle_ = all.next++;
    all.by_handle[handle_] = this;
  }
  t_open.push_back(this);
  open_ = true;
  if (options_.tooltips) xtooltip().register_window(*this);
  backend().window_opened(*this);
}

Event Window::accept() {
  for (;;) {
    Event e;
    if (!take_posted(e)) e = backend().next_event(*this);
    if (e.kind == EventKind::Key && !translate_key(e)) continue;
    if (e.kind == EventKind::Accepted && e.control != 0) focus_ = e.control;
    return e;
  }
}

// Buttons take their keys first, then the window's alert keys; Esc alone closes and Enter
// accepts the focused control. False when the key was handled here (F1 help).
bool Window::translate_key(Event& e) {
  std::string key = canonical_key(e.key);
  if (key == "Alt" && options_.alt_as_f10) key = "F10";
  e.key = key;
  if (key == "F1" && !options_.help_file.empty()) {
    backend().help(options_.help_file, options_.help_topic);
    return false;
  }
  for (const auto& c : controls_) {
    if (c.kind == ControlKind::Button && !c.hidden && !c.disabled && !c.key.empty() &&
        canonical_key(c.key) == key) {
      e = Event{EventKind::Accepted, c.number, key};
      return true;
    }
  }
  if (std::any_of(alert_keys.begin(), alert_keys.end(),
                  [&](const std::string& k) { return canonical_key(k) == key; })) {
    e = Event{EventKind::AlertKey, focus_, key};
  } else if (key == "Esc") {
    e = Event{EventKind::CloseWindow, 0, key};
  } else if (key == "Enter" && focus_ != 0) {
    e = Event{EventKind::Accepted, focus_, key};
  }
  return true;
}

bool Window::take_posted(Event& e) {
  std::lock_guard lock(posted_mutex_);
  if (posted_.empty()) return false;
  e = std::move(posted_.front());
  posted_.pop_front();
  return true;
}

void Window::post(Event e) {
  std::lock_guard lock(posted_mutex_);
  posted_.push_back(std::move(e));
}

void Window::display() {
  if (open_) backend().window_changed(*this);
}

void Window::close() {
  if (!open_) return;
  open_ = false;
  save_position();
  {
    OpenWindows& all = open_windows();
    std::lock_guard lock(all.mutex);
    all.by_handle.erase(handle_);
  }
  std::erase(t_open, this);
  xtooltip().unregister_window(handle_);
  backend().window_closed(*this);
}

void Window::restore_position() {
  if (!options_.ini) return;
  const char* const kKeys[] = {"XPos", "YPos", "Width", "Height"};
  int v[4];
  for (int i = 0; i < 4; ++i) {
    auto n = text::read_long(options_.ini->get(name_, kKeys[i]));
    if (!n) return;  // a window never saved keeps its designed place
    v[i] = *n;
  }
  if (v[2] <= 0 || v[3] <= 0) return;
  rect = Rect{v[0], v[1], v[2], v[3]};
  maximized = text::trim(options_.ini->get(name_, "Maximize")) == "1";
}

void Window::save_position() const {
  if (!options_.ini) return;
  options_.ini->put(name_, "XPos", std::to_string(rect.x));
  options_.ini->put(name_, "YPos", std::to_string(rect.y));
  options_.ini->put(name_, "Width", std::to_string(rect.width));
  options_.ini->put(name_, "Height", std::to_string(rect.height));
  options_.ini->put(name_, "Maximize", maximized ? "1" : "0");
}

Window* current_window() {
  return t_open.empty() ? nullptr : t_open.back();
}

Window* window_by_handle(int32_t handle) {
  if (handle == 0) return current_window();
  OpenWindows& all = open_windows();
  std::lock_guard lock(all.mutex);
  auto it = all.by_handle.find(handle);
  return it == all.by_handle.end() ? nullptr : it->second;
}

void post_to_thread(int32_t thread, const Event& e) {
  OpenWindows& all = open_windows();
  std::lock_guard lock(all.mutex);
  for (auto& [handle, w] : all.by_handle) {
    if (w->thread() == thread) w->post(e);
  }
}

}  // namespace orv::ui
