// Company data from the register: the real library talking SOAP to a loopback server that plays
// back recorded answers, the search window driven by a script, the record filled by position.
#include "calc/company_lookup.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "calc/utility_library.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "support/http_server.hpp"
#include "support/support.hpp"

namespace orv::calc {
namespace {

using test::HttpReply;
using test::HttpRequest;

const std::string kData = std::string(ORV_SOURCE_DIR) + "/tests/calc/data";
constexpr const char* kSid = "4d7c1b9e2a3f4c5d6e7f";
constexpr const char* kMtom =
    "multipart/related; type=\"application/xop+xml\"; "
    "boundary=\"uuid:4f1e8a52-7c21-4b2e-9a0f-1d2c3b4a5e6f+id=1\"; "
    "start=\"<http://tempuri.org/0>\"; start-info=\"application/soap+xml\"";

HttpReply recorded(const char* file) {
  HttpReply r = test::file_reply(kData, std::string("/") + file);
  r.content_type = kMtom;
  return r;
}

// The register as recorded: a search without the session's sid header is refused, as the
// service does.
HttpReply register_service(const HttpRequest& r) {
  const std::string& body = r.body;
  if (body.find("<ns:Zaloguj>") != std::string::npos) return recorded("bir_login.mtom");
  if (body.find("<ns:Wyloguj>") != std::string::npos) return recorded("bir_logout.mtom");
  auto sid = r.headers.find("sid");
  if (sid == r.headers.end() || sid->second != kSid) return {500, "no session"};
  if (body.find("5261040828") != std::string::npos) return recorded("bir_search.mtom");
  return recorded("bir_not_found.mtom");
}

// A customer form's record, in the order of the library's company XML.
dict::Group customer() {
  dict::Group g;
  for (const char* name : {"REGON", "NIP", "NAZWA", "WOJEWODZTWO", "POWIAT", "GMINA", "MIEJSCOWOSC",
                           "KOD", "ULICA", "NRDOMU", "NRLOKALU", "POCZTA", "TYP"}) {
    g.add(name, dict::FieldKind::Text, 100);
  }
  return g;
}

std::string field(const dict::Group& g, const char* name) {
  return std::string(text::clip(g.find(name)->values.at(0)));
}

class CompanyLookup : public testing::Test {
 protected:
  void SetUp() override {
    dict::reset_context();
    dict::glo().ISINTERNETCONNECTION = 1;
    setenv("ORVRUN_BIR_URL", (server.url() + "/wsBIR/UslugaBIRzewnPubl.svc").c_str(), 1);
  }
  void TearDown() override { unsetenv("ORVRUN_BIR_URL"); }
  std::string warnings() const {
    std::string all;
    for (const auto& b : ui.boxes()) all += b.box.text + "\n";
    return all;
  }
  test::ScopedUi ui;
  test::LoopbackHttp server{&register_service};
};

TEST_F(CompanyLookup, ChosenCompanyFillsTheRecordWithPolishLettersIntact) {
  ui.ui().add_script("set NUMER 526-104-08-28; press SZUKAJ; press WYBIERZ");
  dict::Group record = customer();
  ASSERT_EQ(PODAJDANEGUS(record), 1);
  EXPECT_EQ(field(record, "NAZWA"),
            "PRZEDSIĘBIORSTWO & SYSTEMY \"ŁÓDŹ-ŻYRARDÓW\" SPÓŁKA Z O.O."_w1250);
  EXPECT_EQ(field(record, "NIP"), "5261040828");
  EXPECT_EQ(field(record, "GMINA"), "Łódź-Śródmieście"_w1250);
  EXPECT_EQ(field(record, "ULICA"), "ul. Test-Krucza");
  EXPECT_EQ(field(record, "NRLOKALU"), "12");
  EXPECT_EQ(field(record, "TYP"), "P");
  EXPECT_EQ(warnings(), "");
  // Logged in, searched with the session in the "sid" header, logged out.
  auto requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_NE(requests[0].headers["content-type"].find(
                "application/soap+xml; charset=utf-8; "
                "action=\"http://CIS/BIR/PUBL/2014/07/IUslugaBIRzewnPubl/Zaloguj\""),
            std::string::npos);
  EXPECT_NE(requests[1].body.find("<dat:Nip>5261040828</dat:Nip>"), std::string::npos);
  EXPECT_EQ(requests[2].headers["sid"], kSid);
  EXPECT_EQ(utility_sessions_alive(), 0u);
}

TEST_F(CompanyLookup, NothingFoundWarnsAndLeavesTheRecord) {
  ui.ui().add_script("set NUMER 1111111111; press SZUKAJ; press WYBIERZ; press ANULUJ");
  dict::Group record = customer();
  record.find("NAZWA")->values.at(0) = "stara";
  EXPECT_EQ(PODAJDANEGUS(record), 0);
  EXPECT_EQ(field(record, "NAZWA"), "stara");
  EXPECT_EQ(warnings(), "Nie znaleziono podmiotu dla podanych kryteriów wyszukiwania.\n"_w1250);
}

TEST_F(CompanyLookup, FailuresWarnOnceAndReturnZero) {
  struct Case {
    const char* script;
    const char* localpath;  // null: the module's own folder
    uint8_t internet;
    const char* warning;
  } cases[] = {
      // 1 no internet: nothing is loaded or asked
      {"", nullptr, 0,
       "Wystąpił błąd połączenia internetowego!|Sprawdź czy masz dostęp do internetu."},
      // 2 no library in the local folder
      {"", "/nonexistent", 1, "Wystąpił błąd podczas ładowania biblioteki TORIXutilKS.dll"},
      // 3 a number that is neither a NIP nor a REGON
      {"set NUMER 123; press SZUKAJ; key Esc", nullptr, 1,
       "Podaj NIP (10 cyfr) albo REGON (9 lub 14 cyfr)."},
      // 4 the window closed without a choice
      {"key Esc", nullptr, 1, nullptr},
      // 5 a library without the register's functions
      {"", "LIBZ", 1, "Wystąpił błąd podczas uruchamiania funkcji importu danych z GUS."},
  };
  test::TempDir libz;
  std::filesystem::create_symlink("/lib/x86_64-linux-gnu/libz.so.1",
                                  libz.file("libTORIXutilKS.so"));
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("case " + std::to_string(++n));
    test::ScopedUi own;
    dict::glo().ISINTERNETCONNECTION = c.internet;
    dict::glo().LOCALPATH = !c.localpath                         ? ""
                            : std::string(c.localpath) == "LIBZ" ? libz.path()
                                                                 : c.localpath;
    if (*c.script) own.ui().add_script(c.script);
    dict::Group record = customer();
    EXPECT_EQ(PODAJDANEGUS(record), 0);
    std::string shown;
    for (const auto& b : own.boxes()) shown += b.box.text + "\n";
    EXPECT_EQ(shown, c.warning ? text::from_utf8(c.warning) + "\n" : "");
  }
}

// A register that cannot be reached is named in the warning.
TEST_F(CompanyLookup, UnreachableRegisterIsNamed) {
  setenv("ORVRUN_BIR_URL", "http://127.0.0.1:1/wsBIR/UslugaBIRzewnPubl.svc", 1);
  ui.ui().add_script("set NUMER 5261040828; press SZUKAJ; key Esc");
  dict::Group record = customer();
  EXPECT_EQ(PODAJDANEGUS(record), 0);
  EXPECT_EQ(warnings().rfind("Brak połączenia z rejestrem REGON: "_w1250, 0), 0u) << warnings();
  EXPECT_TRUE(server.requests().empty());
}

// The same through the CLI: the record as JSON in and out, the window driven by the script.
TEST_F(CompanyLookup, ThroughTheCliTheRecordComesBackFilled) {
  std::string record = "[";
  for (const char* name : {"KON:REGON", "KON:NIP", "KON:NAZWA"}) {
    record += std::string(record.size() > 1 ? "," : "") + "{\"name\": \"" + name +
              "\", \"type\": \"STRING\", \"size\": 100}";
  }
  record += "]";
  setenv("ORVRUN_CONNECTION", "lan", 1);
  test::TempDir dir;
  const std::string db = dir.file("demo.db");
  ASSERT_EQ(test::run_cli({"init", "--demo", "--db", db}).status, 0);
  auto r =
      test::run_cli({"--db", db, "call", "--json", "--ui-script",
                     "set NUMER 5261040828; press SZUKAJ; press WYBIERZ", "PODAJDANEGUS", record});
  unsetenv("ORVRUN_CONNECTION");
  EXPECT_EQ(r.out.rfind("{\"result\": 1, ", 0), 0u) << r.out << r.err;
  EXPECT_NE(
      r.out.find("\"value\": \"PRZEDSIĘBIORSTWO & SYSTEMY \\\"ŁÓDŹ-ŻYRARDÓW\\\" SPÓŁKA Z O.O.\""),
      std::string::npos)
      << r.out;
}

struct CleanCase {
  const char* in;
  const char* out;
};

// The cleanup resolves what the register escapes, and escapes "&" once only.
TEST(CompanyXmlCleanup, EscapesAmpersandsOnce) {
  const CleanCase cases[] = {
      {"<a>A &amp; B</a>", "<a>A &amp; B</a>"},                  // 1 already escaped: not twice
      {"<a>A & B</a>", "<a>A &amp; B</a>"},                      // 2 a bare ampersand
      {"<a>&quot;X&quot;</a>", "<a>\"X\"</a>"},                  // 3 quotes resolved
      {"<a>&#046;&#045;&#044;&#041;</a>", "<a>.-,)</a>"},        // 4 the register's numeric ones
      {"<a>O'Brien</a>", "<a>O`Brien</a>"},                      // 5 apostrophe to grave accent
      {"<a>&#261;&#x105;&lt;</a>", "<a>&#261;&#x105;&lt;</a>"},  // 6 other references kept
      {"<a>&amp</a>", "<a>&amp;amp</a>"},                        // 7 no semicolon: not a reference
      {"<a>&#x;&;</a>", "<a>&amp;#x;&amp;;</a>"},                // 8 empty references are not ones
  };
  int n = 0;
  for (const CleanCase& c : cases) {
    EXPECT_EQ(cleaned_company_xml(c.in), c.out) << "case " << ++n;
  }
}

}  // namespace
}  // namespace orv::calc
