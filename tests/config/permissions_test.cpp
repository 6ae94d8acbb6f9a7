// Permissions: the look-up rules as a matrix, loading and merging grants, and the demo's grants.
#include "config/permissions.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "platform/dict/context.hpp"
#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/sql_support.hpp"

namespace orv::config {
namespace {

void define(const char* code, const char* kind) {
  dict::glo().tables.UPRAWNQ.add({code, kind});
}

void grant(const char* code, int32_t id2, int32_t id3, uint8_t access, const char* flags = "") {
  dict::glo().tables.ACCESSQ.add({code, id2, id3, 0, 0, access, flags});
}

// The section's edge cases over one set of tables: C and CM are the same grants, CM granted per
// warehouse ("M"); the current warehouse is 5.
void load_matrix() {
  define("C", "");
  define("CM", "XM");
  define("ONLYWAREHOUSE", "M");
  define("FULL", "");
  define("NARROW", "M");
  define("UNGRANTED", "");
  define("ABCDEFGHIJKLMNOPQRST", "");
  for (const char* c : {"C", "CM"}) {
    grant(c, 0, 0, 2, "W");
    grant(c, 5, 0, 1);
    grant(c, 6, 0, 2);
  }
  grant("ONLYWAREHOUSE", 5, 0, 1);
  grant("FULL", 0, 0, 1);
  grant("NARROW", 0, 0, 2);
  grant("NARROW", 7, 0, 2);
  grant("NARROW", 7, 3, 1);
  grant("NARROW", 7, 4, 3);
  grant("ABCDEFGHIJKLMNOPQRST", 0, 0, 1);
  grant("NOTDEFINED", 0, 0, 1);
  dict::glo().ID_MAGAZYNU = 5.7;  // its whole part
}

struct MatrixCase {
  const char* name;
  std::string code;
  std::optional<int32_t> warehouse;
  std::optional<int32_t> second;
  uint8_t access;
};

void PrintTo(const MatrixCase& c, std::ostream* os) {
  *os << c.name;
}

class Matrix : public testing::TestWithParam<MatrixCase> {
 protected:
  void SetUp() override {
    load_matrix();
    dict::glo().ID_UZYTKOWNIKA = 7;
  }
  test::SqlStack db;
};

TEST_P(Matrix, AccessLevel) {
  const MatrixCase& c = GetParam();
  EXPECT_EQ(POBIERZUPRAWNIENIE(c.code, c.warehouse, c.second), c.access);
  EXPECT_TRUE(db.recording.statements().empty());  // memory only
}

INSTANTIATE_TEST_SUITE_P(
    Permissions, Matrix,
    testing::Values(
        // 1-3. Restricted in general, full in warehouse 5: asked for 5, or by default for "M".
        MatrixCase{"WarehouseGiven", "C", 5, std::nullopt, 1},
        MatrixCase{"CurrentWarehouseForM", "CM", std::nullopt, std::nullopt, 1},
        MatrixCase{"NoDefaultWithoutM", "C", std::nullopt, std::nullopt, 2},
        // 4. A warehouse given as 0 is not left out: the general grant answers.
        MatrixCase{"ExplicitZeroWarehouse", "CM", 0, std::nullopt, 2},
        // 5-6. A warehouse without its own grant, or restricted there.
        MatrixCase{"WarehouseWithoutGrant", "C", 9, std::nullopt, 0},
        MatrixCase{"RestrictedInWarehouse", "C", 6, std::nullopt, 2},
        // 7. A narrower grant alone, without the general one, gives nothing.
        MatrixCase{"OnlyWarehouseGrant", "ONLYWAREHOUSE", 5, std::nullopt, 0},
        // 8. Full access at the general level ends the search.
        MatrixCase{"FullInGeneral", "FULL", 9, 9, 1},
        // 9-12. The second qualifier: its own grant, another stored level, none, and skipped
        // when the warehouse level is already full.
        MatrixCase{"SecondQualifierFull", "NARROW", 7, 3, 1},
        MatrixCase{"SecondQualifierOtherLevel", "NARROW", 7, 4, 3},
        MatrixCase{"SecondQualifierMissing", "NARROW", 7, 8, 0},
        MatrixCase{"SecondAfterFullWarehouse", "C", 5, 8, 1},
        // 13-14. Lower-case and blank-padded codes find the upper-case definition.
        MatrixCase{"LowerCaseCode", "c", 5, std::nullopt, 1},
        MatrixCase{"PaddedCode", "full   ", std::nullopt, std::nullopt, 1},
        // 15-18. Codes of 0, 20, 21 and 300 characters (compared by the first 20).
        MatrixCase{"EmptyCode", "", std::nullopt, std::nullopt, 0},
        MatrixCase{"Code20", "abcdefghijklmnopqrst", std::nullopt, std::nullopt, 1},
        MatrixCase{"Code21", "abcdefghijklmnopqrstu", std::nullopt, std::nullopt, 1},
        MatrixCase{"Code300", "ABCDEFGHIJKLMNOPQRST" + std::string(280, 'Z'), std::nullopt,
                   std::nullopt, 1},
        // 19-20. Granted but not defined, defined but not granted.
        MatrixCase{"NotDefined", "NOTDEFINED", std::nullopt, std::nullopt, 0},
        MatrixCase{"NotGranted", "UNGRANTED", std::nullopt, std::nullopt, 0}),
    orv::test::named_case);

TEST(Permissions, AdministratorHasEverythingAndNoFlags) {
  test::SqlStack db;
  dict::glo().ID_UZYTKOWNIKA = kAdministrator;
  EXPECT_EQ(POBIERZUPRAWNIENIE("NeverDefined"), 1);
  EXPECT_EQ(POBIERZUPRAWNIENIE(""), 1);
  load_matrix();
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("C"), "");
  EXPECT_EQ(DOSTEPDOWLASNYCHDOKUMENTOW("C"), 0);
  EXPECT_EQ(DOSTEPDORAPORTUOK(12345), 1);
}

TEST(Permissions, FlagsOfRestrictedGeneralGrantsOnly) {
  test::SqlStack db;
  dict::glo().ID_UZYTKOWNIKA = 7;
  load_matrix();
  grant("C", 0, 0, 1, "ignored: a later row of the same key");
  define("D", "");
  grant("D", 0, 0, 2, "D");
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("c"), "W                   ");  // 20 characters
  EXPECT_EQ(DOSTEPDOWLASNYCHDOKUMENTOW("C"), 1);
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("D"), "D                   ");
  EXPECT_EQ(DOSTEPDOWLASNYCHDOKUMENTOW("D"), 0);
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("FULL"), "");  // full access has no flags
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("ONLYWAREHOUSE"), "");
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("NOTDEFINED"), "");
  EXPECT_EQ(DOSTEPDOWLASNYCHDOKUMENTOW("NOTDEFINED"), 0);
}

TEST(Permissions, LookUpsFollowRowsAddedAfterTheFirstQuestion) {
  test::SqlStack db;
  dict::glo().ID_UZYTKOWNIKA = 7;
  EXPECT_EQ(POBIERZUPRAWNIENIE("LATE"), 0);
  grant("LATE", 0, 0, 1);
  EXPECT_EQ(POBIERZUPRAWNIENIE("LATE"), 0);  // granted, not yet defined
  define("LATE", "");
  EXPECT_EQ(POBIERZUPRAWNIENIE("LATE"), 1);
  dict::glo().tables.ACCESSQ.erase(1);
  grant("LATE", 0, 0, 2, "W");
  EXPECT_EQ(POBIERZUPRAWNIENIE("LATE"), 2);
  EXPECT_EQ(DOSTEPDOWLASNYCHDOKUMENTOW("late"), 1);
}

TEST(Permissions, NothingLoadedDeniesEveryone) {
  test::SqlStack db;
  dict::glo().ID_UZYTKOWNIKA = 7;
  EXPECT_EQ(POBIERZUPRAWNIENIE("OKontr"), 0);
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("OKontr"), "");
  EXPECT_EQ(DOSTEPDORAPORTUOK(10), 0);
}

const std::string kGrants =
    "select distinct d.kod, d.id2, d.id3, d.id4, d.id5, d.rodzaj_dostepu,d.flaga_stanu from "
    "DOSTEP d with (nolock) inner join       UZYTKOWNIKGRUPY ug with (nolock) on (ug.id_grupy = "
    "d.id_grupy and ug.id_uzytkownika = 7)       inner join GRUPAUZYTKOWNIKOW g with (nolock) on "
    "(g.id_grupy=ug.id_grupy) where d.id_firmy = 5 and d.rodzaj_dostepu>0 and g.czy_aktywna=1";
const std::string kFunctions = "select kod, rodzaj from UPRAWNIENIE with (nolock)";
const std::string kReports =
    " select distinct d.id_raportu,d.rodzaj_dostepu  from DOSTEPDORAPORTOW d with (nolock)  inner "
    "join  UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy = d.id_grupy)  inner join  "
    "GRUPAUZYTKOWNIKOW g with (nolock) on (ug.id_grupy=g.id_grupy)  where g.id_firmy=5 and "
    "ug.id_uzytkownika = 7";

class Loading : public testing::Test {
 protected:
  void SetUp() override {
    dict::glo().ID_UZYTKOWNIKA = 7;
    dict::glo().ID_FIRMY = 5;
    answer_grants({});
  }
  void answer_grants(std::vector<std::vector<std::string>> rows) {
    db.fake.forget_answers();
    db.fake.answer(kGrants, {0, {}, std::move(rows), {}});
    db.fake.answer(kFunctions, {0, {}, {{"OKontr", "  "}, {"ArtykZdjeciaE", "M"}}, {}});
    db.fake.answer(kReports, {0, {}, {{"10", "2"}, {"10", "1"}, {"11", "2"}, {"11", "3"}}, {}});
  }
  test::SqlStack db;
  test::ScopedUi ui;
};

TEST_F(Loading, ThreeStatementsInOrder) {
  LADUJUPRAWNIENIA();
  EXPECT_EQ(db.recording.statements(), (std::vector<std::string>{kGrants, kFunctions, kReports}));
}

TEST_F(Loading, FullAccessWinsWhicheverGroupComesFirst) {
  answer_grants({{"OKontr", "0", "0", "0", "0", "2", "WD"},
                 {"okontr", "0", "0", "0", "0", "1", ""},
                 {"ArtykZdjeciaE", "1", "0", "0", "0", "1", ""},
                 {"ARTYKZDJECIAE", "1", "0", "0", "0", "2", "X"},
                 {"ArtykZdjeciaE", "0", "0", "0", "0", "2", "A"},
                 {"ArtykZdjeciaE", "0", "0", "0", "0", "3", "B"}});
  LADUJUPRAWNIENIA();
  const auto& q = dict::glo().tables.ACCESSQ;
  ASSERT_EQ(q.size(), 3u);
  EXPECT_EQ(q[0].code, "OKONTR");
  EXPECT_EQ(q[0].access, 1);
  EXPECT_EQ(q[0].state_flags, "WD");  // the first row's flags stay
  EXPECT_EQ(q[1].access, 1);          // 1 then 2: still 1
  EXPECT_EQ(q[2].access, 2);          // 2 then 3: the first stays
  EXPECT_EQ(q[2].state_flags, "A");
  EXPECT_EQ(POBIERZUPRAWNIENIE("OKontr"), 1);
  EXPECT_EQ(POBIERZUPRAWNIENIE("ArtykZdjeciaE", 1), 1);
  EXPECT_EQ(DOSTEPDORAPORTUOK(10), 1);  // full access wins for reports too
  EXPECT_EQ(DOSTEPDORAPORTUOK(11), 2);  // otherwise the first row loaded
  EXPECT_EQ(DOSTEPDORAPORTUOK(12), 0);
  EXPECT_EQ(dict::glo().tables.DOSTEPRAPORTOWQ.size(), 4u);  // every row is kept
}

TEST_F(Loading, CodesAndNumbersAsTheTablesKeepThem) {
  answer_grants({{std::string(25, 'q'), "2.9", "-1", "", "x", "1", std::string(30, 'F')}});
  LADUJUPRAWNIENIA();
  const dict::AccessRow& r = dict::glo().tables.ACCESSQ[0];
  EXPECT_EQ(r.code, std::string(20, 'Q'));
  EXPECT_EQ(r.id2, 2);
  EXPECT_EQ(r.id3, -1);
  EXPECT_EQ(r.id4, 0);
  EXPECT_EQ(r.id5, 0);
  EXPECT_EQ(r.state_flags, std::string(20, 'F'));
  EXPECT_EQ(dict::glo().tables.UPRAWNQ[0].code, "OKONTR");
}

TEST_F(Loading, AReloadReplacesEverything) {
  answer_grants({{"OKontr", "0", "0", "0", "0", "1", ""}});
  LADUJUPRAWNIENIA();
  EXPECT_EQ(POBIERZUPRAWNIENIE("OKontr"), 1);
  answer_grants({{"OKontr", "0", "0", "0", "0", "2", "W"}});
  LADUJUPRAWNIENIA();
  EXPECT_EQ(dict::glo().tables.ACCESSQ.size(), 1u);
  EXPECT_EQ(POBIERZUPRAWNIENIE("OKontr"), 2);
  EXPECT_EQ(dict::glo().tables.UPRAWNQ.size(), 2u);
}

TEST_F(Loading, FailedStatementsLeaveEmptyTablesSilently) {
  answer_grants({{"OKontr", "0", "0", "0", "0", "1", ""}});
  LADUJUPRAWNIENIA();
  db.faults.fail_next(-1, sql::Fault::rejected("Invalid object name 'DOSTEP'."));
  LADUJUPRAWNIENIA();
  EXPECT_TRUE(dict::glo().tables.ACCESSQ.empty());
  EXPECT_TRUE(dict::glo().tables.UPRAWNQ.empty());
  EXPECT_TRUE(dict::glo().tables.DOSTEPRAPORTOWQ.empty());
  EXPECT_EQ(POBIERZUPRAWNIENIE("OKontr"), 0);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(Loading, ReportGrantsAloneThroughTheCAbi) {
  ::LADUJUPRAWNIENIARAPORTU();
  EXPECT_EQ(db.recording.statements(), std::vector<std::string>{kReports});
  EXPECT_EQ(::DOSTEPDORAPORTUOK(11), 2);
  int32_t warehouse = 1;
  EXPECT_EQ(::POBIERZUPRAWNIENIE("OKontr", &warehouse, nullptr, nullptr, nullptr, nullptr), 0);
  char* flags = ::POBIERZFLAGEUPRAWNIENIA(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_STREQ(flags, "");
  ORVRUN_FREE(flags);
}

// The demo's grants as the server gives them (server/README.md).
struct DemoCase {
  const char* name;
  double user;
  double company;
  const char* code;
  std::optional<int32_t> warehouse;
  uint8_t access;
};

void PrintTo(const DemoCase& c, std::ostream* os) {
  *os << c.name;
}

class DemoGrants : public testing::TestWithParam<DemoCase> {
 protected:
  test::DemoDb db;
};

TEST_P(DemoGrants, AsTheServerGrants) {
  ASSERT_TRUE(db.tsql()) << "the backend must speak T-SQL";
  const DemoCase& c = GetParam();
  dict::glo().ID_UZYTKOWNIKA = c.user;
  dict::glo().ID_FIRMY = c.company;
  LADUJUPRAWNIENIA();
  EXPECT_EQ(POBIERZUPRAWNIENIE(c.code, c.warehouse), c.access);
}

INSTANTIATE_TEST_SUITE_P(
    Permissions, DemoGrants,
    testing::Values(
        // 1-2. jan is in Sprzedaż (OKontr 2 'WD') and Magazyn (OKontr 1): full wins.
        DemoCase{"JanCustomers", 7, 5, "OKontr", std::nullopt, 1},
        DemoCase{"OlaCustomersRestricted", 9, 5, "okontr", std::nullopt, 2},
        // 3-5. Stock levels per warehouse: jan in 1 and 2, ola only in 1.
        DemoCase{"JanStockWarehouse2", 7, 5, "ArtykStanMinMaxRez", 2, 1},
        DemoCase{"OlaStockWarehouse1", 9, 5, "ArtykStanMinMaxRez", 1, 1},
        DemoCase{"OlaStockWarehouse2", 9, 5, "ArtykStanMinMaxRez", 2, 0},
        // 6. ola's inactive group Archiwum grants nothing.
        DemoCase{"InactiveGroup", 9, 5, "BankiKursWal", std::nullopt, 0},
        // 7. ewa's own group does.
        DemoCase{"EwaRates", 8, 5, "BankiKursWal", std::nullopt, 1},
        // 8-9. piotr works in company 6; in company 5 he has nothing.
        DemoCase{"PiotrInHisCompany", 10, 6, "EksportExcel", std::nullopt, 1},
        DemoCase{"PiotrInAnotherCompany", 10, 5, "EksportExcel", std::nullopt, 0},
        // 10-11. Unknown user and unknown company: denied.
        DemoCase{"UnknownUser", 999, 5, "OKontr", std::nullopt, 0},
        DemoCase{"UnknownCompany", 7, 99, "OKontr", std::nullopt, 0},
        // 12. The administrator needs no grant at all.
        DemoCase{"Administrator", 4100001, 5, "NoSuchFunction", std::nullopt, 1}),
    orv::test::named_case);

TEST(DemoFlags, OwnDocumentsAndReportsOfTheDemoUsers) {
  test::DemoDb db;
  ASSERT_TRUE(db.tsql()) << "the backend must speak T-SQL";
  dict::glo().ID_UZYTKOWNIKA = 9;  // ola
  LADUJUPRAWNIENIA();
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("OKontr"), "WD                  ");
  EXPECT_EQ(DOSTEPDOWLASNYCHDOKUMENTOW("BlokDokZam"), 1);
  EXPECT_EQ(DOSTEPDORAPORTUOK(10), 1);
  EXPECT_EQ(DOSTEPDORAPORTUOK(12), 0);
  dict::glo().ID_UZYTKOWNIKA = 7;  // jan: group 2 adds report 12 and restricts report 10
  LADUJUPRAWNIENIA();
  EXPECT_EQ(DOSTEPDORAPORTUOK(10), 1);
  EXPECT_EQ(DOSTEPDORAPORTUOK(12), 1);
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("OKontr"), "");
}

}  // namespace
}  // namespace orv::config
