// Configuration values: look-ups by key, the change's statements and effects, reads from the
// server.
#include "config/parameters.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::config {
namespace {

using sql::FakeAnswer;

const std::string kLong300(300, 'x');

void load_demo_like_values() {
  auto& t = dict::glo().tables;
  t.S_PARAMKONFQ.add({"BLOKFUNCHASLO", "@s3", "Tak"});
  t.S_PARAMKONFQ.add({"IBAN", "@s34", "61109010140000071219812874"});
  t.S_PARAMKONFQ.add({"ABCDEFGHIJKLMNOPQRST", "@n6", "500"});
  t.U_PARAMKONFQ.add({"DOMKASA", "@n5", "1"});
  t.U_PARAMKONFQ.add({"DRZEWKOFILTRROZ", "@s20", "N"});
  t.U_PARAMKONFQ.add({"ZAKRWYS", "@s20", "pełny zakres"_w1250});
}

struct LookupCase {
  const char* name;
  const char* scope;
  std::string code;
  const char* value;  // expected POBIERZPARAMKONF
  const char* mask;   // expected MASKAPARAMKONF
};

void PrintTo(const LookupCase& c, std::ostream* os) {
  *os << c.name;
}

class Lookups : public testing::TestWithParam<LookupCase> {
 protected:
  void SetUp() override { load_demo_like_values(); }
  test::SqlStack db;  // resets the context around each case
};

TEST_P(Lookups, ValueAndMaskFromMemoryOnly) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(POBIERZPARAMKONF(c.scope, c.code), c.value);
  EXPECT_EQ(MASKAPARAMKONF(c.scope, c.code), c.mask);
  EXPECT_TRUE(db.recording.statements().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Config, Lookups,
    testing::Values(
        // 1-3. The code is upper-cased and clipped; the scope loses its trailing blanks only.
        LookupCase{"MixedCaseCode", "s", "BlokFuncHaslo", "Tak", "@s3"},
        LookupCase{"TrailingBlanks", "s  ", "iban  ", "61109010140000071219812874", "@s34"},
        LookupCase{"UserScope", "u", "domkasa", "1", "@n5"},
        // 4-6. Upper-case, blank and unknown scope letters find nothing; no fallback.
        LookupCase{"UpperCaseScope", "S", "IBAN", "", ""},
        LookupCase{"BlankScope", " ", "IBAN", "", ""},
        LookupCase{"OtherScopesTable", "u", "IBAN", "", ""},
        // 7-10. Codes of 0, 20, 21 and 300 characters: looked up by the first 20.
        LookupCase{"EmptyCode", "s", "", "", ""},
        LookupCase{"Code20", "s", "abcdefghijklmnopqrst", "500", "@n6"},
        LookupCase{"Code21", "s", "abcdefghijklmnopqrstu", "500", "@n6"},
        LookupCase{"Code300", "s", "ABCDEFGHIJKLMNOPQRST" + kLong300, "500", "@n6"},
        // 11. A Polish value comes back byte for byte.
        LookupCase{"PolishValue", "u", "ZakrWys", "pełny zakres"_w1250, "@s20"}),
    orv::test::named_case);

TEST(ConfigIndex, FollowsRowsAddedRemovedAndAResetContext) {
  test::SqlStack db;
  auto& q = dict::glo().tables.S_PARAMKONFQ;
  EXPECT_EQ(POBIERZPARAMKONF("s", "A"), "");
  q.add({"A", "", "1"});
  EXPECT_EQ(POBIERZPARAMKONF("s", "A"), "1");
  q.add({"A", "", "second row of the same code"});
  EXPECT_EQ(POBIERZPARAMKONF("s", "A"), "1");  // the first row of a code wins
  q.erase(1);
  EXPECT_EQ(POBIERZPARAMKONF("s", "A"), "second row of the same code");
  dict::reset_context();
  EXPECT_EQ(POBIERZPARAMKONF("s", "A"), "");
  dict::glo().tables.S_PARAMKONFQ.add({"B", "", "2"});
  EXPECT_EQ(POBIERZPARAMKONF("s", "A"), "");
  EXPECT_EQ(POBIERZPARAMKONF("s", "B"), "2");
}

// The change: statements, their order, the row in memory and the globals it sets.
struct ChangeCase {
  const char* name;
  const char* scope;
  std::string code;
  std::string value;
  std::vector<std::string> statements;
  std::string cached;  // POBIERZPARAMKONF(scope, code) afterwards
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
  *os << c.name;
}

const std::string kAccount = "PL27114020040000300201355387";

class Changes : public testing::TestWithParam<ChangeCase> {
 protected:
  void SetUp() override {
    load_demo_like_values();
    dict::glo().ID_UZYTKOWNIKA = 7;
    dict::glo().ID_FIRMY = 5;
  }
  test::SqlStack db;
  test::ScopedUi ui;
};

TEST_P(Changes, StatementsInOrderAndTheCachedRow) {
  const ChangeCase& c = GetParam();
  USTAWPARAMKONF(c.scope, c.code, c.value);
  // A change is one transaction: its statements are written all or none.
  std::vector<std::string> sent = c.statements;
  if (!sent.empty()) {
    sent.insert(sent.begin(), "begin transaction");
    sent.push_back("commit transaction");
  }
  EXPECT_EQ(db.recording.statements(), sent);
  EXPECT_EQ(POBIERZPARAMKONF(c.scope, c.code), c.cached);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Config, Changes,
    testing::Values(
        // 1. The company's IBAN: report parameters first, then the log, then the value.
        ChangeCase{"CompanyIban",
                   "s",
                   "IBAN",
                   kAccount + "  ",
                   {"update wartosc_parametru  with (rowlock)  set wartosc='" + kAccount +
                        "' from wartosc_parametru w,parametr_raportu p where "
                        "p.id_parametru=w.id_parametru and  p.nazwa='IBAN'",
                    "call AP_ZapiszDoLoguParam ('s',5,7,'IBAN','61109010140000071219812874','" +
                        kAccount + "')",
                    "call RM_ZapiszParamKonf('s',5,'IBAN','" + kAccount + "',0)"},
                   kAccount},
        // 2. "iban" in lower case is found, but the report parameters follow only "IBAN".
        ChangeCase{"LowerCaseIbanSkipsReports",
                   "s",
                   "iban",
                   "1",
                   {"call AP_ZapiszDoLoguParam ('s',5,7,'IBAN','61109010140000071219812874','1')",
                    "call RM_ZapiszParamKonf('s',5,'iban','1',0)"},
                   "1"},
        // 3. A user value: the user's id in the call and the company last.
        ChangeCase{
            "UserValue",
            "u  ",
            "ZakrWys",
            "bieżący miesiąc"_w1250,
            {"call AP_ZapiszDoLoguParam ('u',5,7,'ZAKRWYS','pełny zakres','bieżący miesiąc')"_w1250,
             "call RM_ZapiszParamKonf('u',7,'ZakrWys','bieżący miesiąc',5)"_w1250},
            "bieżący miesiąc"_w1250},
        // 4. The same value, trailing blanks aside: nothing is sent.
        ChangeCase{"SameValue", "u", "DOMKASA", "1   ", {}, "1"},
        // 5-7. An unknown code, an upper-case and a blank scope: nothing is sent or added.
        ChangeCase{"UnknownCode", "s", "NoSuchCode", "x", {}, ""},
        ChangeCase{"UpperCaseScope", "S", "IBAN", "x", {}, ""},
        ChangeCase{"BlankScope", "", "IBAN", "x", {}, ""},
        // 8. 300 characters: logged in full, stored and sent cut to 249.
        ChangeCase{
            "LongValue",
            "s",
            "BlokFuncHaslo",
            kLong300,
            {"call AP_ZapiszDoLoguParam ('s',5,7,'BLOKFUNCHASLO','Tak','" + kLong300 + "')",
             "call RM_ZapiszParamKonf('s',5,'BlokFuncHaslo','" + std::string(249, 'x') + "',0)"},
            std::string(249, 'x')},
        // 9. Apostrophes in the old and the new value are data: doubled in every statement.
        ChangeCase{"Apostrophes",
                   "u",
                   "DRZEWKOFILTRROZ",
                   "O'Brien' or '1'='1",
                   {"call AP_ZapiszDoLoguParam ('u',5,7,'DRZEWKOFILTRROZ','N','O''Brien'' or "
                    "''1''=''1')",
                    "call RM_ZapiszParamKonf('u',7,'DRZEWKOFILTRROZ','O''Brien'' or ''1''=''1',5)"},
                   "O'Brien' or '1'='1"},
        // 10. A code longer than 20 characters goes to the server as the caller gave it.
        ChangeCase{"LongCodeAsGiven",
                   "s",
                   "abcdefghijklmnopqrstu",
                   "600",
                   {"call AP_ZapiszDoLoguParam ('s',5,7,'ABCDEFGHIJKLMNOPQRSTU','500','600')",
                    "call RM_ZapiszParamKonf('s',5,'abcdefghijklmnopqrstu','600',0)"},
                   "600"}),
    orv::test::named_case);

TEST(ConfigChange, CashDeskAndSettlementTreeFollowUserValuesInAnyCase) {
  test::SqlStack db;
  load_demo_like_values();
  dict::glo().ROZRACH_DRZEWKO_LOADED = 1;
  USTAWPARAMKONF("u", "DomKasa", "12");
  EXPECT_EQ(dict::glo().ID_KASY, 12);
  USTAWPARAMKONF("u", "drzewkofiltrroz", "T");
  EXPECT_EQ(dict::glo().ROZRACH_DRZEWKO_LOADED, 0);
  USTAWPARAMKONF("u", "DOMKASA", "abc");  // not a number: no cash desk
  EXPECT_EQ(dict::glo().ID_KASY, 0);
}

TEST(ConfigChange, CompanyScopeNeverTouchesTheUserGlobals) {
  test::SqlStack db;
  dict::glo().tables.S_PARAMKONFQ.add({"DOMKASA", "", "1"});
  dict::glo().ID_KASY = 3;
  USTAWPARAMKONF("s", "DOMKASA", "12");
  EXPECT_EQ(dict::glo().ID_KASY, 3);
}

TEST(ConfigChange, ServerRefusalIsShownOnceRolledBackAndTheCacheKept) {
  test::SqlStack db;
  test::ScopedUi ui;
  load_demo_like_values();
  db.faults.fail_matching("RM_ZapiszParamKonf",
                          sql::Fault::rejected("Procedure RM_ZapiszParamKonf failed"));
  USTAWPARAMKONF("s", "IBAN", kAccount);
  auto sent = db.recording.statements();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(sent.back(), "rollback transaction");
  auto windows = ui.ui().error_windows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].message, "Procedure RM_ZapiszParamKonf failed");
  EXPECT_TRUE(windows[0].statement.starts_with("call RM_ZapiszParamKonf"));
  EXPECT_EQ(POBIERZPARAMKONF("s", "IBAN"), "61109010140000071219812874");
}

TEST(ConfigChange, BusyConnectionIsNotShown) {
  test::SqlStack db;
  test::ScopedUi ui;
  load_demo_like_values();
  db.faults.fail_next(-1, sql::Fault::hstm());
  USTAWPARAMKONF("u", "DOMKASA", "2");
  EXPECT_TRUE(ui.ui().error_windows().empty());
  EXPECT_EQ(POBIERZPARAMKONF("u", "DOMKASA"), "1");  // not written, so not changed
}

TEST(ConfigChange, ThroughTheCAbi) {
  test::SqlStack db;
  load_demo_like_values();
  ::USTAWPARAMKONF("u", "DOMKASA", "7");
  char* v = ::POBIERZPARAMKONF("u", "domkasa");
  EXPECT_STREQ(v, "7");
  ORVRUN_FREE(v);
  char* m = ::MASKAPARAMKONF("u", nullptr);
  EXPECT_STREQ(m, "");
  ORVRUN_FREE(m);
  EXPECT_EQ(dict::glo().ID_KASY, 7);
}

// Reading from the server: the statement, and the value through its mask.
struct ServerReadCase {
  const char* name;
  const char* scope;
  const char* code;
  std::string statement;  // empty: nothing is sent
  std::vector<std::string> row;
  const char* result;
};

void PrintTo(const ServerReadCase& c, std::ostream* os) {
  *os << c.name;
}

class ServerReads : public testing::TestWithParam<ServerReadCase> {};

TEST_P(ServerReads, FormattedWithTheMask) {
  const ServerReadCase& c = GetParam();
  test::SqlStack db;
  dict::glo().ID_UZYTKOWNIKA = 4100001;
  dict::glo().ID_FIRMY = 6;
  FakeAnswer answer;
  if (!c.row.empty()) answer.rows.push_back(c.row);
  db.fake.answer(c.statement, answer);
  EXPECT_EQ(POBIERZPARAMKONFZBAZY(c.scope, c.code), c.result);
  std::vector<std::string> sent;
  if (!c.statement.empty()) sent.push_back(c.statement);
  EXPECT_EQ(db.recording.statements(), sent);
}

INSTANTIATE_TEST_SUITE_P(
    Config, ServerReads,
    testing::Values(
        // 1. A company number right-aligned in its picture.
        ServerReadCase{"CompanyNumber",
                       "s ",
                       "MaxRozZdjecArt  ",
                       "select i.wartosc,p.maska from interfirmapozycja i,pozycjakonfig p where "
                       "i.id_firmy=6 and p.kod='MaxRozZdjecArt' and p.id_pozycji=i.id_pozycji",
                       {"200", "@n6"},
                       "   200"},
        // 2. A user text cut to its picture.
        ServerReadCase{"UserText",
                       "u",
                       "TypDoExcela",
                       "select i.wartosc,p.maska from interuzytkownikpozycja i,pozycjakonfig p "
                       "where i.id_uzytkownika=4100001 and p.kod='TypDoExcela' and "
                       "p.id_pozycji=i.id_pozycji",
                       {"xlsx-long", "@s4"},
                       "xlsx"},
        // 3. No row: empty, whatever the picture would make of nothing.
        ServerReadCase{"NoRow",
                       "s",
                       "Nothing",
                       "select i.wartosc,p.maska from interfirmapozycja i,pozycjakonfig p where "
                       "i.id_firmy=6 and p.kod='Nothing' and p.id_pozycji=i.id_pozycji",
                       {},
                       ""},
        // 4. No mask: the value as it is.
        ServerReadCase{"NoMask",
                       "s",
                       "LokalSiecZdjecArt",
                       "select i.wartosc,p.maska from interfirmapozycja i,pozycjakonfig p where "
                       "i.id_firmy=6 and p.kod='LokalSiecZdjecArt' and p.id_pozycji=i.id_pozycji",
                       {"\\\\serwer\\zdjecia", ""},
                       "\\\\serwer\\zdjecia"},
        // 5. An apostrophe in the code stays inside its quotes.
        ServerReadCase{"ApostropheInCode",
                       "s",
                       "x' or '1'='1",
                       "select i.wartosc,p.maska from interfirmapozycja i,pozycjakonfig p where "
                       "i.id_firmy=6 and p.kod='x'' or ''1''=''1' and p.id_pozycji=i.id_pozycji",
                       {},
                       ""},
        // 6-7. Upper-case or blank scope: nothing is sent.
        ServerReadCase{"UpperCaseScope", "U", "TypDoExcela", "", {}, ""},
        ServerReadCase{"BlankScope", "", "TypDoExcela", "", {}, ""}),
    orv::test::named_case);

TEST(ConfigServerRead, FailureIsSilentAndEmpty) {
  test::SqlStack db;
  test::ScopedUi ui;
  db.faults.fail_next(1, sql::Fault::rejected());
  EXPECT_EQ(POBIERZPARAMKONFZBAZY("s", "IBAN"), "");
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

// Against the demo database: what the statements really change.
class ConfigOnDemo : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.tsql()) << "the backend must speak T-SQL";
    auto& t = dict::glo().tables;
    t.S_PARAMKONFQ.add({"IBAN", "@s34", "61109010140000071219812874"});
    t.U_PARAMKONFQ.add({"DOMKASA", "@n5", "1"});
  }
  test::DemoDb db;
  test::ScopedUi ui;
};

TEST_F(ConfigOnDemo, IbanReachesOnlyTheReportParametersNamedIban) {
  int others_before = db.count(
      "wartosc_parametru w join parametr_raportu p on p.id_parametru = w.id_parametru "
      "where p.nazwa <> 'IBAN' and w.wartosc = '" +
      kAccount + "'");
  USTAWPARAMKONF("s", "IBAN", kAccount);
  EXPECT_TRUE(ui.ui().error_windows().empty());
  // Demo: jan's variant 100 (report 10) and ewa's variant 102 (report 11) hold an IBAN.
  EXPECT_EQ(
      db.count("wartosc_parametru where id_parametru in (1, 5) and wartosc = '" + kAccount + "'"),
      2);
  EXPECT_EQ(db.count("wartosc_parametru where id_parametru not in (1, 5) and wartosc = '" +
                     kAccount + "'"),
            others_before);
  EXPECT_EQ(db.value("select wartosc from interfirmapozycja where id_firmy = 5 and id_pozycji = 7"),
            kAccount);
  EXPECT_EQ(db.value("select wartosc from interfirmapozycja where id_firmy = 6 and id_pozycji = 7"),
            "");
  EXPECT_EQ(db.count("log_parametrow where zakres = 's' and kod = 'IBAN' and nowa_wartosc = '" +
                     kAccount + "'"),
            1);
}

TEST_F(ConfigOnDemo, UserValueWithAnApostropheArrivesIntact) {
  USTAWPARAMKONF("u", "DOMKASA", "1'2");
  EXPECT_TRUE(ui.ui().error_windows().empty());
  EXPECT_EQ(db.value("select wartosc from interuzytkownikpozycja where id_uzytkownika = 7 and "
                     "id_pozycji = 27"),
            "1'2");
  EXPECT_EQ(db.value("select wartosc from interuzytkownikpozycja where id_uzytkownika = 8 and "
                     "id_pozycji = 27"),
            "2");
}

TEST_F(ConfigOnDemo, ServerReadOfTheDemoCompany) {
  EXPECT_EQ(POBIERZPARAMKONFZBAZY("s", "BlokFuncHaslo"), "Tak");
  EXPECT_EQ(POBIERZPARAMKONFZBAZY("s", "MaxRozZdjecArt"), "   500");
  dict::glo().ID_FIRMY = 99;  // unknown company: no row
  EXPECT_EQ(POBIERZPARAMKONFZBAZY("s", "BlokFuncHaslo"), "");
}

}  // namespace
}  // namespace orv::config
