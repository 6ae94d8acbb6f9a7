// POKAZSQLWIN: the script window and its batch runner.
#include "frame/script_window.hpp"

#include <algorithm>

#include "frame/exec_log.hpp"
#include "frame/lifecycle.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::frame {
namespace {

using ui::ControlKind;

enum : int { kText = 1, kHintEsc, kHintCopy, kHintRun, kCopy, kRun, kClose };

constexpr int kMinWidth = 400;
constexpr int kMinHeight = 250;
constexpr std::string_view kSeparator = "\r\ngo\r\n";
constexpr int kMargin = 4;
constexpr int kButtonHeight = 20;
constexpr int kHintHeight = 12;

// The text fills the window above one row of buttons, each with the hint of its key under it.
void lay_out(ui::Window& w) {
  struct Slot {
    int button, hint, width;
  };
  static constexpr Slot kRow[] = {
      {kCopy, kHintCopy, 200}, {kRun, kHintRun, 90}, {kClose, kHintEsc, 70}};
  const int foot = kButtonHeight + kHintHeight + 2 * kMargin;
  w.at(kText).rect = {kMargin, kMargin, std::max(w.rect.width - 2 * kMargin, 0),
                      std::max(w.rect.height - foot - kMargin, 0)};
  int x = kMargin;
  const int y = std::max(w.rect.height - foot + kMargin, 0);
  for (const Slot& s : kRow) {
    w.at(s.button).rect = {x, y, s.width, kButtonHeight};
    w.at(s.hint).rect = {x, y + kButtonHeight, s.width, kHintHeight};
    x += s.width + 2 * kMargin;
  }
}

ui::Window script_window() {
  ui::Window w("PokazSQLWin", "Tekst");
  w.rect = {0, 0, 520, 320};
  w.add(ControlKind::TextArea, kText, "TEKST").font = "Courier New CE";
  w.add(ControlKind::Label, kHintEsc, "HINT_ESC", "Esc");
  w.add(ControlKind::Label, kHintCopy, "HINT_KOPIUJ", "Ctrl+C");
  w.add(ControlKind::Label, kHintRun, "HINT_WYKONAJ", "Ctrl+W");
  w.add(ControlKind::Button, kCopy, "KOPIUJ", "Kopiuj do schowka zaznaczony fragment").key =
      "Ctrl+C";
  w.add(ControlKind::Button, kRun, "WYKONAJ", "Wykonaj SQL").key = "Ctrl+W";
  w.add(ControlKind::Button, kClose, "ZAMKNIJ", "Zamknij").key = "Esc";
  w.alert_keys = {"Ctrl+A"};
  lay_out(w);
  return w;
}

// Maximising places the window inside the host frame instead of over the whole screen.
void maximise(ui::Window& w) {
  fit_into_host_frame();
  lay_out(w);
  w.display();
}

void select_all(ui::Window& w) {
  ui::Control& area = w.at(kText);
  area.selection_start = 0;
  area.selection_end = area.value.size();
  w.display();
}

// The selected part, or the whole text when nothing is selected.
void copy(const ui::Window& w) {
  const ui::Control& area = *w.find(kText);
  std::string selected = area.selected_text();
  ui::set_clipboard(selected.empty() ? area.value : selected);
}

const ui::WindowRegistrar kScriptWin("PokazSQLWin", "POKAZSQLWIN", &script_window);

class ProcedureName {
 public:
  ProcedureName() { current_error_handler().set_procedure("PokazSQLWin"); }
  ~ProcedureName() { current_error_handler().set_procedure(""); }
  ProcedureName(const ProcedureName&) = delete;
  ProcedureName& operator=(const ProcedureName&) = delete;
};

void run_script(const ui::Window& w) {
  if (!run_script_batches(w.find(kText)->value)) return;
  ZAPISZDOLOGU(0, "SYSTEM", 1, text::fit(w.title, 101));
  MSG_INFORMACJA("Skrypt SQL został wykonany poprawnie!"_w1250);
}

}  // namespace

bool run_script_batches(std::string_view script) {
  std::size_t at = 0;
  for (;;) {
    std::size_t end = script.find(kSeparator, at);
    if (end == std::string_view::npos) return true;
    std::string batch(script.substr(at, end - at));
    std::replace(batch.begin(), batch.end(), '`', '\'');
    EXECSQL(batch);
    if (VAX().error() != 0) {
      // The driver's message for a rejected statement and the runtime's text for any other
      // failure are both what the table reports.
      MSG_OSTRZEZENIE(VAX().message());
      return false;
    }
    at = end + kSeparator.size();
  }
}

void POKAZSQLWIN(std::string_view script, std::string_view title) {
  ProcedureName name;
  ui::Window w = script_window();
  if (!text::clip(title).empty()) w.title = text::clip(title);
  w.at(kText).value = text::fit(script, kMaxScript + 1);
  w.set_focus(kText);
  open_window(w);
  w.rect.width = std::max(w.rect.width, kMinWidth);
  w.rect.height = std::max(w.rect.height, kMinHeight);
  lay_out(w);
  w.display();
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kClose)) break;
    if (e.kind == ui::EventKind::Maximized) maximise(w);
    if (e.kind == ui::EventKind::AlertKey && e.key == "Ctrl+A") select_all(w);
    if (e.accepted(kCopy)) copy(w);
    if (e.accepted(kRun)) run_script(w);
  }
  w.close();
}

}  // namespace orv::frame
