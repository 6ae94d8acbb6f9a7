// Exchange rates: importing the banks' published tables, and the factor between two currencies on
// a day.
#include <cmath>

#include "platform/date/date.hpp"
#include "server_db.hpp"
#include "support/support.hpp"

namespace orv::test {
namespace {

std::string sample(const std::string& name) {
  return read_bytes(std::string(ORV_SOURCE_DIR) + "/tests/server/data/" + name);
}

class Rates : public ::testing::Test {
 protected:
  void SetUp() override { date::set_now(date::Moment{82198, 4000001}); }
  void TearDown() override { date::set_now(std::nullopt); }
  double factor(const char* c1, const char* c2, int64_t day, int64_t kind) {
    auto r = db.call("AP_PobierzKursWaluty", {T(c1), T(c2), I(day), I(kind)});
    return r.rows.rows.empty() ? -1 : r.rows.rows[0][0].as_real();
  }
  ServerDb db;
};

TEST_F(Rates, FactorBetweenTwoCurrenciesOnADay) {
  struct Case {
    const char* c1;
    const char* c2;
    int64_t day, kind;
    double expected;  // -1: no row
  } cases[] = {
      {"EUR", "", 82197, 0, 4.215},             // 1 blank second currency is the złoty
      {"EUR", "PLN", 82198, 0, 4.215},          // 2 a day without a table takes the day before
      {"EUR", "PLN", 82196, 0, 4.221},          // 3 an earlier table
      {"USD", "EUR", 82197, 0, 3.625 / 4.215},  // 4 cross rate through the złoty
      {"PLN", "EUR", 82197, 0, 1 / 4.215},      // 5 the złoty into a currency
      {"JPY", "", 82197, 0, 0.02305},           // 6 a rate kept per 100 units
      {"EUR", "", 82197, -1, 4.218},            // 7 ECB rates
      {"eur  ", "pln", 82197, 0, 4.215},  // 8 case and trailing blanks as the caller writes them
      {"EUR", "", 82100, 0, -1},          // 9 before any table: no row
      {"GBP", "", 82197, 7, -1},          // 10 a source with no rates: no row
      {"XXX", "EUR", 82197, 0, -1},       // 11 an unknown currency: no row
  };
  for (const auto& c : cases) {
    double f = factor(c.c1, c.c2, c.day, c.kind);
    if (c.expected < 0) {
      EXPECT_EQ(f, -1) << c.c1 << "/" << c.c2;
    } else {
      EXPECT_NEAR(f, c.expected, 1e-12) << c.c1 << "/" << c.c2;
    }
  }
}

TEST_F(Rates, TypedRateReplacesThatDaysRate) {
  db.call("AP_AktualizujKursWaluty", {I(82198), I(100), T("eur"), SqlValue::of(4.3), I(0)});
  EXPECT_DOUBLE_EQ(factor("EUR", "", 82198, 0), 4.3);
  EXPECT_DOUBLE_EQ(factor("EUR", "", 82197, 0), 4.215);
  db.call("AP_AktualizujKursWaluty", {I(82197), I(100), T("JPY"), SqlValue::of(0.0231), I(0)});
  EXPECT_DOUBLE_EQ(factor("JPY", "", 82197, 0), 0.0231);
  EXPECT_THROW(
      db.call("AP_AktualizujKursWaluty", {I(82198), I(1), T("USD"), SqlValue::of(0.0), I(0)}),
      ServerError);
  EXPECT_THROW(
      db.call("AP_AktualizujKursWaluty", {I(82198), I(1), T(" "), SqlValue::of(1.0), I(0)}),
      ServerError);
}

TEST_F(Rates, NbpImportStoresZlotyRatesAndTellsWhenRepeated) {
  auto first = db.call("KS_ImportKusowWalutNBP", {T(sample("nbp_a_service.xml"))});
  ASSERT_EQ(first.rows.rows.size(), 1u);
  EXPECT_EQ(first.rows.rows[0][0].as_integer(), date::make(1, 7, 2026));
  EXPECT_EQ(first.rows.rows[0][1].as_text(), "");
  EXPECT_DOUBLE_EQ(factor("USD", "", 82190, 0), 3.6133);
  // Rates under 0.1 złoty are kept per 100 units, as the bank's own files keep them.
  Rows huf = db.query(
      "SELECT kurs, przelicznik, numer_tabeli FROM kurs_waluty WHERE symbol_waluty = 'HUF'");
  EXPECT_DOUBLE_EQ(huf.rows[0][0].as_real(), 1.0956);
  EXPECT_EQ(huf.rows[0][1].as_integer(), 100);
  EXPECT_EQ(huf.rows[0][2].as_text(), "003/A/NBP/2026");
  EXPECT_NEAR(factor("JPY", "", 82190, 0), 0.023097, 1e-12);
  auto again = db.call("KS_ImportKusowWalutNBP", {T(sample("nbp_a_service.xml"))});
  EXPECT_NE(again.rows.rows[0][1].as_text().find("była już zaimportowana"), std::string::npos);
  EXPECT_EQ(
      db.number("SELECT count(*) FROM kurs_waluty WHERE data = ?", {I(date::make(1, 7, 2026))}), 5);
}

TEST_F(Rates, EcbImportKeepsRatesInZlotyThroughTheEuro) {
  auto r = db.call("KS_ImportKusowWalutECB", {T(sample("ecb_daily.xml"))});
  int64_t day = date::make(1, 5, 2026);
  EXPECT_EQ(r.rows.rows[0][0].as_integer(), day);
  EXPECT_DOUBLE_EQ(factor("EUR", "", day, -1), 4.218);
  EXPECT_NEAR(factor("USD", "", day, -1), 3.620601, 1e-9);
  EXPECT_NEAR(factor("USD", "EUR", day, -1), 1 / 1.165, 1e-6);
  EXPECT_EQ(
      db.number("SELECT przelicznik FROM kurs_waluty WHERE rodzaj = -1 AND symbol_waluty = 'JPY' "
                "AND data = ?",
                {I(day)}),
      100);
  EXPECT_EQ(db.number("SELECT count(*) FROM kurs_waluty WHERE symbol_waluty = 'PLN'"), 0);
}

TEST_F(Rates, ImportOfSomethingElseFailsAndStoresNothing) {
  const double before = db.number("SELECT count(*) FROM kurs_waluty");
  EXPECT_THROW(db.call("KS_ImportKusowWalutNBP", {T("<html>błąd</html>")}), ServerError);
  EXPECT_THROW(db.call("KS_ImportKusowWalutNBP", {SqlValue::null()}), ServerError);
  try {
    db.call("KS_ImportKusowWalutECB",
            {T("<Cube><Cube time='2026-01-05'><Cube currency='USD' rate='1.1'/></Cube></Cube>")});
    FAIL();
  } catch (const ServerError& e) {
    EXPECT_NE(e.message.find("PLN"), std::string::npos);
  }
  EXPECT_EQ(db.number("SELECT count(*) FROM kurs_waluty"), before);
}

}  // namespace
}  // namespace orv::test
