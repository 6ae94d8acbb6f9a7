// Reading texts as LONG, BYTE and REAL: the runtime's lenient rule and the strict argument form.
#include "platform/text/numbers.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <optional>
#include <ostream>
#include <string>

namespace orv::text {
namespace {

constexpr double kNo = -12345.678;  // stands for "refused" (nullopt) in the strict columns
constexpr int kNoInt = -999;

struct Case {
  const char* purpose;
  const char* text;
  double real;  // real_of
  int32_t lng;  // long_of
  int byte;     // byte_of
  double real_arg;
  int64_t long_arg;
  int byte_arg;
};

// clang-format off
const Case kNumberCases[] = {
  {"1 whole number",                    "42",          42,     42,    42,   42,     42,     42},
  {"2 fraction dropped toward zero",    "2.5",         2.5,    2,     2,    2.5,    kNoInt, kNoInt},
  {"3 negative fraction toward zero",   "-2.5",        -2.5,   -2,    0,    -2.5,   kNoInt, kNoInt},
  {"4 plus sign",                       "+7",          7,      7,     7,    7,      7,      7},
  {"5 blanks on both sides alike",      " \t12 \r\n",  12,     12,    12,   12,     12,     12},
  {"6 blank padded field",              "3      ",     3,      3,     3,    3,      3,      3},
  {"7 leading point",                   ".5",          0.5,    0,     0,    0.5,    kNoInt, kNoInt},
  {"8 trailing point",                  "5.",          5,      5,     5,    5,      5,      5},
  {"9 whole with zero fraction",        "2.000",       2,     2,     2,    2,      2,      2},
  {"10 exponent",                       "1.5e3",       1500,   1500,  0,    1500,   1500,   kNoInt},
  {"11 negative exponent",              "25E-1",       2.5,    2,     2,    2.5,    kNoInt, kNoInt},
  {"12 zeros only",                     "000",         0,      0,     0,    0,      0,      0},
  {"13 empty",                          "",            0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"14 blanks only",                    "   ",         0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"15 trailing garbage",               "12abc",       0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"16 blank after the sign",           "- 5",         0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"17 decimal comma",                  "2,5",         0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"18 hexadecimal",                    "0x1F",        0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"19 not a number",                   "nan",         0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"20 infinity",                       "-inf",        0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"21 lone sign",                      "-",           0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"22 exponent without digits",        "1e",          0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"23 two points",                     "1.2.3",       0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"24 inner blank",                    "1 000",       0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"25 BYTE upper end",                 "255",         255,    255,   255,  255,    255,    255},
  {"26 BYTE overflow is refused",       "300",         300,    300,   0,    300,    300,    kNoInt},
  {"27 BYTE of a negative is refused",  "-1",          -1,     -1,    0,    -1,     -1,     kNoInt},
  {"28 BYTE of 255.9 keeps 255",        "255.9",       255.9,  255,   255,  255.9,  kNoInt, kNoInt},
  {"29 LONG upper end",                 "2147483647",  2147483647, 2147483647, 0, 2147483647, 2147483647, kNoInt},
  {"30 LONG lower end",                 "-2147483648", -2147483648.0, INT32_MIN, 0, -2147483648.0, INT32_MIN, kNoInt},
  {"31 LONG overflow is refused",       "2147483648",  2147483648.0, 0, 0,   2147483648.0, kNoInt, kNoInt},
  {"32 LONG fraction near the end",     "2147483647.99999999999", 2147483648.0, 2147483647, 0, 2147483648.0, kNoInt, kNoInt},
  {"33 huge REAL carried",              "1e35",        1e35,   0,     0,    1e35,   kNoInt, kNoInt},
  {"34 beyond the double range",        "1e400",       0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"35 too small to hold",              "1e-400",      0,      0,     0,    kNo,    kNoInt, kNoInt},
  {"36 long zero exponent",             "0e99999999999", 0,    0,     0,    0,      0,      0},
  {"37 negative zero",                  "-0",          0,      0,     0,    0,      0,      0},
  {"38 exponent beyond LONG",           "1e10",        1e10,   0,     0,    1e10,   kNoInt, kNoInt},
  {"39 huge whole digits",              "99999999999999999999999", 1e23, 0, 0, 1e23, kNoInt, kNoInt},
  {"40 least significant cent",         "0.01",        0.01,   0,     0,    0.01,   kNoInt, kNoInt},
};
// clang-format on

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.purpose;
}

// A strict reading as the table writes it: the sentinel where the text is refused.
template <typename T>
int64_t or_no(std::optional<T> v) {
  return v ? static_cast<int64_t>(*v) : kNoInt;
}

class Numbers : public testing::TestWithParam<Case> {};

TEST_P(Numbers, ReadsByTheOneRule) {
  const Case& c = GetParam();
  EXPECT_EQ(real_of(c.text), c.real);
  EXPECT_EQ(long_of(c.text), c.lng);
  EXPECT_EQ(byte_of(c.text), c.byte);
  EXPECT_EQ(real_argument(c.text).value_or(kNo), c.real_arg);
  EXPECT_EQ(or_no(long_argument(c.text)), c.long_arg);
  EXPECT_EQ(or_no(byte_argument(c.text)), c.byte_arg);
  // The lenient forms give 0 exactly where the read_* forms find no number in range.
  EXPECT_EQ(read_long(c.text).value_or(0), c.lng);
  EXPECT_EQ(read_byte(c.text).value_or(0), c.byte);
}

INSTANTIATE_TEST_SUITE_P(Table, Numbers, testing::ValuesIn(kNumberCases),
                         [](const testing::TestParamInfo<Case>& i) {
                           return "case" + std::to_string(i.index + 1);
                         });

TEST(Numbers, ReadTellsNoNumberFromZero) {
  EXPECT_EQ(read_real("0"), 0.0);
  EXPECT_EQ(read_real(""), std::nullopt);
  EXPECT_EQ(read_real("1e400"), std::nullopt);
  EXPECT_EQ(read_long("300"), 300);
  EXPECT_EQ(read_byte("300"), std::nullopt);
  EXPECT_TRUE(std::signbit(*real_argument("-0")));
}

// A host that sets a decimal-comma locale, for the C library or for C++ streams, must not change
// how any number reads.
TEST(Numbers, LocaleDoesNotMatter) {
  const char* saved_c = std::setlocale(LC_ALL, nullptr);
  std::string restore = saved_c ? saved_c : "C";
  if (!std::setlocale(LC_ALL, "pl_PL.UTF-8")) GTEST_SKIP() << "pl_PL.UTF-8 is not installed";
  std::locale saved = std::locale::global(std::locale("pl_PL.UTF-8"));
  EXPECT_EQ(real_of("2.5"), 2.5);
  EXPECT_EQ(real_of("2,5"), 0);
  EXPECT_EQ(long_of("1234.9"), 1234);
  EXPECT_EQ(real_argument("0.01"), 0.01);
  EXPECT_EQ(real_argument("0,01"), std::nullopt);
  std::locale::global(saved);
  std::setlocale(LC_ALL, restore.c_str());
}

}  // namespace
}  // namespace orv::text
