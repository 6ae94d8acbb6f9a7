// Report variants against the demo database: loading, the cache, single values and saving.
#include "reports/variants.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "frame/messages.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::reports {
namespace {

using test::DemoDb;
using test::ScopedUi;

constexpr const char* kQuestion =
    "Czy zmienić nazwę istniejącego wariantu, |czy utworzyć nowy o wprowadzonej nazwie, |czy może usunąć wprowadzony wariant?"_w1250;
const std::string kRename = "Zapisz zmianę"_w1250;
const std::string kDelete = "Usuń wariant"_w1250;
const std::string kTaken = "Wariant o podanej nazwie już istnieje!"_w1250;

std::string load_statement(const char* variant, const char* user, const char* report) {
  return std::string(
             "select p.nazwa, w.wartosc, p.id_parametru from PARAMETR_RAPORTU p with (nolock) "
             "LEFT OUTER JOIN WARTOSC_PARAMETRU w  with (nolock) ON (p.id_parametru=w.id_parametru "
             "and w.id_wariantu=") +
         variant + " and w.id_uzytkownika=" + user + ") where p.id_raportu = " + report;
}

std::string save_statement(int parameter, int variant, const std::string& value) {
  return "Call JL_ZapiszParametrRaportu (" + std::to_string(parameter) + "," +
         std::to_string(variant) + ",7,'" + value + "')";
}

class Variants : public testing::Test {
 protected:
  void SetUp() override {
    clear_variant_cache();
    ASSERT_TRUE(db.tsql()) << "the backend must speak T-SQL";
  }
  void TearDown() override { clear_variant_cache(); }

  // name=value pairs of PARAMETRYWARIANTUQ in table order.
  std::vector<std::string> loaded() {
    std::vector<std::string> out;
    for (const auto& r : dict::glo().tables.PARAMETRYWARIANTUQ) {
      out.push_back(r.name + "=" + r.value);
    }
    return out;
  }
  std::string stored(int parameter, int variant, int user = 7) {
    return db.value("select wartosc from wartosc_parametru where id_parametru=" +
                    std::to_string(parameter) + " and id_wariantu=" + std::to_string(variant) +
                    " and id_uzytkownika=" + std::to_string(user));
  }
  std::vector<std::string> variants_of(int report) {
    return db.column("select id_wariantu || ':' || nazwa from wariant where id_raportu=" +
                     std::to_string(report) + " order by id_wariantu");
  }
  void edit(double report, double variant) {
    dict::glo().records.RAPORT.ID_RAPORTU = report;
    dict::glo().records.WARIANT.ID_WARIANTU = variant;
  }

  DemoDb db;
  ScopedUi ui;
};

// ---------------------------------------------------------------- loading

TEST_F(Variants, LoadSortsByNameWithTheUsersValues) {
  INICJUJWARIANT(10, 100);
  EXPECT_EQ(db.statements(), std::vector<std::string>{load_statement("100", "7", "10")});
  EXPECT_EQ(loaded(), (std::vector<std::string>{"DataDo=82214", "DataOd=82185",
                                                "IBAN=61109010140000071219812874", "Magazyn=1"}));
  const auto& first = dict::glo().tables.PARAMETRYWARIANTUQ[0];
  EXPECT_EQ(first.parameter_id, 3);
  EXPECT_EQ(first.variant_id, 100);
}

TEST_F(Variants, ParametersWithoutAValueLoadEmpty) {
  INICJUJWARIANT(10, 101);
  EXPECT_EQ(loaded(),
            (std::vector<std::string>{"DataDo=82183", "DataOd=82153", "IBAN=", "Magazyn="}));
  // Another user sees his own values of the same variant.
  dict::glo().ID_UZYTKOWNIKA = 8;
  INICJUJWARIANT(10, 100);
  EXPECT_EQ(loaded(), (std::vector<std::string>{"DataDo=", "DataOd=82153", "IBAN=", "Magazyn="}));
}

TEST_F(Variants, SecondLoadComesFromTheCache) {
  INICJUJWARIANT(10, 100);
  db.run("update wartosc_parametru set wartosc='changed elsewhere' where id_parametru=2");
  INICJUJWARIANT(10, 101);
  INICJUJWARIANT(10, 100);
  EXPECT_EQ(db.statements().size(), 2u);
  EXPECT_EQ(WARTOSCPARAMETRU("DataOd"), "82185");
  std::vector<CachedParameter> cache = variant_cache();
  ASSERT_EQ(cache.size(), 8u);
  // In (report, variant, ordinal) order, ordinals in the order the rows arrived.
  EXPECT_EQ(cache[0].variant_id, 100);
  EXPECT_EQ(cache[0].ordinal, 1);
  EXPECT_EQ(cache[3].ordinal, 4);
  EXPECT_EQ(cache[4].variant_id, 101);
  EXPECT_EQ(cache[4].report_id, 10);
}

TEST_F(Variants, ReportWithoutParametersAsksEveryTime) {
  INICJUJWARIANT(10, 100);
  INICJUJWARIANT(12, 5);
  EXPECT_TRUE(dict::glo().tables.PARAMETRYWARIANTUQ.empty());
  INICJUJWARIANT(12, 5);
  EXPECT_EQ(db.statements(), (std::vector<std::string>{load_statement("100", "7", "10"),
                                                       load_statement("5", "7", "12"),
                                                       load_statement("5", "7", "12")}));
  EXPECT_EQ(WARTOSCPARAMETRU("DataOd"), "");
}

TEST_F(Variants, FailedLoadAsksToStopAndLoadsNothing) {
  db.faults().fail_next(1, sql::Fault::rejected("deadlock victim"));
  ui.ui().add_answer("ignore");
  INICJUJWARIANT(10, 100);
  EXPECT_TRUE(dict::glo().tables.PARAMETRYWARIANTUQ.empty());
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.title, "ORVEX: Stop");
  EXPECT_EQ(ui.boxes()[0].box.text, "deadlock victim");
  EXPECT_EQ(ui::button_caption(ui.boxes()[0].box.default_button, ui.boxes()[0].box), "Ignoruj");
  EXPECT_TRUE(ui.ui().error_windows().empty());
  INICJUJWARIANT(10, 100);  // nothing was cached
  EXPECT_EQ(loaded().size(), 4u);
}

// ---------------------------------------------------------------- single values

struct ValueCase {
  const char* name;
  const char* parameter;
  const char* value;
  const char* read_back;  // WARTOSCPARAMETRU(parameter) afterwards
};

class SingleValue : public Variants, public testing::WithParamInterface<ValueCase> {};

TEST_P(SingleValue, ChangesMemoryOnly) {
  const auto& c = GetParam();
  INICJUJWARIANT(10, 100);
  edit(10, 100);
  ZAPISZWARTOSCPARAMETRU(c.parameter, c.value);
  EXPECT_EQ(WARTOSCPARAMETRU(c.parameter), c.read_back);
  EXPECT_EQ(db.statements().size(), 1u);
  // The cache mirrors the change: a later load of the variant shows it.
  INICJUJWARIANT(10, 100);
  EXPECT_EQ(WARTOSCPARAMETRU(c.parameter), c.read_back);
}

INSTANTIATE_TEST_SUITE_P(Reports, SingleValue,
                         testing::Values(
                             // 1. A known name takes the value.
                             ValueCase{"Known", "DataOd", "82000", "82000"},
                             // 2. Trailing blanks of the name do not matter; case does.
                             ValueCase{"TrailingBlanks", "Magazyn   ", "2", "2"},
                             ValueCase{"OtherCase", "magazyn", "2", ""},
                             // 3. An unknown name changes nothing.
                             ValueCase{"Unknown", "Nieznany", "1", ""}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Variants, LongTextsAreCutToTheirFields) {
  INICJUJWARIANT(10, 100);
  ZAPISZWARTOSCPARAMETRU("IBAN", std::string(300, 'x'));
  EXPECT_EQ(WARTOSCPARAMETRU("IBAN"), std::string(199, 'x'));
  // A name is looked up by its first 49 characters, as the key field holds it.
  std::string name = "DataOd" + std::string(43, ' ') + "tail";
  ZAPISZWARTOSCPARAMETRU(name, "5");
  EXPECT_EQ(WARTOSCPARAMETRU(name), "5");
  EXPECT_EQ(WARTOSCPARAMETRU("DataOd"), "5");
}

TEST_F(Variants, CacheFollowsTheRecordBuffers) {
  INICJUJWARIANT(10, 100);
  edit(10, 101);  // the host works on another variant
  ZAPISZWARTOSCPARAMETRU("DataOd", "1");
  INICJUJWARIANT(10, 100);
  EXPECT_EQ(WARTOSCPARAMETRU("DataOd"), "82185");
}

TEST_F(Variants, ImmediateSaveReachesTheServerIntact) {
  INICJUJWARIANT(10, 101);
  edit(10, 101);
  ZAPISZWARTOSCPARAMETRUDOBAZY("IBAN", "O'Brien'); delete from wariant; --");
  EXPECT_EQ(db.statements().back(), save_statement(1, 101, "O''Brien''); delete from wariant; --"));
  EXPECT_EQ(stored(1, 101), "O'Brien'); delete from wariant; --");
  EXPECT_EQ(variants_of(10).size(), 2u);
  EXPECT_EQ(WARTOSCPARAMETRU("IBAN"), "O'Brien'); delete from wariant; --");
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(Variants, ImmediateSaveOfAnUnknownNameSendsNothing) {
  INICJUJWARIANT(10, 100);
  ZAPISZWARTOSCPARAMETRUDOBAZY("Nieznany", "1");
  EXPECT_EQ(db.statements().size(), 1u);
}

TEST_F(Variants, FailedImmediateSaveWarnsAndKeepsTheValue) {
  INICJUJWARIANT(10, 100);
  db.faults().fail_matching("JL_ZapiszParametrRaportu", sql::Fault::rejected("read-only"));
  ZAPISZWARTOSCPARAMETRUDOBAZY("DataOd", "1");
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, "Błąd zapisu parametru raportu!"_w1250);
  EXPECT_EQ(WARTOSCPARAMETRU("DataOd"), "1");
  EXPECT_EQ(stored(2, 100), "82185");
}

// ---------------------------------------------------------------- saving a variant

TEST_F(Variants, BlankNameIsRefused) {
  INICJUJWARIANT(10, 100);
  EXPECT_EQ(ZAPISZWARIANT(10, 100, "   ", "Domyślny"_w1250), 0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, "Proszę wprowadzić nazwę wariantu!"_w1250);
  EXPECT_EQ(db.statements().size(), 1u);
}

TEST_F(Variants, UnchangedNameSavesEveryValueWithoutAsking) {
  INICJUJWARIANT(10, 101);
  ZAPISZWARTOSCPARAMETRU("Magazyn", "2");
  dict::glo().records.WARIANT.ID_WARIANTU = 555;  // the host's current variant
  EXPECT_EQ(ZAPISZWARIANT(10, 101, "Grudzień 2025  "_w1250, "Grudzień 2025"_w1250), 555);
  EXPECT_TRUE(ui.boxes().empty());
  std::vector<std::string> sent = db.statements();
  sent.erase(sent.begin());
  EXPECT_EQ(sent, (std::vector<std::string>{
                      save_statement(3, 101, "82183"), save_statement(2, 101, "82153"),
                      save_statement(1, 101, ""), save_statement(4, 101, "2")}));
  EXPECT_EQ(stored(4, 101), "2");
  EXPECT_EQ(stored(1, 101), "");
}

TEST_F(Variants, RenameKeepsTheIdAndSavesTheValues) {
  INICJUJWARIANT(10, 101);
  dict::glo().records.WARIANT.ID_WARIANTU = 101;
  ui.ui().add_answer(kRename);
  EXPECT_EQ(ZAPISZWARIANT(10, 101, "Grudzień '25"_w1250, "Grudzień 2025"_w1250), 101);
  ASSERT_EQ(ui.boxes().size(), 1u);
  const ui::MessageBox& box = ui.boxes()[0].box;
  EXPECT_EQ(box.text, kQuestion);
  EXPECT_EQ(box.title, "ORVEX: Pytanie");
  EXPECT_EQ(box.icon, ui::Icon::Exclamation);
  EXPECT_EQ(ui::button_caption(box.default_button, box), kRename);
  EXPECT_EQ(box.captions, (std::vector<std::string>{kRename, "Nowy wariant", kDelete, "Anuluj"}));
  std::vector<std::string> sent = db.statements();
  ASSERT_EQ(sent.size(), 7u);
  EXPECT_EQ(
      sent[1],
      "select 1 from wariant with (nolock) where id_raportu=10 and nazwa='Grudzień ''25'"_w1250);
  EXPECT_EQ(sent[2],
            "update wariant  with (rowlock) set nazwa='Grudzień ''25' where id_raportu=10 and "
            "nazwa='Grudzień 2025'"_w1250);
  EXPECT_EQ(variants_of(10),
            (std::vector<std::string>{"100:Domyślny"_w1250, "101:Grudzień '25"_w1250}));
  EXPECT_EQ(dict::glo().records.WARIANT.NAZWA, "Grudzień '25"_w1250);
}

TEST_F(Variants, RenameToATakenNameChangesNothing) {
  INICJUJWARIANT(10, 101);
  ui.ui().add_answer(kRename);
  EXPECT_EQ(ZAPISZWARIANT(10, 101, "domyślny"_w1250, "Grudzień 2025"_w1250), 0);
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[1].box.text, kTaken);
  EXPECT_EQ(db.statements().size(), 2u);
  EXPECT_EQ(variants_of(10),
            (std::vector<std::string>{"100:Domyślny"_w1250, "101:Grudzień 2025"_w1250}));
}

TEST_F(Variants, NewVariantGetsTheValuesUnderItsOwnId) {
  INICJUJWARIANT(10, 100);
  ui.ui().add_answer("Nowy wariant");
  double id = ZAPISZWARIANT(10, 100, "Kopia O'Neill", "Domyślny"_w1250);
  EXPECT_GT(id, 102);
  EXPECT_EQ(dict::glo().records.WARIANT.ID_WARIANTU, id);
  EXPECT_EQ(variants_of(10).back(), plain_id(id) + ":Kopia O'Neill");
  int v = static_cast<int>(id);
  EXPECT_EQ(stored(1, v), "61109010140000071219812874");
  EXPECT_EQ(stored(4, v), "1");
  EXPECT_EQ(stored(2, 100), "82185");  // the original keeps its values
  // The new variant loads from the database the first time.
  INICJUJWARIANT(10, id);
  EXPECT_EQ(WARTOSCPARAMETRU("DataDo"), "82214");
}

TEST_F(Variants, NewVariantUnderATakenNameReturnsZero) {
  INICJUJWARIANT(10, 100);
  ui.ui().add_answer("Nowy wariant");
  EXPECT_EQ(ZAPISZWARIANT(10, 100, "Grudzień 2025"_w1250, "Domyślny"_w1250), 0);
  EXPECT_EQ(ui.boxes().back().box.text, kTaken);
  EXPECT_EQ(variants_of(10).size(), 2u);
}

TEST_F(Variants, FirstSaveCreatesWithoutAsking) {
  INICJUJWARIANT(10, 100);
  double id = ZAPISZWARIANT(10, 100, "Nowy", "  ");
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_EQ(variants_of(10).back(), plain_id(id) + ":Nowy");
  EXPECT_EQ(stored(3, static_cast<int>(id)), "82214");
}

TEST_F(Variants, FirstSaveUnderATakenNameSavesIntoTheGivenVariant) {
  INICJUJWARIANT(10, 101);
  ZAPISZWARTOSCPARAMETRU("Magazyn", "3");
  EXPECT_EQ(ZAPISZWARIANT(10, 101, "Domyślny"_w1250, ""), 0);
  EXPECT_EQ(ui.boxes().back().box.text, kTaken);
  EXPECT_EQ(stored(4, 101), "3");
  EXPECT_EQ(variants_of(10).size(), 2u);
}

// A name is compared whole: one past the column's 50 characters is refused, whatever its first
// 50 would match, and nothing is stored; 50 characters are taken as they are.
TEST_F(Variants, NameLongerThanItsColumnIsRefused) {
  INICJUJWARIANT(10, 101);
  const std::string too_long = "Grudzień 2025"_w1250 + std::string(50 - 13, ' ') + "x";
  ASSERT_EQ(too_long.size(), 51u);
  EXPECT_EQ(ZAPISZWARIANT(10, 101, too_long, ""), 0);
  ui.ui().add_answer(kRename);
  EXPECT_EQ(ZAPISZWARIANT(10, 101, too_long, "Grudzień 2025"_w1250), 0);
  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_EQ(ui.boxes()[2].box.text, "Nazwa wariantu może mieć najwyżej 50 znaków!"_w1250);
  EXPECT_EQ(db.statements().size(), 1u);
  const std::string longest(50, 'w');
  double id = ZAPISZWARIANT(10, 101, longest, "");
  EXPECT_EQ(variants_of(10).back(), plain_id(id) + ":" + longest);
}

TEST_F(Variants, DeleteTakesTheValuesAlongAndLeavesTheCache) {
  INICJUJWARIANT(10, 101);
  INICJUJWARIANT(10, 100);
  ui.ui().add_answer(kDelete);
  EXPECT_EQ(ZAPISZWARIANT(10, 100, "cokolwiek", "Domyślny  "_w1250), kVariantDeleted);
  EXPECT_EQ(variants_of(10), std::vector<std::string>{"101:Grudzień 2025"_w1250});
  EXPECT_EQ(db.value("select count(*) from wartosc_parametru where id_wariantu=100"), "0");
  EXPECT_EQ(db.value("select count(*) from wartosc_parametru where id_wariantu=101"), "2");
  // A variant that is gone is asked of the database again, not shown from memory.
  db.clear_statements();
  INICJUJWARIANT(10, 100);
  EXPECT_EQ(db.statements().size(), 1u);
  EXPECT_EQ(WARTOSCPARAMETRU("DataOd"), "");
}

TEST_F(Variants, CancelDoesNothing) {
  INICJUJWARIANT(10, 100);
  ui.ui().add_answer("Anuluj");
  EXPECT_EQ(ZAPISZWARIANT(10, 100, "Inna", "Domyślny"_w1250), 0);
  EXPECT_EQ(db.statements().size(), 1u);
}

int halts = 0;
void count_halt() {
  ++halts;
}

TEST_F(Variants, FailedValueSaveAsksToStopAndGoesOnWhenIgnored) {
  INICJUJWARIANT(10, 100);
  db.faults().fail_matching("(2,100,", sql::Fault::rejected("constraint"));
  ZAPISZWARTOSCPARAMETRU("DataDo", "1");
  ui.ui().add_answer("ignore");
  ZAPISZWARIANT(10, 100, "Domyślny"_w1250, "Domyślny"_w1250);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, "constraint");
  EXPECT_EQ(stored(3, 100), "1");
  EXPECT_EQ(stored(4, 100), "1");
  // Abort hands over to the halt handler (the host's end of the program).
  frame::HaltHandler previous = frame::set_halt_handler(&count_halt);
  halts = 0;
  ui.ui().add_answer("abort");
  ZAPISZWARIANT(10, 100, "Domyślny"_w1250, "Domyślny"_w1250);
  frame::set_halt_handler(previous);
  EXPECT_EQ(halts, 1);
}

TEST_F(Variants, ThroughTheCEntryPoints) {
  ::INICJUJWARIANT(10, 100);
  ::ZAPISZWARTOSCPARAMETRUDOBAZY("Magazyn", "2");
  char* v = ::WARTOSCPARAMETRU("Magazyn");
  EXPECT_STREQ(v, "2");
  ORVRUN_FREE(v);
  EXPECT_EQ(stored(4, 100), "2");
  ui.ui().add_answer("Nowy wariant");
  EXPECT_GT(::ZAPISZWARIANT(10, 100, "Z C", "Domyślny"_w1250), 102);
}

}  // namespace
}  // namespace orv::reports
