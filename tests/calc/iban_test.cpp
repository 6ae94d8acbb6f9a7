// Account numbers: check digits against a plain 30-digit mod 97, conversion and validation
// messages.
#include "calc/iban.hpp"

#include <gtest/gtest.h>

#include <random>

#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "support/case_names.hpp"
#include "support/support.hpp"

namespace orv::calc {
namespace {

const std::string kAlphabetic = "W numerze rachunku nie może być znaków alfabetycznych!"_w1250;
const std::string kNot26 = "W numerze rachunku musi być 26 znaków numerycznych!"_w1250;
const std::string kIncorrect = "Numer rachunku nie jest poprawny!";
const std::string kNotConverted =
    "Numer rachunku niezgodny z formatem IBAN.|Numer nie został skonwertowany!"_w1250;

// 98 - (the 24 digits followed by 252100, "PL00", mod 97), digit by digit.
std::string expected_check(const std::string& domestic) {
  int r = 0;
  for (char c : domestic + "252100") r = (r * 10 + (c - '0')) % 97;
  const int check = 98 - r;
  return std::string(1, static_cast<char>('0' + check / 10)) + static_cast<char>('0' + check % 10);
}

std::string random_domestic(std::mt19937& rng) {
  std::string s;
  for (int i = 0; i < 24; ++i) s += static_cast<char>('0' + rng() % 10);
  return s;
}

std::string call_text(char* r) {
  std::string s = r ? r : "<null>";
  ORVRUN_FREE(r);
  return s;
}

TEST(Iban, CheckDigitsMatchTheWholeNumberModulo) {
  std::mt19937 rng(7);
  bool met_leading_zero = false;
  for (int k = 0; k < 5000; ++k) {
    const std::string d = random_domestic(rng);
    const std::string want = expected_check(d);
    met_leading_zero |= want[0] == '0';
    ASSERT_EQ(call_text(::IBAN_OBLICZSUMEKONTROLNA(d.c_str())), want) << d;
    ASSERT_GE(want, "02");
  }
  EXPECT_TRUE(met_leading_zero);  // values below 10 keep their leading zero
  EXPECT_EQ(IBAN_OBLICZSUMEKONTROLNA("109010140000071219812874"), "61");
}

TEST(Iban, CheckDigitsReadBlocksByPositionWithoutValidating) {
  // 1 a short text: missing blocks count as 0
  EXPECT_EQ(IBAN_OBLICZSUMEKONTROLNA("12345678"),
            expected_check("12345678" + std::string(16, '0')));
  // 2 a block holding a letter counts as 0, the others still count
  EXPECT_EQ(IBAN_OBLICZSUMEKONTROLNA("1234567x8765432111112222"), expected_check("00000000"
                                                                                 "87654321"
                                                                                 "11112222"));
  // 3 the empty text
  EXPECT_EQ(IBAN_OBLICZSUMEKONTROLNA(""), expected_check(std::string(24, '0')));
}

TEST(Iban, ConversionTakesAnySeparators) {
  test::ScopedUi ui;
  const std::string bare = "102030405060708090102030";
  const std::string want = (expected_check(bare) + bare) + std::string(24, ' ');
  EXPECT_EQ(IBAN_KONWERSJA(bare), want);
  EXPECT_EQ(IBAN_KONWERSJA("10-2030-4050-6070-8090-1020-30"), want);
  EXPECT_EQ(IBAN_KONWERSJA("PL 1020 3040/5060.7080 9010 2030   "), want);
  EXPECT_TRUE(ui.boxes().empty());
}

TEST(Iban, ConversionRefusesAnyOtherDigitCount) {
  for (const std::string& t : {std::string("61109010140000071219812874"), std::string(23, '1'),
                               std::string(), std::string(10000, '5')}) {
    test::ScopedUi ui;
    EXPECT_EQ(call_text(::IBAN_KONWERSJA(t.c_str())), "");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].box.text, kNotConverted);
    EXPECT_EQ(ui.boxes()[0].box.title, "ORVEX: Ostrzeżenie"_w1250);
  }
}

struct CheckCase {
  const char* name;
  std::string number;
  uint8_t expected;
  std::string message;  // empty: no box
};

class IbanCheck : public testing::TestWithParam<CheckCase> {};
TEST_P(IbanCheck, JudgesAndWarns) {
  test::ScopedUi ui;
  EXPECT_EQ(::IBAN_CZYPOPRAWNY(GetParam().number.c_str()), GetParam().expected);
  if (GetParam().message.empty()) {
    EXPECT_TRUE(ui.boxes().empty());
  } else {
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].box.text, GetParam().message);
  }
}
INSTANTIATE_TEST_SUITE_P(
    Cases, IbanCheck,
    testing::Values(CheckCase{"Bare", "61109010140000071219812874", 1, ""},  // 1
                    CheckCase{"Groups", "61 1090 1014 0000 0712 1981 2874  ", 1,
                              ""},  // 2 blanks skipped
                    CheckCase{"Dashes", "61-1090-1014-0000-0712-1981-2874", 0, kAlphabetic},    // 3
                    CheckCase{"CountryCode", "PL61109010140000071219812874", 0, kAlphabetic},   // 4
                    CheckCase{"Tab", "61109010140000071219812874\t", 0, kAlphabetic},           // 5
                    CheckCase{"HighByte", "6110901014000007121981287ą"_w1250, 0, kAlphabetic},  // 6
                    CheckCase{"TwentyFive", "6110901014000007121981287", 0, kNot26},            // 7
                    CheckCase{"Empty", "", 0, kNot26},                                          // 8
                    CheckCase{"WrongCheck", "62109010140000071219812874", 0, kIncorrect},       // 9
                    // 10 digits past the 26th fall off: only the first 26 are judged
                    CheckCase{"MoreThan26", "61 1090 1014 0000 0712 1981 2874 99", 1, ""},
                    // 11 a letter after the 26th digit still refuses
                    CheckCase{"LetterAfter26", "61109010140000071219812874 X", 0, kAlphabetic}),
    orv::test::named_case);

TEST(Iban, ConvertedNumbersValidate) {
  std::mt19937 rng(11);
  test::ScopedUi ui;
  for (int k = 0; k < 500; ++k) {
    const std::string full = std::string(text::clip(IBAN_KONWERSJA(random_domestic(rng))));
    ASSERT_EQ(IBAN_CZYPOPRAWNY(full), 1) << full;
  }
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
}  // namespace orv::calc
