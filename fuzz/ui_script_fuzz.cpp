// Scripts come from command lines and files: any text must parse or be refused, and any command
// must drive a window (or be read against the designed ones) or be refused, never crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/text/cp1250.hpp"
#include "platform/ui/headless/headless.hpp"
#include "platform/ui/script.hpp"
#include "platform/ui/window.hpp"

using orv::operator""_w1250;

namespace {

orv::ui::Window target() {
  using orv::ui::ControlKind;
  orv::ui::Window w("Fuzz", "Fuzz");
  w.timer = 10;
  w.alert_keys = {"Ctrl+D"};
  w.add(ControlKind::Entry, 1, "KWOTA", "&Kwota:");
  w.add(ControlKind::Check, 2, "ZAZN", "Zaznacz");
  w.add(ControlKind::DropList, 3, "ZAKRES", "Zakres").items = {"a", "b"};
  auto& list = w.add(ControlKind::List, 4, "LISTA", "Lista");
  list.rows = {{"x"}, {"y"}};
  w.add(ControlKind::Button, 5, "OK", "OK").key = "F10";
  w.add(ControlKind::Tab, 6, "ZAKLADKA", "Zakładka"_w1250);
  w.add(ControlKind::Entry, 7, "UKRYTE", "Ukryte").hidden = true;
  return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string script(reinterpret_cast<const char*>(data), size);
  orv::ui::HeadlessBackend ui({}, /*strict=*/true);
  try {
    ui.add_script(script);
  } catch (const orv::ui::ScriptError&) {
    return 0;
  }
  // Read against the designed windows of procedures with entries, lists and drop lists.
  for (const char* procedure : {"KALENDARZ", "PRZELICZNIKRABATU", "PYTAJOZAKRESDAT"}) {
    try {
      orv::ui::check_script(script, procedure);
    } catch (const orv::ui::ScriptError&) {
    }
  }
  orv::ui::Backend* previous = orv::ui::set_backend(&ui);
  orv::ui::Window w = target();
  w.open();
  try {
    // Boxes and dialogs take their share of the commands between window events.
    for (int i = 0; i < 64 && ui.commands_left() > 0; ++i) {
      w.accept();
      orv::ui::MessageBox box{
          "?", "T", orv::ui::Icon::Question, orv::ui::kYes | orv::ui::kNo, orv::ui::kNo, {}};
      if (i % 3 == 1) ui.message(box);
      if (i % 5 == 2) ui.popup({"a", "b"});
    }
  } catch (const orv::ui::ScriptError&) {
  }
  w.close();
  orv::ui::set_backend(previous);
  return 0;
}
