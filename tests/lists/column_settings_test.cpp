// Loading the users' column layouts, the accessors and the format rules, over a scripted server.
#include "lists/column_settings.hpp"

#include <gtest/gtest.h>

#include "column_fixture.hpp"
#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"

namespace orv::lists {
namespace {

using test::ColumnServer;
using test::table_of;
namespace st = test::statements;

void set_quantity_setting(const std::string& value) {
  dict::glo().tables.U_PARAMKONFQ.add({"ILOSCARTBEZPRZECINKA", "@s3", value});
}

class Loading : public testing::Test {
 protected:
  test::SqlStack sql;
  test::ScopedUi ui;
  ColumnServer server{sql};
};

TEST_F(Loading, SendsItsStatementsInOrderOnTheirChannels) {
  set_quantity_setting("Nie");
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(sql.recording.statements(),
            (std::vector<std::string>{st::kWindows, st::kColumns7, st::field("Kontrahent", 1),
                                      st::field("Artykul", 4), st::field("Artykul", 1),
                                      st::kParameters7}));
  // Main channel for windows and parameters, channel 2 for the columns, the scalar channel for
  // the classifier fields.
  auto entries = sql.recording.entries();
  ASSERT_EQ(entries.size(), 6u);
  EXPECT_EQ(entries[0].connection, entries[5].connection);
  EXPECT_NE(entries[1].connection, entries[0].connection);
  EXPECT_NE(entries[2].connection, entries[1].connection);
  EXPECT_NE(entries[2].connection, entries[0].connection);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(Loading, FillsTheTablesInKeyOrderWithTheClassifierAndQuantityRules) {
  set_quantity_setting("Nie");
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(table_of("Artykul_Brw"),
            (std::vector<std::string>{
                "1:1:60:60L(2)|FM~Indeks~@s20@", "2:2:160:160L(2)|FM~Nazwa~@s100@",
                // A plain quantity picture takes four places unless the user chose "Tak".
                "3:3:56:56R(2)|M~Stan~C(0)@n-14_`4@", "4:4:56:56R(2)|M~Rezerwacja~C(0)@n-14_`4@",
                "5:5:0:56R(2)|M~Cena netto~C(0)@n-14.2@", "7:6:40:40L(2)|M~Kod~@s20@",
                "11:7:50:50L(2)|M~Kolor~@s30@",
                // Field 4 of the article classifier is inactive: not shown.
                "14:8:0:50L(2)|M~Przegląd~@d17@"_w1250}));
  auto& kol = dict::glo().tables.INI_KOL_BRO;
  ASSERT_EQ(kol.size(), 15u);
  EXPECT_EQ(kol[0].window, "Artykul_Brw");
  EXPECT_EQ(kol[8].window, "Kontrahent_Brw");
  EXPECT_EQ(kol[10].window, "Pozycje_Dokumentu_Magazynowego_Brw");
  const dict::IniKolBroRow& kod = kol[5];
  EXPECT_EQ(kod.caption, "Kod wewnętrzny"_w1250);
  EXPECT_EQ(kod.hidden, 1);
  EXPECT_EQ(kod.column_id, 7);
  EXPECT_EQ(kod.window_id, 1);
  EXPECT_EQ(kod.default_width, 40);
  EXPECT_EQ(kol[2].quantity_picture, 1);
  EXPECT_EQ(kol[6].additional, 1);

  auto& bro = dict::glo().tables.INI_BRO;
  ASSERT_EQ(bro.size(), 4u);
  EXPECT_EQ(bro[0].name, "Artykul_Brw");
  EXPECT_EQ(bro[0].window_id, 1);
  EXPECT_EQ(bro[0].first_column, 1);
  EXPECT_EQ(bro[0].last_column, 14);

  auto& par = dict::glo().tables.INI_PAR_OKNO;
  ASSERT_EQ(par.size(), 3u);
  EXPECT_EQ(par[0].window + "/" + par[0].parameter + "=" + par[0].value,
            "Artykul_Brw/pokazuj_zdjecie=1");
  EXPECT_EQ(par[1].parameter, "szerokosc_podgladu");
  EXPECT_EQ(par[2].window, "Kontrahent_Brw");
  EXPECT_EQ(dict::glo().ILOSCARTBEZPRZECINKA, "Nie");
}

TEST_F(Loading, WithoutDecimalsQuantitiesLoseTheirFourPlaces) {
  set_quantity_setting("Tak");
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 3), "56R(2)|M~Stan~C(0)@n-14_@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 4), "56R(2)|M~Rezerwacja~C(0)@n-14_@");
  EXPECT_EQ(dict::glo().ILOSCARTBEZPRZECINKA, "Tak");
}

TEST_F(Loading, AFieldTheClassifierDoesNotKnowIsNotShown) {
  server.active.erase("Kontrahent/1");
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Kontrahent_Brw", 2), 0);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Kontrahent_Brw", 1), 160);
}

TEST_F(Loading, ASecondLoadReplacesTheFirst) {
  LADUJUSTAWIENIAKOLUMN();
  server.user.pop_back();
  server.parameters.pop_back();
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(dict::glo().tables.INI_KOL_BRO.size(), 14u);
  EXPECT_EQ(dict::glo().tables.INI_PAR_OKNO.size(), 2u);
  EXPECT_EQ(dict::glo().tables.INI_BRO.size(), 4u);
}

TEST_F(Loading, AnotherUserGetsHisOwnStatementAndNoForeignRows) {
  dict::glo().ID_UZYTKOWNIKA = 4100001;
  LADUJUSTAWIENIAKOLUMN();
  auto sent = sql.recording.statements();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_TRUE(sent[1].ends_with("where  i.id_uzytkownika=4100001")) << sent[1];
  EXPECT_TRUE(dict::glo().tables.INI_KOL_BRO.empty());
  EXPECT_TRUE(dict::glo().tables.INI_PAR_OKNO.empty());
}

TEST_F(Loading, AFailedColumnsStatementIsShownAndLeavesTheOtherTablesLoaded) {
  sql.faults.fail_matching("inter_ini_uzytkownik i with", sql::Fault::rejected("Invalid object"),
                           1);
  LADUJUSTAWIENIAKOLUMN();
  auto windows = ui.ui().error_windows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].statement, st::kColumns7);
  EXPECT_EQ(windows[0].message, "Invalid object");
  EXPECT_TRUE(dict::glo().tables.INI_KOL_BRO.empty());
  EXPECT_EQ(dict::glo().tables.INI_BRO.size(), 4u);
  EXPECT_EQ(dict::glo().tables.INI_PAR_OKNO.size(), 3u);
}

TEST_F(Loading, ABusyConnectionIsNotShown) {
  sql.faults.fail_matching("inter_ini_uzytkownik i with", sql::Fault::hstm(), 1);
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_TRUE(ui.ui().error_windows().empty());
  EXPECT_TRUE(dict::glo().tables.INI_KOL_BRO.empty());
}

// The accessors over the loaded layout.
struct ColumnCase {
  const char* purpose;
  std::string window;
  int32_t position;
  std::string format;
  int32_t width;
};

void PrintTo(const ColumnCase& c, std::ostream* os) {
  *os << c.purpose;
}

class Accessors : public Loading, public testing::WithParamInterface<ColumnCase> {
 protected:
  void SetUp() override {
    set_quantity_setting("Tak");
    LADUJUSTAWIENIAKOLUMN();
  }
};

TEST_P(Accessors, FormatAndWidth) {
  const ColumnCase& c = GetParam();
  EXPECT_EQ(POBIERZKOLUMNEFORMAT(c.window, c.position), c.format);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR(c.window, c.position), c.width);
}

const std::string kIndeks = "60L(2)|FM~Indeks~@s20@";

INSTANTIATE_TEST_SUITE_P(
    Columns, Accessors,
    testing::Values(
        ColumnCase{"1 a shown column", "Artykul_Brw", 1, kIndeks, 60},
        ColumnCase{"2 trailing blanks of the name do not count", "Artykul_Brw   ", 1, kIndeks, 60},
        ColumnCase{"3 the name is compared in its case", "artykul_brw", 1, "", 0},
        ColumnCase{"4 a column the user hid keeps its format", "Artykul_Brw", 5,
                   "56R(2)|M~Cena netto~C(0)@n-14.2@", 0},
        ColumnCase{"5 a column hidden from everyone is never returned", "Artykul_Brw", 6, "", 0},
        ColumnCase{"6 an inactive field has width 0", "Artykul_Brw", 8,
                   "50L(2)|M~Przegląd~@d17@"_w1250, 0},
        ColumnCase{"7 a position past the last", "Artykul_Brw", 9, "", 0},
        ColumnCase{"8 position 0", "Artykul_Brw", 0, "", 0},
        ColumnCase{"9 a negative position", "Artykul_Brw", -1, "", 0},
        ColumnCase{"10 an unknown window", "Nieznane_Brw", 1, "", 0},
        ColumnCase{"11 an empty name", "", 1, "", 0},
        ColumnCase{"12 a name of 300 characters", "Artykul_Brw" + std::string(289, 'x'), 1, "", 0},
        ColumnCase{"13 a name padded to 300 characters", "Artykul_Brw" + std::string(289, ' '), 1,
                   kIndeks, 60},
        ColumnCase{"14 the same position in another window", "Kontrahent_Brw", 1,
                   "160L(2)|M~Nazwa~@s100@", 160}));

struct RangeCase {
  const char* purpose;
  std::string window;
  int32_t first;
  int32_t last;
};

void PrintTo(const RangeCase& c, std::ostream* os) {
  *os << c.purpose;
}

class Ranges : public Loading, public testing::WithParamInterface<RangeCase> {
 protected:
  void SetUp() override { LADUJUSTAWIENIAKOLUMN(); }
};

TEST_P(Ranges, FirstAndLast) {
  int32_t first = -1, last = -1;
  POBIERZZAKRESKOLUMNBROWSERA(GetParam().window, first, last);
  EXPECT_EQ(first, GetParam().first);
  EXPECT_EQ(last, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(Columns, Ranges,
                         testing::Values(RangeCase{"1 a list window", "Artykul_Brw", 1, 14},
                                         RangeCase{"2 a window without columns still has its range",
                                                   "Pusty_Brw", 1, 5},
                                         RangeCase{"3 trailing blanks", "Kontrahent_Brw  ", 1, 11},
                                         RangeCase{"4 unknown", "Nieznane_Brw", 0, 0},
                                         RangeCase{"5 300 characters", std::string(300, 'A'), 0, 0},
                                         RangeCase{"6 empty", "", 0, 0}));

TEST_F(Loading, SettingAColumnChangesOnlyThatColumn) {
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(USTAWKOLUMNE("Artykul_Brw  ", 3, "70R(2)|M~Stan~@n-14_@", 70), 1);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 3), "70R(2)|M~Stan~@n-14_@");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 3), 70);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 4), 56);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Kontrahent_Brw", 3), 0);
}

TEST_F(Loading, SettingAColumnThatIsNotThereChangesNothing) {
  LADUJUSTAWIENIAKOLUMN();
  auto before = table_of("Artykul_Brw");
  EXPECT_EQ(USTAWKOLUMNE("Artykul_Brw", 42, "x", 5), 0);
  EXPECT_EQ(USTAWKOLUMNE("Nieznane_Brw", 1, "x", 5), 0);
  EXPECT_EQ(USTAWKOLUMNE(std::string(300, 'A'), 1, "x", 5), 0);
  EXPECT_EQ(table_of("Artykul_Brw"), before);
}

TEST_F(Loading, ASetFormatIsCutTo200Characters) {
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(USTAWKOLUMNE("Artykul_Brw", 1, std::string(300, 'f'), 10), 1);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 1), std::string(200, 'f'));
}

TEST_F(Loading, AColumnHiddenFromEveryoneStaysHiddenWhenSet) {
  LADUJUSTAWIENIAKOLUMN();
  EXPECT_EQ(USTAWKOLUMNE("Artykul_Brw", 6, "40L(2)|M~Kod~@s20@", 40), 1);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 6), 0);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 6), "");
}

TEST_F(Loading, TheCAbiGivesTheSameAnswers) {
  LADUJUSTAWIENIAKOLUMN();
  char* format = ::POBIERZKOLUMNEFORMAT("Artykul_Brw", 1);
  EXPECT_STREQ(format, kIndeks.c_str());
  ORVRUN_FREE(format);
  format = ::POBIERZKOLUMNEFORMAT(nullptr, 1);
  EXPECT_STREQ(format, "");
  ORVRUN_FREE(format);
  EXPECT_EQ(::POBIERZKOLUMNEROZMIAR("Artykul_Brw", 2), 160);
  int32_t first = 0, last = 0;
  ::POBIERZZAKRESKOLUMNBROWSERA("Artykul_Brw", &first, &last);
  EXPECT_EQ(first * 100 + last, 114);
  ::POBIERZZAKRESKOLUMNBROWSERA("Artykul_Brw", nullptr, nullptr);  // left out: nothing written
  EXPECT_EQ(::USTAWKOLUMNE("Artykul_Brw", 2, nullptr, 0), 1);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 2), "");
}

// The format rules.
struct FormatCase {
  const char* purpose;
  std::string format;
  bool without_decimals;
  std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << c.purpose;
}

class QuantityPictures : public testing::TestWithParam<FormatCase> {};

TEST_P(QuantityPictures, Rewritten) {
  EXPECT_EQ(quantity_pictures(GetParam().format, GetParam().without_decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, QuantityPictures,
    testing::Values(FormatCase{"1 plain to four places", "~Stan~@n-14_@", false, "~Stan~@n-14_`4@"},
                    FormatCase{"2 four places to plain", "~Stan~@n-14_`4@", true, "~Stan~@n-14_@"},
                    FormatCase{"3 four places stay", "~Stan~@n-14_`4@", false, "~Stan~@n-14_`4@"},
                    FormatCase{"4 plain stays", "~Stan~@n-14_@", true, "~Stan~@n-14_@"},
                    FormatCase{"5 unsigned 14", "@n14_@|@n14_`4@", false, "@n14_`4@|@n14_`4@"},
                    FormatCase{"6 both 16s", "@n-16_`4@ @n16_`4@", true, "@n-16_@ @n16_@"},
                    FormatCase{"7 every occurrence", "@n-14_@@n-14_@", false, "@n-14_`4@@n-14_`4@"},
                    FormatCase{"8 other pictures untouched", "@n-14.2@ @n-12_@ @n-14_`2@", false,
                               "@n-14.2@ @n-12_@ @n-14_`2@"},
                    FormatCase{"9 empty", "", false, ""}));

struct LockCase {
  const char* purpose;
  std::string format;
  std::string locked;
  std::string unlocked;
};

void PrintTo(const LockCase& c, std::ostream* os) {
  *os << c.purpose;
}

class LockMarks : public testing::TestWithParam<LockCase> {};

TEST_P(LockMarks, LockAndUnlock) {
  const LockCase& c = GetParam();
  EXPECT_EQ(lock_format(c.format), c.locked);
  EXPECT_EQ(lock_format(lock_format(c.format)), c.locked) << "locking twice adds no second F";
  EXPECT_EQ(unlock_format(c.format), c.unlocked);
  EXPECT_TRUE(is_locked(c.locked) || c.format.find('|') == std::string::npos);
  EXPECT_FALSE(is_locked(c.unlocked));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LockMarks,
    testing::Values(LockCase{"1 unlocked", "60L(2)|M~Indeks~@s20@", "60L(2)|FM~Indeks~@s20@",
                             "60L(2)|M~Indeks~@s20@"},
                    LockCase{"2 locked", "60L(2)|FM~Indeks~@s20@", "60L(2)|FM~Indeks~@s20@",
                             "60L(2)|M~Indeks~@s20@"},
                    LockCase{"3 every bar", "[60L|M~a~]|M~b~", "[60L|FM~a~]|FM~b~",
                             "[60L|M~a~]|M~b~"},
                    LockCase{"4 no bar", "60L(2)M~x~", "60L(2)M~x~", "60L(2)M~x~"},
                    LockCase{"5 empty", "", "", ""}));

}  // namespace
}  // namespace orv::lists
