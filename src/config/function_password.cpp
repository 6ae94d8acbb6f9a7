// HASLOFUNKCJI: the "Funkcja autoryzowana hasłem" window and its check against the server.
#include "config/function_password.hpp"

#include <string>

#include "config/parameters.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::config {
namespace {

using ui::ControlKind;

constexpr std::size_t kIdentifierSize = 19;
constexpr std::size_t kPasswordSize = 20;
constexpr std::size_t kCodeSize = 20;

enum : int { kName = 1, kDescription, kGroup, kUser, kPassword, kConfirm, kCancel };

ui::Window password_window() {
  ui::Window w("HasloFunkcji", "Funkcja autoryzowana hasłem"_w1250);
  w.rect = {0, 0, 260, 170};
  w.add(ControlKind::Label, kName, "NAZWA_FUNKCJI");
  w.add(ControlKind::TextArea, kDescription, "OPIS_FUNKCJI").read_only = true;
  w.add(ControlKind::Group, kGroup, "GRUPA", "Hasło autoryzacyjne"_w1250);
  w.add(ControlKind::Entry, kUser, "UZYTKOWNIK", "Wprowadź użytkownika"_w1250);
  w.add(ControlKind::Entry, kPassword, "HASLO", "Wprowadź hasło"_w1250);
  w.add(ControlKind::Button, kConfirm, "ZATWIERDZ", "Zatwierdź"_w1250).key = "F10";
  w.add(ControlKind::Button, kCancel, "ANULUJ", "Anuluj").key = "Esc";
  return w;
}

const ui::WindowRegistrar kPasswordWindow("HasloFunkcji", "HASLOFUNKCJI", &password_window);

struct Function {
  std::string name;
  std::string description;
};

enum class Lookup { Protected, Unprotected, Failed };

// The function's row in orv_funkcja: none means it is not protected.
Lookup find_function(const std::string& code, Function& f) {
  if (frame::ESQL("select nazwa_funkcji,opis_funkcji from orv_funkcja where kod_funkcji='" +
                  text::double_apostrophes(code) + "'") != 0) {
    return Lookup::Failed;
  }
  if (!frame::VAX().next()) return Lookup::Unprotected;
  f.name = frame::VAX().field(1).substr(0, 100);
  f.description = frame::VAX().field(2).substr(0, 999);
  return Lookup::Protected;
}

std::string folded(std::string_view s) {
  return text::upper(text::clip(s));
}

// The server lists the password as granted to that identifier for that function; the row it
// gives back must say so itself. A failing statement finds no row.
bool authorised(const std::string& identifier, const std::string& password,
                const std::string& code) {
  frame::EXECSQL(
      "select haslo,identyfikator,kod_funkcji from uzytkownik_funkcji_v where "
      "identyfikator='" +
      text::double_apostrophes(identifier) + "' and haslo='" + text::double_apostrophes(password) +
      "' and KOD_FUNKCJI='" + text::double_apostrophes(code) + "'");
  sql::ScratchTable& vax = frame::VAX();
  if (vax.error() != 0 || !vax.next()) return false;
  return folded(vax.field(1)) == folded(password) && folded(vax.field(2)) == folded(identifier) &&
         text::clip(vax.field(3)) == text::clip(code);
}

uint8_t run_window(ui::Window& w, const std::string& code) {
  frame::open_window(w, "kar_kon.htm");
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancel)) return 0;
    if (!e.accepted(kConfirm)) continue;
    std::string identifier = w.at(kUser).value.substr(0, kIdentifierSize);
    std::string password = w.at(kPassword).value.substr(0, kPasswordSize);
    if (authorised(identifier, password, code)) return 1;
    frame::MSG_OSTRZEZENIE("Brak autoryzacji!|Wprowadzono błędne hasło."_w1250);
    w.set_focus(kPassword);
    w.display();
  }
}

}  // namespace

uint8_t HASLOFUNKCJI(std::string_view function_code) {
  if (text::clip(POBIERZPARAMKONF("s", "BlokFuncHaslo")) != "Tak") return 1;
  std::string identifier =
      frame::FUNCSQL("select identyfikator from uzytkownik where id_uzytkownika=" +
                     plain_id(dict::glo().ID_UZYTKOWNIKA))
          .substr(0, kIdentifierSize);
  std::string code(text::clip(text::clip(function_code).substr(0, kCodeSize)));
  Function f;
  Lookup found = find_function(code, f);
  if (found != Lookup::Protected) {
    frame::CLOSESQL();
    // Not knowing whether the function is protected must not let it run unprotected.
    return found == Lookup::Unprotected ? 1 : 0;
  }
  ui::Window w = password_window();
  w.at(kName).caption = f.name;
  w.at(kDescription).value = f.description;
  w.at(kUser).value = text::clip(identifier);
  w.set_focus(kPassword);
  uint8_t result = run_window(w, code);
  w.close();
  frame::CLOSESQL();
  return result;
}

}  // namespace orv::config
