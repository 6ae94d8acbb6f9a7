// Amounts in words: every documented example, each declension boundary, odd amounts, the C ABI
// and the CLI.
#include "calc/amount_words.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "exports/orvrun.h"
#include "platform/text/text.hpp"
#include "support/case_names.hpp"
#include "support/support.hpp"

namespace orv::calc {
namespace {

// Expected texts are written in UTF-8 for reading; the procedures answer in Windows-1250.
std::string padded(const char* utf8) {
  return text::pad_right(text::from_utf8(utf8), kWordsWidth);
}

struct WordsCase {
  int id;
  double amount;
  const char* currency;  // null = left out
  const char* expected;  // UTF-8, before the padding
  const char* purpose;
};

class Slownie : public ::testing::TestWithParam<WordsCase> {};

TEST_P(Slownie, WritesThePolishWords) {
  const auto& c = GetParam();
  std::string got = SLOWNIE(c.amount, c.currency ? text::from_utf8(c.currency) : "");
  EXPECT_EQ(text::to_utf8(text::clip(got)), text::clip(c.expected))
      << "case " << c.id << ": " << c.purpose;
  EXPECT_EQ(got, padded(c.expected)) << "case " << c.id << ": blank-padded working text";
}

INSTANTIATE_TEST_SUITE_P(
    Documented, Slownie,
    ::testing::Values(
        WordsCase{1, 1, nullptr, " jeden złoty", "exactly one: form 1"},
        WordsCase{2, 2, nullptr, " dwa złote", "2-4: form 2"},
        WordsCase{3, 5, nullptr, " pięć złotych", "5-9: form 3"},
        WordsCase{4, 12, nullptr, " dwanaście złotych", "teens: form 3"},
        WordsCase{5, 21, nullptr, " dwadzieścia jeden złotych", "21: one after tens"},
        WordsCase{6, 22, nullptr, " dwadzieścia dwa złote", "22: form 2"},
        WordsCase{7, 101, nullptr, " sto jeden złotych", "one after hundreds"},
        WordsCase{8, 1000, nullptr, " jeden tysiąc złotych", "never tysiąc alone"},
        WordsCase{9, 1001, nullptr, " jeden tysiąc jeden złoty", "currency follows last group"},
        WordsCase{10, 22000, nullptr, " dwadzieścia dwa tysiące złotych", "tysiące"},
        WordsCase{11, 101000, nullptr, " sto jeden tysięcy złotych", "tysięcy"},
        WordsCase{12, 1000000, nullptr, " jeden milion złotych", "zero groups skipped"},
        WordsCase{13, 0.01, nullptr, " jeden grosz", "one grosz, no currency unit"},
        WordsCase{14, 0.50, nullptr, " pięćdziesiąt groszy", "tens of groszy"},
        WordsCase{15, 1234567.89, nullptr,
                  " jeden milion dwieście trzydzieści cztery tysiące pięćset sześćdziesiąt "
                  "siedem złotych osiemdziesiąt dziewięć groszy",
                  "every group"},
        WordsCase{16, -15.50, nullptr, "minus piętnaście złotych pięćdziesiąt groszy",
                  "minus with a single blank"},
        WordsCase{17, 1234.56, "EUR",
                  " jeden tysiąc dwieście trzydzieści cztery EUR pięćdziesiąt sześć EUR/100",
                  "foreign currency"},
        WordsCase{18, 0, "EUR", "zero EUR zero EUR/100", "zero in a foreign currency"},
        WordsCase{19, 0.0, nullptr, "zero złotych zero groszy", "zero, no leading blank"},
        WordsCase{20, 0.004, nullptr, "", "rounds to nothing: blank"},
        WordsCase{21, -0.001, nullptr, "minus", "negative rounding to nothing"},
        WordsCase{22, 1002, nullptr, " jeden tysiąc dwa złote", "form 2 after thousands"},
        WordsCase{23, 1005, nullptr, " jeden tysiąc pięć złotych", "form 3 after thousands"},
        WordsCase{24, 12000, nullptr, " dwanaście tysięcy złotych", "teen thousands"},
        WordsCase{25, 14, nullptr, " czternaście złotych", "14: form 3"},
        WordsCase{26, 24000000, nullptr, " dwadzieścia cztery miliony złotych", "24 million"},
        WordsCase{27, 2000000000, nullptr, " dwa miliardy złotych", "billions"},
        WordsCase{28, 5000000, nullptr, " pięć milionów złotych", "milionów"},
        WordsCase{29, 0.02, nullptr, " dwa grosze", "grosze"},
        WordsCase{30, 5, "PLN", " pięć złotych", "PLN keeps the Polish words"},
        WordsCase{31, 5, "zł", " pięć złotych", "zł keeps the Polish words"},
        WordsCase{32, 5, "   ", " pięć złotych", "blank currency"},
        WordsCase{33, 5, "pln", " pięć pln", "lower-case pln is foreign"},
        WordsCase{34, 2000, nullptr, " dwa tysiące złotych", "whole thousands"}),
    orv::test::numbered_case);

INSTANTIATE_TEST_SUITE_P(
    Boundaries, Slownie,
    ::testing::Values(
        WordsCase{35, 3, nullptr, " trzy złote", "3: form 2"},
        WordsCase{36, 4, nullptr, " cztery złote", "4: last of form 2"},
        WordsCase{37, 11, nullptr, " jedenaście złotych", "11 is not one"},
        WordsCase{38, 13, nullptr, " trzynaście złotych", "13: form 3"},
        WordsCase{39, 23, nullptr, " dwadzieścia trzy złote", "23: form 2"},
        WordsCase{40, 25, nullptr, " dwadzieścia pięć złotych", "25: form 3"},
        WordsCase{41, 102, nullptr, " sto dwa złote", "form 2 after hundreds"},
        WordsCase{42, 112, nullptr, " sto dwanaście złotych", "teens after hundreds"},
        WordsCase{43, 5000, nullptr, " pięć tysięcy złotych", "tysięcy"},
        WordsCase{44, 2000000, nullptr, " dwa miliony złotych", "miliony"},
        WordsCase{45, 1000000000, nullptr, " jeden miliard złotych", "one billion"},
        WordsCase{46, 1000001, nullptr, " jeden milion jeden złoty", "one after millions"},
        WordsCase{47, 201001, nullptr, " dwieście jeden tysięcy jeden złoty", "201 thousand"},
        WordsCase{48, 0.11, nullptr, " jedenaście groszy", "teen groszy"},
        WordsCase{49, 0.22, nullptr, " dwadzieścia dwa grosze", "22 groszy: form 2"},
        WordsCase{50, 0.005, nullptr, " jeden grosz", "half a grosz rounds up"},
        WordsCase{51, -0.0, nullptr, "zero złotych zero groszy", "negative zero is zero"},
        WordsCase{52, std::nan(""), nullptr, "", "NaN: blank"},
        WordsCase{53, 1e15, nullptr, "", "too large: blank, not a wrong amount"},
        WordsCase{54, 1e12, nullptr, "", "13 integer digits: blank"},
        WordsCase{55, -1e15, nullptr, "", "too large negative: blank"},
        WordsCase{56, 999999999999.99, nullptr,
                  " dziewięćset dziewięćdziesiąt dziewięć miliardów dziewięćset dziewięćdziesiąt "
                  "dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć tysięcy dziewięćset "
                  "dziewięćdziesiąt dziewięć złotych dziewięćdziesiąt dziewięć groszy",
                  "largest amount"},
        WordsCase{57, -123456789012.34, nullptr,
                  "minus sto dwadzieścia trzy miliardy czterysta pięćdziesiąt sześć milionów "
                  "siedemset osiemdziesiąt dziewięć tysięcy dwanaście złotych trzydzieści cztery "
                  "grosze",
                  "twelve-digit negative still fits"},
        WordsCase{58, 1.5, "EUR  ", " jeden EUR   pięćdziesiąt EUR  /100",
                  "currency used with its trailing blanks"},
        WordsCase{59, 2.02, "USD", " dwa USD dwa USD/100", "grosze replaced before złote"}),
    orv::test::numbered_case);

TEST(Slownie, LongCurrencyIsCutToTheWorkingText) {
  std::string currency(450, 'X');
  std::string got = SLOWNIE(1234567.89, currency);
  ASSERT_EQ(got.size(), kWordsWidth);
  EXPECT_EQ(got.substr(0, 13), " jeden milion");
  EXPECT_EQ(got.back(), 'X');
}

struct ShortCase {
  int id;
  double amount;
  const char* expected;
  const char* purpose;
};

class Slowniekrotko : public ::testing::TestWithParam<ShortCase> {};

TEST_P(Slowniekrotko, WritesSyllablesAndHundredths) {
  const auto& c = GetParam();
  EXPECT_EQ(SLOWNIEKROTKO(c.amount), padded(c.expected)) << "case " << c.id << ": " << c.purpose;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Slowniekrotko,
    ::testing::Values(
        ShortCase{1, 1234.50, " jed* dwa* trz* czt* 50/100", "documented example"},
        ShortCase{2, 7.05, " sie* 05/100", "documented example"},
        ShortCase{3, 0.99, " zer* 99/100", "hundredths never in words"},
        ShortCase{4, 0, " zer* 00/100", "zero"},
        ShortCase{5, -12.5, " jed* dwa* 50/100", "negative: no sign in the picture"},
        ShortCase{6, 999999999999.99,
                  " dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* 99/100",
                  "twelve digits"},
        ShortCase{7, 1e12, "", "overflow: blank, not zeros"},
        ShortCase{8, std::nan(""), " zer* 00/100", "NaN reads as zero"},
        ShortCase{9, 0.005, " zer* 01/100", "half a grosz rounds up"},
        ShortCase{10, 1234567.891, " jed* dwa* trz* czt* pie* sze* sie* 89/100", "millions"},
        ShortCase{11, -0.0, " zer* 00/100", "negative zero"},
        ShortCase{12, 1e300, "", "huge: blank"}),
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

TEST(AmountWordsAbi, ReturnsTerminatedWorkingText) {
  char* full = ::SLOWNIE(1234.56, "EUR");
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(std::strlen(full), kWordsWidth);
  EXPECT_EQ(std::string(full), SLOWNIE(1234.56, "EUR"));
  ORVRUN_FREE(full);
  char* left_out = ::SLOWNIE(2, nullptr);
  EXPECT_EQ(std::string(left_out), padded(" dwa złote"));
  ORVRUN_FREE(left_out);
  char* brief = ::SLOWNIEKROTKO(7.05);
  EXPECT_EQ(std::string(brief), padded(" sie* 05/100"));
  ORVRUN_FREE(brief);
}

TEST(AmountWordsCli, JsonResultIsThePaddedText) {
  auto r = test::run_cli({"call", "--json", "SLOWNIE", "1234567.89"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string words = text::to_utf8(padded(
      " jeden milion dwieście trzydzieści cztery tysiące pięćset sześćdziesiąt siedem złotych "
      "osiemdziesiąt dziewięć groszy"));
  EXPECT_EQ(r.out,
            "{\"result\": \"" + words + "\", \"out\": {}, \"messages\": [], \"windows\": []}\n");
}

TEST(AmountWordsCli, CurrencyAndShortFormThroughTheTable) {
  auto r = test::run_cli({"call", "SLOWNIE", "1234.56", "EUR"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(text::clip(r.out.substr(0, r.out.size() - 1)),
            " jeden tysiąc dwieście trzydzieści cztery EUR pięćdziesiąt sześć EUR/100");
  auto s = test::run_cli({"call", "SLOWNIEKROTKO", "1234.5"});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(text::clip(s.out.substr(0, s.out.size() - 1)), " jed* dwa* trz* czt* 50/100");
}

}  // namespace
}  // namespace orv::calc
