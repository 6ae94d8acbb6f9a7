// The e-mail window and its sending.
#include "dialogs/send_email.hpp"

#include "config/parameters.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/mail/smtp.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"

namespace orv::dialogs {
namespace {

using ui::ControlKind;

enum : int { kTo = 1, kSubject, kBody, kAttachment, kBrowse, kSend, kCancel };

ui::Window email_window() {
  ui::Window w("SendEmail", "Wyślij wiadomość e-mail"_w1250);
  w.rect = {0, 0, 320, 220};
  w.add(ControlKind::Entry, kTo, "DO", "Do:");
  w.add(ControlKind::Entry, kSubject, "TEMAT", "Temat:");
  w.add(ControlKind::TextArea, kBody, "TRESC", "Treść:"_w1250);
  w.add(ControlKind::Entry, kAttachment, "ZALACZNIK", "Załącznik:"_w1250);
  w.add(ControlKind::Button, kBrowse, "WYBIERZ_PLIK", "...").tip = "Wybierz plik załącznika"_w1250;
  w.add(ControlKind::Button, kSend, "WYSLIJ", "&Wyślij"_w1250).key = "F10";
  w.add(ControlKind::Button, kCancel, "ANULUJ", "&Anuluj").key = "Esc";
  return w;
}

const ui::WindowRegistrar kEmailWin("SendEmail", "SENDEMAIL", &email_window);

std::string company(const char* code) {
  return std::string(text::clip(config::POBIERZPARAMKONF("s", code)));
}

std::string sender() {
  std::string from = company("NadawcaSMTP");
  if (!from.empty()) return from;
  return std::string(
      text::clip(frame::FUNCSQL("select email from uzytkownik where id_uzytkownika=" +
                                plain_id(dict::glo().ID_UZYTKOWNIKA))));
}

// True when the server took the message; otherwise the user was told why.
bool send(const ui::Window& w) {
  mail::Message m;
  m.to = mail::split_addresses(w.find(kTo)->value);
  if (m.to.empty()) {
    frame::MSG_OSTRZEZENIE("Proszę podać adres odbiorcy."_w1250);
    return false;
  }
  mail::Server server{company("SerwerSMTP"), company("UzytkownikSMTP"), company("HasloSMTP")};
  if (server.url.empty()) {
    frame::MSG_OSTRZEZENIE("Brak serwera poczty w konfiguracji firmy (parametr SerwerSMTP)."_w1250);
    return false;
  }
  m.from = sender();
  m.subject = w.find(kSubject)->value;
  m.body = w.find(kBody)->value;
  const std::string attachment(text::clip(w.find(kAttachment)->value));
  if (!attachment.empty()) m.attachments.push_back(attachment);
  ui::BusyCursor busy;
  const std::string failure = mail::send(server, m);
  if (!failure.empty()) {
    frame::MSG_OSTRZEZENIE("Nie udało się wysłać wiadomości.|"_w1250 + failure);
    return false;
  }
  return true;
}

void browse(ui::Window& w) {
  ui::FileDialog d;
  d.title = "Wybierz załącznik"_w1250;
  d.filter = "Wszystkie pliki|*.*";
  if (auto path = ui::ask_file(d)) w.at(kAttachment).value = *path;
}

}  // namespace

uint8_t SENDEMAIL(std::optional<std::string_view> to, std::optional<std::string_view> subject,
                  std::optional<std::string_view> body,
                  std::optional<std::string_view> attachment) {
  ui::Window w = email_window();
  w.at(kTo).value = to.value_or("");
  w.at(kSubject).value = subject.value_or("");
  w.at(kBody).value = body.value_or("");
  w.at(kAttachment).value = attachment.value_or("");
  w.set_focus(w.at(kTo).value.empty() ? kTo : kBody);
  frame::open_window(w);
  uint8_t sent = 0;
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancel)) break;
    if (e.accepted(kBrowse)) browse(w);
    if (e.accepted(kSend) && send(w)) {
      sent = 1;
      break;
    }
  }
  w.close();
  return sent;
}

}  // namespace orv::dialogs
