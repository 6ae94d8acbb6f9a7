// A window with one control of each kind, for the model's and backends' tests.
#pragma once

#include "platform/ui/window.hpp"

namespace orv::ui::test {

enum : int {
  kAmount = 1,
  kMark,
  kRange,
  kList,
  kConfirmButton,
  kCancelButton,
  kInfo,
  kHidden,
  kFixed,
  kBar
};

inline Window sample_window() {
  Window w("Probka",
           "Pr\xF3"
           "bka");
  w.add(ControlKind::Entry, kAmount, "KWOTA", "&Kwota:");
  w.add(ControlKind::Check, kMark, "ZAZN", "Zaznacz");
  w.add(ControlKind::DropList, kRange, "ZAKRES", "Zakres").items = {"pe\xB3ny zakres", "luty"};
  Control& list = w.add(ControlKind::List, kList, "LISTA", "Lista");
  list.rows = {{"a"}, {"b"}, {"c"}};
  list.selected = 1;
  w.add(ControlKind::Button, kConfirmButton, "OK", "Zatwierd\x9F").key = "F10";
  w.add(ControlKind::Button, kCancelButton, "ANULUJ", "Anuluj").key = "Esc";
  w.add(ControlKind::Label, kInfo, "INFO", "Informacja");
  w.add(ControlKind::Entry, kHidden, "UKRYTE", "Ukryte").hidden = true;
  w.add(ControlKind::Entry, kFixed, "STALA",
        "Sta\xB3"
        "a")
      .read_only = true;
  w.add(ControlKind::Progress, kBar, "PASEK");
  return w;
}

}  // namespace orv::ui::test
