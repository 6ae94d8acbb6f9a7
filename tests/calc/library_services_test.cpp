// The utility library's services end to end: the real library downloading from a loopback server,
// the demo database importing what it brought, every failure path warning once.
#include "calc/library_services.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "calc/currency.hpp"
#include "calc/utility_library.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/net/connection.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "support/demo_db.hpp"
#include "support/http_server.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::calc {
namespace {

using test::HttpReply;
using test::HttpRequest;

const std::string kData = std::string(ORV_SOURCE_DIR) + "/tests/calc/data";

// The banks as the loopback server plays them: /api/ the NBP service (one table, 2026-01-08),
// /kursy/xml/ and /ecb/ the published files, /broken/ answers 500, /slow/ never in time,
// /evil/ a table whose currency name tries to end the statement.
HttpReply bank(const HttpRequest& r) {
  const std::string& p = r.path;
  if (p.starts_with("/broken/")) return {500, "Internal Server Error"};
  if (p.starts_with("/slow/")) return {200, "", "text/plain", 3000};
  if (p.starts_with("/evil/")) {
    return {200,
            "<ArrayOfExchangeRatesTable><ExchangeRatesTable><No>001/A/NBP/2026</No>"
            "<EffectiveDate>2026-01-02</EffectiveDate><Rates><Rate><Currency>x'); delete from "
            "kurs_waluty; --</Currency><Code>USD</Code><Mid>3.7</Mid></Rate></Rates>"
            "</ExchangeRatesTable></ArrayOfExchangeRatesTable>"};
  }
  if (p.starts_with("/api/")) {
    std::string rest = p.substr(5);
    if (!rest.starts_with("?") && !rest.starts_with("2026-01-08/")) {
      return {404, "404 NotFound - Not Found - Brak danych"};
    }
    return test::file_reply(kData,
                            rest.ends_with("json") ? "nbp_a_full.json" : "nbp_a_full_service.xml");
  }
  return test::file_reply(kData, p);
}

// Environment of the library for one test: its addresses and its patience.
class LibraryEnv {
 public:
  explicit LibraryEnv(const std::string& base) {
    set("ORVRUN_NBP_URL", base + "/api/");
    set("ORVRUN_ECB_URL", base + "/ecb/");
    set("ORVRUN_HTTP_TIMEOUT", "1");
  }
  ~LibraryEnv() {
    for (const char* n :
         {"ORVRUN_NBP_URL", "ORVRUN_ECB_URL", "ORVRUN_HTTP_TIMEOUT", "ORVRUN_NBP_FORMAT"}) {
      unsetenv(n);
    }
  }
  static void set(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }
};

class RatesImport : public testing::Test {
 protected:
  void SetUp() override { dict::glo().ISINTERNETCONNECTION = 1; }
  int rates(int kind, int32_t day) {
    return db.count("kurs_waluty where rodzaj = " + std::to_string(kind) +
                    " and data = " + std::to_string(day));
  }
  std::string warnings() const {
    std::string all;
    for (const auto& b : ui.boxes()) all += b.box.text + "\n";
    return all;
  }
  test::DemoDb db;
  test::ScopedUi ui;
  test::LoopbackHttp server{&bank};
  LibraryEnv env{server.url()};
};

struct ImportCase {
  const char* name;
  bool ecb;
  const char* nbp_url;            // path on the server, for NBP
  const char* format;             // ORVRUN_NBP_FORMAT, or null
  int asked_y, asked_m, asked_d;  // 0: the current table
  uint8_t result;
  int table_y, table_m, table_d;  // the table's day written back (or left as asked)
  int rows;                       // rates stored under that day
  const char* warning;            // the one message, "" for none; "DATE" stands for the d17 day
  const char* first_path;         // what the library asked the server first
};

std::string expand(std::string text, int32_t day) {
  std::size_t at = text.find("DATE");
  if (at != std::string::npos) {
    text.replace(at, 4, picture::format(static_cast<double>(day), "@d17"));
  }
  return text;
}

class RatesCases : public RatesImport, public testing::WithParamInterface<ImportCase> {};

TEST_P(RatesCases, ImportOrWarnOnce) {
  const ImportCase& c = GetParam();
  LibraryEnv::set("ORVRUN_NBP_URL", server.url() + c.nbp_url);
  if (c.format) LibraryEnv::set("ORVRUN_NBP_FORMAT", c.format);
  const int32_t asked = c.asked_y ? date::make(c.asked_m, c.asked_d, c.asked_y) : 0;
  const int32_t table = date::make(c.table_m, c.table_d, c.table_y);
  int32_t day = asked, notice = 0;
  EXPECT_EQ(c.ecb ? POBIERZKURSYECB(&day, &notice) : POBIERZKURSYNBP(&day, &notice), c.result);
  EXPECT_EQ(day, c.result ? table : asked);
  EXPECT_EQ(rates(c.ecb ? -1 : 0, table), c.rows);
  std::string expected = expand(text::from_utf8(c.warning), asked);
  EXPECT_EQ(warnings(), expected.empty() ? "" : expected + "\n");
  ASSERT_FALSE(server.requests().empty());
  EXPECT_EQ(server.requests().front().path, c.first_path);
  EXPECT_EQ(utility_sessions_alive(), 0u);
}

const ImportCase kImports[] = {
    // 1 the service's current table in XML: 33 rates of 8 January
    {"NbpCurrentXml", false, "/api/", nullptr, 0, 0, 0, 1, 2026, 1, 8, 33, "", "/api/?format=xml"},
    // 2 the same in JSON
    {"NbpCurrentJson", false, "/api/", "json", 0, 0, 0, 1, 2026, 1, 8, 33, "", "/api/?format=json"},
    // 3 a dated table from the service
    {"NbpDated", false, "/api/", nullptr, 2026, 1, 8, 1, 2026, 1, 8, 33, "",
     "/api/2026-01-08/?format=xml"},
    // 4 a day without a table: the service's 404 is "02"
    {"NbpDatedNoTable", false, "/api/", nullptr, 2026, 1, 10, 0, 2026, 1, 10, 0,
     "Na dzień DATE brak kursów walut w banku NBP.", "/api/2026-01-10/?format=xml"},
    // 5 the older files: ISO-8859-2, decimal commas, found through the year's list
    {"NbpFileDated", false, "/kursy/xml/", nullptr, 2026, 1, 8, 1, 2026, 1, 8, 33, "",
     "/kursy/xml/dir2026.txt"},
    // 6 the older files' current table
    {"NbpFileCurrent", false, "/kursy/xml/", nullptr, 0, 0, 0, 1, 2026, 1, 8, 33, "",
     "/kursy/xml/LastA.xml"},
    // 7 a day the list does not name
    {"NbpFileNoTable", false, "/kursy/xml/", nullptr, 2026, 1, 9, 0, 2026, 1, 9, 0,
     "Na dzień DATE brak kursów walut w banku NBP.", "/kursy/xml/dir2026.txt"},
    // 8 a server error on the current table
    {"NbpServerError", false, "/broken/", nullptr, 0, 0, 0, 0, 2026, 1, 8, 0,
     "Błąd wykonania funkcji pobrania kursów walut z NBP.", "/broken/?format=xml"},
    // 9 a server error on a dated table
    {"NbpServerErrorDated", false, "/broken/", nullptr, 2026, 1, 8, 0, 2026, 1, 8, 0,
     "Błąd wykonania funkcji pobrania kursów walut na dzień z NBP.",
     "/broken/2026-01-08/?format=xml"},
    // 10 no answer in time
    {"NbpTimeout", false, "/slow/", nullptr, 0, 0, 0, 0, 2026, 1, 8, 0,
     "Błąd wykonania funkcji pobrania kursów walut z NBP.", "/slow/?format=xml"},
    // 11 ECB's daily file, every attribute between apostrophes: EUR and three others
    {"EcbCurrent", true, "/api/", nullptr, 0, 0, 0, 1, 2026, 1, 5, 4, "",
     "/ecb/eurofxref-daily.xml"},
    // 12 a day of the last 90 days
    {"EcbDated", true, "/api/", nullptr, 2026, 1, 6, 1, 2026, 1, 6, 4, "",
     "/ecb/eurofxref-hist-90d.xml"},
    // 13 an older day, from the whole history
    {"EcbDatedHistory", true, "/api/", nullptr, 2025, 6, 2, 1, 2025, 6, 2, 3, "",
     "/ecb/eurofxref-hist-90d.xml"},
    // 14 a Saturday inside the 90 days
    {"EcbDatedNoTable", true, "/api/", nullptr, 2026, 1, 3, 0, 2026, 1, 3, 0,
     "Na dzień DATE brak kursów walut w banku ECB.", "/ecb/eurofxref-hist-90d.xml"},
};

std::string import_name(const testing::TestParamInfo<ImportCase>& i) {
  return i.param.name;
}
INSTANTIATE_TEST_SUITE_P(Banks, RatesCases, testing::ValuesIn(kImports), import_name);

TEST_F(RatesImport, ImportedRatesConvertAmounts) {
  LibraryEnv::set("ORVRUN_NBP_URL", server.url() + "/kursy/xml/");
  int32_t day = date::make(1, 8, 2026), notice = 0;
  ASSERT_EQ(POBIERZKURSYNBP(&day, &notice), 1);
  int32_t kind = kRatesNbp;
  EXPECT_DOUBLE_EQ(WAL_POBIERZPRZELICZNIK("USD", "PLN", day, std::nullopt, &kind), 3.6133);
  EXPECT_DOUBLE_EQ(WAL_POBIERZPRZELICZNIK("JPY", "PLN", day, std::nullopt, &kind), 0.023097);
}

// The notice is only ever set: an import without a remark leaves whatever the caller had.
TEST_F(RatesImport, SecondImportOfATableGivesTheServersNotice) {
  int32_t day = 0, notice = 7;
  ASSERT_EQ(POBIERZKURSYNBP(&day, &notice), 1);
  EXPECT_EQ(notice, 7);
  day = 0;
  ASSERT_EQ(POBIERZKURSYNBP(&day, &notice), 1);
  EXPECT_EQ(notice, 1);
  EXPECT_NE(warnings().find("zaimportowana"), std::string::npos);
}

// The table's own apostrophes are doubled: a currency name cannot end the statement.
TEST_F(RatesImport, TableTextNeverLeavesItsQuotes) {
  int before = db.count("kurs_waluty");
  LibraryEnv::set("ORVRUN_NBP_URL", server.url() + "/evil/");
  int32_t day = 0, notice = 0;
  EXPECT_EQ(POBIERZKURSYNBP(&day, &notice), 1);
  EXPECT_EQ(db.count("kurs_waluty"), before + 1);
}

TEST_F(RatesImport, WithoutInternetNothingIsAsked) {
  dict::glo().ISINTERNETCONNECTION = 0;
  int32_t day = 0, notice = 0;
  EXPECT_EQ(POBIERZKURSYECB(&day, &notice), 0);
  EXPECT_EQ(
      warnings(),
      "Wystąpił błąd połączenia internetowego!|Sprawdź czy masz dostęp do internetu.\n"_w1250);
  EXPECT_TRUE(server.requests().empty());
}

TEST_F(RatesImport, MissingLibraryWarnsOnce) {
  test::TempDir empty;
  dict::glo().LOCALPATH = empty.path();
  int32_t day = 0, notice = 0;
  EXPECT_EQ(POBIERZKURSYNBP(&day, &notice), 0);
  EXPECT_EQ(POBIERZSYSTEMLISTSEPARATOR(), "");
  EXPECT_EQ(warnings(),
            std::string("Wystąpił błąd podczas ładowania biblioteki TORIXutilKS.dll\n"_w1250) +
                "Wystąpił błąd podczas ładowania biblioteki TORIXutilKS.dll\n"_w1250);
  EXPECT_EQ(utility_sessions_alive(), 0u);
}

// A library without the functions (another shared object under its name): each operation warns
// with its own text, once, and the library is unloaded.
TEST_F(RatesImport, MissingFunctionsWarnByName) {
  test::TempDir folder;
  std::filesystem::create_symlink("/lib/x86_64-linux-gnu/libz.so.1",
                                  folder.file("libTORIXutilKS.so"));
  dict::glo().LOCALPATH = folder.path();
  struct Case {
    std::function<void()> call;
    const char* warning;
  } cases[] = {
      {[] {
         int32_t d = 0, n = 0;
         POBIERZKURSYNBP(&d, &n);
       },  // 1
       "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut z banku NBP."},
      {[] {
         int32_t d = 82191, n = 0;
         POBIERZKURSYNBP(&d, &n);
       },  // 2
       "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut na dzień z banku NBP."},
      {[] {
         int32_t d = 0, n = 0;
         POBIERZKURSYECB(&d, &n);
       },  // 3
       "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut z banku ECB."},
      {[] {
         int32_t d = 82191, n = 0;
         POBIERZKURSYECB(&d, &n);
       },  // 4
       "Wystąpił błąd podczas uruchamiania funkcji importu kursów walut na dzień z banku ECB."},
      {[] { POBIERZSYSTEMLISTSEPARATOR(); },  // 5
       "Wystąpił błąd podczas uruchamiania funkcji odczytania separatora list."},
      {[] { UTWORZPLIK(""); },  // 6
       "Wystąpił błąd podczas uruchamiania funkcji ZapiszDaneDoPliku."},
  };
  int n = 0;
  for (const Case& c : cases) {
    test::ScopedUi own;
    c.call();
    ASSERT_EQ(own.boxes().size(), 1u) << "case " << ++n;
    EXPECT_EQ(own.boxes()[0].box.text, text::from_utf8(c.warning)) << "case " << n;
    EXPECT_EQ(utility_sessions_alive(), 0u);
  }
}

// The server refusing the import: its message is the warning, and nothing counts as imported.
TEST_F(RatesImport, ServerRefusalShowsTheDriversMessage) {
  db.faults().fail_matching("KS_ImportKusowWalutNBP", {sql::kRejected, "brak miejsca"});
  int32_t day = 0, notice = 0;
  EXPECT_EQ(POBIERZKURSYNBP(&day, &notice), 0);
  EXPECT_EQ(day, 0);
  EXPECT_EQ(warnings(), "brak miejsca\n");
}

// Every operation unloads the library, also after a failure.
TEST_F(RatesImport, LibraryIsUnloadedAfterEveryOperation) {
  int32_t day = date::make(1, 10, 2026), notice = 0;
  POBIERZKURSYNBP(&day, &notice);
  EXPECT_EQ(test::read_bytes("/proc/self/maps").find("libTORIXutilKS"), std::string::npos);
}

// A server that stores nothing answers no row: that is no import, never 1 with date 0.
TEST(RatesImportNoRow, IsAFailure) {
  test::SqlStack sql;
  test::ScopedUi ui;
  test::LoopbackHttp server{&bank};
  LibraryEnv env{server.url()};
  dict::glo().ISINTERNETCONNECTION = 1;
  int32_t day = 0, notice = 0;
  EXPECT_EQ(POBIERZKURSYNBP(&day, &notice), 0);
  EXPECT_EQ(day, 0);
  sql.fake.respond([](std::string_view s) -> std::optional<sql::FakeAnswer> {
    if (!s.starts_with("call KS_ImportKusowWalutNBP('")) return std::nullopt;
    return sql::FakeAnswer{0, {}, {{"82204", ""}}, {}};
  });
  EXPECT_EQ(POBIERZKURSYNBP(&day, &notice), 1);
  EXPECT_EQ(day, 82204);
}

// What the library itself answers: the bank's document in Windows-1250, its declaration gone.
TEST_F(RatesImport, LibraryAnswersInCp1250) {
  struct Case {
    const char* url;
    const char* day;
    const char* holds;  // UTF-8 here, Windows-1250 in the answer
  } cases[] = {
      {"/kursy/xml/", "260108", "<nazwa_waluty>dolar amerykański</nazwa_waluty>"},  // 1 ISO-8859-2
      {"/kursy/xml/", "260108",
       "(Ukraina) ąśźĄŚŹšžľ</nazwa_waluty>"},                      // 2 letters placed elsewhere
      {"/api/", "260108", "<Currency>forint (Węgry)</Currency>"},  // 3 UTF-8
  };
  int n = 0;
  for (const Case& c : cases) {
    LibraryEnv::set("ORVRUN_NBP_URL", server.url() + c.url);
    UtilityLibrary lib;
    std::optional<std::string> answer = lib.text("PobierzKursyNBPwartoscNaDzien", 49999, {c.day});
    ASSERT_TRUE(answer) << "case " << ++n;
    EXPECT_NE(answer->find(text::from_utf8(c.holds)), std::string::npos) << "case " << n;
    EXPECT_FALSE(answer->starts_with("<?xml")) << "case " << n;
  }
}

// ---------------------------------------------------------------- the other services

TEST(ListSeparator, FollowsTheDecimalSignOfTheRegion) {
  test::ScopedUi ui;
  const char* before = std::getenv("LC_ALL");
  std::string saved = before ? before : "";
  setenv("LC_ALL", "pl_PL.UTF-8", 1);
  EXPECT_EQ(POBIERZSYSTEMLISTSEPARATOR(), ";");
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(POBIERZSYSTEMLISTSEPARATOR(), ",");
  if (before)
    setenv("LC_ALL", saved.c_str(), 1);
  else
    unsetenv("LC_ALL");
}

TEST(CreateFile, WritesWhereTheArgumentSaysOrIntoTheTemporaryFolder) {
  test::TempDir dir;
  test::ScopedUi ui;
  setenv("TMPDIR", dir.path().c_str(), 1);
  EXPECT_EQ(UTWORZPLIK(dir.file("proba.html") + "   "), 0);
  EXPECT_EQ(UTWORZPLIK(""), 0);
  EXPECT_EQ(UTWORZPLIK("bez_folderu.txt"), 0);
  unsetenv("TMPDIR");
  for (const char* name : {"proba.html", "alamakota.html", "bez_folderu.txt"}) {
    EXPECT_EQ(test::read_bytes(dir.file(name)), "ala ma kota") << name;
  }
  ASSERT_EQ(ui.boxes().size(), 6u);
  EXPECT_EQ(ui.boxes()[0].box.title, dir.file("proba.html"));
  EXPECT_EQ(ui.boxes()[1].box.text, "Zapisano plik " + dir.file("proba.html") + ".");
  EXPECT_EQ(ui.boxes()[2].box.title, dir.file("alamakota.html"));
}

struct ConnectionCase {
  bool connected;
  uint32_t flags;
  uint8_t kind;
};

TEST(InternetConnection, LaterFlagsOverrideEarlierOnes) {
  const ConnectionCase cases[] = {
      {false, net::kLan, 0},                                 // 1 the system reports no connection
      {true, net::kModem, 1},                                // 2 modem
      {true, net::kLan, 2},                                  // 3 LAN
      {true, net::kModem | net::kLan, 2},                    // 4 LAN over modem
      {true, net::kLan | net::kProxy, 3},                    // 5 LAN through a proxy
      {true, net::kLan | net::kProxy | net::kModemBusy, 0},  // 6 a busy modem wins
      {true, 0, 0},                                          // 7 connected, no kind named
  };
  int n = 0;
  for (const ConnectionCase& c : cases) {
    net::set_connection_probe([&] { return net::ConnectionState{c.connected, c.flags}; });
    EXPECT_EQ(ISINTERNETCONNECTION(), c.kind) << "case " << ++n;
  }
  net::set_connection_probe({});
  // A host whose interfaces do not tell states the answer.
  const std::pair<const char*, uint8_t> stated[] = {{"none", 0}, {"lan", 2}, {"proxy", 3}};
  for (const auto& [value, kind] : stated) {
    setenv("ORVRUN_CONNECTION", value, 1);
    EXPECT_EQ(ISINTERNETCONNECTION(), kind) << value;
  }
  unsetenv("ORVRUN_CONNECTION");
}

}  // namespace
}  // namespace orv::calc
