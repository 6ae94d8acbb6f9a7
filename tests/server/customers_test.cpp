// Customers: the balance behind the credit-limit window, the available limit and the EU form of a
// tax number.
#include "server_db.hpp"

namespace orv::test {
namespace {

struct Balance {
  const char* name;
  int64_t payer, document, day;
  // overdue receivables, overdue payables, last transaction (server day), receivables, payables,
  // issues not invoiced
  double expected[6];
};

class PayerBalance : public ::testing::TestWithParam<Balance> {};

TEST_P(PayerBalance, SixFiguresOfTheWindow) {
  ServerDb db;
  const Balance& c = GetParam();
  auto r = db.call("AP_ObliczSaldoKontrahenta", {I(c.payer), I(c.document), I(c.day), I(3)});
  ASSERT_EQ(r.rows.rows.size(), 1u);
  ASSERT_EQ(r.rows.rows[0].size(), 6u);
  for (int k = 0; k < 6; ++k) {
    if (c.expected[k] < 0) {
      EXPECT_TRUE(r.rows.rows[0][k].is_null()) << k;
    } else {
      EXPECT_DOUBLE_EQ(r.rows.rows[0][k].as_real(), c.expected[k]) << "column " << k + 1;
    }
  }
}

const Balance kBalances[] = {
    // 1 Budmat on 15 Jan 2026: FV/2/12 overdue (5150.00 open), FV/1/01 not yet due, FZ/55
    //   payable overdue, WZ/2 not invoiced; last document 10 Jan 2026 = server day 46030
    {"BudmatToday", 2, 0, 82198, {5150, 2000, 82193 - 36163, 8225, 2000, 1845}},
    // 2 the invoice being issued is left out of its own balance
    {"BudmatWithoutTheDocumentBeingIssued",
     2,
     3,
     82198,
     {5150, 2000, 82193 - 36163, 5150, 2000, 1845}},
    // 3 on the day FV/2/12 fell due it is not overdue yet, and later documents do not count
    {"BudmatOnTheDueDay", 2, 0, 82183, {0, 2000, 82162 - 36163, 5150, 2000, 0}},
    // 4 Malinowski: an overdue invoice less its correction
    {"MalinowskiWithCorrection", 3, 0, 82198, {1107, 0, 82172 - 36163, 1107, 0, 0}},
    // 5 an unknown payer has nothing, and no last transaction
    {"UnknownPayer", 999, 0, 82198, {0, 0, -1, 0, 0, 0}},
};

std::string balance_name(const ::testing::TestParamInfo<Balance>& i) {
  return i.param.name;
}
INSTANTIATE_TEST_SUITE_P(Demo, PayerBalance, ::testing::ValuesIn(kBalances), balance_name);

TEST(CreditLimit, AvailableIsTheLimitLessOpenReceivablesAndUninvoicedIssues) {
  ServerDb db;
  auto available = [&](int64_t payer, int64_t day, int64_t flag) {
    return db.scalar("AP_Func_PodajLimitKontrDoWykorz",
                     {I(payer), I(0), I(0), I(0), I(day), I(flag)});
  };
  EXPECT_DOUBLE_EQ(available(1, 82198, 0).as_real(), 50000 - 24600);
  EXPECT_DOUBLE_EQ(available(1, 82198, 1).as_real(), 50000 - 24600 - 615);
  EXPECT_DOUBLE_EQ(available(2, 82198, 1).as_real(), 20000 - 8225 - 1845);
  // A payer with no limit is over it by what he owes.
  EXPECT_DOUBLE_EQ(available(3, 82198, 0).as_real(), -1107);
  EXPECT_DOUBLE_EQ(available(999, 82198, 1).as_real(), 0);
  EXPECT_TRUE(db.scalar("AP_Func_PodajLimitKontrDoWykorz",
                        {SqlValue::null(), I(0), I(0), I(0), I(82198), I(1)})
                  .is_null());
}

TEST(CreditLimit, OpenReceivablesAsAComputedField) {
  ServerDb db;
  EXPECT_DOUBLE_EQ(db.scalar("AP_Func_NaleznosciKontrahenta", {I(2)}).as_real(), 8225);
  EXPECT_DOUBLE_EQ(db.scalar("AP_Func_NaleznosciKontrahenta", {I(1)}).as_real(), 24600);
}

struct Nip {
  const char* number;
  const char* country;
  int64_t flag;
  const char* expected;
};

TEST(EuTaxNumber, CountryPrefixAndDigits) {
  ServerDb db;
  const Nip cases[] = {
      {"123-456-32-18", "", 1, "PL1234563218"},         // 1 separators go
      {"123 456 32 18  ", "x", 1, "PL1234563218"},      // 2 a second text that is no country: PL
      {"1234563218", "cz", 1, "CZ1234563218"},          // 3 a country code given
      {"DE 123 456 789", "", 1, "DE123456789"},         // 4 a number with its own prefix keeps it
      {"nl 8512.34.567.B01", "", 1, "NL851234567B01"},  // 5 letters inside foreign numbers stay
      {"123-456-32-18", "", 0, "123-456-32-18"},        // 6 flag 0: the number as given
      {"1234567890123456789012345", "", 1, "PL123456789012345678"},  // 7 at most 20 characters
      {"brak", "", 1, ""},                                           // 8 no digits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(db.scalar("AP_Func_PodajNip", {T(c.number), T(c.country), I(c.flag)}).as_text(),
              c.expected)
        << c.number;
  }
  EXPECT_TRUE(db.scalar("AP_Func_PodajNip", {SqlValue::null(), T(""), I(1)}).is_null());
}

}  // namespace
}  // namespace orv::test
