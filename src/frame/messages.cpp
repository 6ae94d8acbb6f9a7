// Message boxes through the current UI backend.
#include "frame/messages.hpp"

#include "frame/lifecycle.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"

namespace orv::frame {
namespace {

// Windows-1250 titles: "Ostrzeżenie" carries ż as its code-page byte.
constexpr const char* kQuestion = "ORVEX: Pytanie";
constexpr const char* kInformation = "ORVEX: Informacja";
constexpr const char* kWarning = "ORVEX: Ostrze\xBF" "enie";

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

void MSG_INFORMACJA(std::string_view text) { show(text, kInformation, ui::Icon::Information); }
void MSG_OSTRZEZENIE(std::string_view text) { show(text, kWarning, ui::Icon::Exclamation); }
void WALIDACJA(std::string_view text) { show(text, kWarning, ui::Icon::Exclamation); }

void ERRORWIN(std::string_view statement, std::string_view message) {
  ErrorHandler& handler = current_error_handler();
  handler.set_procedure("ErrorWin");
  ui::backend().error_window({std::string(statement), std::string(message)});
  handler.set_procedure("");
}

}  // namespace orv::frame
