// Window commands of a script: what each does to a control and which events it gives.
#include <algorithm>
#include <charconv>

#include "platform/text/text.hpp"
#include "platform/ui/script.hpp"

namespace orv::ui {
namespace {

[[noreturn]] void fail(const Window& w, const Command& c, const std::string& why) {
  throw ScriptError{"the window " + describe(w) + ": \"" + c.source + "\": " + why};
}

int parse_count(const Window& w, const Command& c, const std::string& s, int max) {
  int v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || v < 1 || v > max) {
    fail(w, c, "\"" + text::to_utf8(s) + "\" is not a number from 1 to " + std::to_string(max));
  }
  return v;
}

Control& resolve(Window& w, const Command& c) {
  Control* ctl = w.find(c.target);
  if (!ctl) fail(w, c, "there is no control \"" + text::to_utf8(c.target) + "\"");
  if (ctl->hidden) fail(w, c, "the control " + ctl->id + " is hidden");
  if (ctl->disabled) fail(w, c, "the control " + ctl->id + " is disabled");
  return *ctl;
}

Event accepted(const Control& ctl, std::string key = {}) {
  return Event{EventKind::Accepted, ctl.number, std::move(key)};
}

std::vector<Event> choose_item(Window& w, const Command& c, Control& ctl, const std::string& item) {
  for (std::size_t i = 0; i < ctl.items.size(); ++i) {
    if (text::equal_ci(ctl.items[i], item) || item == std::to_string(i + 1)) {
      ctl.selected = static_cast<int>(i + 1);
      ctl.value = ctl.items[i];
      return {accepted(ctl)};
    }
  }
  fail(w, c, "the drop list " + ctl.id + " has no item \"" + text::to_utf8(item) + "\"");
}

std::vector<Event> pick_cell(Control& ctl, std::size_t row, std::size_t column) {
  ctl.selected = static_cast<int>(row + 1);
  ctl.column = static_cast<int>(column + 1);
  return {Event{EventKind::NewSelection, ctl.number}, accepted(ctl)};
}

// A row by its first cell; failing that, a cell anywhere (a grid of days picks the cell).
std::vector<Event> choose_row(Window& w, const Command& c, Control& ctl, const std::string& item) {
  for (std::size_t i = 0; i < ctl.rows.size(); ++i) {
    if (!ctl.rows[i].empty() && text::equal_ci(ctl.rows[i][0], item)) return pick_cell(ctl, i, 0);
  }
  for (std::size_t i = 0; i < ctl.rows.size(); ++i) {
    for (std::size_t k = 1; k < ctl.rows[i].size(); ++k) {
      if (text::equal_ci(ctl.rows[i][k], item)) return pick_cell(ctl, i, k);
    }
  }
  fail(w, c, "the list " + ctl.id + " has no row \"" + text::to_utf8(item) + "\"");
}

std::vector<Event> set_check(Window& w, const Command& c, Control& ctl, const std::string& arg) {
  std::string v = text::lower(arg);
  if (v == "on" || v == "1" || v == "yes" || v == "tak") {
    ctl.value = "1";
  } else if (v == "off" || v == "0" || v == "no" || v == "nie") {
    ctl.value = "0";
  } else {
    fail(w, c, "a check box is set on or off");
  }
  return {accepted(ctl)};
}

// A slider moves to a whole number within its range, as dragging it would.
std::vector<Event> move_slider(Window& w, const Command& c, Control& ctl) {
  int v = 0;
  const std::string arg(text::trim(c.arg));
  auto [end, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), v);
  if (ec != std::errc() || end != arg.data() + arg.size() || v < ctl.low || v > ctl.high) {
    fail(w, c,
         "the slider " + ctl.id + " takes a whole number from " + std::to_string(ctl.low) + " to " +
             std::to_string(ctl.high));
  }
  ctl.value = std::to_string(v);
  return {accepted(ctl)};
}

std::vector<Event> set_value(Window& w, const Command& c, Control& ctl) {
  switch (ctl.kind) {
    case ControlKind::Slider:
      return move_slider(w, c, ctl);
    case ControlKind::Entry:
    case ControlKind::TextArea:
      if (ctl.read_only) fail(w, c, "the control " + ctl.id + " is read-only");
      ctl.value = c.arg;
      return {accepted(ctl)};
    case ControlKind::Check:
      return set_check(w, c, ctl, c.arg);
    case ControlKind::DropList:
      return choose_item(w, c, ctl, c.arg);
    default:
      fail(w, c, "the control " + ctl.id + " (" + kind_name(ctl.kind) + ") takes no typed value");
  }
}

std::vector<Event> select_row(Window& w, const Command& c, Control& ctl, bool twice) {
  if (ctl.kind == ControlKind::DropList && !twice) return choose_item(w, c, ctl, c.arg);
  if (ctl.kind != ControlKind::List) fail(w, c, "the control " + ctl.id + " is not a list");
  if (ctl.rows.empty()) fail(w, c, "the list " + ctl.id + " is empty");
  // "<row>" or "<row> <column>" (also "<row>,<column>") for a list whose cells are chosen.
  std::string arg = c.arg;
  std::size_t cut = arg.find_first_of(" ,");
  std::string column_text =
      cut == std::string::npos ? "" : std::string(text::trim(arg.substr(cut + 1)));
  if (cut != std::string::npos) arg.resize(cut);
  int row = parse_count(w, c, arg, static_cast<int>(ctl.rows.size()));
  int column = ctl.column;
  if (!column_text.empty()) {
    int cells = static_cast<int>(std::max(ctl.columns.size(), ctl.rows[row - 1].size()));
    column = parse_count(w, c, column_text, std::max(cells, 1));
  }
  std::vector<Event> out;
  if (ctl.selected != row || ctl.column != column)
    out.push_back(Event{EventKind::NewSelection, ctl.number});
  ctl.selected = row;
  ctl.column = column;
  if (twice) out.push_back(accepted(ctl, "MouseLeft2"));
  if (out.empty()) out.push_back(Event{EventKind::NewSelection, ctl.number});
  return out;
}

// "<from> <to>", 1-based and both included; the text area gets no event, as a selection made
// with the mouse gives none.
std::vector<Event> select_text(Window& w, const Command& c, Control& ctl) {
  int size = static_cast<int>(std::min<std::size_t>(ctl.value.size(), INT32_MAX));
  if (size == 0) fail(w, c, "the text area " + ctl.id + " is empty");
  std::string arg = c.arg;
  std::size_t cut = arg.find_first_of(" ,");
  if (cut == std::string::npos) fail(w, c, "a text is selected from one character to another");
  int from = parse_count(w, c, std::string(text::trim(arg.substr(0, cut))), size);
  int to = parse_count(w, c, std::string(text::trim(arg.substr(cut + 1))), size);
  if (to < from) fail(w, c, "the selection ends before it starts");
  ctl.selection_start = static_cast<std::size_t>(from - 1);
  ctl.selection_end = static_cast<std::size_t>(to);
  return {};
}

std::vector<Event> press(Window& w, const Command& c, Control& ctl) {
  switch (ctl.kind) {
    case ControlKind::Button:
      return {accepted(ctl)};
    case ControlKind::Check:
      ctl.value = ctl.value == "1" ? "0" : "1";
      return {accepted(ctl)};
    case ControlKind::Tab:
      return {Event{EventKind::NewSelection, ctl.number}};
    default:
      fail(w, c, "the control " + ctl.id + " (" + kind_name(ctl.kind) + ") cannot be pressed");
  }
}

std::vector<Event> ticks(Window& w, const Command& c) {
  int n = c.target.empty() ? 1 : parse_count(w, c, c.target, ScriptedBackend::kMaxDryTicks);
  return std::vector<Event>(static_cast<std::size_t>(n), Event{EventKind::Timer});
}

}  // namespace

std::vector<Event> ScriptedBackend::apply(const Command& c, Window& w) {
  if (c.verb == "key") return {Event{EventKind::Key, 0, canonical_key(c.target)}};
  if (c.verb == "tick") return ticks(w, c);
  if (c.verb == "close") return {Event{EventKind::CloseWindow}};
  if (c.verb == "maximize") {
    w.maximized = true;
    return {Event{EventKind::Maximized}};
  }
  Control& ctl = resolve(w, c);
  if (ctl.kind != ControlKind::Label && ctl.kind != ControlKind::Group) w.set_focus(ctl.number);
  if (c.verb == "set") return set_value(w, c, ctl);
  if (c.verb == "press") return press(w, c, ctl);
  if (c.verb == "check") {
    if (ctl.kind != ControlKind::Check) fail(w, c, "the control " + ctl.id + " is not a check box");
    return set_check(w, c, ctl, c.arg);
  }
  if (c.verb == "select" && ctl.kind == ControlKind::TextArea) return select_text(w, c, ctl);
  if (c.verb == "select") return select_row(w, c, ctl, false);
  if (c.verb == "dclick") return select_row(w, c, ctl, true);
  // choose
  if (ctl.kind == ControlKind::DropList) return choose_item(w, c, ctl, c.arg);
  if (ctl.kind == ControlKind::List) return choose_row(w, c, ctl, c.arg);
  fail(w, c, "the control " + ctl.id + " has nothing to choose from");
}

}  // namespace orv::ui
