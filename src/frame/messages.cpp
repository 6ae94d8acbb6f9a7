// Message boxes through the current UI backend.
#include "frame/messages.hpp"

#include <atomic>
#include <cstdlib>

#include "frame/lifecycle.hpp"
#include "frame/window_conventions.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"
#include "platform/ui/window.hpp"

namespace orv::frame {
namespace {

// Windows-1250 titles: "Ostrzeżenie" carries ż as its code-page byte.
constexpr const char* kQuestion = "ORVEX: Pytanie";
constexpr const char* kInformation = "ORVEX: Informacja";
constexpr const char* kWarning = "ORVEX: Ostrzeżenie"_w1250;

constexpr int kStatement = 1;

ui::Window error_window() {
  ui::Window w("ErrorWin", "Informacja");
  w.display_only = true;
  w.rect = {0, 0, 400, 200};
  ui::Control& area = w.add(ui::ControlKind::TextArea, kStatement, "TEKST");
  area.font = "Courier New CE";
  area.read_only = true;
  area.rect = {0, 0, 400, 200};  // follows the window when it is resized
  return w;
}

const ui::WindowRegistrar kErrorWin("ErrorWin", "ERRORWIN", &error_window);

void halt_default() {
  std::exit(EXIT_FAILURE);
}

std::atomic<HaltHandler> g_halt{&halt_default};

// The error handler names the open error window, also when its loop is left by an exception.
class ProcedureName {
 public:
  explicit ProcedureName(const char* name) { current_error_handler().set_procedure(name); }
  ~ProcedureName() { current_error_handler().set_procedure(""); }
  ProcedureName(const ProcedureName&) = delete;
  ProcedureName& operator=(const ProcedureName&) = delete;
};

void show(std::string_view text, const char* title, ui::Icon icon) {
  ui::MessageBox box;
  box.text = text;
  box.title = title;
  box.icon = icon;
  ui::backend().message(box);
}

}  // namespace

uint8_t MSG_PYTANIE(std::string_view text, std::optional<std::string_view> title) {
  ui::MessageBox box;
  box.text = text;
  box.title = title && !text::clip(*title).empty() ? std::string(*title) : kQuestion;
  box.icon = ui::Icon::Question;
  box.buttons = ui::kYes | ui::kNo;
  box.default_button = ui::kNo;
  return ui::backend().message(box) == ui::kYes ? 2 : 4;
}

void MSG_INFORMACJA(std::string_view text) {
  show(text, kInformation, ui::Icon::Information);
}
void MSG_OSTRZEZENIE(std::string_view text) {
  show(text, kWarning, ui::Icon::Exclamation);
}
void WALIDACJA(std::string_view text) {
  show(text, kWarning, ui::Icon::Exclamation);
}

void ERRORWIN(std::string_view statement, std::string_view message) {
  ProcedureName name("ErrorWin");
  ui::Window w = error_window();
  w.title = message;
  w.at(kStatement).value = statement;
  open_window(w);
  // The text area fills the window wherever it was left; no buttons: only the close box (or
  // Esc) ends it.
  w.at(kStatement).rect = {0, 0, w.rect.width, w.rect.height};
  w.display();
  while (w.accept().kind != ui::EventKind::CloseWindow) {
  }
  w.close();
}

HaltHandler set_halt_handler(HaltHandler handler) {
  return g_halt.exchange(handler ? handler : &halt_default);
}

// The runtime's stop box: the message, Abort ends the program, Ignore goes on (the default, so
// that a host without a user never ends by accident).
void STOP(std::string_view message) {
  ui::MessageBox box;
  box.text = message;
  box.title = "ORVEX: Stop";
  box.icon = ui::Icon::Hand;
  box.buttons = ui::kAbort | ui::kIgnore;
  box.default_button = ui::kIgnore;
  if (ui::backend().message(box) == ui::kAbort) g_halt.load()();
}

}  // namespace orv::frame
