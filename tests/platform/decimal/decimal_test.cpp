// Fixed-point decimal: reading doubles, rounding to a step, plain number text.
#include "platform/decimal/decimal.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orv {
namespace {

struct RoundCase {
  int id;
  double value, step, expected;
};

class RoundTo : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundTo, HalvesAwayFromZeroAfterFifteenDigits) {
  const auto& c = GetParam();
  EXPECT_EQ(round_to(c.value, c.step), c.expected) << "case " << c.id;
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundTo,
                         ::testing::Values(RoundCase{1, 1.005, 0.01, 1.01},  // binary 1.00499…
                                           RoundCase{2, 0.0615, 0.01, 0.06},
                                           RoundCase{3, -1.005, 0.01, -1.01},
                                           RoundCase{4, 2.5, 1, 3}, RoundCase{5, -2.5, 1, -3},
                                           RoundCase{6, 1234.5678, 0.0001, 1234.5678},
                                           RoundCase{7, 149.99, 100, 100},
                                           RoundCase{8, 150, 100, 200},
                                           RoundCase{9, 12.345, 0, 12.345},  // no step, no rounding
                                           RoundCase{10, 0.285, 0.01, 0.29}),
                         [](const auto& info) { return "case" + std::to_string(info.param.id); });

TEST(Decimal, ArithmeticIsExact) {
  Decimal a, b;
  ASSERT_TRUE(Decimal::parse("0.1", a));
  ASSERT_TRUE(Decimal::parse("0.2", b));
  EXPECT_EQ((a + b).to_string(), "0.3");
  EXPECT_EQ((a * b).to_string(), "0.02");
  EXPECT_EQ(Decimal::divide(Decimal::from_int(1), Decimal::from_int(3), 6).to_string(), "0.333333");
  EXPECT_EQ(Decimal::divide(Decimal::from_int(2), Decimal::from_int(3), 2).to_string(), "0.67");
  EXPECT_EQ(Decimal::divide(Decimal::from_int(5), Decimal::from_int(0), 2).to_string(), "0.00");
}

TEST(Decimal, ParseRejectsWhatIsNotANumber) {
  Decimal d;
  EXPECT_FALSE(Decimal::parse("", d));
  EXPECT_FALSE(Decimal::parse("1,5", d));
  EXPECT_FALSE(Decimal::parse("1.2.3", d));
  EXPECT_FALSE(Decimal::parse("-", d));
  EXPECT_TRUE(Decimal::parse(" -12.50 ", d));
  EXPECT_EQ(d.to_string(), "-12.50");
}

TEST(Decimal, ExtremeDoublesNeitherCrashNorWrap) {
  EXPECT_EQ(Decimal::from_double(std::nan("")).to_string(), "0");
  EXPECT_EQ(Decimal::from_double(std::numeric_limits<double>::infinity()).to_string(), "0");
  EXPECT_GT(Decimal::from_double(1e300).to_double(), 1e17);
  EXPECT_LT(Decimal::from_double(-1e300).to_double(), -1e17);
  EXPECT_EQ(Decimal::from_double(1e15).round(Decimal::from_double(0.01)).to_string(),
            "1000000000000000.00");
  Decimal big = Decimal::from_double(1e300);
  EXPECT_GT((big * big).to_double(), 0);  // saturates instead of overflowing
}

TEST(PlainNumber, RuntimeDefaultForm) {
  EXPECT_EQ(plain_number(0.5), "0.5");
  EXPECT_EQ(plain_number(-12), "-12");
  EXPECT_EQ(plain_number(1e6), "1000000");
  EXPECT_EQ(plain_number(-0.0), "0");
  EXPECT_EQ(plain_number(0.1 + 0.2), "0.3");
  EXPECT_EQ(plain_id(4100001.0), "4100001");
  EXPECT_EQ(plain_id(4100001.4), "4100001");
}

}  // namespace
}  // namespace orv
