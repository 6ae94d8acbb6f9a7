// The import windows: files with their state, records with theirs, and one record's form.
#include "attachments/csv_windows.hpp"

#include <string>
#include <vector>

#include "attachments/csv_import.hpp"
#include "attachments/csv_reader.hpp"
#include "attachments/file_blobs.hpp"
#include "attachments/photos.hpp"
#include "config/parameters.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "lists/list_window.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/dict/records.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"
#include "platform/ui/window.hpp"

namespace orv::attachments {
namespace {

using ui::ControlKind;

// Rows of a statement's columns, read on the main channel.
std::vector<std::vector<std::string>> rows_of(const std::string& sql) {
  std::vector<std::vector<std::string>> out;
  if (frame::ESQL(sql, /*quiet=*/1) != 0) return out;
  sql::ScratchTable& t = frame::VAX();
  while (t.next()) {
    std::vector<std::string> row;
    for (std::size_t k = 1; k <= t.fields(); ++k) row.emplace_back(text::clip(t.field(k)));
    out.push_back(std::move(row));
  }
  frame::CLOSESQL();
  return out;
}

// The files list's own buttons, after the framework's controls.
enum : int {
  kAdd = lists::kOwnControls,
  kRemove,
  kRestore,
  kMove,
  kSave,
  kSample,
  kRecords,
};
enum : int { kFormName = 1, kFormIndex, kFormVat, kFormPrice, kFormSave, kFormCancel };

constexpr const char* kRecordBuffer = "ARTYKUL_IMP";

lists::ListDesign files_design(std::string_view kind) {
  lists::ListDesign s;
  s.name = "ImportCSV_brw";
  s.title = "Import plików CSV"_w1250;
  s.fields = {{"ID_BLOBA", "a.id_bloba", true},
              {"IMP_OK", "a.imp_ok", true},
              {"NAZWA_PLIKU", "a.nazwa_pliku"},
              {"DATA", "a.data", true},
              {"ILOSC_REK_IMP", "a.ILOSC_REK_IMP", true},
              {"STATUS0_IMP", "a.STATUS0_IMP", true},
              {"PRZENIESIONE", "a.ilosc_przeniesionych", true}};
  s.from = "plik_blob a with (nolock)";
  s.where = "a.id_firmy=" + plain_number(dict::glo().ID_FIRMY) + " and a.rodzaj_obiektu='" +
            text::double_apostrophes(kind) + "'";
  lists::ListColumnDesign state = lists::column("Stan", 20, 1);
  state.icons = {{"1", "zielony.ico"}, {"0", "czerwony.ico"}};  // the green and the red check
  s.columns = {state,
               lists::column("Nr", 30, 0),
               lists::column("Plik", 120, 2),
               lists::column("Data", 50, 3, "@d17"),
               lists::column("Rekordy", 40, 4),
               lists::column("Oczekujące"_w1250, 40, 5),
               lists::column("Przeniesione", 40, 6)};
  s.sorts = {{"Numer", 0}, {"Plik", 2}};
  s.buttons = lists::kInsert | lists::kDelete | lists::kExport;
  return s;
}

lists::ListDesign records_design(int32_t file_id) {
  lists::ListDesign s;
  s.name = "ImportCSVArt_brw";
  s.title = "Rekordy importu";
  s.record = kRecordBuffer;
  s.fields = {{"ID_REKORDU", "A.id_rekordu", true},
              {"STAN",
               "case A.status when 0 then 'oczekuje' when 1 then 'przeniesiony' when 2 "
               "then 'odrzucony' else 'błędny wiersz' end"_w1250},
              {"NAZWA", "A.nazwa"},
              {"INDEKS_KATALOGOWY", "A.indeks_katalogowy"},
              {"UWAGI_IMP", "A.uwagi_imp"}};
  s.from = "artykul_imp A with (nolock)";
  s.where = "A.ID_BLOBA=" + std::to_string(file_id);
  s.columns = {lists::column("Nr", 30, 0), lists::column("Stan", 50, 1),
               lists::column("Nazwa", 120, 2), lists::column("Indeks", 60, 3),
               lists::column("Uwagi", 160, 4)};
  s.sorts = {{"Numer", 0}, {"Nazwa", 2}};
  s.buttons = lists::kChange | lists::kExport;
  return s;
}

ui::Window files_window() {
  ui::Window w = lists::build_list_window(files_design("ARTYKUL"));
  w.add(ControlKind::Button, kRestore, "PRZYWROC", "Przywróć do przetworzenia"_w1250);
  w.add(ControlKind::Button, kMove, "PRZENIES", "Przenieś do tabeli"_w1250);
  w.add(ControlKind::Button, kSave, "ZAPISZ", "Zapisz do katalogu");
  w.add(ControlKind::Button, kSample, "PRZYKLAD", "Utwórz przykładowy plik"_w1250);
  w.add(ControlKind::Button, kRecords, "REKORDY", "Rekordy");
  return w;
}

ui::Window records_window() {
  return lists::build_list_window(records_design(0));
}

ui::Window record_form() {
  ui::Window w("ImportCSVArt_upd", "Zapis zostanie zmieniony");
  w.rect = {0, 0, 260, 120};
  w.add(ControlKind::Entry, kFormName, "NAZWA", "Nazwa");
  w.add(ControlKind::Entry, kFormIndex, "INDEKS_KATALOGOWY", "Indeks katalogowy");
  w.add(ControlKind::Entry, kFormVat, "VAT_SPRZEDAZY", "VAT sprzedaży"_w1250);
  w.add(ControlKind::Entry, kFormPrice, "CENA_ZAKUPU_NETTO", "Cena zakupu netto");
  w.add(ControlKind::Button, kFormSave, "ZAPISZ", "Zapisz").key = "F10";
  w.add(ControlKind::Button, kFormCancel, "ANULUJ", "Anuluj").key = "Esc";
  return w;
}

const ui::WindowRegistrar kFilesWin("ImportCSV_brw", "IMPORTCSV_BRW", &files_window);
const ui::WindowRegistrar kRecordsWin("ImportCSVArt_brw", "IMPORTCSVART_BRW", &records_window);
const ui::WindowRegistrar kFormWin("ImportCSVArt_upd", "IMPORTCSVART_UPD", &record_form);

// The list's operations, from its buttons and from its popup alike.
void run_operation(lists::ListWindow& list, int control, const std::string& kind) {
  const lists::ListRow* row = list.current();
  auto id = static_cast<int64_t>(row ? row->id : 0);
  switch (control) {
    case kAdd: {
      auto path = ui::ask_file({"Wybierz plik csv", {}, {}, "csv|*.csv"});
      if (!path) return;
      auto added = import_csv_file(*path, kind);
      if (!added) return list.refresh();
      list.show_row(static_cast<double>(*added));
      if (text::equal_ci(kind, "ARTYKUL")) IMPORTCSVART_BRW(static_cast<int32_t>(*added));
      break;
    }
    case kRemove:
      if (id) delete_import(id);
      break;
    case kRestore:
      if (id) restore_records(id);
      break;
    case kMove:
      if (id) move_to_table(id, kind);
      break;
    case kSave:
      save_stored_file(id);
      break;
    case kSample:
      write_sample_file();
      break;
    case kRecords:
      if (id) IMPORTCSVART_BRW(static_cast<int32_t>(id));
      break;
    default:
      return;
  }
  list.refresh();
}

}  // namespace

void IMPORTCSV_BRW(std::string_view kind_text) {
  std::string kind(text::clip(kind_text));
  lists::ListDesign design = files_design(kind);
  ui::Window w = files_window();
  lists::ListWindow list(w, design);
  // The framework's Dodaj and Usuń add and delete files; the rest are the list's own buttons.
  list.on_event([&](lists::ListWindow& l, const ui::Event& e) {
    if (e.kind != ui::EventKind::Accepted) return false;
    int control = e.control == lists::kInsertButton   ? kAdd
                  : e.control == lists::kDeleteButton ? kRemove
                                                      : e.control;
    if (control < kAdd || control > kRecords) return false;
    run_operation(l, control, kind);
    return true;
  });
  const std::pair<const char*, int> kPopup[] = {{"Dodaj", kAdd},
                                                {"Usuń", kRemove},
                                                {"-", 0},
                                                {"Przywróć do przetworzenia", kRestore},
                                                {"Przenieś do tabeli ", kMove},
                                                {"Zapisz do katalogu", kSave},
                                                {"-", 0},
                                                {"Utwórz przykładowy plik", kSample}};
  for (const auto& [caption, control] : kPopup) {
    std::string text = text::from_utf8(caption) + (control == kMove ? kind : std::string());
    int c = control;
    list.add_popup_item(text, [c, kind](lists::ListWindow& l) { run_operation(l, c, kind); });
  }
  list.run();
}

void IMPORTCSVART_BRW(int32_t file_id) {
  dict::declare_row_buffer(kRecordBuffer,
                           {"ID_REKORDU", "STAN", "NAZWA", "INDEKS_KATALOGOWY", "UWAGI_IMP"});
  lists::ListDesign design = records_design(file_id);
  ui::Window w = lists::build_list_window(design);
  lists::ListWindow list(w, design);
  list.on_update([] { IMPORTCSVART_UPD(); });
  list.run();
}

// The framework's request: change the record the list left in its row buffer.
void IMPORTCSVART_UPD() {
  auto id_text = dict::row_field(dict::glo().records, kRecordBuffer, "ID_REKORDU");
  auto record = static_cast<int64_t>(text::real_of(id_text.value_or("")));
  dict::glo().GLOBALRESPONSE = lists::kRequestCancelled;
  if (record <= 0 || lists::global_request() != lists::Request::Change) return;
  std::string id = std::to_string(record);
  auto rows = rows_of(
      "select nazwa,indeks_katalogowy,vat_sprzedazy,cena_zakupu_netto from "
      "artykul_imp with (nolock) where id_rekordu=" +
      id);
  if (rows.empty()) return;
  ui::Window w = record_form();
  int k = kFormName;
  for (const std::string& v : rows[0]) w.at(k++).value = v;
  frame::open_window(w);
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kFormCancel)) break;
    if (!e.accepted(kFormSave)) continue;
    std::string price(text::trim(w.at(kFormPrice).value));
    for (char& c : price) c = c == ',' ? '.' : c;
    bool saved = run_or_warn(
        "update artykul_imp set nazwa='" + text::double_apostrophes(w.at(kFormName).value) +
        "',indeks_katalogowy='" + text::double_apostrophes(w.at(kFormIndex).value) +
        "',vat_sprzedazy='" + text::double_apostrophes(w.at(kFormVat).value) +
        "',cena_zakupu_netto=" + plain_number(text::real_of(price)) +
        ",status=0,uwagi_imp='' where id_rekordu=" + id);
    if (saved) dict::glo().GLOBALRESPONSE = lists::kRequestCompleted;
    break;
  }
  w.close();
}

bool write_sample_file() {
  std::string user = plain_number(dict::glo().ID_UZYTKOWNIKA);
  std::string marked = "select count(*) from zaznaczone where uzycie=102 and id_sesji=" + user;
  bool fill = text::real_of(frame::FUNCSQL(marked)) > 0;
  if (fill) {
    fill =
        frame::MSG_PYTANIE("Czy utworzyć przykładowy plik z zaznaczonymi artykułami?"_w1250) == 2;
  } else {
    frame::MSG_INFORMACJA(
        "Nie zaznaczono zadnych artykułów.|Przykładowy plik będzie zawierał tylko "
        "kolumny z nazwami pól."_w1250);
  }
  std::string folder(text::clip(config::POBIERZPARAMKONF("u", "LokalizacjaZdj")));
  auto path =
      ui::ask_file({"Zapisz plik eksportu", folder, folder + "/artykul.csv", "csv|*.csv", true});
  if (!path) return false;
  std::string out = sample_header() + "\r\n";
  if (fill) out += sample_lines(user);
  std::string file = *path;
  if (!file.ends_with(".CSV") && !file.ends_with(".csv")) file += ".csv";
  std::vector<unsigned char> bytes(out.begin(), out.end());
  if (BLOBTOPLIK(bytes, file) != 0) {
    frame::MSG_OSTRZEZENIE("Nie udało sie utworzyć pliku csv!|"_w1250 + file);
    return false;
  }
  return true;
}

}  // namespace orv::attachments
