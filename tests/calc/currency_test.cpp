// Currency factors, purchase prices, typed rates and unit conversion: statements, effects,
// refusals.
#include "calc/currency.hpp"

#include <gtest/gtest.h>

#include "config/authorisation.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "support/demo_db.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::calc {
namespace {

using test::DemoDb;
using test::ScopedUi;
using test::SqlStack;

// Installs a permission check for the test's life; it grants what `level` says.
class Permission {
 public:
  explicit Permission(uint8_t level) {
    level_ = level;
    previous_ = config::install_authorisation({&Permission::check, nullptr});
  }
  ~Permission() { config::install_authorisation(previous_); }
  static inline std::vector<std::string> asked;

 private:
  static uint8_t check(std::string_view code) {
    asked.emplace_back(code);
    return level_;
  }
  static inline uint8_t level_ = 0;
  config::Authorisation previous_;
};

// ---------------------------------------------------------------- purchase prices

struct PriceCase {
  const char* name;
  const char* currency1;
  double price1, price2;
  const char* currency2;
  double rate;
  uint8_t direction;
  double expected;
};

class PurchasePrice : public testing::TestWithParam<PriceCase> {};

TEST_P(PurchasePrice, ConvertsOrPassesThrough) {
  const auto& c = GetParam();
  EXPECT_DOUBLE_EQ(
      WAL_WYLICZCENEZAKUPU(c.currency1, c.price1, c.price2, c.currency2, c.rate, c.direction),
      c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Currency, PurchasePrice,
    testing::Values(
        // 1. Direction 0 divides price1 by the rate, to the grosz.
        PriceCase{"DivideToGrosz", "PLN", 100, 0, "EUR", 4.2150, 0, 23.72},
        // 2. Direction 0 with a blank currency2 passes price1 unchanged (unrounded).
        PriceCase{"BlankSecondKeepsPrice1", "PLN", 10.005, 0, "   ", 4.2, 0, 10.005},
        // 3. Direction 0 still divides when both currencies are equal.
        PriceCase{"EqualCodesStillDivide", "EUR", 10, 0, "EUR", 4, 0, 2.5},
        // 4. Another direction multiplies price2 by the rate.
        PriceCase{"MultiplyToGrosz", "PLN", 0, 12.34, "EUR", 4.2150, 1, 52.01},
        // 5. ...unless the currencies match (trailing blanks ignored): price2 as passed.
        PriceCase{"EqualCodesKeepPrice2", "EUR ", 0, 1.239, "EUR", 4, 7, 1.239},
        // 6. A blank currency2 takes the multiplying branch.
        PriceCase{"BlankSecondMultiplies", "PLN", 0, 3, "", 2.5, 1, 7.5},
        // 7. Halves round away from zero in decimal: 1.005 gives 1.01.
        PriceCase{"HalfAwayFromZero", "PLN", 0, 1.005, "EUR", 1, 1, 1.01},
        // 8. A rate of 0 leaves nothing to divide by: 0, never infinity.
        PriceCase{"ZeroRateDividesToZero", "PLN", 100, 0, "EUR", 0, 0, 0},
        // 9. A rate of 1e12 multiplies without losing the grosz.
        PriceCase{"HugeRate", "PLN", 0, 1.5, "EUR", 1e12, 1, 1.5e12},
        // 10. Codes compare case-sensitively: "eur" is another currency.
        PriceCase{"CaseSensitiveCodes", "EUR", 0, 2, "eur", 3, 1, 6}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------- appending a word

struct AppendCase {
  const char* name;
  const char* addition;
  const char* text;
  const char* expected;
};

class AppendWord : public testing::TestWithParam<AppendCase> {};

TEST_P(AppendWord, OnlyWhenMissing) {
  const auto& c = GetParam();
  EXPECT_EQ(DODAJTEKSTJESLINIEMA(c.addition, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Currency, AppendWord,
                         testing::Values(
                             // 1. Found in any case: the text, clipped.
                             AppendCase{"FoundAnyCase", "abc", "xABCx  ", "xABCx"},
                             // 2. A blank text takes the addition without a leading blank.
                             AppendCase{"BlankText", "abc  ", "   ", "abc"},
                             // 3. Otherwise one blank between.
                             AppendCase{"Appended", "abc", "x", "x abc"},
                             // 4. Polish letters fold too: "ŻÓŁW" holds "żółw".
                             AppendCase{"PolishFold", "żółw"_w1250, "ma ŻÓŁW"_w1250,
                                        "ma ŻÓŁW"_w1250},
                             // 5. A blank addition is found in every text.
                             AppendCase{"BlankAddition", "  ", "tekst ", "tekst"}),
                         [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------- factors (scripted server)

class Factor : public testing::Test {
 protected:
  void SetUp() override {
    date::set_now(date::Moment{test::kDemoToday, 1});
    sql.fake.respond([this](std::string_view) { return answer; });
  }
  // What the server answers every rate request with.
  std::optional<sql::FakeAnswer> answer = sql::FakeAnswer::value("4.215");
  SqlStack sql;
  ScopedUi ui;
};

TEST_F(Factor, EqualCodesNeedNoServer) {
  int32_t kind = 1;
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "EUR"), 1.0);
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR  ", "EUR", 82000, 2.0, &kind), 1.0);
  EXPECT_EQ(kind, 1);  // not touched
  EXPECT_TRUE(sql.recording.statements().empty());
}

TEST_F(Factor, StatementAndRounding) {
  answer = sql::FakeAnswer::value("4.2150004999");
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR ", "PLN", 82197), 4.215);
  EXPECT_EQ(sql.recording.statements(),
            std::vector<std::string>{"call AP_PobierzKursWaluty('EUR ','PLN',82197,0)"});
}

TEST_F(Factor, DateZeroIsToday) {
  WAL_POBIERZPRZELICZNIK("EUR", "PLN", 0);
  WAL_POBIERZPRZELICZNIK("EUR", "PLN");
  EXPECT_EQ(sql.recording.statements(),
            (std::vector<std::string>{"call AP_PobierzKursWaluty('EUR','PLN',82198,0)",
                                      "call AP_PobierzKursWaluty('EUR','PLN',82198,0)"}));
}

TEST_F(Factor, DivisorAsksForTheFirstCurrencyAlone) {
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("JPY", "PLN", 82197, 100.0), 0.04215);
  EXPECT_EQ(sql.recording.statements().back(), "call AP_PobierzKursWaluty('JPY','',82197,0)");
  // A divisor of 0 leaves nothing to divide by.
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("JPY", "PLN", 82197, 0.0), 0.0);
}

struct KindCase {
  const char* name;
  const char* configured;  // PropKursBanku, nullptr = not configured
  bool given;
  int32_t held;
  int32_t sent;
  int32_t after;
};

class KindOfRates : public Factor, public testing::WithParamInterface<KindCase> {};

TEST_P(KindOfRates, ResolvedAndWrittenBack) {
  const auto& c = GetParam();
  if (c.configured) test::set_company_parameter("PropKursBanku", c.configured);
  int32_t kind = c.held;
  WAL_POBIERZPRZELICZNIK("USD", "EUR", 82197, std::nullopt, c.given ? &kind : nullptr);
  EXPECT_EQ(sql.recording.statements().back(),
            "call AP_PobierzKursWaluty('USD','EUR',82197," + std::to_string(c.sent) + ")");
  EXPECT_EQ(kind, c.after);
}

INSTANTIATE_TEST_SUITE_P(Currency, KindOfRates,
                         testing::Values(
                             // 1-3. A kind holding 1 becomes the configured source.
                             KindCase{"OneBecomesEcb", "ECB", true, 1, -1, -1},
                             KindCase{"OneBecomesNbp", "NBP", true, 1, 0, 0},
                             KindCase{"OneWithBlankSetting", "   ", true, 1, 0, 0},
                             // 4. The setting is case-sensitive: "ecb" is not ECB.
                             KindCase{"LowerCaseSettingIsNbp", "ecb", true, 1, 0, 0},
                             // 5. Another value passes unchanged.
                             KindCase{"OtherKindKept", "ECB", true, 5, 5, 5},
                             // 6. No reference: the configured source, nothing written.
                             KindCase{"NoReferenceUsesSetting", "ECB", false, 7, -1, 7},
                             // 7. Nothing configured at all reads as NBP.
                             KindCase{"NotConfigured", nullptr, true, 1, 0, 0}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Factor, MissingRateWarnsWithTodayAndGivesOne) {
  answer = sql::FakeAnswer{};
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("CZK", "PLN", 80000), 1.0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, "Na dzień 15.01.2026 nie zdefiniowano kursów walut!"_w1250);
  // With a divisor the 1 is divided too.
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("CZK", "PLN", 80000, 4.0), 0.25);
}

TEST_F(Factor, FailingStatementCountsAsMissingRate) {
  sql.faults.fail_next(1, sql::Fault::rejected("deadlock"));
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "PLN", 82197), 1.0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(Factor, ApostropheInACodeStaysInsideItsQuotes) {
  WAL_POBIERZPRZELICZNIK("E'UR", "PL'N", 82197);
  EXPECT_EQ(sql.recording.statements().back(),
            "call AP_PobierzKursWaluty('E''UR','PL''N',82197,0)");
}

// ---------------------------------------------------------------- typed rates (scripted server)

TEST(TypedRate, NoAnswerStoresNothing) {
  SqlStack sql;
  date::set_now(date::Moment{test::kDemoToday, 4500001});
  ScopedUi ui({"no"});
  Permission granted(1);
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR", 4.3, 82190), 0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text,
            "Czy dodać/zaktualizować kurs 4.3 dla waluty EUR w tabeli kursów walut na "
            "dzień 07.01.2026 ?"_w1250);
  EXPECT_TRUE(sql.recording.statements().empty());
}

TEST(TypedRate, PermissionRequired) {
  SqlStack sql;
  ScopedUi ui({"yes"});
  Permission::asked.clear();
  Permission refused(0);
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR", 4.3), 0);
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[1].box.text, "Brak uprawnień na edycję kursów walut!"_w1250);
  EXPECT_EQ(Permission::asked, std::vector<std::string>{"BankiKursWal"});
  EXPECT_TRUE(sql.recording.statements().empty());
}

TEST(TypedRate, UngrantedUserRefusedAdministratorAllowed) {
  SqlStack sql;
  config::Authorisation previous = config::install_authorisation({});
  ScopedUi ui({"yes", "yes"});
  dict::glo().ID_UZYTKOWNIKA = 7;
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR", 4.3), 0);
  dict::glo().ID_UZYTKOWNIKA = 4100001;
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR", 4.3), 1);
  config::install_authorisation(previous);
}

TEST(TypedRate, StatementCarriesDayTimeCodeRateAndKind) {
  SqlStack sql;
  date::set_now(date::Moment{test::kDemoToday, 4500001});
  ScopedUi ui({"yes", "yes", "yes"});
  Permission granted(2);
  test::set_company_parameter("PropKursBanku", "ECB");
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR ", 4.3), 1);
  // A given date of 0 is sent as 0; a given kind passes unchanged.
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("O'K", 1e12, 0, 5), 1);
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("USD", 0.000001, 82000, 0), 1);
  EXPECT_EQ(
      sql.recording.statements(),
      (std::vector<std::string>{"call AP_AktualizujKursWaluty(82198,4500001,'EUR ',4.3,-1)",
                                "call AP_AktualizujKursWaluty(0,4500001,'O''K',1000000000000,5)",
                                "call AP_AktualizujKursWaluty(82000,4500001,'USD',0.000001,0)"}));
  EXPECT_NE(ui.boxes()[1].box.text.find("kurs 1000000000000 dla waluty O'K "), std::string::npos);
}

TEST(TypedRate, ServerFailureWarnsWithItsMessage) {
  SqlStack sql;
  ScopedUi ui({"yes"});
  Permission granted(1);
  sql.faults.fail_next(1, sql::Fault::rejected("kurs waluty musi być większy od zera."_w1250));
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("EUR", 0), 0);
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[1].box.text, "kurs waluty musi być większy od zera."_w1250);
}

// ---------------------------------------------------------------- against the demo database

class DemoCurrency : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db.tsql()) << "the backend must speak T-SQL"; }
  DemoDb db;
  ScopedUi ui{{}, /*strict=*/false};
};

struct DemoFactorCase {
  const char* name;
  const char* currency1;
  const char* currency2;
  int32_t date;
  std::optional<double> divisor;
  int32_t kind;
  double expected;
};

class DemoFactor : public DemoCurrency, public testing::WithParamInterface<DemoFactorCase> {};

TEST_P(DemoFactor, FromTheRateTables) {
  const auto& c = GetParam();
  int32_t kind = c.kind;
  EXPECT_DOUBLE_EQ(WAL_POBIERZPRZELICZNIK(c.currency1, c.currency2, c.date, c.divisor, &kind),
                   c.expected);
  EXPECT_TRUE(ui.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Currency, DemoFactor,
    testing::Values(
        // 1. The NBP euro of 14 Jan 2026.
        DemoFactorCase{"EuroToZloty", "EUR", "PLN", 82197, std::nullopt, 0, 4.215},
        // 2. The day before takes that day's table.
        DemoFactorCase{"DayBefore", "EUR", "PLN", 82196, std::nullopt, 0, 4.221},
        // 3. Today (no table yet) takes the newest one before it.
        DemoFactorCase{"NewestBeforeToday", "EUR", "PLN", 0, std::nullopt, 0, 4.215},
        // 4. Cross rate through the zloty, 6 places.
        DemoFactorCase{"EuroToDollar", "EUR", "USD", 82197, std::nullopt, 0, 1.162759},
        // 5. The yen is kept per 100 units.
        DemoFactorCase{"YenPerUnit", "JPY", "PLN", 82197, std::nullopt, 0, 0.02305},
        // 6. A divisor divides the factor of currency1 alone.
        DemoFactorCase{"Divisor", "EUR", "USD", 82197, 2.0, 0, 2.1075},
        // 7. ECB rates (kind -1).
        DemoFactorCase{"Ecb", "EUR", "PLN", 82197, std::nullopt, -1, 4.218}),
    [](const auto& info) { return info.param.name; });

TEST_F(DemoCurrency, MissingRateOrOddCodeWarns) {
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("EUR", "PLN", 82000), 1.0);  // before any table
  EXPECT_EQ(WAL_POBIERZPRZELICZNIK("E'R", "PLN", 82197), 1.0);
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(DemoCurrency, TypedRateIsStored) {
  Permission granted(1);
  ui.ui().add_answer("yes");
  ui.ui().add_answer("yes");
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("CHF", 4.6, 82198), 1);
  EXPECT_EQ(db.value("select kurs || '/' || rodzaj || '/' || czas from kurs_waluty where "
                     "symbol_waluty='CHF' and data=82198"),
            "4.6/0/" + std::to_string(date::clock()));
  EXPECT_DOUBLE_EQ(WAL_POBIERZPRZELICZNIK("CHF", "PLN", 82198), 4.6);
}

TEST_F(DemoCurrency, ServerRefusesAZeroRate) {
  Permission granted(1);
  ui.ui().add_answer("yes");
  EXPECT_EQ(AKTUALIZACJAKURSUWAL("CHF", 0, 82198), 0);
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_NE(ui.boxes()[1].box.text.find("AP_AktualizujKursWaluty"), std::string::npos);
  EXPECT_EQ(db.value("select count(*) from kurs_waluty where data=82198"), "0");
}

// ---------------------------------------------------------------- units

struct UnitCase {
  const char* name;
  double article;
  const char* unit;
  double quantity;
  const char* base_unit;
  double base_quantity;
};

class Units : public DemoCurrency, public testing::WithParamInterface<UnitCase> {};

TEST_P(Units, ToTheBaseUnit) {
  const auto& c = GetParam();
  std::string base = "untouched";
  double quantity = -1;
  JEDDOKNAJEDMAG(c.article, c.unit, c.quantity, &base, &quantity);
  EXPECT_EQ(base, c.base_unit);
  EXPECT_DOUBLE_EQ(quantity, c.base_quantity);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

INSTANTIATE_TEST_SUITE_P(Currency, Units,
                         testing::Values(
                             // 1. Two pallets of cement are 96 bags.
                             UnitCase{"Pallets", 4, "pal", 2, "worek", 96},
                             // 2. Kilograms convert by 0.04, kept to the quantities' 4 places.
                             UnitCase{"KilogramsFourPlaces", 4, "kg  ", 10.3333, "worek", 0.4133},
                             // 3. A unit the article lacks converts 1:1.
                             UnitCase{"UnknownUnit", 4, "m3", 2.5, "worek", 2.5},
                             // 4. A unit with an apostrophe is looked up as written.
                             UnitCase{"Apostrophe", 4, "o'p", 3, "worek", 3},
                             // 5. An unknown article: 1:1 and a blank base unit.
                             UnitCase{"UnknownArticle", 999, "szt", 7, "", 7},
                             // 6. Packs of paint.
                             UnitCase{"Packs", 5, "op", 3, "szt", 12}),
                         [](const auto& info) { return info.param.name; });

TEST_F(DemoCurrency, UnitStatementsInOrder) {
  double q = 0;
  JEDDOKNAJEDMAG(4, "pal  ", 1, nullptr, &q);
  EXPECT_EQ(db.statements(),
            (std::vector<std::string>{
                "select j.przelicznik from artykul a,jednostka j  where  a.id_artykulu=4 and "
                "a.id_artykulu=j.id_artykulu and j.skrot='pal'",
                "select j.skrot from artykul a,jednostka j  where a.id_jednostki=j.id_jednostki "
                "and a.id_artykulu=4"}));
  EXPECT_EQ(q, 48);
}

}  // namespace
}  // namespace orv::calc
