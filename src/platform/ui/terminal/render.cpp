// Text drawing of windows: one line per control, lists as a scrolled table.
#include "platform/ui/terminal/render.hpp"

#include <algorithm>

#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::ui {
namespace {

constexpr int kListRows = 10;

std::string u(const std::string& cp1250) {
  return text::to_utf8(cp1250);
}

// A caption as shown: without the "&" of its hot letter or a trailing ":".
std::string shown(const std::string& cp1250) {
  std::string out;
  for (char c : cp1250) {
    if (c != '&') out += c;
  }
  std::string_view v = text::clip(out);
  if (!v.empty() && v.back() == ':') v.remove_suffix(1);
  return u(std::string(v));
}

// "▸ " marks the focus.
std::string marks(const Window& w, const Control& c) {
  return c.number == w.focus() ? "\xE2\x96\xB8 " : "  ";
}

std::string suffix(const Control& c) {
  std::string out = " [" + c.id + "]";
  if (c.disabled) out += " (disabled)";
  if (c.read_only) out += " (read-only)";
  return out;
}

std::string render_list(const Control& c) {
  std::string out;
  std::string head;
  for (const auto& col : c.columns) head += (head.empty() ? "" : " | ") + u(col.title);
  if (!text::trim(head).empty()) out += "      " + head + "\n";
  int n = static_cast<int>(c.rows.size());
  int first = std::clamp(c.selected - kListRows / 2, 1, std::max(1, n - kListRows + 1));
  for (int r = first; r <= n && r < first + kListRows; ++r) {
    std::string line;
    for (std::size_t k = 0; k < c.rows[r - 1].size(); ++k) {
      std::string cell = u(c.rows[r - 1][k]);
      if (r == c.selected && c.column == static_cast<int>(k + 1)) cell = "[" + cell + "]";
      line += (k == 0 ? "" : " | ") + cell;
    }
    out += (r == c.selected ? "    > " : "      ") + std::to_string(r) + ". " + line + "\n";
  }
  if (n > kListRows) out += "      (" + std::to_string(n) + " rows; select <list> <row>)\n";
  return out;
}

std::string render_control(const Window& w, const Control& c) {
  std::string m = marks(w, c);
  switch (c.kind) {
    case ControlKind::Label:
      return m + shown(c.caption) + "\n";
    case ControlKind::Group:
      return m + "\xE2\x94\x80\xE2\x94\x80 " + shown(c.caption) + " \xE2\x94\x80\xE2\x94\x80\n";
    case ControlKind::Tab:
      return m + "[tab] " + shown(c.caption) + suffix(c) + "\n";
    case ControlKind::Image:
      return m + "(" + (c.icon.empty() ? c.id : u(c.icon)) + ")\n";
    case ControlKind::Check:
      return m + (c.value == "1" ? "[x] " : "[ ] ") + shown(c.caption) + suffix(c) + "\n";
    case ControlKind::Progress:
      return m + render_bar(text::long_of(c.value)) + suffix(c) + "\n";
    case ControlKind::List:
      return m + shown(c.prompt) + suffix(c) + "\n" + render_list(c);
    case ControlKind::TextArea: {
      std::string out = m + shown(c.prompt) + suffix(c) + "\n";
      for (const auto& line : message_lines(c.value)) out += "    " + u(line) + "\n";
      return out;
    }
    case ControlKind::DropList: {
      std::string out = m + shown(c.prompt) + suffix(c) + ": " + u(c.value) + " \xE2\x96\xBE\n";
      std::string items;
      for (const auto& i : c.items) items += (items.empty() ? "" : " | ") + u(i);
      return out + "      (" + items + ")\n";
    }
    default:
      return m + shown(c.prompt) + suffix(c) + ": " + u(c.value) + "\n";
  }
}

}  // namespace

std::string render_bar(int percent, int width) {
  percent = std::clamp(percent, 0, 100);
  int full = percent * width / 100;
  std::string out = "[";
  for (int i = 0; i < width; ++i) out += i < full ? "\xE2\x96\x88" : "\xE2\x96\x91";  // █ ░
  std::string p = std::to_string(percent);
  return out + "] " + std::string(3 - std::min<std::size_t>(3, p.size()), ' ') + p + "%";
}

std::string render_window(const Window& w) {
  std::string out = "\n\xE2\x94\x8C\xE2\x94\x80 " + u(w.title) + " (" + w.name() + ")\n";
  std::string buttons;
  for (const auto& c : w.controls()) {
    if (c.hidden) continue;
    if (c.kind != ControlKind::Button) {
      out += "\xE2\x94\x82" + render_control(w, c);
      continue;
    }
    buttons += (buttons.empty() ? "" : "  ") + std::string("[") + shown(c.caption) +
               (c.key.empty() ? "" : " " + c.key) + (c.disabled ? " (disabled)" : "") + "]";
  }
  if (!buttons.empty()) out += "\xE2\x94\x82  " + buttons + "\n";
  return out +
         "\xE2\x94\x94\xE2\x94\x80 commands: set, press, choose, select, dclick, check, key, tick, "
         "close; help\n";
}

std::string render_progress_line(const Window& w) {
  std::string out;
  for (const auto& c : w.controls()) {
    if (c.hidden) continue;
    if (c.kind == ControlKind::Progress) {
      out += render_bar(text::long_of(c.value)) + "  ";
    } else if (c.kind == ControlKind::Label && !c.caption.empty()) {
      out += shown(c.caption) + "  ";
    }
  }
  return out;
}

std::string render_box(const MessageBox& box) {
  std::string out = "\n== " + u(box.title) + " ==\n";
  for (const auto& line : message_lines(box.text)) out += "  " + u(line) + "\n";
  return out;
}

}  // namespace orv::ui
