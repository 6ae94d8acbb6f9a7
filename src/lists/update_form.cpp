// The update forms' loop and their request/response protocol.
#include "lists/update_form.hpp"

#include "frame/messages.hpp"
#include "frame/window_conventions.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"

namespace orv::lists {

void add_form_controls(ui::Window& w) {
  w.add(ui::ControlKind::Label, kModeText, "TRYB");
  w.add(ui::ControlKind::Button, kSaveButton, "ZAPISZ", "&Zapisz").key = "F10";
  w.add(ui::ControlKind::Button, kCancelButton, "ANULUJ", "&Anuluj").key = "Esc";
}

Request form_request(double record_id) {
  const Request r = global_request();
  if (r != Request::None && r != Request::Select) return r;
  return record_id > 0 ? Request::Change : Request::Insert;
}

bool confirm_delete() {
  return frame::MSG_PYTANIE("Czy usunąć wybrany rekord?"_w1250) == 2;
}

UpdateForm::UpdateForm(ui::Window& w, Request request, std::string help_topic)
    : w_(w), request_(request), help_topic_(std::move(help_topic)) {}

void UpdateForm::lock_for_view() {
  for (const ui::Control& c : w_.controls()) {
    ui::Control& m = w_.at(c.number);
    if (m.kind == ui::ControlKind::Entry || m.kind == ui::ControlKind::TextArea) m.read_only = true;
    if (m.kind == ui::ControlKind::Check) m.disabled = true;
    if (m.kind == ui::ControlKind::Button && m.number != kCancelButton) m.disabled = true;
  }
}

// What the form does, for forms whose own text the window did not set.
std::string mode_text(Request r) {
  switch (r) {
    case Request::Insert:
      return "Dodawanie rekordu";
    case Request::Change:
      return "Zmiana rekordu";
    default:
      return "Podgląd"_w1250;
  }
}

int32_t UpdateForm::run(const Save& save, const Handler& handler) {
  if (request_ == Request::View) lock_for_view();
  if (ui::Control* mode = w_.find(kModeText); mode && mode->caption.empty())
    mode->caption = mode_text(request_);
  frame::open_window(w_, help_topic_);
  int32_t response = kRequestCancelled;
  for (;;) {
    ui::Event e = w_.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancelButton)) break;
    if (e.accepted(kSaveButton)) {
      if (request_ != Request::View && save()) {
        response = kRequestCompleted;
        break;
      }
      continue;
    }
    if (handler) handler(e);
  }
  w_.close();
  dict::glo().GLOBALRESPONSE = response;
  return response;
}

}  // namespace orv::lists
