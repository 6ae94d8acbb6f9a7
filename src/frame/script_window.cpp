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

ui::Window script_window() {
  ui::Window w("PokazSQLWin", "Tekst");
  w.rect = {0, 0, 520, 320};
  ui::Control& text = w.add(ControlKind::TextArea, kText, "TEKST");
  text.font = "Courier New CE";
  text.rect = {4, 4, 512, 276};
  w.add(ControlKind::Label, kHintEsc, "HINT_ESC", "Esc");
  w.add(ControlKind::Label, kHintCopy, "HINT_KOPIUJ", "Ctrl+C");
  w.add(ControlKind::Label, kHintRun, "HINT_WYKONAJ", "Ctrl+W");
  w.add(ControlKind::Button, kCopy, "KOPIUJ", "Kopiuj do schowka zaznaczony fragment").key =
      "Ctrl+C";
  w.add(ControlKind::Button, kRun, "WYKONAJ", "Wykonaj SQL").key = "Ctrl+W";
  w.add(ControlKind::Button, kClose, "ZAMKNIJ", "Zamknij").key = "Esc";
  // Ctrl+A selects the whole text, which is what a copy without a selection takes as well.
  w.alert_keys = {"Ctrl+A"};
  return w;
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
  w.display();
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kClose)) break;
    if (e.accepted(kCopy)) ui::set_clipboard(w.at(kText).value);
    if (e.accepted(kRun)) run_script(w);
  }
  w.close();
}

}  // namespace orv::frame
