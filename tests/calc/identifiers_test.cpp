// NIP, PESEL, REGON, the digit filter and NIPUE: documented cases and generated numbers.
#include "calc/identifiers.hpp"

#include <gtest/gtest.h>

#include "frame/sql_channels.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

#include <random>

#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"

namespace orv::calc {
namespace {

struct IdCase {
  const char* name;
  std::string text;
  uint8_t expected;
};

class Nip : public testing::TestWithParam<IdCase> {};
TEST_P(Nip, Judges) {
  EXPECT_EQ(::NIPOK(GetParam().text.c_str()), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Nip,
    testing::Values(IdCase{"WorkedExample", "1234563218", 1},     // 1 the sum 118 leaves 8
                    IdCase{"Dashes", "123-456-32-18", 1},         // 2 separators are filtered
                    IdCase{"Blanks", "123 456 32 18", 1},         // 3
                    IdCase{"LeadingBlanks", "   1234563218", 1},  // 4 the first non-blank decides
                    IdCase{"CountryPrefix", "PL1234563218", 1},   // 5 a letter first: no check
                    IdCase{"WrongDigit", "1234563217", 0},        // 6
                    IdCase{"NineDigits", "123456321", 0},         // 7
                    IdCase{"ElevenDigits", "12345632189", 1},     // 8 the first ten are judged
                    IdCase{"Empty", "", 0},                       // 9 a blank NIP is refused
                    IdCase{"OnlyBlanks", "     ", 0},             // 10
                    // 11 digits after the 49th character never reach the check
                    IdCase{"DigitsPastWindow", "1" + std::string(48, 'x') + "234563218", 0}),
    orv::test::named_case);

class Pesel : public testing::TestWithParam<IdCase> {};
TEST_P(Pesel, Judges) {
  EXPECT_EQ(::PESELOK(GetParam().text.c_str()), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Pesel,
    testing::Values(IdCase{"Valid", "44051401359", 1},                  // 1 sum 101: check 9
                    IdCase{"WrongCheck", "44051401358", 0},             // 2
                    IdCase{"TenDigits", "4405140135", 0},               // 3
                    IdCase{"TwelveDigits", "440514013591", 1},          // 4 the first eleven judged
                    IdCase{"Separators", "4405-1401 359", 1},           // 5
                    IdCase{"LettersAnywhere", "PESEL:44051401359", 1},  // 6 no first-char test
                    IdCase{"Empty", "", 0},                             // 7
                    IdCase{"MultipleOfTen", "00000000000", 1}),         // 8 sum 0 expects 0
    orv::test::named_case);

// Check digits computed here from the weight texts, independently of the library's tables.
int nip_remainder(const std::string& nine) {
  const std::string weights = "657234567";
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += (nine[i] - '0') * (weights[i] - '0');
  return sum % 11;
}

int pesel_check(const std::string& ten) {
  const std::string weights = "1379137913";
  int sum = 0;
  for (int i = 0; i < 10; ++i) sum += (ten[i] - '0') * (weights[i] - '0');
  return (10 - sum % 10) % 10;
}

std::string random_digits(std::mt19937& rng, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
  return s;
}

TEST(Identifiers, GeneratedNipsAcceptOnlyTheirCheckDigit) {
  std::mt19937 rng(1234);
  int remainder_ten = 0;
  for (int k = 0; k < 2000; ++k) {
    const std::string nine = random_digits(rng, 9);
    const int r = nip_remainder(nine);
    remainder_ten += r == 10;
    for (char d = '0'; d <= '9'; ++d) {
      const std::string nip = nine + d;
      const uint8_t want = r == d - '0';
      ASSERT_EQ(::NIPOK(nip.c_str()), want) << nip;
      const std::string spaced = nip.substr(0, 3) + "-" + nip.substr(3, 3) + " " + nip.substr(6);
      ASSERT_EQ(::NIPOK(spaced.c_str()), want) << spaced;
    }
  }
  EXPECT_GT(remainder_ten, 0);  // remainder 10 was met and refused for every tenth digit
}

TEST(Identifiers, GeneratedPeselsAcceptOnlyTheirCheckDigit) {
  std::mt19937 rng(99);
  bool met_zero_check = false;
  for (int k = 0; k < 2000; ++k) {
    const std::string ten = random_digits(rng, 10);
    const int check = pesel_check(ten);
    met_zero_check |= check == 0;
    for (char d = '0'; d <= '9'; ++d) {
      ASSERT_EQ(::PESELOK((ten + d).c_str()), check == d - '0') << ten + d;
    }
  }
  EXPECT_TRUE(met_zero_check);
}

TEST(Identifiers, DigitFilterKeepsDigitsOfTheFirst49Characters) {
  EXPECT_EQ(TYLKOZNAKINUMERYCZNE("a1b2c3"), "123");
  EXPECT_EQ(TYLKOZNAKINUMERYCZNE(std::string(48, 'x') + "9"), "9");  // the 49th is still read
  EXPECT_EQ(TYLKOZNAKINUMERYCZNE(std::string(49, 'x') + "9"), "");   // the 50th is not
  EXPECT_EQ(TYLKOZNAKINUMERYCZNE(std::string(60, '7')), std::string(49, '7'));
  EXPECT_EQ(TYLKOZNAKINUMERYCZNE("ą˛ł 1Ľ"_w1250),
            "1");  // Windows-1250 superscripts are no digits
}

TEST(Identifiers, RegonIsAcceptedWhateverItHolds) {
  for (const char* t : {"", " ", "123456785", "abc"}) EXPECT_EQ(::REGONOK(t), 1) << t;
}

// NIPUE over the main channel, on a scripted driver that records what is sent.
class NipueTest : public testing::Test {
 protected:
  test::SqlStack sql;
};

TEST_F(NipueTest, OtherFlagsReturnTheNumberWithoutTheServerAndClose) {
  EXPECT_EQ(NIPUE("1234563218   ", "x", 0), "1234563218");
  EXPECT_EQ(NIPUE(std::string(30, '9'), "x", 2), std::string(20, '9'));  // cut to 20
  char* r = ::NIPUE("5260001246  ", "", nullptr);                        // flag left out
  EXPECT_STREQ(r, "5260001246");
  ORVRUN_FREE(r);
  EXPECT_TRUE(sql.recording.statements().empty());
  EXPECT_FALSE(frame::VAX().is_open());
}

TEST_F(NipueTest, FlagOneAsksTheServerWithQuotesDoubled) {
  sql.fake.answer("select dbo.AP_Func_PodajNip*", sql::FakeAnswer::value(std::string(25, 'E')));
  const uint8_t one = 1;
  char* r = ::NIPUE("526'0001246 ", "O'Neil  ", &one);
  EXPECT_STREQ(r, std::string(20, 'E').c_str());
  ORVRUN_FREE(r);
  ASSERT_EQ(sql.recording.statements().size(), 1u);
  EXPECT_EQ(sql.recording.statements()[0],
            "select dbo.AP_Func_PodajNip('526''0001246','O''Neil',1)");
  EXPECT_FALSE(frame::VAX().is_open());
}

TEST_F(NipueTest, FailedServerCallGivesTheEmptyText) {
  sql.fake.answer("select dbo.AP_Func_PodajNip*", sql::FakeAnswer::error(sql::kRejected, "x"));
  test::ScopedUi ui({}, /*strict=*/false);
  EXPECT_EQ(NIPUE("1234563218", "", 1), "");
}

}  // namespace
}  // namespace orv::calc
