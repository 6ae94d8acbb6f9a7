// The terminal backend: drawing, reading commands, and a person answering boxes.
#include "platform/ui/terminal/terminal.hpp"

#include <poll.h>
#include <unistd.h>

#include <utility>

#include "platform/text/text.hpp"
#include "platform/ui/backends.hpp"
#include "platform/ui/terminal/render.hpp"
#include "platform/ui/window.hpp"

namespace orv::ui {
namespace {

constexpr const char* kCommandHelp =
    "  set <control> <value>     type a value and accept it\n"
    "  press <control>           press a button (or toggle a check box)\n"
    "  choose <control> <item>   choose a drop-list item or a list row by its text\n"
    "  select <control> <row>    move a list's selection; dclick <control> <row> chooses it\n"
    "  select <text> <from> <to> select the characters from..to of a text area\n"
    "  check <control> on|off    key <F10|Esc|Enter|Ctrl+D...>   tick [n]   close   maximize\n"
    "  answer yes|no|<caption>   answer the next box\n"
    "  Controls are named by id, caption or number; quote names with blanks: press \"Do "
    "schowka\".\n"
    "  An empty line is Enter.\n";

// What decides a full redraw: the title and which controls show, not their changing values.
std::string layout(const Window& w) {
  std::string out = w.title;
  for (const auto& c : w.controls()) {
    out += "|" + c.id + (c.hidden ? "-" : "+") + (c.disabled ? "d" : "");
    if (c.kind != ControlKind::Label && c.kind != ControlKind::Progress) out += c.value + c.caption;
  }
  return out;
}

class TerminalSession : public UiSession {
 public:
  explicit TerminalSession(const UiOptions& o) {
    for (const auto& a : o.answers) terminal_.add_answer(a);
  }
  ScriptedBackend& engine() override { return terminal_; }
  Backend& backend() override { return terminal_; }

 private:
  TerminalBackend terminal_;
};

// The terminal reads its own input: it cannot drive another engine.
std::unique_ptr<UiSession> make_terminal(const UiOptions& o, ScriptedBackend* engine) {
  if (engine) return nullptr;
  return std::make_unique<TerminalSession>(o);
}

const UiBackendRegistrar kRegistered("terminal", make_terminal);

}  // namespace

TerminalBackend::TerminalBackend(std::FILE* in, std::FILE* out)
    : ScriptedBackend(/*strict=*/false), in_fd_(fileno(in)), out_(out) {}

void TerminalBackend::print(const std::string& utf8) {
  std::fputs(utf8.c_str(), out_);
  std::fflush(out_);
}

std::optional<std::string> TerminalBackend::read_line(int timeout_ms, bool& timed_out) {
  timed_out = false;
  for (;;) {
    auto nl = buffer_.find('\n');
    if (nl != std::string::npos) {
      std::string line = buffer_.substr(0, nl);
      buffer_.erase(0, nl + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    if (eof_) {
      if (buffer_.empty()) return std::nullopt;
      return std::exchange(buffer_, {});
    }
    pollfd p{in_fd_, POLLIN, 0};
    int ready = ::poll(&p, 1, timeout_ms);
    if (ready == 0) {
      timed_out = true;
      return std::string();
    }
    char chunk[4096];
    ssize_t n = ready < 0 ? -1 : ::read(in_fd_, chunk, sizeof chunk);
    if (n <= 0) {
      eof_ = true;
    } else {
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
  }
}

void TerminalBackend::draw(const Window& w, bool timer_running) {
  std::string full = render_window(w);
  std::string progress = render_progress_line(w);
  std::string shape = layout(w);
  // While a timer runs, a change of the progress alone is redrawn in place on one line.
  if (timer_running && shape == shape_ && !drawn_.empty() && !progress.empty()) {
    if (progress != progress_) print("\r" + progress);
    progress_ = progress;
    return;
  }
  if (full == drawn_) return;
  drawn_ = full;
  shape_ = shape;
  progress_ = progress;
  print(full);
}

void TerminalBackend::window_opened(Window& w) {
  drawn_.clear();
  draw(w, false);
}

void TerminalBackend::window_changed(const Window&) {}

void TerminalBackend::window_closed(const Window& w) {
  ScriptedBackend::window_closed(w);
  drawn_.clear();
  shape_.clear();
  progress_.clear();
  print("\n(" + text::to_utf8(w.title) + ": closed)\n");
}

ScriptedBackend::Input TerminalBackend::more_input(Window* w) {
  for (;;) {
    if (w) draw(*w, w->timer > 0);
    bool timer = w && w->timer > 0;
    if (!timer) print("> ");
    bool timed_out = false;
    auto line = read_line(timer ? w->timer * 10 : -1, timed_out);
    if (timed_out) return Input::Timer;
    if (!line) return Input::None;
    std::string l(text::trim(*line));
    if (l == "help" || l == "?") {
      print(kCommandHelp);
      continue;
    }
    if (waiting_ == Waiting::Popup && !l.empty() && l.find(' ') == std::string::npos &&
        l != "close") {
      l.insert(0, "choose popup ");
    } else if (waiting_ == Waiting::File) {
      l.insert(0, l.empty() ? "answer cancel" : "answer ");
    } else if (l.empty()) {
      l = "key Enter";
    }
    try {
      add_script(l);
      return Input::Commands;
    } catch (const ScriptError& e) {
      print("  " + e.message + "\n");
    }
  }
}

std::optional<unsigned> TerminalBackend::ask_box(const MessageBox& box) {
  print(render_box(box));
  std::vector<unsigned> offered;
  for (unsigned bit = 1; bit <= kHelp; bit <<= 1) {
    if (box.buttons & bit) offered.push_back(bit);
  }
  for (;;) {
    std::string prompt = " ";
    for (std::size_t i = 0; i < offered.size(); ++i) {
      bool def = offered[i] == box.default_button;
      prompt += " " + std::to_string(i + 1) + ") " +
                text::to_utf8(button_caption(offered[i], box)) + (def ? " [Enter]" : "");
    }
    print(prompt + "\n> ");
    bool timed_out = false;
    auto line = read_line(-1, timed_out);
    if (!line) return box.default_button;
    std::string answer = text::lower(text::from_utf8(text::trim(*line)));
    if (answer.starts_with("answer ")) answer = std::string(text::trim(answer.substr(7)));
    if (answer.empty()) return box.default_button;
    for (std::size_t i = 0; i < offered.size(); ++i) {
      std::string caption = text::lower(button_caption(offered[i], box));
      if (answer == std::to_string(i + 1) || answer == caption || answer == caption.substr(0, 1)) {
        return offered[i];
      }
    }
  }
}

unsigned TerminalBackend::message(const MessageBox& box) {
  if (next_is_answer()) print(render_box(box));
  return ScriptedBackend::message(box);
}

std::optional<std::string> TerminalBackend::file_dialog(const FileDialog& dialog) {
  print("\n== " + text::to_utf8(dialog.title) + " ==\n  " + (dialog.folders ? "folder" : "file") +
        " path (empty line cancels), starting in " + text::to_utf8(dialog.folder) + "\n");
  waiting_ = Waiting::File;
  auto path = ScriptedBackend::file_dialog(dialog);
  waiting_ = Waiting::Window;
  return path;
}

int TerminalBackend::popup(const std::vector<std::string>& items) {
  std::string menu = "\n== menu ==\n";
  for (std::size_t i = 0; i < items.size(); ++i) {
    menu += "  " + std::to_string(i + 1) + ") " + text::to_utf8(items[i]) + "\n";
  }
  print(menu + "  (a number or an item's text; Esc: key Esc)\n");
  waiting_ = Waiting::Popup;
  int chosen = ScriptedBackend::popup(items);
  waiting_ = Waiting::Window;
  return chosen;
}

void TerminalBackend::status_changed(int zone, const std::string& text) {
  print("[status " + std::to_string(zone) + "] " + text::to_utf8(text) + "\n");
}

bool TerminalBackend::open_document(const std::string& path, std::string& error) {
  ScriptedBackend::open_document(path, error);
  return open_on_desktop(path, error);
}

bool TerminalBackend::start_program(const std::string& program,
                                    const std::vector<std::string>& args, std::string& error) {
  ScriptedBackend::start_program(program, args, error);
  return start_on_desktop(program, args, error);
}

void TerminalBackend::help(const std::string& file, const std::string& topic) {
  ScriptedBackend::help(file, topic);
  print("(help: " + text::to_utf8(file) + " :: " + text::to_utf8(topic) + ")\n");
}

}  // namespace orv::ui
