// Column settings against the demo database: the statements the real backend receives and what
// they load, the dialog end to end, and the write-back of the preferences.
#include <gtest/gtest.h>

#include <algorithm>

#include "column_fixture.hpp"
#include "exports/table.hpp"
#include "frame/sql_channels.hpp"
#include "lists/column_dialog.hpp"
#include "lists/column_settings.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "server/server.hpp"

namespace orv::lists {
namespace {

namespace st = test::statements;

class DemoDb : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server::create_database(dir.file("demo.db"), /*demo=*/true, error)) << error;
    driver = std::make_unique<sql::sqlite::SqliteDriver>(dir.file("demo.db"));
    recording = std::make_unique<sql::RecordingDriver>(*driver);
    frame::reset_channels();
    dict::reset_context();
    previous = sql::set_current_driver(recording.get());
    ASSERT_TRUE(speaks_tsql()) << "the backend must speak T-SQL";
  }
  void TearDown() override {
    frame::reset_channels();
    sql::set_current_driver(previous);
    dict::reset_context();
  }

  // Asked on a connection of its own, so that nothing the tests count is sent.
  bool speaks_tsql() {
    std::string error;
    auto c = driver->connect(error);
    return c && c->send("select count(*) from ini_okno o with (nolock)") == sql::kOk;
  }

  // Signs a user in as the host does: the user's configuration values, then the column layout.
  void sign_in(double user) {
    dict::glo().ID_UZYTKOWNIKA = user;
    std::string query =
        "select p.kod, p.maska, i.wartosc from pozycjakonfig p join interuzytkownikpozycja i on "
        "i.id_pozycji = p.id_pozycji where i.id_uzytkownika = " +
        plain_id(user);
    ASSERT_EQ(frame::ESQL(query), 0);
    while (frame::VAX().next()) {
      dict::glo().tables.U_PARAMKONFQ.add(
          {text::upper(frame::VAX().field(1)), frame::VAX().field(2), frame::VAX().field(3)});
    }
    frame::CLOSESQL();
    recording->clear();
    LADUJUSTAWIENIAKOLUMN();
  }

  std::string stored(const std::string& what, double user, int column) {
    return frame::FUNCSQL2("select " + what + " from inter_ini_uzytkownik where id_uzytkownika=" +
                           plain_id(user) + " and id_kolumny=" + std::to_string(column));
  }

  test::TempDir dir;
  test::ScopedUi ui;
  std::unique_ptr<sql::Driver> driver;
  std::unique_ptr<sql::RecordingDriver> recording;
  sql::Driver* previous = nullptr;
};

TEST_F(DemoDb, LoadingSendsTheDocumentedStatements) {
  sign_in(7);
  auto sent = recording->statements();
  ASSERT_EQ(sent.size(), 9u);
  EXPECT_EQ(sent.front(), st::kWindows);
  EXPECT_EQ(sent[1], st::kColumns7);
  EXPECT_EQ(sent.back(), st::kParameters7);
  // One question per additional-field column of a window with a classifier group; the server
  // decides the order of the rows, and so of the questions.
  std::vector<std::string> fields(sent.begin() + 2, sent.end() - 1);
  std::sort(fields.begin(), fields.end());
  EXPECT_EQ(fields,
            (std::vector<std::string>{st::field("Artykul", 1), st::field("Artykul", 2),
                                      st::field("Artykul", 3), st::field("Artykul", 4),
                                      st::field("Kontrahent", 1), st::field("Rozrachunek", 1)}));
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(DemoDb, JanGetsHisLockedColumnsAndFourPlaceQuantities) {
  sign_in(7);
  EXPECT_EQ(dict::glo().ILOSCARTBEZPRZECINKA, "Nie");
  EXPECT_EQ(dict::glo().tables.INI_BRO.size(), 5u);
  EXPECT_EQ(dict::glo().tables.INI_KOL_BRO.size(), 28u);
  EXPECT_EQ(dict::glo().tables.INI_PAR_OKNO.size(), 4u);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 1), "60L(2)|FM~Indeks~@s20@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 3), "56R(2)|M~Stan~C(0)@n-14_`4@");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 7), 0) << "hidden from everyone";
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 7), "");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 8), 50) << "field 1 is active";
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 11), 0) << "field 4 is inactive";
  int32_t first = 0, last = 0;
  POBIERZZAKRESKOLUMNBROWSERA("Rozrachunek_Brw", first, last);
  EXPECT_EQ(first * 100 + last, 112);
}

TEST_F(DemoDb, EwaSeesQuantitiesWithoutDecimalsAndHerOwnOrder) {
  sign_in(8);
  EXPECT_EQ(dict::glo().ILOSCARTBEZPRZECINKA, "Tak");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 1), "160L(2)|M~Nazwa~@s100@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 4), "56R(2)|M~Rezerwacja~C(0)@n-14_@");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 6), 0) << "she hid the unit";
}

TEST_F(DemoDb, AnInactiveFieldOnTheServerHidesItsColumn) {
  frame::EXECSQL(
      "update klasyfikator_pole set czy_aktywne=0 where kod_klas_grupy='Artykul' and nr_pola=1");
  ASSERT_EQ(frame::VAX().error(), 0) << frame::VAX().message();
  frame::CLOSESQL();
  sign_in(7);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 8), 0);
}

TEST_F(DemoDb, AUserWithoutALayoutGetsNoColumnsAndAnEmptyDialog) {
  sign_in(10);
  EXPECT_TRUE(dict::glo().tables.INI_KOL_BRO.empty());
  ui.ui().add_script("press ZABLOKUJ; press ZATWIERDZ");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw"), 1);
  ASSERT_EQ(ui.ui().windows().size(), 1u);
  EXPECT_TRUE(ui.ui().windows()[0].controls[0].rows.empty());
}

TEST_F(DemoDb, TheDialogHidesMovesAndLocksInMemoryOnly) {
  sign_in(7);
  // Hide Stan, bring Kolor to the top, lock down to Indeks (Kolor, Indeks).
  ui.ui().add_script(
      "select KOLUMNY 3; press UKRYJ; select KOLUMNY 7; press UPALL; select KOLUMNY 2;"
      "press ODBLOKUJ; press ZABLOKUJ; press ZATWIERDZ");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw"), 1);
  EXPECT_EQ(ui.ui().failure(), "");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 1), "50L(2)|FM~Kolor~@s30@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 2), "60L(2)|FM~Indeks~@s20@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 3), "160L(2)|M~Nazwa~@s100@");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 4), 0);
  // Nothing reaches the server until the host writes the preferences back.
  EXPECT_EQ(stored("kolejnosc", 7, 8), "8");
  EXPECT_EQ(stored("rozmiar", 7, 3), "56");
}

TEST_F(DemoDb, ThePreferenceWriteBackStoresTheDialogsLayout) {
  const exports::Procedure* save = exports::find("ZAPISZPREFERENCJEUZYTKOWNIKA");
  ASSERT_NE(save, nullptr);
  sign_in(7);
  ui.ui().add_script(
      "select KOLUMNY 3; press UKRYJ; select KOLUMNY 7; press UPALL;"
      "press ODBLOKUJ; press ZATWIERDZ");
  ASSERT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw"), 1);
  std::vector<exports::Arg> args(1);
  args[0].given = true;
  args[0].real = 7;
  save->invoke(args);
  EXPECT_EQ(stored("kolejnosc", 7, 8), "1");
  EXPECT_EQ(stored("format_kolumny", 7, 8), "50L(2)|M~Kolor~@s30@");
  EXPECT_EQ(stored("rozmiar", 7, 3), "0");
  EXPECT_EQ(stored("kolejnosc", 7, 1), "2");
  EXPECT_EQ(stored("kolejnosc", 8, 8), "8") << "another user's rows stay";
}

TEST_F(DemoDb, DefaultsOfStockItemsLeaveOutIssuedAndReceived) {
  sign_in(7);
  ui.ui().add_script("key ctrl+d; answer yes; press ZATWIERDZ");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Pozycje_Dokumentu_Magazynowego_Brw"), 1);
  ASSERT_EQ(ui.ui().windows().size(), 1u);
  std::vector<std::string> captions;
  for (const auto& row : ui.ui().windows()[0].controls[0].rows) captions.push_back(row[2]);
  EXPECT_EQ(captions, (std::vector<std::string>{"Lp", "Artykuł"_w1250, "Cena"}));
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Pozycje_Dokumentu_Magazynowego_Brw", 3),
            "50R(2)|M~Cena~@n-14.2@");
}

TEST_F(DemoDb, TheDialogOfAWindowNameWithAnApostropheReadsNothing) {
  sign_in(7);
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw' or '1'='1"), 0);
  EXPECT_TRUE(ui.ui().error_windows().empty()) << "the name stays data";
  ASSERT_EQ(ui.boxes().size(), 1u);
}

}  // namespace
}  // namespace orv::lists
