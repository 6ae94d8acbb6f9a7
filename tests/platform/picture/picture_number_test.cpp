// Numeric pictures: every documented example, rounding, overflow, and reading amounts back.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "platform/picture/picture.hpp"
#include "platform/picture/rounded_digits.hpp"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"

namespace orv::picture {
namespace {

std::string blanks(int n) {
  return std::string(n, ' ');
}

struct FormatCase {
  int id;
  const char* picture;
  double value;
  std::string expected;
  const char* purpose;
};

class FormatNumber : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumber, GivesTheDocumentedText) {
  const auto& c = GetParam();
  EXPECT_EQ(format(c.value, c.picture), c.expected) << "case " << c.id << ": " << c.purpose;
}

const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Reference, FormatNumber,
    ::testing::Values(
        FormatCase{1, "@N9", 4550000, "4,550,000", "default comma grouping"},
        FormatCase{2, "@N_9B", 4550000, "  4550000", "blank fill drops grouping"},
        FormatCase{3, "@N09", 4550000, "004550000", "zero fill drops grouping"},
        FormatCase{4, "@N9_", 4550000, "4 550 000", "blank grouping"},
        FormatCase{5, "@N9.", 4550000, "4.550.000", "period grouping"},
        FormatCase{6, "@N9.2", 4550.75, " 4,550.75", "two places, right-justified"},
        FormatCase{7, "@N_9`2", 4550.75, "  4550,75", "comma point under a blank fill"},
        FormatCase{8, "@N9.`2", 4550.75, " 4.550,75", "period grouping, comma point"},
        FormatCase{9, "@N9_`2", 4550.75, " 4 550,75", "blank grouping, comma point"},
        FormatCase{10, "@N-9.2B", -2347.25, "-2,347.25", "leading minus fills the width"},
        FormatCase{11, "@N9.2-", -2347.25, "2,347.25-", "trailing minus"},
        FormatCase{12, "@N(10.2)", -2347.25, "(2,347.25)", "parentheses"},
        FormatCase{13, "@N$9.2B", -2347.25, "$2,347.25", "no sign form: minus not shown"},
        FormatCase{14, "@N$(11.2)", -2347.25, "$(2,347.25)", "currency before parentheses"},
        FormatCase{15, "@N~Ł~12.2"_w1250, 1240.5, "   Ł1,240.50"_w1250, "tilde currency floats"},
        FormatCase{16, "@N~kr~12`2", 1430.5, "  kr1.430,50", "grave point groups with periods"},
        FormatCase{17, "@N14`2~ kr~", 1430.5, "   1.430,50 kr", "currency after the digits"},
        FormatCase{18, "@n-10`2", 1234.56, "  1.234,56", "fixed width wins over a quoted result"},
        FormatCase{19, "@N$-11.2", -67.2, "    $-67.20", "currency, then sign, then digits"},
        FormatCase{20, "@n-010.2", -123.45, "-000123.45", "sign at far left of a zero fill"},
        FormatCase{21, "@n-010.2", 123.45, "0000123.45", "positive: fill takes the sign slot"},
        FormatCase{22, "@n8", 7123456, "7123,456", "leftmost separator lent to a digit"},
        FormatCase{23, "@N9", 57123456, "#########", "no other separator is given up"},
        FormatCase{24, "@N*9", 45000, "***45,000", "asterisk fill keeps grouping"},
        FormatCase{25, "@N9.2-", 2347.25, "2,347.25 ", "positive keeps the trailing slot"},
        FormatCase{26, "@N(10.2)", 2347.25, " 2,347.25 ", "positive keeps the ')' slot"}),
    orv::test::numbered_case);

INSTANTIATE_TEST_SUITE_P(
    SystemPictures, FormatNumber,
    ::testing::Values(
        FormatCase{27, "N015.2", 1234.5, "000000001234.50", "amount in words picture"},
        FormatCase{28, "N015.2", -1234.5, "000000001234.50", "no sign form in N015.2"},
        FormatCase{29, "N015.2", 1234567.89, "000001234567.89", "seven integer digits"},
        FormatCase{30, "N015.2", 999999999999.995, "###############", "rounds to 13 digits"},
        FormatCase{31, "N_15`2", 1234.5, blanks(8) + "1234,50", "short words picture"},
        FormatCase{32, "N_15`2", 7.05, blanks(11) + "7,05", "one integer digit"},
        FormatCase{33, "N_15`2", 0.99, blanks(11) + "0,99", "zero integer part shows 0"},
        FormatCase{34, "N-16", 1234.5, blanks(11) + "1,235", "CSV default rounds to integer"},
        FormatCase{35, "N-16", -1234567.4, blanks(6) + "-1,234,567", "negative CSV default"},
        FormatCase{36, "n-16_`4", 1234.5, blanks(6) + "1 234,5000", "four places"},
        FormatCase{37, "n-16_`3", 1234.5, blanks(7) + "1 234,500", "three places"},
        FormatCase{38, "n-16_`2", 1234.5, blanks(8) + "1 234,50", "two places"},
        FormatCase{39, "n-16_`4", -1234.5, blanks(5) + "-1 234,5000", "negative four places"},
        FormatCase{40, "@n-14_@", 1234.5, blanks(9) + "1 235", "column picture between @"},
        FormatCase{41, "@n-14_@", -1234.5, blanks(8) + "-1 235", "negative column picture"},
        FormatCase{42, "@n-14_`4@", 1234.5, blanks(4) + "1 234,5000", "column, four places"},
        FormatCase{43, "@n-14_`4@", -1234.5, blanks(3) + "-1 234,5000", "negative, four"},
        FormatCase{44, "@n14_@", -1234.5, blanks(9) + "1 235", "unsigned column drops minus"},
        FormatCase{45, "@n14_`4@", -1234.5, blanks(4) + "1 234,5000", "unsigned, four places"},
        FormatCase{46, "@n-16_@", 1234567.5, blanks(7) + "1 234 568", "millions"},
        FormatCase{47, "@n-16_`4@", 1234567.5, blanks(2) + "1 234 567,5000", "millions, four"},
        FormatCase{48, "@n16_@", 1234.5, blanks(11) + "1 235", "sixteen wide unsigned"},
        FormatCase{49, "@n16_`4@", 1234.5, blanks(6) + "1 234,5000", "sixteen wide, four"},
        FormatCase{50, "N-12", 1234.5, blanks(7) + "1,235", "spreadsheet default"},
        FormatCase{51, "N-12", 78286, blanks(6) + "78,286", "a date serial as a number"},
        FormatCase{52, "N14_`4", 1234.5, blanks(4) + "1 234,5000", "stock levels picture"},
        FormatCase{53, "N14_`4", -1234.5, blanks(4) + "1 234,5000", "stock levels, negative"},
        FormatCase{54, "n_8", 1234, blanks(4) + "1234", "integer classifier"},
        FormatCase{55, "n_8", 1234.5, blanks(4) + "1235", "integer classifier rounds"},
        FormatCase{56, "n_8", 123456789, "########", "integer classifier overflow"},
        FormatCase{57, "@n-14`2", 1234.5, blanks(6) + "1.234,50", "number classifier"},
        FormatCase{58, "@n-14_`2", 1234.5, blanks(6) + "1 234,50", "blank-grouped classifier"}),
    orv::test::numbered_case);

INSTANTIATE_TEST_SUITE_P(
    EdgeValues, FormatNumber,
    ::testing::Values(
        FormatCase{59, "@N9.2", 2.675, "     2.68", "binary 2.67499... reads as 2.675"},
        FormatCase{60, "@N9.2", 1.005, "     1.01", "binary 1.00499... reads as 1.005"},
        FormatCase{61, "@N-9.2", -0.004, "     0.00", "no minus on a value rounding to 0"},
        FormatCase{62, "@N-9.2", -0.0, "     0.00", "negative zero has no minus"},
        FormatCase{63, "@N-9.2B", 0.004, blanks(9), "B tests the rounded value"},
        FormatCase{64, "@N9.2", std::nan(""), "     0.00", "NaN reads as zero"},
        FormatCase{65, "@N9.2", kInf, "#########", "infinity overflows"},
        FormatCase{66, "@N-9.2", 1e15, "#########", "value wider than the field"},
        FormatCase{67, "@N3.2", 0.5, ".50", "no room left for the zero integer"},
        FormatCase{68, "@N6v2", 12.34, "  1234", "implied point shows no separator"},
        FormatCase{69, "@N20.12", 0.1, blanks(6) + "0.100000000000", "places beyond nine"},
        FormatCase{70, "@N30", 1e20, "   100,000,000,000,000,000,000", "beyond 64-bit units"},
        FormatCase{71, "@N-5", -12345, "#####", "sign counts against the width"},
        FormatCase{72, "@N-9.2", -0.005, "    -0.01", "a half cent rounds away from zero"},
        FormatCase{73, "@N15.2", 1e300, "###############", "huge value"},
        FormatCase{74, "@N9.2", 5e-324, "     0.00", "smallest subnormal"},
        FormatCase{75, "@N~ab~4", 12345, "####", "currency leaves no room"},
        FormatCase{76, "@N4", 1234, "1234", "separator slot lent exactly"},
        // Halves take the exact path, whose exponent was once read past the digits written.
        FormatCase{77, "@N*245", 1234.5, std::string(240, '*') + "1,235", "fuzz: wide half"},
        FormatCase{78, "@N-92B", -234446.5, blanks(84) + "-234,447", "fuzz: negative half"}),
    orv::test::numbered_case);

// The everyday fast path must round exactly as the decimal reading of the same double.
TEST(RoundedDigits, FastPathAgreesWithDecimalReading) {
  std::mt19937_64 rng(20150501);
  std::uniform_real_distribution<double> mantissa(0, 1);
  std::uniform_int_distribution<int> exponent(-12, 14), places(0, 12), cents(0, 99999);
  for (int i = 0; i < 200000; ++i) {
    double v = i % 2 ? mantissa(rng) * std::pow(10.0, exponent(rng))
                     : (cents(rng) + 0.5) / std::pow(10.0, i % 6);  // near halves
    if (i % 3 == 0) v = -v;
    int p = places(rng);
    RoundedDigits fast, exact;
    round_double(v, p, fast);
    round_decimal(Decimal::from_double(v), p, exact);
    ASSERT_EQ(std::string(fast.int_digits, fast.int_len),
              std::string(exact.int_digits, exact.int_len))
        << v << " at " << p;
    ASSERT_EQ(std::string(fast.frac_digits, p), std::string(exact.frac_digits, p))
        << v << " at " << p;
    ASSERT_EQ(fast.zero, exact.zero) << v;
  }
}

TEST(FormatNumberDecimal, RoundsTheExactValue) {
  Decimal d;
  ASSERT_TRUE(Decimal::parse("1.005", d));
  EXPECT_EQ(format(d, "@N9.2"), "     1.01");
  ASSERT_TRUE(Decimal::parse("-2347.25", d));
  EXPECT_EQ(format(d, "@N(10.2)"), "(2,347.25)");
  ASSERT_TRUE(Decimal::parse("123456789012345678901234.5", d));
  EXPECT_EQ(format(d, "@N_30"), blanks(6) + "123456789012345678901235");
  EXPECT_EQ(format(Decimal::from_int(7), "@N8.4"), "  7.0000");
}

TEST(FormatNumberText, ReadsTheTextAsANumberFirst) {
  EXPECT_EQ(format_text("  1234.5 ", "N-12"), blanks(7) + "1,235");
  EXPECT_EQ(format_text("-2347.25", "@N-9.2"), "-2,347.25");
  EXPECT_EQ(format_text("abc", "@N9.2"), "     0.00");
}

TEST(FormatNumberBuffer, WritesWithoutAllocating) {
  Picture p = parse("N015.2");
  char out[16] = {};
  ASSERT_EQ(format_number(1234.5, p, out), 15u);
  EXPECT_EQ(std::string(out), "000000001234.50");
  EXPECT_EQ(format_number(1, parse("@D6"), out), 0u);
}

struct NumberReadCase {
  int id;
  const char* text;
  const char* picture;
  double expected;
  const char* purpose;
};

class DeformatNumber : public ::testing::TestWithParam<NumberReadCase> {};

TEST_P(DeformatNumber, ReadsTheAmount) {
  const auto& c = GetParam();
  EXPECT_DOUBLE_EQ(deformat_number(c.text, c.picture), c.expected)
      << "case " << c.id << ": " << c.purpose;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeformatNumber,
    ::testing::Values(
        NumberReadCase{1, "1.234,56", "@n-10`2", 1234.56, "comma point, period groups"},
        NumberReadCase{2, "123456", "@n-10", 123456, "plain digits"},
        NumberReadCase{3, " 123,456", "@n-10", 123456, "comma groups dropped"},
        NumberReadCase{4, "1234.56", "@n-10`2", 123456, "a period is a group separator here"},
        NumberReadCase{5, "-2,347.25", "@N-9.2", -2347.25, "leading minus"},
        NumberReadCase{6, "2,347.25-", "@N9.2-", -2347.25, "trailing minus"},
        NumberReadCase{7, "(2,347.25)", "@N(10.2)", -2347.25, "parentheses"},
        NumberReadCase{8, "$2,347.25", "@N$9.2", 2347.25, "dollar removed"},
        NumberReadCase{9, "   1.430,50 kr", "@N14`2~ kr~", 1430.5, "trailing currency removed"},
        NumberReadCase{10, "", "@N9.2", 0, "empty text"},
        NumberReadCase{11, "12a", "@N9.2", 0, "stray character makes it invalid"},
        NumberReadCase{12, "#########", "@N9.2", 0, "overflow text"},
        NumberReadCase{13, "1.23456", "@N9.2", 1.23456, "not rounded to the places"},
        NumberReadCase{14, "  1234", "@N6v2", 12.34, "implied point"},
        NumberReadCase{15, "***45,000", "@N*9", 45000, "asterisk fill"},
        NumberReadCase{16, "1 234,5000", "@n-16_`4", 1234.5, "blank groups"},
        NumberReadCase{17, "000001234567.89", "N015.2", 1234567.89, "zero fill"},
        NumberReadCase{18, "1.2.3", "@N9.2", 0, "a second point is invalid"},
        NumberReadCase{19, " 1.23450e+03", "@E12.1", 1234.5, "scientific"},
        NumberReadCase{20, "abc12.3.4", "", 12.34, "no picture: digits and one point"},
        NumberReadCase{21, "-12", "", -12, "no picture: leading minus"},
        NumberReadCase{22, "Ł1,240.50"_w1250, "@N~Ł~12.2"_w1250, 1240.5,
                       "tilde currency removed"}));

TEST(Scientific, FormatsMantissaAndExponent) {
  EXPECT_EQ(format(1234.5, "@E12.1"), " 1.23450e+03");
  EXPECT_EQ(format(-1234.5, "@E12.1"), "-1.23450e+03");
  EXPECT_EQ(format(0.0, "@E12.1"), " 0.00000e+00");
  EXPECT_EQ(format(0.0, "@E12.1B"), blanks(12));
  EXPECT_EQ(format(1234.5, "@E12`1"), " 1,23450e+03");
  EXPECT_EQ(format(1e-150, "@E12.1"), "1.00000e-150");
  EXPECT_EQ(format(-1e-150, "@E12.1"), "-1.0000e-150");
  EXPECT_EQ(format(1e5, "@E5.1"), "#####");
}

}  // namespace
}  // namespace orv::picture
