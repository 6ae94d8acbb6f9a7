// Window parameters in memory and the write-back of a user's preferences.
#include "config/preferences.hpp"

#include <gtest/gtest.h>

#include "config/parameters.hpp"
#include "exports/orvrun.h"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::config {
namespace {

const std::string kName50(50, 'n');

void load_window_parameters() {
  auto& q = dict::glo().tables.INI_PAR_OKNO;
  q.add({"Artykul_Brw", "pokazuj_zdjecie", "1"});
  q.add({"Artykul_Brw", "szerokosc_podgladu", "240"});
  q.add({kName50, kName50, "long names"});
}

struct ParameterCase {
  const char* name;
  std::string window;
  std::string parameter;
  const char* value;
};

void PrintTo(const ParameterCase& c, std::ostream* os) {
  *os << c.name;
}

class WindowParameters : public testing::TestWithParam<ParameterCase> {
 protected:
  void SetUp() override { load_window_parameters(); }
  test::SqlStack db;
};

TEST_P(WindowParameters, LookUp) {
  const ParameterCase& c = GetParam();
  EXPECT_EQ(POBIERZPARAMETROKNA(c.window, c.parameter), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Preferences, WindowParameters,
    testing::Values(
        // 1-2. Exact names, and with trailing blanks.
        ParameterCase{"Exact", "Artykul_Brw", "szerokosc_podgladu", "240"},
        ParameterCase{"TrailingBlanks", "Artykul_Brw  ", "pokazuj_zdjecie ", "1"},
        // 3. Names keep their letter case.
        ParameterCase{"OtherCase", "ARTYKUL_BRW", "pokazuj_zdjecie", ""},
        // 4-5. Names of 300 characters are cut to 50; 51 different ones are not the same.
        ParameterCase{"Cut300", kName50 + std::string(250, 'x'), kName50 + "y", "long names"},
        ParameterCase{"Differs", std::string(49, 'n'), kName50, ""},
        // 6. Empty names.
        ParameterCase{"Empty", "", "", ""}),
    orv::test::named_case);

TEST(WindowParameterChange, OnlyRowsTheHostLoadedChange) {
  test::SqlStack db;
  load_window_parameters();
  EXPECT_EQ(ZAPISZPARAMETROKNA("Artykul_Brw", "szerokosc_podgladu", "300   "), 1);
  EXPECT_EQ(POBIERZPARAMETROKNA("Artykul_Brw", "szerokosc_podgladu"), "300");
  EXPECT_EQ(ZAPISZPARAMETROKNA("Artykul_Brw", "nowy", "1"), 0);
  EXPECT_EQ(POBIERZPARAMETROKNA("Artykul_Brw", "nowy"), "");
  EXPECT_EQ(dict::glo().tables.INI_PAR_OKNO.size(), 3u);
  EXPECT_EQ(::ZAPISZPARAMETROKNA("Artykul_Brw", "pokazuj_zdjecie", std::string(80, 'v').c_str()),
            1);
  char* v = ::POBIERZPARAMETROKNA("Artykul_Brw", "pokazuj_zdjecie");
  EXPECT_EQ(std::string(v), std::string(50, 'v'));
  ORVRUN_FREE(v);
  EXPECT_TRUE(db.recording.statements().empty());  // memory only
}

void load_preferences() {
  auto& t = dict::glo().tables;
  t.U_PARAMKONFQ.add({"ZAKRWYS", "@s20", "pełny zakres"_w1250});
  t.U_PARAMKONFQ.add({"DATA_OD", "@n7", "0"});
  t.U_PARAMKONFQ.add({"DATA_DO", "@n7", "0"});
  dict::IniKolBroRow column;
  column.column_id = 57;
  column.width = 160;
  column.position = 2;
  column.format = "160L(2)|M~Nazwa~@s100@|F";
  t.INI_KOL_BRO.add(column);
  column.column_id = 58;
  column.width = 0;
  column.position = 1;
  column.format = "60L(2)|M~Klient's~@s20@";
  t.INI_KOL_BRO.add(column);
  t.INI_PAR_OKNO.add({"Artykul_Brw", "pokazuj_zdjecie", "0"});
  t.INI_PAR_OKNO.add({"O'Window", "param'", "it's"});
  dict::Context& g = dict::glo();
  g.ID_UZYTKOWNIKA = 7;
  g.ID_FIRMY = 5;
  g.ZAKRES = "bieżący miesiąc i jeszcze więcej"_w1250;
  g.DATA_OD = 82185;
  g.DATA_DO = 82214;
}

const char* const kRange = "bieżący miesiąc i je"_w1250;  // 20 characters

TEST(WriteBack, StatementsInTableOrder) {
  test::SqlStack db;
  test::ScopedUi ui;
  load_preferences();
  ::ZAPISZPREFERENCJEUZYTKOWNIKA(8);
  EXPECT_EQ(
      db.recording.statements(),
      (std::vector<std::string>{
          "begin transaction",
          std::string("call AP_ZapiszDoLoguParam ('u',5,7,'ZAKRWYS','pełny zakres','"_w1250) +
              kRange + "')",
          std::string("call RM_ZapiszParamKonf('u',7,'ZakrWys','") + kRange + "',5)",
          "commit transaction", "begin transaction",
          "call AP_ZapiszDoLoguParam ('u',5,7,'DATA_OD','0','82185')",
          "call RM_ZapiszParamKonf('u',7,'Data_Od','82185',5)", "commit transaction",
          "begin transaction", "call AP_ZapiszDoLoguParam ('u',5,7,'DATA_DO','0','82214')",
          "call RM_ZapiszParamKonf('u',7,'Data_Do','82214',5)", "commit transaction",
          // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): each statement spans two lines
          "Update inter_ini_uzytkownik with (rowlock) set rozmiar=160,kolejnosc=2,"
          "format_kolumny='160L(2)|M~Nazwa~@s100@|F' where id_uzytkownika=8 and id_kolumny=57",
          "Update inter_ini_uzytkownik with (rowlock) set rozmiar=0,kolejnosc=1,"
          "format_kolumny='60L(2)|M~Klient''s~@s20@' where id_uzytkownika=8 and id_kolumny=58",
          "Update inter_parametr_uzytkownik with (rowlock)  set wartosc='0'  from ini_parametr "
          "p,inter_parametr_uzytkownik i,ini_okno o  where i.id_uzytkownika=8 and  "
          "p.nazwa='pokazuj_zdjecie' and  p.id_parametru=i.id_parametru and p.id_okna=o.id_okna "
          "and  o.nazwa='Artykul_Brw'",
          "Update inter_parametr_uzytkownik with (rowlock)  set wartosc='it''s'  from "
          "ini_parametr p,inter_parametr_uzytkownik i,ini_okno o  where i.id_uzytkownika=8 and  "
          "p.nazwa='param''' and  p.id_parametru=i.id_parametru and p.id_okna=o.id_okna and  "
          "o.nazwa='O''Window'"}));
  EXPECT_EQ(ui.ui().busy_depth(), 0);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST(WriteBack, EmptyTablesStillStoreTheDateRange) {
  test::SqlStack db;
  auto& t = dict::glo().tables;
  t.U_PARAMKONFQ.add({"ZAKRWYS", "", ""});
  t.U_PARAMKONFQ.add({"DATA_OD", "", "1"});
  t.U_PARAMKONFQ.add({"DATA_DO", "", "2"});
  dict::glo().ZAKRES = "dziś"_w1250;
  ZAPISZPREFERENCJEUZYTKOWNIKA(7);
  EXPECT_EQ(db.recording.statements().size(), 12u);  // three transactions of four
  EXPECT_EQ(POBIERZPARAMKONF("u", "ZakrWys"), "dziś"_w1250);
  EXPECT_EQ(POBIERZPARAMKONF("u", "Data_Od"), "0");
}

TEST(WriteBack, FirstRefusalShownOnceAndTheRestStillSent) {
  test::SqlStack db;
  test::ScopedUi ui;
  load_preferences();
  db.faults.fail_next(-1, sql::Fault::rejected("Communication link failure"));
  ZAPISZPREFERENCJEUZYTKOWNIKA(7);
  // Three changes that could not even begin their transaction, then the four table rows.
  EXPECT_EQ(db.recording.statements().size(), 7u);
  auto windows = ui.ui().error_windows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].statement, "begin transaction");
  EXPECT_EQ(ui.ui().busy_depth(), 0);
}

TEST(WriteBack, ThatTheUserMayNotSeeIsNotShown) {
  test::SqlStack db;
  test::ScopedUi ui;
  load_preferences();
  db.faults.fail_matching("inter_ini_uzytkownik", sql::Fault::hstm());
  ZAPISZPREFERENCJEUZYTKOWNIKA(7);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

// Against the demo database: only the given user's rows change.
class WriteBackOnDemo : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.tsql()) << "the backend must speak T-SQL";
    auto& t = dict::glo().tables;
    t.U_PARAMKONFQ.add({"ZAKRWYS", "@s20", "bieżący miesiąc"_w1250});
    t.U_PARAMKONFQ.add({"DATA_OD", "@n7", "82185"});
    t.U_PARAMKONFQ.add({"DATA_DO", "@n7", "82214"});
    t.INI_PAR_OKNO.add({"Artykul_Brw", "pokazuj_zdjecie", "7"});
    t.INI_PAR_OKNO.add({"Artykul_Brw", "szerokosc_podgladu", "it's 300"});
    t.INI_PAR_OKNO.add({"Nie_Ma_Okna", "pokazuj_zdjecie", "9"});
    dict::IniKolBroRow column;
    column.column_id = std::atof(db.value("select min(id_kolumny) from ini_kolumna").c_str());
    column.width = 123;
    column.position = 9;
    column.format = "123L(2)|M~Nazwa's~@s100@";
    t.INI_KOL_BRO.add(column);
    dict::Context& g = dict::glo();
    g.ZAKRES = "bieżący miesiąc"_w1250;
    g.DATA_OD = 82185;
    g.DATA_DO = 82214;
  }
  std::string others() {
    return db.value(
        "select group_concat(id_uzytkownika || ':' || id_parametru || '=' || wartosc) from "
        "(select * from inter_parametr_uzytkownik where id_uzytkownika <> 7 order by 1, 2)");
  }
  std::string other_columns() {
    return db.value(
        "select group_concat(rozmiar || ',' || kolejnosc || ',' || format_kolumny, ';') from "
        "(select * from inter_ini_uzytkownik where id_uzytkownika <> 7 order by 1, 2)");
  }
  test::DemoDb db;
  test::ScopedUi ui;
};

TEST_F(WriteBackOnDemo, OnlyTheGivenUsersRowsChange) {
  std::string before = others(), columns_before = other_columns();
  int rows = db.count("inter_parametr_uzytkownik");
  ZAPISZPREFERENCJEUZYTKOWNIKA(7);
  EXPECT_TRUE(ui.ui().error_windows().empty());
  EXPECT_EQ(db.value("select wartosc from inter_parametr_uzytkownik where id_uzytkownika = 7 and "
                     "id_parametru = 1"),
            "7");
  EXPECT_EQ(db.value("select wartosc from inter_parametr_uzytkownik where id_uzytkownika = 7 and "
                     "id_parametru = 2"),
            "it's 300");
  EXPECT_EQ(db.value("select wartosc from inter_parametr_uzytkownik where id_uzytkownika = 7 and "
                     "id_parametru = 3"),
            "0");  // pokazuj_zdjecie of Kontrahent_Brw: another window's parameter of that name
  EXPECT_EQ(others(), before);
  EXPECT_EQ(other_columns(), columns_before);
  EXPECT_EQ(db.count("inter_parametr_uzytkownik"), rows);  // nothing created
  EXPECT_EQ(db.count("inter_ini_uzytkownik where id_uzytkownika = 7 and rozmiar = 123 and "
                     "kolejnosc = 9 and format_kolumny = '123L(2)|M~Nazwa''s~@s100@'"),
            1);
}

TEST_F(WriteBackOnDemo, UnknownUserChangesNothing) {
  std::string before = others();
  ZAPISZPREFERENCJEUZYTKOWNIKA(999);
  EXPECT_TRUE(ui.ui().error_windows().empty());
  EXPECT_EQ(others(), before);
  EXPECT_EQ(db.count("inter_ini_uzytkownik where rozmiar = 123"), 0);
}

}  // namespace
}  // namespace orv::config
