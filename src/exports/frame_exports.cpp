// C entry points of the module frame: lifecycle and messages.
#include "frame/lifecycle.hpp"
#include "frame/messages.hpp"
#include "table.hpp"
#include "ui_guard.hpp"

using orv::exports::in;

extern "C" {

void ORVRUN_INIT(void* error_handler, void* ini_handler) {
  orv::frame::ORVRUN_INIT(static_cast<orv::frame::ErrorHandler*>(error_handler),
                          static_cast<orv::ini::IniFile*>(ini_handler));
}
void ORVRUN_KILL(void) {
  orv::frame::ORVRUN_KILL();
}

uint8_t MSG_PYTANIE(const char* text, const char* title) {
  return orv::exports::ui_guard(
      [&] {
        return orv::frame::MSG_PYTANIE(in(text), title ? std::optional(in(title)) : std::nullopt);
      },
      uint8_t{4});
}
void MSG_INFORMACJA(const char* text) {
  orv::exports::ui_guard([&] { orv::frame::MSG_INFORMACJA(in(text)); });
}
void MSG_OSTRZEZENIE(const char* text) {
  orv::exports::ui_guard([&] { orv::frame::MSG_OSTRZEZENIE(in(text)); });
}
void WALIDACJA(const char* text) {
  orv::exports::ui_guard([&] { orv::frame::WALIDACJA(in(text)); });
}
void ERRORWIN(const char* statement, const char* message) {
  orv::exports::ui_guard([&] { orv::frame::ERRORWIN(in(statement), in(message)); });
}

}  // extern "C"

ORV_EXPORT(ORVRUN_INIT, "initialise the module once with the host's handlers", "error_handler",
           "ini_handler");
ORV_EXPORT(ORVRUN_KILL, "shut the module down once");
ORV_EXPORT(MSG_PYTANIE, "ask Yes/No: 2 Yes, 4 No", "text", "title?");
ORV_EXPORT(MSG_INFORMACJA, "show an information box", "text");
ORV_EXPORT(MSG_OSTRZEZENIE, "show a warning box", "text");
ORV_EXPORT(WALIDACJA, "show a validation warning", "text");
ORV_EXPORT(ERRORWIN, "show the SQL error window", "statement", "message");
