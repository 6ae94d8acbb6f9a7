// The payment-file window: scheme list, file entry, save dialog, the checks before writing.
#include "payments/export_window.hpp"

#include <vector>

#include "config/parameters.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "payments/payment_writer.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"

namespace orv::payments {
namespace {

using ui::ControlKind;

enum : int { kInfo = 1, kHint, kSchemes, kFile, kBrowse, kRun, kClose };

constexpr std::size_t kFileCapacity = 301;  // "up to 300 characters"

constexpr const char* kInfoText =
    "Większość systemów bankowych ma możliwość wczytania przygotowanego pliku Elektronicznych "
    "Poleceń Przelewu (EPP) co eliminuje konieczność składania tradycyjnych przelewów w okienku "
    "bankowym. Z reguły banki akceptują plik wg schematu Elixir-0."_w1250;
constexpr const char* kHintText =
    "W menu Administrator/Definicje/Przelewy elektroniczne można zmienić i/lub utworzyć nowy "
    "schemat EPP."_w1250;

const ui::WindowRegistrar kExportWin("ExportTxtMC", "EXPORT_TXT_MC", &export_window);

// The schemes in the list's order, and the row of the stored choice.
std::vector<double> fill_schemes(ui::Control& list, double stored) {
  std::vector<double> ids;
  if (frame::ESQL("select id_mc_def_nag, nazwa, opis from MC_DEF_NAG order by nazwa") == 0) {
    while (frame::VAX().next()) {
      ids.push_back(frame::VAX().real_field(1));
      list.rows.push_back({std::string(text::clip(frame::VAX().field(2))),
                           std::string(text::clip(frame::VAX().field(3)))});
      if (ids.back() == stored) list.selected = static_cast<int>(ids.size());
    }
  }
  frame::CLOSESQL();
  return ids;
}

void browse(ui::Window& w) {
  ui::FileDialog d;
  d.title = "Zapisz plik jako.";
  d.file = w.at(kFile).value;
  d.filter = "Pliki tekstowe|*.txt|Wszystkie pliki|*.*";
  d.save = true;
  if (auto chosen = ui::ask_file(d))
    w.at(kFile).value = text::fit(with_extension(*chosen), kFileCapacity);
}

// True when the export ran (the window closes).
bool run(ui::Window& w, const std::vector<double>& ids, int32_t usage) {
  const int row = w.at(kSchemes).selected;
  if (row < 1 || row > static_cast<int>(ids.size())) {
    frame::MSG_INFORMACJA("Proszę wybrać schemat elektronicznego polecenia przelewu."_w1250);
    return false;
  }
  const std::string file(text::clip(text::fit(w.at(kFile).value, kFileCapacity)));
  if (file.empty()) {
    frame::MSG_OSTRZEZENIE("Proszę wybrać plik."_w1250);
    return false;
  }
  if (frame::MSG_PYTANIE("Czy chcesz wykonać eksport przelewów do pliku: "_w1250 + file + " ?") !=
      2) {
    return false;
  }
  const double scheme = ids[static_cast<std::size_t>(row - 1)];
  config::USTAWPARAMKONF("u", "DomFileNameEPP", file);
  config::USTAWPARAMKONF("u", "DomSchematEPP", plain_id(scheme));
  write_payment_file(usage, scheme, file);
  return true;
}

}  // namespace

std::string with_extension(std::string name) {
  if (name.size() < 4 || name[name.size() - 4] != '.') name += ".txt";
  return name;
}

ui::Window export_window() {
  ui::Window w("ExportTxtMC", "Elektroniczne Polecenie Przelewu - generowanie pliku");
  w.rect = {0, 0, 360, 230};
  w.add(ControlKind::Label, kInfo, "INFO", kInfoText);
  w.add(ControlKind::Label, kHint, "PODPOWIEDZ", kHintText);
  ui::Control& list = w.add(ControlKind::List, kSchemes, "SCHEMATY", "Schemat EPP");
  list.columns = {{"Nazwa", 100}, {"Opis", 200}};
  w.add(ControlKind::Entry, kFile, "PLIK", "Nazwa i lokalizacja pliku przelewów"_w1250);
  w.add(ControlKind::Button, kBrowse, "WYBIERZ_PLIK", "...").tip = "Zapisz plik jako.";
  w.add(ControlKind::Button, kRun, "WYKONAJ", "&Wykonaj").key = "F10";
  w.add(ControlKind::Button, kClose, "ZAMKNIJ", "&Zamknij").key = "Esc";
  return w;
}

void EXPORT_TXT_MC(int32_t usage) {
  ui::Window w = export_window();
  const double stored = text::real_of(config::POBIERZPARAMKONF("u", "DomSchematEPP"));
  const std::vector<double> ids = fill_schemes(w.at(kSchemes), stored);
  w.at(kFile).value =
      text::fit(text::clip(config::POBIERZPARAMKONF("u", "DomFileNameEpp")), kFileCapacity);
  w.set_focus(kSchemes);
  frame::open_window(w);
  for (;;) {
    const ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kClose)) break;
    if (e.accepted(kBrowse)) browse(w);
    if (e.accepted(kRun) && run(w, ids, usage)) break;
  }
  w.close();
}

}  // namespace orv::payments
