// A script read before any window opens: values no designed control of the procedure can take.
#include <algorithm>

#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/script.hpp"

namespace orv::ui {
namespace {

bool is_check_word(const std::string& arg) {
  std::string v = text::lower(arg);
  for (const char* w : {"on", "1", "yes", "tak", "off", "0", "no", "nie"})
    if (v == w) return true;
  return false;
}

std::string named(const Window& w, const Control& c) {
  return "the " + std::string(kind_name(c.kind)) + " " + c.id + " of " + describe(w);
}

bool in_items(const Control& c, const std::string& item) {
  for (std::size_t i = 0; i < c.items.size(); ++i)
    if (text::equal_ci(c.items[i], item) || item == std::to_string(i + 1)) return true;
  return false;
}

bool in_rows(const Control& c, const std::string& item) {
  for (const auto& row : c.rows)
    for (const auto& cell : row)
      if (text::equal_ci(cell, item)) return true;
  return false;
}

// Why the designed control cannot take the command; empty when it may (or only the run knows:
// items and rows filled from the database come later).
std::string refusal(const Window& w, const Control& c, const Command& cmd) {
  const std::string& v = cmd.arg;
  bool items_known = !c.items.empty(), rows_known = !c.rows.empty();
  if (cmd.verb == "press") {
    bool pressable =
        c.kind == ControlKind::Button || c.kind == ControlKind::Check || c.kind == ControlKind::Tab;
    return pressable ? "" : named(w, c) + " cannot be pressed";
  }
  if (cmd.verb == "choose" && c.kind == ControlKind::List)
    return !rows_known || in_rows(c, v) ? ""
                                        : named(w, c) + " has no row \"" + text::to_utf8(v) + "\"";
  if (c.kind == ControlKind::DropList)
    return !items_known || in_items(c, v)
               ? ""
               : named(w, c) + " has no item \"" + text::to_utf8(v) + "\"";
  if (cmd.verb == "choose") return named(w, c) + " has nothing to choose from";
  switch (c.kind) {  // set
    case ControlKind::Entry:
      if (c.numeric && !typed_number(v)) return named(w, c) + " takes a number";
      [[fallthrough]];
    case ControlKind::TextArea:
      return c.read_only ? named(w, c) + " is read-only" : "";
    case ControlKind::Check:
      return is_check_word(v) ? "" : "a check box is set on or off";
    case ControlKind::Slider: {
      auto n = text::long_argument(v);
      bool fits = n && *n >= c.low && *n <= c.high;
      return fits ? ""
                  : named(w, c) + " takes a whole number from " + std::to_string(c.low) + " to " +
                        std::to_string(c.high);
    }
    default:
      return named(w, c) + " takes no typed value";
  }
}

// Refused when every designed control the command names refuses it; a name no designed control
// has may still be a caption the procedure sets at run time.
std::string misfit(const Command& cmd, std::vector<Window>& designed) {
  std::string why;
  for (Window& w : designed) {
    const Control* c = w.find(cmd.target);
    if (!c) continue;
    std::string r = refusal(w, *c, cmd);
    if (r.empty()) return {};
    if (why.empty()) why = r;
  }
  return why;
}

}  // namespace

bool typed_number(std::string_view typed) {
  std::string plain;
  for (char c : typed)
    if (c != ' ') plain += c;
  std::size_t i = !plain.empty() && (plain[0] == '-' || plain[0] == '+') ? 1 : 0;
  bool digit = false, point = false;
  for (; i < plain.size(); ++i) {
    char c = plain[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit || plain.empty();
}

void check_script(std::string_view script, std::string_view procedure) {
  std::vector<Command> commands = parse_script(script);
  std::vector<Window> designed;
  for (const WindowDefinition& d : window_definitions())
    if (text::equal_ci(d.procedure, std::string(procedure))) designed.push_back(d.build());
  if (designed.empty()) return;
  for (const Command& c : commands) {
    if (c.verb != "set" && c.verb != "choose" && c.verb != "press") continue;
    std::string why = misfit(c, designed);
    if (!why.empty()) throw ScriptError{"the script line \"" + c.source + "\": " + why};
  }
}

}  // namespace orv::ui
