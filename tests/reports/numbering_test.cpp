// Numbering formats and order statuses: loading from the demo data, fall-backs, captions.
#include "reports/numbering.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "support/demo_db.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::reports {
namespace {

using test::DemoDb;
using test::ScopedUi;

const std::string kFormats =
    "select DOKUMENT, ID_TYPU, ID_ZASOBU, FORMAT, OKRESNUMERACJI, PARAMETR1, PARAMETR2 from "
    "DEFINICJA_NUMERACJI with (nolock) where ID_FIRMY = 5and (DOKUMENT<=10 or DOKUMENT>20) "
    "order by DOKUMENT, ID_TYPU, ID_ZASOBU";
const std::string kStatuses =
    "SELECT ID_STATUSU,OPIS_STATUSU,KOD_STATUSU,SYSTEMOWY,AUTOMATYCZNY,AKTYWNY FROM "
    "ORV_SLOWNIK_STATUSOW_DOKUMENTOW WITH (NOLOCK) WHERE TYP_DOKUMENTU='Z' ORDER BY ID_STATUSU";

const std::string kDocumentTail = "!|Proszę uzupełnić dane o numeracji dokumentów."_w1250;
const std::string kNoType = "Brak definicji numeracji dla wybranego typu dokumentu" + kDocumentTail;
const std::string kNoGroup =
    "Brak definicji numeracji dla wybranego rodzaju dokumentów"_w1250 + kDocumentTail;
const std::string kNoMarkerType =
    "Brak definicji numeracji dla wyróżnika wybranego typu dokumentu!|Proszę "
    "uzupełnić dane o numeracji wyróżników dokumentów."_w1250;

// ---------------------------------------------------------------- look-ups over a given table

struct LookupCase {
  const char* name;
  uint8_t group;
  int32_t type;
  int32_t resource;
  bool found;
  const char* format;
  uint8_t period, parameter1, parameter2;
  std::string warning;  // empty: none
};

class FormatLookup : public testing::TestWithParam<LookupCase> {
 protected:
  void SetUp() override {
    dict::reset_context();
    auto& q = dict::glo().tables.FORMAT_NUMERACJI_Q;
    // Group 1: the group row, a type row without parameters, a resource row.
    q.add({1, 0, 0, "FV/#/MM/RRRR", 2, 1, 1});
    q.add({1, 1, 0, "FV/#/RRRR", 1, 0, 0});
    q.add({1, 1, 1, "FV/MG/#/RRRR", 1, 1, 2});
    // Group 3: only the first parameter anywhere; group 4: a type row and no group row.
    q.add({3, 0, 0, "KP/#", 1, 1, 0});
    q.add({4, 2, 0, "", 3, 0, 4});
    q.add({4, 2, 7, "", 0, 5, 0});
    // Group 21 is a marker of documents.
    q.add({21, 0, 0, "W/#", 1, 1, 1});
  }
  void TearDown() override { dict::reset_context(); }
  ScopedUi ui;
};

TEST_P(FormatLookup, FallsBackFromTheSpecific) {
  const auto& c = GetParam();
  NumberingFormat out{"stale", 9, 9, 9};
  EXPECT_EQ(POBIERZFORMATNUMERACJI(c.group, c.type, c.resource, out), c.found);
  EXPECT_EQ(out.format, c.format);
  EXPECT_EQ(out.period, c.period);
  EXPECT_EQ(out.parameter1, c.parameter1);
  EXPECT_EQ(out.parameter2, c.parameter2);
  if (c.warning.empty()) {
    EXPECT_TRUE(ui.boxes().empty());
  } else {
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].box.text, c.warning);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Reports, FormatLookup,
    testing::Values(
        // 1. The exact row with both parameters ends the search.
        LookupCase{"ExactRow", 1, 1, 1, true, "FV/MG/#/RRRR", 1, 1, 2, ""},
        // 2. Type row without parameters: format from it, parameters from the group row.
        LookupCase{"TypeFormatGroupParameters", 1, 1, 5, true, "FV/#/RRRR", 1, 1, 1, ""},
        // 3. No type row: warned with "typu dokumentu".
        LookupCase{"NoTypeRow", 1, 9, 0, false, "", 0, 0, 0, kNoType},
        // 4. Type and group rows together leave a parameter 0: warned, false.
        LookupCase{"IncompleteParameters", 3, 0, 0, false, "KP/#", 1, 1, 0, kNoGroup},
        // 5. The exact row's empty format takes the type row's format and period; parameters
        //    still 0 come from the type row, and no group row is needed once both are set.
        LookupCase{"ExactThenType", 4, 2, 7, true, "", 3, 5, 4, ""},
        // 6. No group row while a parameter is missing.
        LookupCase{"NoGroupRow", 4, 2, 0, false, "", 3, 0, 4, kNoGroup},
        // 7. Above group 20 the warning speaks of markers.
        LookupCase{"MarkerWarning", 22, 1, 0, false, "", 0, 0, 0, kNoMarkerType},
        LookupCase{"MarkerFound", 21, 0, 0, true, "W/#", 1, 1, 1, ""},
        // 8. A group nobody defined.
        LookupCase{"UnknownGroup", 255, 0, 0, false, "", 0, 0, 0,
                   "Brak definicji numeracji dla wyróżnika wybranego typu dokumentu!|Proszę "
                   "uzupełnić dane o numeracji wyróżników dokumentów."_w1250}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------- the demo database

class DemoNumbering : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db.tsql()) << "the backend must speak T-SQL"; }
  std::vector<std::string> statuses() {
    std::vector<std::string> out;
    for (const auto& r : dict::glo().tables.Q_STATUSY) {
      out.push_back(r.code + "|" + r.caption + "|" + std::to_string(r.one));
    }
    return out;
  }
  DemoDb db;
  ScopedUi ui;
};

TEST_F(DemoNumbering, LoadsTheCompanysDefinitionsWithoutGroups11To20) {
  LADUJFORMATYNUMERACJI();
  EXPECT_EQ(db.statements(), std::vector<std::string>{kFormats});
  std::vector<std::string> keys;
  for (const auto& r : dict::glo().tables.FORMAT_NUMERACJI_Q) {
    keys.push_back(std::to_string(r.group) + "/" + std::to_string(r.type_id) + "/" +
                   std::to_string(r.resource_id) + " " + r.format);
  }
  EXPECT_EQ(keys,
            (std::vector<std::string>{"1/0/0 FV/#/MM/RRRR", "1/1/0 FV/#/RRRR", "1/1/1 FV/MG/#/RRRR",
                                      "2/0/0 WZ/#/RRRR", "3/0/0 KP/#/RRRR", "21/0/0 W/#"}));
  // A second load replaces the table.
  LADUJFORMATYNUMERACJI();
  EXPECT_EQ(dict::glo().tables.FORMAT_NUMERACJI_Q.size(), 6u);
}

TEST_F(DemoNumbering, LookupsOverTheLoadedTable) {
  LADUJFORMATYNUMERACJI();
  NumberingFormat out;
  EXPECT_TRUE(POBIERZFORMATNUMERACJI(1, 1, 2, out));
  EXPECT_EQ(out.format, "FV/#/RRRR");
  EXPECT_EQ(out.parameter2, 1);
  // Group 15 is defined in the database but never loaded.
  EXPECT_FALSE(POBIERZFORMATNUMERACJI(15, 0, 0, out));
  EXPECT_FALSE(POBIERZFORMATNUMERACJI(3, 0, 0, out));
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[0].box.text, kNoType);
  EXPECT_EQ(ui.boxes()[1].box.text, kNoGroup);
}

TEST_F(DemoNumbering, OtherCompanyOtherDefinitions) {
  dict::glo().ID_FIRMY = 6;
  LADUJFORMATYNUMERACJI();
  ASSERT_EQ(dict::glo().tables.FORMAT_NUMERACJI_Q.size(), 1u);
  dict::glo().ID_FIRMY = 77;
  LADUJFORMATYNUMERACJI();
  EXPECT_TRUE(dict::glo().tables.FORMAT_NUMERACJI_Q.empty());
}

TEST_F(DemoNumbering, ThroughTheCEntryPoint) {
  ::LADUJFORMATYNUMERACJI();
  char format[8] = "xxxxxxx";
  ORVRUN_TEXT text{format, sizeof format};
  uint8_t period = 9, p1 = 9, p2 = 9;
  EXPECT_EQ(::POBIERZFORMATNUMERACJI(1, 1, 1, &text, &period, &p1, &p2), 1);
  EXPECT_STREQ(format, "FV/MG/#");  // cut to the caller's buffer
  EXPECT_EQ(period * 100 + p1 * 10 + p2, 112);
  EXPECT_EQ(::POBIERZFORMATNUMERACJI(9, 0, 0, nullptr, nullptr, nullptr, nullptr), 0);
}

TEST_F(DemoNumbering, StatusDictionaryLowerCased) {
  LADUJSTATUSYZAMOWIEN();
  EXPECT_EQ(db.statements(), std::vector<std::string>{kStatuses});
  std::vector<std::string> rows;
  for (const auto& r : dict::glo().tables.KOLEJKASTATUSOWZAMOWIEN) {
    rows.push_back(r.code + ":" + r.description + ":" + std::to_string(r.active));
  }
  // Type 'z' in lower case is the same type to the server; 'F' is not.
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "N:niezrealizowane:1", "C:częściowo zrealizowane:1"_w1250,
                      "Z:zrealizowane całkowicie:1"_w1250, "Y:zamknięte:1"_w1250, "A:anulowane:1",
                      "P:pilne:1", "W:wysłane do klienta:1"_w1250, "H:wstrzymane:0"}));
}

struct CaptionCase {
  const char* name;
  const char* code;
  const char* layout;
  const char* caption;
};

class StatusCaption : public DemoNumbering, public testing::WithParamInterface<CaptionCase> {};

TEST_P(StatusCaption, ByLayout) {
  const auto& c = GetParam();
  EXPECT_EQ(PODAJOPISSTATUSUZAMOWIENIA(c.code, c.layout), c.caption);
  // The dictionary is loaded on first use only.
  PODAJOPISSTATUSUZAMOWIENIA(c.code, c.layout);
  EXPECT_EQ(db.statements(), std::vector<std::string>{kStatuses});
}

INSTANTIATE_TEST_SUITE_P(
    Reports, StatusCaption,
    testing::Values(
        // 1-3. The three layouts.
        CaptionCase{"Description", "P", "O", "pilne"},
        CaptionCase{"CodeFirst", "W", "SO", "(W) wysłane do klienta"_w1250},
        CaptionCase{"CodeLast", "Y", "OS  ", "zamknięte (Y)"_w1250},
        // 4. Any other layout, lower case included, gives nothing.
        CaptionCase{"OtherLayout", "N", "X", ""}, CaptionCase{"LowerCaseLayout", "N", "o", ""},
        // 5. Unknown and foreign-type codes give nothing; codes are one character.
        CaptionCase{"UnknownCode", "Q", "O", ""}, CaptionCase{"OtherDocumentType", "F", "O", ""},
        CaptionCase{"FirstCharacterOnly", "Nxyz", "O", "niezrealizowane"}),
    [](const auto& info) { return info.param.name; });

TEST_F(DemoNumbering, ListStatusesInOrder) {
  dict::glo().ZAM_DRZEWKO_LOADED = 1;
  INICJUJKOLEJKESTATUSOW();
  EXPECT_TRUE(db.statements().empty());
  EXPECT_EQ(statuses(), (std::vector<std::string>{"N|niezrealizowane (N)|1",
                                                  "C|częściowo zrealizowane (C)|1"_w1250,
                                                  "Z|zrealizowane całkowicie (Z)|1"_w1250,
                                                  "Y|zamknięte (Y)|1"_w1250, "A|anulowane (A)|1"}));
  EXPECT_EQ(dict::glo().ZAM_DRZEWKO_LOADED, 1);
}

TEST_F(DemoNumbering, OnlineShopAddsItsActiveStatuses) {
  dict::glo().SKLEPINTERNETOWY = 1;
  // The dictionary is not loaded here: with it empty the shop adds none.
  INICJUJKOLEJKESTATUSOW();
  EXPECT_EQ(statuses().size(), 5u);
  EXPECT_TRUE(db.statements().empty());
  dict::glo().tables.Q_STATUSY.clear();
  LADUJSTATUSYZAMOWIEN();
  INICJUJKOLEJKESTATUSOW();
  std::vector<std::string> s = statuses();
  ASSERT_EQ(s.size(), 7u);
  EXPECT_EQ(s[3], "P|pilne (P)|1");
  EXPECT_EQ(s[4], "W|wysłane do klienta (W)|1"_w1250);
  EXPECT_EQ(s[5], "Y|zamknięte (Y)|1"_w1250);
}

TEST_F(DemoNumbering, SecondCallKeepsTheTableUnlessReloaded) {
  INICJUJKOLEJKESTATUSOW();
  dict::glo().SKLEPINTERNETOWY = 1;
  INICJUJKOLEJKESTATUSOW(0);
  EXPECT_EQ(statuses().size(), 5u);
  dict::glo().ZAM_DRZEWKO_LOADED = 1;
  ::INICJUJKOLEJKESTATUSOW(nullptr);
  EXPECT_EQ(statuses().size(), 5u);
  uint8_t reload = 1;
  ::INICJUJKOLEJKESTATUSOW(&reload);
  EXPECT_EQ(statuses().size(), 7u);
  EXPECT_EQ(dict::glo().ZAM_DRZEWKO_LOADED, 0);
  EXPECT_EQ(db.statements(), std::vector<std::string>{kStatuses});
}

TEST(StatusFailure, FailedLoadShowsTheErrorAndLeavesTheDictionaryEmpty) {
  test::SqlStack sql;
  ScopedUi ui;
  sql.faults.fail_next(1, sql::Fault::rejected("no table"));
  EXPECT_EQ(PODAJOPISSTATUSUZAMOWIENIA("N", "O"), "");
  EXPECT_EQ(ui.ui().error_windows().size(), 1u);
  EXPECT_TRUE(dict::glo().tables.KOLEJKASTATUSOWZAMOWIEN.empty());
}

}  // namespace
}  // namespace orv::reports
