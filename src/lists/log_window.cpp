// The execution-log window over log_wykonania.
#include "lists/log_window.hpp"

#include "lists/list_window.hpp"
#include "lists/sql_value.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"

namespace orv::lists {
namespace {

constexpr std::size_t kContextSize = 50;

ListDesign log_design(std::string_view context) {
  ListDesign s;
  s.name = "Log_wykonania";
  s.title = "Informacje";
  s.record = "LOG_WYKONANIA";
  s.fields = {{"ID_LOGU", "a.id_logu", true},
              {"OPIS1", "a.opis1"},
              {"OPIS2", "a.opis2"},
              {"KONTEKST", "a.kontekst"}};
  s.from = "log_wykonania a with (nolock)";
  s.where = "a.id_uzytkownika=" + plain_id(dict::glo().ID_UZYTKOWNIKA) +
            " and a.kontekst=" + quote(context, kContextSize);
  s.columns = {column("Opis 1", 174, 1), column("Opis 2", 255, 2)};
  // Primary-key order; the locator seeks the context, as typing did.
  s.sorts = {{"Kolejność"_w1250, 0}};
  s.buttons = kExport;
  if (text::clip(context) == "SzabDokSer") {
    s.title = "Informacje o dokumentach pominiętych"_w1250;
    s.columns = {column("Szablon / Kontrahent", 174, 1), column("Uwagi", 255, 2)};
  }
  return s;
}

ui::Window log_window_of(const ListDesign& design) {
  ui::Window w = build_list_window(design);
  w.rect = {0, 0, 423, 193};
  w.at(kLocator).hidden = true;
  w.add(ui::ControlKind::Label, kOwnControls, "NAGLOWEK", design.title);
  w.add(ui::ControlKind::Label, kOwnControls + 1, "PODPOWIEDZ", "Esc");
  return w;
}

ui::Window log_window() {
  return log_window_of(log_design(""));
}

const ui::WindowRegistrar kLogWin("Log_wykonania", "LOG_WYKONANIA", &log_window);

}  // namespace

void LOG_WYKONANIA(std::string_view context) {
  const ListDesign design = log_design(context);
  ui::Window w = log_window_of(design);
  ListWindow list(w, design);
  list.run();
}

}  // namespace orv::lists
