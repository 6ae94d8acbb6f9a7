// The export's dialogue with the user around the writers: checks, file dialog, waiting window,
// log entry and the offer to open the file.
#include "lists/list_export.hpp"

#include "calc/library_services.hpp"
#include "calc/text_utils.hpp"
#include "calc/utility_library.hpp"
#include "config/parameters.hpp"
#include "config/permissions.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "lists/csv_export.hpp"
#include "lists/xls_export.hpp"
#include "lists/xlsx_export.hpp"
#include "platform/date/date.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/files/files.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"

namespace orv::lists {
namespace {

constexpr std::size_t kFileStem = 127;
constexpr const char* kWindowName = "EksportDoExcela";

// The utility library as the XLSX writer looks its functions up.
class LibraryFunctions : public FunctionSource {
 public:
  explicit LibraryFunctions(calc::UtilityLibrary& library) : library_(library) {}
  void* find(std::string_view name) override { return library_.find(name); }

 private:
  calc::UtilityLibrary& library_;
};

char csv_separator() {
  std::string chosen(text::clip(config::POBIERZPARAMKONF("u", "ZnakDoExcela")));
  if (chosen.empty() || text::upper(chosen) == "S") chosen = calc::POBIERZSYSTEMLISTSEPARATOR();
  if (!chosen.empty()) return chosen[0];
  frame::MSG_INFORMACJA(
      "W parametrach konfiguracyjnych użytkownika nie znaleziono ustawionego znaku "
      "separatora.|Do oddzielenia kolumn zostanie użyty \",\"."_w1250);
  return ',';
}

ui::Window waiting_window() {
  ui::Window w(kWindowName, "");
  w.add(ui::ControlKind::Image, 1, "ANIMACJA").icon = "progressbar_blue3.gif";
  w.add(ui::ControlKind::Label, 2, "KOMUNIKAT", "Proszę czekać. Trwa eksport do Excela..."_w1250);
  return w;
}
const ui::WindowRegistrar kWaitingWindow(kWindowName, "EXPORTBROWSERTOEXCEL", &waiting_window);

bool with_colours() {
  std::string choice(text::clip(config::POBIERZPARAMKONF("u", "KoloryDoExcelaXLSX")));
  if (choice == "Tak") return true;
  if (choice != "Pytaj") return false;
  return frame::MSG_PYTANIE("Czy przy eksporcie uwzględnić kolory komórek?"_w1250) == 2;
}

// The XLSX is written by the library under a temporary name and renamed once it is whole.
bool write_xlsx_file(const ListObject& list, const std::vector<ExportColumn>& columns, bool colours,
                     const std::string& name, std::string& error, bool& warned) {
  calc::UtilityLibrary library;
  if (!library.loaded()) {
    warned = true;
    return false;
  }
  LibraryFunctions functions(library);
  std::string temp = files::temporary_name(name);
  XlsxOutcome outcome = write_xlsx(functions, list, columns, colours, temp, error);
  warned = outcome == XlsxOutcome::Refused;
  std::string on_disk = text::to_utf8(temp);
  if (outcome == XlsxOutcome::Written && !files::exists(on_disk)) {
    error = "the library wrote no file";
    outcome = XlsxOutcome::Failed;
  }
  if (outcome == XlsxOutcome::Written && files::rename_file(on_disk, text::to_utf8(name)))
    return true;
  files::remove_file(on_disk);
  return false;
}

// Writes the file while the waiting window shows; false when nothing usable was written (the
// user has been told).
bool write_file(const ListObject& list, ExportType type, char separator, bool colours,
                const std::string& name) {
  std::vector<ExportColumn> columns = export_columns(list);
  ui::Window wait = waiting_window();
  frame::open_window(wait);
  std::string error;
  bool warned = false;
  bool ok = false;
  {
    ui::BusyCursor busy;
    std::string path = text::to_utf8(name);
    if (type == ExportType::Csv) ok = write_csv(list, columns, separator, path, error);
    if (type == ExportType::Xls) ok = write_xls(list, columns, path, error, colours);
    if (type == ExportType::Xlsx) ok = write_xlsx_file(list, columns, colours, name, error, warned);
  }
  wait.close();
  if (!ok && !warned) {
    frame::MSG_OSTRZEZENIE("Wystąpił błąd podczas zapisu pliku eksportu "_w1250 + name + ".|" +
                           text::from_utf8(error));
  }
  return ok;
}

void log_export(std::string_view description, std::size_t rows) {
  const dict::Context& g = dict::glo();
  // The description is the host's text: its apostrophes are doubled so it stays one literal.
  std::string statement = "call  AP_ZapiszDoLogu(" + plain_id(g.ID_FIRMY) + "," +
                          plain_id(g.ID_MAGAZYNU) + "," + plain_id(g.ID_UZYTKOWNIKA) + ",0,'" +
                          text::double_apostrophes(description) + "',6,'Eksport do excela',3,'" +
                          "Wyeksportowano rekordów: "_w1250 + std::to_string(rows) + "')";
  frame::EXECSQL(statement);
  if (frame::VAX().error() != 0) frame::MSG_OSTRZEZENIE(frame::VAX().message());
  frame::CLOSESQL();
}

std::string proposed_name(const ListObject& list) {
  std::string stem = list.caption + "_" + picture::format(date::today(), "@d12");
  return text::fit(calc::WALIDUJNAZWEPLIKU(stem), kFileStem + 1);
}

}  // namespace

std::string export_filter(std::string_view preferred) {
  std::string p(text::upper(text::clip(preferred)));
  if (p == "XLS") return "XLS|*.xls|XLSX|*.xlsx|CSV|*.csv";
  if (p == "CSV") return "CSV|*.csv|XLS|*.xls|XLSX|*.xlsx";
  return "XLSX|*.xlsx|XLS|*.xls|CSV|*.csv";
}

ExportType export_type(std::string& file_name) {
  std::string clipped(text::clip(file_name));
  std::string tail =
      text::lower(clipped.size() >= 4 ? clipped.substr(clipped.size() - 4) : clipped);
  file_name = clipped;
  if (tail == ".xls") return ExportType::Xls;
  if (tail == "xlsx") return ExportType::Xlsx;
  if (tail != ".csv") file_name += ".csv";
  return ExportType::Csv;
}

void EXPORTBROWSERTOEXCEL(const ListObject& list, int32_t /*control*/,
                          std::optional<std::string_view> description) {
  char separator = csv_separator();
  if (list.row_count() == 0) return frame::MSG_OSTRZEZENIE("Brak danych do eksportu!");
  if (config::POBIERZUPRAWNIENIE("EksportExcel") == 0) {
    return frame::MSG_OSTRZEZENIE("Brak uprawnień na wykonanie Eksportu do Excela!"_w1250);
  }
  ui::FileDialog dialog;
  dialog.title = "Zapisz jako ...";
  dialog.file = proposed_name(list);
  dialog.filter = export_filter(config::POBIERZPARAMKONF("u", "TypDoExcela"));
  dialog.save = true;
  std::optional<std::string> chosen = ui::ask_file(dialog);
  if (!chosen || text::clip(*chosen).empty()) return;
  std::string name = *chosen;
  ExportType type = export_type(name);
  bool colours = type != ExportType::Csv && with_colours();
  if (!write_file(list, type, separator, colours, name)) return;
  if (description && !text::clip(*description).empty()) {
    log_export(text::clip(*description), list.row_count());
  }
  std::string question =
      "Plik eksportu " + name + " został utworzony. |Czy chcesz go otworzyć?"_w1250;
  if (frame::MSG_PYTANIE(question) != 2) return;
  std::string error;
  if (!ui::open_document(name, error)) frame::MSG_OSTRZEZENIE(text::from_utf8(error));
}

}  // namespace orv::lists
