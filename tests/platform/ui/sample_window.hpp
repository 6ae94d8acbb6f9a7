// A window with one control of each kind, for the model's and backends' tests.
#pragma once

#include "platform/text/cp1250.hpp"
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
  kBar,
  kSlider
};

inline Window sample_window() {
  Window w("Probka", "Próbka"_w1250);
  w.add(ControlKind::Entry, kAmount, "KWOTA", "&Kwota:");
  w.add(ControlKind::Check, kMark, "ZAZN", "Zaznacz");
  w.add(ControlKind::DropList, kRange, "ZAKRES", "Zakres").items = {"pełny zakres"_w1250, "luty"};
  Control& list = w.add(ControlKind::List, kList, "LISTA", "Lista");
  list.rows = {{"a"}, {"b"}, {"c"}};
  list.selected = 1;
  w.add(ControlKind::Button, kConfirmButton, "OK", "Zatwierdź"_w1250).key = "F10";
  w.add(ControlKind::Button, kCancelButton, "ANULUJ", "Anuluj").key = "Esc";
  w.add(ControlKind::Label, kInfo, "INFO", "Informacja");
  w.add(ControlKind::Entry, kHidden, "UKRYTE", "Ukryte").hidden = true;
  w.add(ControlKind::Entry, kFixed, "STALA", "Stała"_w1250).read_only = true;
  w.add(ControlKind::Progress, kBar, "PASEK");
  Control& slider = w.add(ControlKind::Slider, kSlider, "SUWAK", "Procent");
  slider.high = 200;
  slider.tick = 10;
  slider.value = "50";
  return w;
}

}  // namespace orv::ui::test
