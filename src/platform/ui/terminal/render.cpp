// Text drawing of windows: one line per control, lists as a scrolled table.
#include "platform/ui/terminal/render.hpp"

#include <algorithm>

#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::ui {
namespace {

constexpr int kListRows = 10;
constexpr std::size_t kLineWidth = 72;  // the items of a drop list on one line

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
  return c.number == w.focus() ? "▸ " : "  ";
}

std::string suffix(const Control& c) {
  std::string out = " [" + c.id + "]";
  if (c.disabled) out += " (disabled)";
  if (c.read_only) out += " (read-only)";
  return out;
}

// Characters a UTF-8 text takes on the terminal (one per code point; no wide characters here).
std::size_t columns_of(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char ch : utf8) n += (ch & 0xC0) != 0x80;
  return n;
}

bool is_number(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char ch) {
    return text::is_digit(ch) || ch == '.' || ch == ',' || ch == '-';
  });
}

// A cell padded to its column: numbers to the right, texts to the left; the chosen cell in [].
std::string pad(const std::string& cell, std::size_t width, bool chosen) {
  std::string fill(width - std::min(width, columns_of(cell)), ' ');
  std::string body = is_number(cell) ? fill + cell : cell + fill;
  return chosen ? "[" + body + "]" : " " + body + " ";
}

// Widths of a list's columns over its title and every row, so rows line up as they scroll.
std::vector<std::size_t> column_widths(const Control& c) {
  std::vector<std::size_t> widths(c.columns.size(), 0);
  for (std::size_t k = 0; k < c.columns.size(); ++k) widths[k] = columns_of(u(c.columns[k].title));
  for (const auto& row : c.rows) {
    if (row.size() > widths.size()) widths.resize(row.size(), 0);
    for (std::size_t k = 0; k < row.size(); ++k)
      widths[k] = std::max(widths[k], columns_of(u(row[k])));
  }
  return widths;
}

std::string render_list(const Control& c) {
  std::vector<std::size_t> widths = column_widths(c);
  int n = static_cast<int>(c.rows.size());
  std::string number_fill(std::to_string(std::max(n, 1)).size() + 2, ' ');
  std::string out;
  std::string head;
  for (std::size_t k = 0; k < c.columns.size(); ++k)
    head += (k == 0 ? "" : "|") + pad(u(c.columns[k].title), widths[k], false);
  if (!text::trim(head).empty()) out += "      " + number_fill + head + "\n";
  int first = std::clamp(c.selected - kListRows / 2, 1, std::max(1, n - kListRows + 1));
  for (int r = first; r <= n && r < first + kListRows; ++r) {
    std::string line;
    for (std::size_t k = 0; k < c.rows[r - 1].size(); ++k) {
      bool chosen = r == c.selected && c.column == static_cast<int>(k + 1);
      line += (k == 0 ? "" : "|") + pad(u(c.rows[r - 1][k]), widths[k], chosen);
    }
    std::string number = std::to_string(r) + ". ";
    number.insert(0, number_fill.size() - std::min(number_fill.size(), number.size()), ' ');
    out += r == c.selected ? "    > " : "      ";
    out += number;
    out += line;
    out += '\n';
  }
  if (n > kListRows) out += "      (" + std::to_string(n) + " rows; select <list> <row>)\n";
  return out;
}

// Drop-list items as lines of at most kLineWidth characters, broken between items only.
std::string render_items(const Control& c) {
  std::string out;
  std::string line;
  for (const auto& item : c.items) {
    std::string shown_item = u(item);
    std::size_t more = columns_of(shown_item) + (line.empty() ? 0 : 3);
    if (!line.empty() && columns_of(line) + more > kLineWidth) {
      out += "      (" + line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " | ") + shown_item;
  }
  return out + "      (" + line + ")\n";
}

// low [━━━━●─────] high  value
std::string render_slider(const Control& c) {
  constexpr int kWidth = 20;
  const int span = std::max(1, c.high - c.low);
  const int at = std::clamp((text::long_of(c.value) - c.low) * kWidth / span, 0, kWidth);
  std::string out = std::to_string(c.low) + " [";
  for (int i = 0; i <= kWidth; ++i) out += i < at ? "━" : i == at ? "●" : "─";
  return out + "] " + std::to_string(c.high) + "  " + u(c.value);
}

std::string render_control(const Window& w, const Control& c) {
  std::string m = marks(w, c);
  switch (c.kind) {
    case ControlKind::Label:
      return m + shown(c.caption) + "\n";
    case ControlKind::Group:
      return m + "── " + shown(c.caption) + " ──\n";
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
    case ControlKind::Slider:
      return m + shown(c.prompt) + suffix(c) + ": " + render_slider(c) + "\n";
    case ControlKind::DropList: {
      std::string out = m + shown(c.prompt) + suffix(c) + ": " + u(c.value) + " ▾\n";
      return out + render_items(c);
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
  for (int i = 0; i < width; ++i) out += i < full ? "█" : "░";  // █ ░
  std::string p = std::to_string(percent);
  return out + "] " + std::string(3 - std::min<std::size_t>(3, p.size()), ' ') + p + "%";
}

std::string render_window(const Window& w) {
  std::string out = "\n┌─ " + u(w.title) + " (" + w.name() + ")\n";
  std::string buttons;
  for (const auto& c : w.controls()) {
    if (c.hidden) continue;
    if (c.kind != ControlKind::Button) {
      out += "│" + render_control(w, c);
      continue;
    }
    buttons += (buttons.empty() ? "" : "  ") + std::string("[") + shown(c.caption) +
               (c.key.empty() ? "" : " " + c.key) + (c.disabled ? " (disabled)" : "") + "]";
  }
  if (!buttons.empty()) out += "│  " + buttons + "\n";
  return out +
         "└─ commands: set, press, choose, select, dclick, check, key, tick, "
         "close, maximize; help\n";
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
