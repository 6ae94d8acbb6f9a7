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
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"
#include "platform/ui/window.hpp"

namespace orv::attachments {
namespace {

using ui::ControlKind;

enum : int { kList = 1, kAdd, kDelete, kRestore, kMove, kSave, kSample, kRecords, kEdit, kClose };
enum : int { kFormName = 1, kFormIndex, kFormVat, kFormPrice, kFormSave, kFormCancel };

int64_t g_last_record = 0;  // the record IMPORTCSVART_UPD edits

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

ui::Window files_window() {
  ui::Window w("ImportCSV_brw", "Import plików CSV"_w1250);
  w.rect = {0, 0, 420, 240};
  ui::Control& list = w.add(ControlKind::List, kList, "PLIKI", "Pliki");
  list.columns = {{"Stan", 20},        {"Nr", 30},      {"Plik", 120},
                  {"Data", 50},        {"Rekordy", 40}, {"Oczekujące"_w1250, 40},
                  {"Przeniesione", 40}};
  w.add(ControlKind::Button, kAdd, "DODAJ", "Dodaj");
  w.add(ControlKind::Button, kDelete, "USUN", "Usuń"_w1250);
  w.add(ControlKind::Button, kRestore, "PRZYWROC", "Przywróć do przetworzenia"_w1250);
  w.add(ControlKind::Button, kMove, "PRZENIES", "Przenieś do tabeli"_w1250);
  w.add(ControlKind::Button, kSave, "ZAPISZ", "Zapisz do katalogu");
  w.add(ControlKind::Button, kSample, "PRZYKLAD", "Utwórz przykładowy plik"_w1250);
  w.add(ControlKind::Button, kRecords, "REKORDY", "Rekordy");
  w.add(ControlKind::Button, kClose, "ZAMKNIJ", "Zamknij").key = "Esc";
  return w;
}

ui::Window records_window() {
  ui::Window w("ImportCSVArt_brw", "Rekordy importu");
  w.rect = {0, 0, 480, 260};
  ui::Control& list = w.add(ControlKind::List, kList, "REKORDY", "Rekordy");
  list.columns = {{"Nr", 30}, {"Stan", 50}, {"Nazwa", 120}, {"Indeks", 60}, {"Uwagi", 160}};
  w.add(ControlKind::Button, kEdit, "ZMIEN", "Zmień"_w1250);
  w.add(ControlKind::Button, kClose, "ZAMKNIJ", "Zamknij").key = "Esc";
  return w;
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

const char* state_name(long status) {
  static const char* const kNames[] = {"oczekuje", "przeniesiony", "odrzucony", "błędny wiersz"};
  return status >= 0 && status <= 3 ? kNames[status] : "?";
}

int64_t chosen_id(const ui::Window& w) {
  const ui::Control* list = w.find(kList);
  if (!list || list->selected < 1 || list->selected > static_cast<int>(list->rows.size())) return 0;
  return text::long_of(list->rows[static_cast<std::size_t>(list->selected - 1)][1]);
}

class FilesList {
 public:
  explicit FilesList(std::string kind) : kind_(std::move(kind)) {}
  void run();

 private:
  void fill();
  void on_button(int control);
  std::string kind_;
  ui::Window w_ = files_window();
};

void FilesList::fill() {
  ui::Control& list = w_.at(kList);
  list.rows.clear();
  std::string sql =
      "select imp_ok,id_bloba,nazwa_pliku,data,ILOSC_REK_IMP,STATUS0_IMP,ilosc_przeniesionych "
      "from plik_blob with (nolock) where id_firmy=" +
      plain_number(dict::glo().ID_FIRMY) + " and rodzaj_obiektu='" +
      text::double_apostrophes(kind_) + "' order by id_bloba";
  for (auto& row : rows_of(sql)) {
    row[0] = row[0] == "1" ? "OK" : "-";  // the green and the red check
    list.rows.push_back(std::move(row));
  }
  if (list.selected > static_cast<int>(list.rows.size()))
    list.selected = static_cast<int>(list.rows.size());
  if (list.selected == 0 && !list.rows.empty()) list.selected = 1;
  w_.display();
}

void FilesList::on_button(int control) {
  int64_t id = chosen_id(w_);
  switch (control) {
    case kAdd: {
      auto path = ui::ask_file({"Wybierz plik csv", {}, {}, "csv|*.csv"});
      if (!path) return;
      auto added = import_csv_file(*path, kind_);
      fill();
      w_.at(kList).selected = static_cast<int>(w_.at(kList).rows.size());
      if (added && text::equal_ci(kind_, "ARTYKUL")) IMPORTCSVART_BRW(static_cast<int32_t>(*added));
      break;
    }
    case kDelete:
      if (id) delete_import(id);
      break;
    case kRestore:
      if (id) restore_records(id);
      break;
    case kMove:
      if (id) move_to_table(id, kind_);
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
  fill();
}

void FilesList::run() {
  fill();
  frame::open_window(w_);
  for (;;) {
    ui::Event e = w_.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kClose)) break;
    if (e.kind == ui::EventKind::Accepted) on_button(e.control);
  }
  w_.close();
}

void fill_records(ui::Window& w, int32_t file_id) {
  ui::Control& list = w.at(kList);
  list.rows.clear();
  for (auto& row : rows_of("select A.id_rekordu,A.status,A.nazwa,A.indeks_katalogowy,A.uwagi_imp "
                           "from artykul_imp A with (nolock) where A.ID_BLOBA=" +
                           std::to_string(file_id) + " order by A.id_rekordu")) {
    row[1] = text::from_utf8(state_name(text::long_of(row[1])));
    list.rows.push_back(std::move(row));
  }
  if (list.selected == 0 && !list.rows.empty()) list.selected = 1;
  w.display();
}

}  // namespace

void IMPORTCSV_BRW(std::string_view kind) {
  FilesList(std::string(text::clip(kind))).run();
}

void IMPORTCSVART_BRW(int32_t file_id) {
  ui::Window w = records_window();
  fill_records(w, file_id);
  frame::open_window(w);
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kClose)) break;
    const ui::Control& list = w.at(kList);
    if (e.accepted(kEdit) && list.selected > 0) {
      g_last_record = text::long_of(list.rows[static_cast<std::size_t>(list.selected - 1)][0]);
      IMPORTCSVART_UPD();
      fill_records(w, file_id);
    }
  }
  w.close();
}

void IMPORTCSVART_UPD() {
  if (g_last_record <= 0) return;
  std::string id = std::to_string(g_last_record);
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
    run_or_warn("update artykul_imp set nazwa='" + text::double_apostrophes(w.at(kFormName).value) +
                "',indeks_katalogowy='" + text::double_apostrophes(w.at(kFormIndex).value) +
                "',vat_sprzedazy='" + text::double_apostrophes(w.at(kFormVat).value) +
                "',cena_zakupu_netto=" + plain_number(text::real_of(price)) +
                ",status=case when status=3 then 3 else 0 end where id_rekordu=" + id);
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
