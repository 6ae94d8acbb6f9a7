// The script engine: parsing, answers for boxes and dialogs, events for windows, records.
#include "platform/ui/script.hpp"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/text/text.hpp"

namespace orv::ui {
namespace {

constexpr std::string_view kVerbs[] = {"set", "press",  "choose", "select", "dclick",  "check",
                                       "key", "answer", "tick",   "close",  "maximize"};

// A quote left open would swallow every later command into one value: refused with its line.
std::vector<std::string> split_statements(const std::string& text) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (char c : text) {
    if (c == '\n' && quoted) {
      throw ScriptError{"the script line \"" + text::to_utf8(out.back()) +
                        "\" leaves a quote open"};
    }
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == '\n' || c == ';')) {
      out.emplace_back();
    } else if (c != '\r') {
      out.back() += c;
    }
  }
  if (quoted) {
    throw ScriptError{"the script line \"" + text::to_utf8(out.back()) + "\" leaves a quote open"};
  }
  return out;
}

std::string unquote(std::string_view s) {
  s = text::trim(s);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return std::string(s);
}

// Splits off the first word, or the first "quoted words"; the rest is returned as written.
std::pair<std::string, std::string_view> first_token(std::string_view s) {
  s = text::trim_left(s);
  if (!s.empty() && s.front() == '"') {
    auto close = s.find('"', 1);
    if (close != std::string_view::npos) {
      return {std::string(s.substr(1, close - 1)), text::trim(s.substr(close + 1))};
    }
  }
  auto blank = s.find(' ');
  if (blank == std::string_view::npos) return {std::string(s), {}};
  return {std::string(s.substr(0, blank)), text::trim(s.substr(blank + 1))};
}

bool positive_count(std::string_view s) {
  s = text::trim(s);
  if (s.empty() || s.size() > 9) return false;
  for (char ch : s)
    if (ch < '0' || ch > '9') return false;
  return s.find_first_not_of('0') != std::string_view::npos;
}

// What a command's own words show to be wrong, whatever window it meets.
std::string malformed(const Command& c) {
  if (c.verb == "tick" && !c.target.empty() && !positive_count(c.target))
    return "a tick count is a number from 1";
  if (c.verb == "check") {
    std::string v = text::lower(c.arg);
    for (const char* w : {"on", "1", "yes", "tak", "off", "0", "no", "nie"})
      if (v == w) return {};
    return "a check box is set on or off";
  }
  // (select also takes a drop list's item by its text.)
  if (c.verb != "dclick") return {};
  std::size_t cut = c.arg.find_first_of(" ,");
  bool rows = positive_count(c.arg.substr(0, cut)) &&
              (cut == std::string::npos || positive_count(c.arg.substr(cut + 1)));
  return rows ? "" : "a row (and column) is given by number";
}

Command parse_command(std::string_view s) {
  Command c;
  c.source = text::to_utf8(s);
  auto [verb, rest] = first_token(s);
  c.verb = text::lower(verb);
  if (std::find(std::begin(kVerbs), std::end(kVerbs), c.verb) == std::end(kVerbs)) {
    throw ScriptError{"unknown script command \"" + c.source + "\""};
  }
  if (c.verb == "key" || c.verb == "answer" || c.verb == "tick" || c.verb == "close" ||
      c.verb == "maximize") {
    c.target = unquote(rest);
  } else {
    auto [target, arg] = first_token(rest);
    c.target = std::move(target);
    c.arg = unquote(arg);
  }
  bool needs_target = c.verb != "tick" && c.verb != "close" && c.verb != "maximize";
  bool needs_arg = c.verb == "select" || c.verb == "dclick" || c.verb == "check";
  if ((needs_target && c.target.empty()) || (needs_arg && c.arg.empty())) {
    throw ScriptError{"the script command \"" + c.source + "\" lacks its argument"};
  }
  if (c.verb == "key" && !known_key(c.target)) {
    throw ScriptError{"the script command \"" + c.source + "\" names no key"};
  }
  std::string why = malformed(c);
  if (!why.empty()) throw ScriptError{"the script command \"" + c.source + "\": " + why};
  return c;
}

unsigned named_button(const std::string& word) {
  static const std::pair<const char*, unsigned> kWords[] = {
      {"yes", kYes},     {"tak", kYes},       {"no", kNo},         {"nie", kNo},
      {"ok", kOk},       {"cancel", kCancel}, {"anuluj", kCancel}, {"abort", kAbort},
      {"retry", kRetry}, {"ignore", kIgnore}, {"help", kHelp}};
  for (const auto& [name, button] : kWords) {
    if (word == name) return button;
  }
  return 0;
}

bool is_cancel(const Command& c) {
  std::string t = text::lower(c.target);
  return c.verb == "close" || (c.verb == "key" && canonical_key(c.target) == "Esc") ||
         (c.verb == "answer" && (t == "cancel" || t == "anuluj" || t == "esc"));
}

}  // namespace

std::vector<Command> parse_script(std::string_view script) {
  std::vector<Command> out;
  for (auto& statement : split_statements(text::from_utf8(script))) {
    for (char& ch : statement) {
      if (ch == '\t') ch = ' ';
    }
    std::string_view s = text::trim(statement);
    if (s.empty() || s.front() == '#') continue;
    out.push_back(parse_command(s));
  }
  return out;
}

std::string describe(const Window& w) {
  return "\"" + text::to_utf8(w.title) + "\" (" + w.name() + ")";
}

ScriptedBackend::ScriptedBackend(bool strict, bool keep_records)
    : strict_(strict), keep_records_(keep_records) {}

void ScriptedBackend::add_script(std::string_view script) {
  auto commands = parse_script(script);
  std::lock_guard lock(mutex_);
  commands_.insert(commands_.end(), commands.begin(), commands.end());
}

void ScriptedBackend::add_command(Command command) {
  std::lock_guard lock(mutex_);
  commands_.push_back(std::move(command));
}

void ScriptedBackend::add_answer(std::string answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(std::move(answer));
}

std::size_t ScriptedBackend::commands_left() const {
  std::lock_guard lock(mutex_);
  return commands_.size();
}

std::vector<std::string> ScriptedBackend::pending_commands() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  for (const auto& c : commands_) out.push_back(c.source);
  return out;
}

bool ScriptedBackend::next_is_answer() {
  std::lock_guard lock(mutex_);
  return !commands_.empty() && commands_.front().verb == "answer";
}

bool ScriptedBackend::take(Command& c) {
  std::lock_guard lock(mutex_);
  if (commands_.empty()) return false;
  c = std::move(commands_.front());
  commands_.pop_front();
  return true;
}

bool ScriptedBackend::take_answer(Command& c) {
  return next_is_answer() && take(c);
}

unsigned ScriptedBackend::answer_for(const MessageBox& box, const std::string& answer) const {
  std::string cp = text::lower(text::from_utf8(answer));
  if (cp == "enter") return box.default_button;
  unsigned b = named_button(cp);
  if (b != 0 && (box.buttons & b)) return b;
  for (unsigned bit = 1; bit <= kHelp; bit <<= 1) {
    if ((box.buttons & bit) && text::lower(button_caption(bit, box)) == cp) return bit;
  }
  // "no" to a box without No, e.g. an information box, is just its closing.
  if (b != 0 && !strict_) return box.default_button;
  throw ScriptError{"the answer \"" + text::to_utf8(answer) + "\" does not fit the box \"" +
                    text::to_utf8(box.title) + "\""};
}

std::optional<unsigned> ScriptedBackend::scripted_answer(const MessageBox& box) {
  bool asks = (box.buttons & ~static_cast<unsigned>(kOk)) != 0;
  std::lock_guard lock(mutex_);
  if (!commands_.empty() && commands_.front().verb == "answer") {
    const Command& c = commands_.front();
    // A box with OK alone closes by itself; it takes only an answer meant for it.
    if (!asks && named_button(text::lower(c.target)) != kOk && text::lower(c.target) != "enter") {
      return std::nullopt;
    }
    unsigned answer = answer_for(box, c.target);
    commands_.pop_front();
    return answer;
  }
  if (asks && !answers_.empty()) {
    std::string next = std::move(answers_.front());
    answers_.pop_front();
    return answer_for(box, next);
  }
  return std::nullopt;
}

unsigned ScriptedBackend::message(const MessageBox& box) {
  bool asks = (box.buttons & ~static_cast<unsigned>(kOk)) != 0;
  unsigned answer = box.default_button;
  if (auto a = scripted_answer(box)) {
    answer = *a;
  } else if (auto person = ask_box(box)) {
    answer = *person;
  } else if (asks && strict_) {
    throw ScriptError{"the script has no answer for the box \"" + text::to_utf8(box.title) +
                      "\": " + text::to_utf8(box.text)};
  }
  record_box(box, answer);
  return answer;
}

void ScriptedBackend::record_box(const MessageBox& box, unsigned answer) {
  std::lock_guard lock(mutex_);
  if (keep_records_) boxes_.push_back({box, answer});
}

bool ScriptedBackend::closes_by_itself(const Window& w) {
  if (!w.display_only) return false;
  std::lock_guard lock(mutex_);
  if (commands_.empty()) return !interactive();
  return commands_.front().verb != "close" && commands_.front().verb != "key";
}

Event ScriptedBackend::next_event(Window& w) {
  for (;;) {
    if (closes_by_itself(w)) return Event{EventKind::CloseWindow};
    // An answer first in line belongs to a box another thread is about to show; a window with a
    // timer lets time pass for it, any other window cannot go on.
    if (next_is_answer()) {
      if (auto tick = wait_for_box(w)) return *tick;
      Command c;
      take(c);
      throw ScriptError{"the window " + describe(w) + " waits for input, but the next command \"" +
                        c.source + "\" answers a box"};
    }
    Command c;
    if (take(c)) {
      {
        std::lock_guard lock(mutex_);
        dry_.erase(w.handle());
      }
      std::vector<Event> events = apply(c, w);
      if (events.empty()) continue;  // a text selected: nothing for the window's logic
      for (std::size_t i = 1; i < events.size(); ++i) w.post(events[i]);
      return events.front();
    }
    switch (more_input(&w)) {
      case Input::Commands:
        continue;
      case Input::Timer:
        return Event{EventKind::Timer};
      case Input::None:
        return dry(w);
    }
  }
}

std::optional<Event> ScriptedBackend::wait_for_box(Window& w) {
  {
    std::lock_guard lock(mutex_);
    if (w.timer <= 0 || dry_[w.handle()].ticks++ >= dry_limit_) return std::nullopt;
    virtual_time_ += w.timer;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return Event{EventKind::Timer};
}

Event ScriptedBackend::dry(Window& w) {
  std::unique_lock lock(mutex_);
  Dry& d = dry_[w.handle()];
  if (w.timer > 0 && d.ticks < dry_limit_) {
    ++d.ticks;
    virtual_time_ += w.timer;
    if (d.ticks > kFreeTicks) {
      lock.unlock();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return Event{EventKind::Timer};
  }
  std::string why = w.timer > 0 ? " after " + std::to_string(d.ticks) + " timer events" : "";
  if (strict_) {
    throw ScriptError{"the script has no more commands for the window " + describe(w) + why};
  }
  if (d.closes == 0)
    note("the window " + describe(w) + " waited for input" + why + "; closed as by Esc");
  ++d.closes;
  if (d.closes == 1) return Event{EventKind::Key, 0, "Esc"};
  if (d.closes <= 3) return Event{EventKind::CloseWindow};
  throw ScriptError{"the window " + describe(w) + " does not close"};
}

void ScriptedBackend::note(std::string text) {
  if (keep_records_) notes_.push_back(std::move(text));
}

void ScriptedBackend::window_closed(const Window& w) {
  std::lock_guard lock(mutex_);
  dry_.erase(w.handle());
  if (!keep_records_) return;
  WindowRecord r{w.name(), w.title, {}, {w.controls().begin(), w.controls().end()}};
  if (const Control* f = w.find(w.focus())) r.focus = f->id;
  windows_.push_back(std::move(r));
}

std::vector<ErrorWindowRecord> ScriptedBackend::error_windows() const {
  std::lock_guard lock(mutex_);
  std::vector<ErrorWindowRecord> out;
  for (const auto& w : windows_) {
    if (w.name != "ErrorWin") continue;
    ErrorWindowRecord e{{}, w.title};
    for (const auto& c : w.controls) {
      if (c.kind == ControlKind::TextArea) e.statement = c.value;
    }
    out.push_back(std::move(e));
  }
  return out;
}

std::optional<std::string> ScriptedBackend::file_dialog(const FileDialog& dialog) {
  {
    std::lock_guard lock(mutex_);
    if (keep_records_) dialogs_.push_back(dialog);
  }
  std::string what = "the " + std::string(dialog.folders ? "folder" : "file") + " dialog \"" +
                     text::to_utf8(dialog.title) + "\"";
  for (;;) {
    Command c;
    if (take(c)) {
      if (is_cancel(c)) return std::nullopt;
      if (c.verb == "answer") return c.target;
      throw ScriptError{what + " waits for a path, but the next command is \"" + c.source + "\""};
    }
    if (more_input(nullptr) == Input::Commands) continue;
    if (strict_) throw ScriptError{"the script has no path for " + what};
    note(what + " got no path; cancelled");
    return std::nullopt;
  }
}

int ScriptedBackend::popup(const std::vector<std::string>& items) {
  {
    std::lock_guard lock(mutex_);
    if (keep_records_) popups_.push_back(items);
  }
  for (;;) {
    Command c;
    if (take(c)) {
      if (is_cancel(c)) return 0;
      if (c.verb != "choose") {
        throw ScriptError{"a popup menu waits for a choice, but the next command is \"" + c.source +
                          "\""};
      }
      std::string t = text::lower(c.target);
      std::string item =
          (t == "popup" || t == "menu") ? c.arg : c.target + (c.arg.empty() ? "" : " " + c.arg);
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (text::equal_ci(items[i], item) || item == std::to_string(i + 1))
          return static_cast<int>(i + 1);
      }
      throw ScriptError{"the popup menu has no item \"" + text::to_utf8(item) + "\""};
    }
    if (more_input(nullptr) == Input::Commands) continue;
    if (strict_) throw ScriptError{"the script has no choice for a popup menu"};
    note("a popup menu got no choice; dismissed");
    return 0;
  }
}

void ScriptedBackend::help(const std::string& file, const std::string& topic) {
  std::lock_guard lock(mutex_);
  if (keep_records_) help_.push_back({file, topic});
}

bool ScriptedBackend::open_document(const std::string& path, std::string& /*error*/) {
  std::lock_guard lock(mutex_);
  if (keep_records_) opened_.push_back(path);
  return true;
}

bool ScriptedBackend::start_program(const std::string& program,
                                    const std::vector<std::string>& args, std::string& /*error*/) {
  std::lock_guard lock(mutex_);
  if (!keep_records_) return true;
  started_.push_back({program});
  started_.back().insert(started_.back().end(), args.begin(), args.end());
  return true;
}

void ScriptedBackend::busy(bool on) {
  std::lock_guard lock(mutex_);
  busy_ += on ? 1 : -1;
}

void ScriptedBackend::failed(const std::string& message) {
  std::lock_guard lock(mutex_);
  failure_ = message;
}

void ScriptedBackend::clear_records() {
  std::lock_guard lock(mutex_);
  boxes_.clear();
  windows_.clear();
  notes_.clear();
  failure_.clear();
  help_.clear();
  popups_.clear();
  dialogs_.clear();
  opened_.clear();
  started_.clear();
}

}  // namespace orv::ui
