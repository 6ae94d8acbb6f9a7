// Rate imports, the list separator and the file-writing test through the utility library; the
// connection state through the platform.
#include "calc/library_services.hpp"

#include <cstdio>
#include <optional>

#include "calc/utility_library.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/files/files.hpp"
#include "platform/net/connection.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"
#include "platform/ui/window.hpp"

namespace orv::calc {
namespace {

constexpr std::size_t kRateTableKeep = 49999;
constexpr std::size_t kSeparatorKeep = 4;
constexpr std::size_t kAnswerKeep = 79999;
constexpr const char* kNoInternet =
    "Wystąpił błąd połączenia internetowego!|Sprawdź czy masz dostęp do internetu."_w1250;

// Everything that differs between the two banks: function names, statements and messages.
struct Bank {
  const char* current;
  const char* dated;
  const char* import;
  const char* missing_current;
  const char* missing_dated;
  const char* failed_current;
  const char* failed_dated;
  const char* no_table;
  bool iso_date;  // yyyy-mm-dd instead of yymmdd
};

const Bank kNbp = {
    "PobierzKursyNBPwartosc",
    "PobierzKursyNBPwartoscNaDzien",
    "call KS_ImportKusowWalutNBP('",
    "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut z banku NBP."_w1250,
    "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut na dzień z banku NBP."_w1250,
    "Błąd wykonania funkcji pobrania kursów walut z NBP."_w1250,
    "Błąd wykonania funkcji pobrania kursów walut na dzień z NBP."_w1250,
    " brak kursów walut w banku NBP."_w1250,
    false,
};

const Bank kEcb = {
    "PobierzKursyECBwartosc",
    "PobierzKursyECBwartoscNaDzien",
    "call KS_ImportKusowWalutECB('",
    "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut z banku ECB."_w1250,
    "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut na dzień z banku ECB."_w1250,
    "Błąd wykonania funkcji pobrania kursów walut z ECB."_w1250,
    "Błąd wykonania funkcji pobrania kursów walut na dzień z banku ECB."_w1250,
    " brak kursów walut w banku ECB."_w1250,
    true,
};

enum : int { kAnimation = 1, kText };

ui::Window progress_window() {
  ui::Window w("ImportKursowWalut", "Import kursów walut"_w1250);
  w.rect = {0, 0, 200, 40};
  w.add(ui::ControlKind::Image, kAnimation, "ANIMACJA").icon = "progressbar_blue3.gif";
  w.add(ui::ControlKind::Label, kText, "TEKST", "Trwa import kursów walut. Proszę czekać..."_w1250);
  return w;
}

const ui::WindowRegistrar kProgressWindow("ImportKursowWalut", "POBIERZKURSYNBP", &progress_window);

// The import's window and result set last exactly as long as the import, whatever its end.
class ImportSession {
 public:
  ImportSession() : window_(progress_window()) {
    frame::open_window(window_);
    window_.display();
  }
  ~ImportSession() {
    frame::CLOSESQL();
    window_.close();
  }
  ImportSession(const ImportSession&) = delete;
  ImportSession& operator=(const ImportSession&) = delete;

 private:
  ui::Window window_;
};

std::string library_date(int32_t day, bool iso) {
  date::Civil c = date::civil(day);
  char buf[16];
  if (iso) {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", c.year, c.month, c.day);
  } else {
    std::snprintf(buf, sizeof buf, "%02d%02d%02d", c.year % 100, c.month, c.day);
  }
  return buf;
}

// Asks the library for the table; nullopt after the warning when it cannot be had.
std::optional<std::string> fetch_table(UtilityLibrary& lib, const Bank& bank, int32_t day) {
  std::optional<std::string> answer =
      day == 0 ? lib.text(bank.current, kRateTableKeep)
               : lib.text(bank.dated, kRateTableKeep, {library_date(day, bank.iso_date)});
  if (!answer) {
    frame::MSG_OSTRZEZENIE(day == 0 ? bank.missing_current : bank.missing_dated);
    return std::nullopt;
  }
  if (answer->empty()) return std::nullopt;
  if (*answer == "01") {
    frame::MSG_OSTRZEZENIE(day == 0 ? bank.failed_current : bank.failed_dated);
    return std::nullopt;
  }
  if (day != 0 && *answer == "02") {
    frame::MSG_OSTRZEZENIE("Na dzień "_w1250 + picture::format(static_cast<double>(day), "@d17") +
                           bank.no_table);
    return std::nullopt;
  }
  return answer;
}

// The table goes to the server as a quoted value: the banks' own apostrophes (ECB quotes every
// attribute with them) are doubled, so the statement stays what it is whatever the text holds.
uint8_t store_table(const Bank& bank, const std::string& table, int32_t* date, int32_t* notice) {
  frame::EXECSQL(bank.import + text::double_apostrophes(table) + "')");
  sql::ScratchTable& vax = frame::VAX();
  if (vax.error() != 0) {
    frame::MSG_OSTRZEZENIE(vax.message());
    return 0;
  }
  // A server that stored nothing gives no row (or no day): that is no import.
  if (!vax.next() || vax.long_field(1) == 0) return 0;
  if (date) *date = vax.long_field(1);
  std::string remark(text::clip(vax.field(2)));
  if (!remark.empty()) {
    frame::MSG_OSTRZEZENIE(remark);
    if (notice) *notice = 1;
  }
  return 1;
}

uint8_t import_rates(const Bank& bank, int32_t* date, int32_t* notice) {
  if (dict::glo().ISINTERNETCONNECTION == 0) {
    frame::MSG_OSTRZEZENIE(kNoInternet);
    return 0;
  }
  const int32_t day = date ? *date : 0;
  ImportSession session;
  UtilityLibrary lib;
  if (!lib.loaded()) return 0;
  std::optional<std::string> table = fetch_table(lib, bank, day);
  if (!table) return 0;
  return store_table(bank, *table, date, notice);
}

}  // namespace

uint8_t POBIERZKURSYNBP(int32_t* date, int32_t* notice) {
  return import_rates(kNbp, date, notice);
}

uint8_t POBIERZKURSYECB(int32_t* date, int32_t* notice) {
  return import_rates(kEcb, date, notice);
}

std::string POBIERZSYSTEMLISTSEPARATOR() {
  UtilityLibrary lib;
  if (!lib.loaded()) return {};
  std::optional<std::string> s = lib.text("SystemListSeparator", kSeparatorKeep);
  if (!s) {
    frame::MSG_OSTRZEZENIE(
        "Wystąpił błąd podczas uruchamiania funkcji odczytania separatora list."_w1250);
    return {};
  }
  return *s;
}

uint8_t UTWORZPLIK(std::string_view name) {
  std::string path(text::clip(name));
  if (text::trim(path).empty()) path = text::from_utf8(files::temp_folder()) + "/alamakota.html";
  UtilityLibrary lib;
  if (!lib.loaded()) return 0;
  if (!lib.find("ZapiszDaneDoPliku")) {
    frame::MSG_OSTRZEZENIE("Wystąpił błąd podczas uruchamiania funkcji ZapiszDaneDoPliku."_w1250);
    return 0;
  }
  const std::string data = "ala ma kota";
  ui::MessageBox box;
  box.text = data;
  box.title = path;
  box.icon = ui::Icon::Information;
  ui::backend().message(box);
  std::optional<std::string> answer = lib.text("ZapiszDaneDoPliku", kAnswerKeep, {path, data});
  frame::MSG_INFORMACJA(answer.value_or(""));
  return 0;
}

uint8_t ISINTERNETCONNECTION() {
  net::ConnectionState s = net::connection_state();
  if (!s.connected) return 0;
  uint8_t kind = 0;
  if (s.flags & net::kModem) kind = 1;
  if (s.flags & net::kLan) kind = 2;
  if (s.flags & net::kProxy) kind = 3;
  if (s.flags & net::kModemBusy) kind = 0;
  return kind;
}

}  // namespace orv::calc
