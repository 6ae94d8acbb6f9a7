// C entry points of the host interface: the window backend and what the calls showed.
#include <cstring>
#include <string>
#include <vector>

#include "boundary.hpp"
#include "host/list_window.hpp"
#include "host/ui_host.hpp"
#include "host_result.hpp"
#include "orvrun_host.h"
#include "table.hpp"

using orv::exports::give_text;
using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;
using orv::exports::succeeded;

namespace {

// A text the renderer writes into a buffer of ours.
std::optional<std::string> filled(bool given, const std::vector<char>& buffer) {
  if (!given) return std::nullopt;
  return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

orv::host::Renderer adapt(const ORVRUN_RENDERER& r) {
  orv::host::Renderer out;
  if (r.box) {
    out.box = [r](const std::string& title, const std::string& text, int icon, unsigned buttons,
                  unsigned def) -> std::optional<unsigned> {
      unsigned answer = r.box(r.user, title.c_str(), text.c_str(), icon, buttons, def);
      if (answer == 0 || !(answer & buttons)) return std::nullopt;
      return answer;
    };
  }
  if (r.open_window) {
    out.open_window = [r](int32_t w, const std::string& name, const std::string& title) {
      r.open_window(r.user, w, name.c_str(), title.c_str());
    };
  }
  if (r.update_control) {
    out.update_control = [r](int32_t w, const std::string& id, const std::string& kind,
                             const std::string& caption, const std::string& value, bool hidden,
                             bool disabled) {
      r.update_control(r.user, w, id.c_str(), kind.c_str(), caption.c_str(), value.c_str(), hidden,
                       disabled);
    };
  }
  if (r.next_event) {
    out.next_event = [r](int32_t w) {
      std::vector<char> buffer(4096, '\0');
      return filled(r.next_event(r.user, w, buffer.data(), buffer.size()) != 0, buffer);
    };
  }
  if (r.close_window) out.close_window = [r](int32_t w) { r.close_window(r.user, w); };
  if (r.file_dialog) {
    out.file_dialog = [r](const std::string& title, const std::string& folder,
                          const std::string& file, const std::string& filter, bool save,
                          bool folders) {
      std::vector<char> buffer(4096, '\0');
      bool chosen = r.file_dialog(r.user, title.c_str(), folder.c_str(), file.c_str(),
                                  filter.c_str(), save, folders, buffer.data(), buffer.size());
      return filled(chosen, buffer);
    };
  }
  return out;
}

std::string message_field(const orv::host::ShownMessage& m, std::string_view field) {
  if (field == "kind") return m.kind;
  if (field == "title") return m.title;
  if (field == "text") return m.text;
  if (field == "answer") return m.answer;
  return {};
}

// "mark:K", "tip:K", "icon:K" of the K-th control with a tip or an icon.
std::string mark_field(const orv::host::ShownWindow& w, std::string_view what, std::size_t k) {
  if (k >= w.marks.size()) return {};
  if (what == "mark") return w.marks[k].id;
  if (what == "tip") return w.marks[k].tip;
  return what == "icon" ? w.marks[k].icon : std::string();
}

// "name", "title", "controls", "id:K", "value:K", "marks" and the mark fields.
std::string window_field(const orv::host::ShownWindow& w, std::string_view field) {
  if (field == "name") return w.name;
  if (field == "title") return w.title;
  if (field == "controls") return std::to_string(w.controls.size());
  if (field == "marks") return std::to_string(w.marks.size());
  auto colon = field.find(':');
  if (colon == std::string_view::npos) return {};
  std::size_t k = std::strtoul(std::string(field.substr(colon + 1)).c_str(), nullptr, 10);
  const std::string_view what = field.substr(0, colon);
  if (what == "mark" || what == "tip" || what == "icon") return mark_field(w, what, k);
  if (k >= w.controls.size()) return {};
  if (what == "id") return w.controls[k].id;
  if (what == "value") return w.controls[k].value;
  return {};
}

std::string shown_field(int32_t list, int32_t index, std::string_view field) {
  orv::host::Shown s = orv::host::shown();
  if (index < 0) return {};
  auto i = static_cast<std::size_t>(index);
  switch (list) {
    case ORVRUN_SHOWN_MESSAGES:
      return i < s.messages.size() ? message_field(s.messages[i], field) : "";
    case ORVRUN_SHOWN_WINDOWS:
      return i < s.windows.size() ? window_field(s.windows[i], field) : "";
    case ORVRUN_SHOWN_NOTES:
      return i < s.notes.size() && field == "text" ? s.notes[i] : "";
    case ORVRUN_SHOWN_LEFTOVER:
      return i < s.leftover.size() && field == "text" ? s.leftover[i] : "";
    case ORVRUN_SHOWN_OPENED:
      return i < s.opened.size() && field == "path" ? s.opened[i] : "";
    default:
      return {};
  }
}

}  // namespace

extern "C" {

uint8_t ORVRUN_UI_HEADLESS(const char* script, uint8_t strict, char** error) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    std::string why;
    return succeeded(orv::host::use_headless(in(script), {}, strict != 0, why), why, error);
  });
}

uint8_t ORVRUN_UI_USE(const char* name, const char* script, uint8_t interactive,
                      const char* screenshots, char** error) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    orv::host::UiChoice choice{{}, false, interactive != 0, std::string(in(screenshots))};
    std::string why;
    return succeeded(orv::host::use_ui(in(name), in(script), choice, why), why, error);
  });
}

char* ORVRUN_UI_NAMES(void) noexcept {
  return guard_text(__func__, [] {
    std::string out;
    for (const auto& n : orv::host::ui_names()) out += (out.empty() ? "" : ", ") + n;
    return out;
  });
}

void ORVRUN_UI_ANSWER(const char* answer) noexcept {
  guard(__func__, [&] { orv::host::add_answer(std::string(in(answer))); });
}

void ORVRUN_UI_TERMINAL(void) noexcept {
  guard(__func__, [] { orv::host::use_terminal(); });
}

void ORVRUN_UI_DEFAULT(void) noexcept {
  guard(__func__, [] { orv::host::use_default_ui(); });
}

void ORVRUN_UI_RENDERER(const ORVRUN_RENDERER* renderer) noexcept {
  guard(__func__, [&] {
    if (!renderer) return orv::host::use_default_ui();
    orv::host::use_renderer(adapt(*renderer));
  });
}

int32_t ORVRUN_SHOWN_COUNT(int32_t list) noexcept {
  return guard(__func__, int32_t{0}, [&] {
    orv::host::Shown s = orv::host::shown();
    std::size_t n = list == ORVRUN_SHOWN_MESSAGES   ? s.messages.size()
                    : list == ORVRUN_SHOWN_WINDOWS  ? s.windows.size()
                    : list == ORVRUN_SHOWN_NOTES    ? s.notes.size()
                    : list == ORVRUN_SHOWN_LEFTOVER ? s.leftover.size()
                    : list == ORVRUN_SHOWN_OPENED   ? s.opened.size()
                                                    : 0;
    return static_cast<int32_t>(n);
  });
}

char* ORVRUN_SHOWN_GET(int32_t list, int32_t index, const char* field) noexcept {
  return guard_text(__func__, [&] { return give_text(shown_field(list, index, in(field))); });
}

char* ORVRUN_SHOWN_FAILURE(void) noexcept {
  return guard_text(__func__, [] { return give_text(orv::host::shown().failure); });
}

int32_t ORVRUN_LIST_WINDOW_OPEN(const char* title) noexcept {
  return guard(__func__, int32_t{0},
               [&] { return orv::host::open_list_window(std::string(in(title))); });
}

uint8_t ORVRUN_LIST_WINDOW_CLOSE(int32_t window) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return uint8_t{orv::host::close_list_window(window)}; });
}

void ORVRUN_SHOWN_CLEAR(void) noexcept {
  guard(__func__, [] { orv::host::clear_shown(); });
}

}  // extern "C"
