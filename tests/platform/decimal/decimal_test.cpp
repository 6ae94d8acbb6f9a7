// Fixed-point decimal: reading doubles, rounding to a step, plain number text.
#include "platform/decimal/decimal.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

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

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundTo,
    ::testing::Values(RoundCase{1, 1.005, 0.01, 1.01},  // binary 1.00499…
                      RoundCase{2, 0.0615, 0.01, 0.06}, RoundCase{3, -1.005, 0.01, -1.01},
                      RoundCase{4, 2.5, 1, 3}, RoundCase{5, -2.5, 1, -3},
                      RoundCase{6, 1234.5678, 0.0001, 1234.5678}, RoundCase{7, 149.99, 100, 100},
                      RoundCase{8, 150, 100, 200},
                      RoundCase{9, 12.345, 0, 12.345},  // no step, no rounding
                      RoundCase{10, 0.285, 0.01, 0.29},
                      // beyond the places the decimal can hold: carried
                      RoundCase{11, 1.23e35, 0.01, 1.23e35}, RoundCase{12, -1e300, 0.01, -1e300},
                      RoundCase{13, 1.5e20, 0.01, 1.5e20}),
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

// Values past the mantissa are never passed off as another number: they say they are out of range,
// and so does everything computed from them.
struct RangeCase {
  const char* purpose;
  Decimal value;
  bool in_range;
  const char* text;  // to_string when in range
};

void PrintTo(const RangeCase& c, std::ostream* os) {
  *os << c.purpose;
}

Decimal parsed(const char* text) {
  Decimal d;
  EXPECT_TRUE(Decimal::parse(text, d)) << text;
  return d;
}

const Decimal kBig = Decimal::from_double(1e35);
const Decimal kHuge = Decimal::from_double(1e300);
const Decimal kCent = Decimal::from_units(1, 2);

class Range : public ::testing::TestWithParam<RangeCase> {};

TEST_P(Range, CarriedOrMarked) {
  const RangeCase& c = GetParam();
  EXPECT_EQ(c.value.in_range(), c.in_range);
  if (c.in_range) {
    EXPECT_EQ(c.value.to_string(), c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Range,
    ::testing::Values(
        RangeCase{"1 1e35 is held, not cut to 10^18", kBig, true,
                  "100000000000000000000000000000000000"},
        RangeCase{"2 -1.23e35 keeps its digits", Decimal::from_double(-1.23e35), true,
                  "-123000000000000000000000000000000000"},
        RangeCase{"3 1e300 is out of range", kHuge, false, ""},
        RangeCase{"4 1e35 at two places is out of range", kBig.rescale(2), false, ""},
        RangeCase{"5 rounding 1e35 to a cent is out of range", kBig.round(kCent), false, ""},
        RangeCase{"6 a sum with an out-of-range term", kHuge + Decimal::from_int(1), false, ""},
        RangeCase{"7 a difference that comes back below the limit", kHuge - kHuge, false, ""},
        RangeCase{"8 a product past the limit", kBig* kBig, false, ""},
        RangeCase{"9 a quotient of an out-of-range value", Decimal::divide(kHuge, kBig, 0), false,
                  ""},
        RangeCase{"10 division by an out-of-range value", Decimal::divide(kCent, kHuge, 2), false,
                  ""},
        RangeCase{"11 dividing by a huge divisor gives 0", Decimal::divide(kCent, kBig, 2), true,
                  "0.00"},
        RangeCase{"12 negation keeps the mark", -kHuge, false, ""},
        RangeCase{"13 parse with an exponent", parsed("1.5e3"), true, "1500"},
        RangeCase{"14 parse keeps every written place", parsed(" -12.50 "), true, "-12.50"},
        RangeCase{"15 parse drops places past the scale", parsed("0.0000000000000000001"), true,
                  "0.000000000000000000"},
        RangeCase{"16 parse of a negative exponent", parsed("25e-3"), true, "0.025"},
        RangeCase{"17 parse at the upper end", parsed("1e35"), true,
                  "100000000000000000000000000000000000"}));

TEST(Decimal, ParseRefusesBeyondTheHoldableAmount) {
  Decimal d = Decimal::from_int(7);
  EXPECT_FALSE(Decimal::parse("1e36", d));
  EXPECT_FALSE(Decimal::parse("100000000000000000000000000000000000000", d));
  EXPECT_FALSE(Decimal::parse("12abc", d));
  EXPECT_FALSE(Decimal::parse("0x10", d));
  EXPECT_EQ(d.to_string(), "7");  // left alone
  EXPECT_TRUE(Decimal::fits(1e33, 2));
  EXPECT_FALSE(Decimal::fits(1e35, 2));
  EXPECT_FALSE(Decimal::fits(std::nan(""), 0));
}

TEST(PlainNumber, EveryDigitOfHugeValues) {
  EXPECT_EQ(plain_number(1e35), "100000000000000000000000000000000000");
  EXPECT_EQ(plain_number(-1.5e40), "-15" + std::string(39, '0'));
  EXPECT_EQ(plain_id(1e40), "1" + std::string(40, '0'));
  EXPECT_EQ(plain_id(1.23456789012345e300), "123456789012345" + std::string(286, '0'));
  // Small values keep all 15 digits too, past the decimal's 18 places (found by fuzzing).
  EXPECT_EQ(plain_number(-1.50808286009904e-5), "-0.0000150808286009904");
  EXPECT_EQ(plain_number(1e-20), "0.00000000000000000001");
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
