// The writer's field values and formatting, without a database: postal code and town, account
// parts, amounts in grosze, date patterns, texts in pieces, the three format types, the test of
// a required value.
#include <gtest/gtest.h>

#include "payments/field_text.hpp"
#include "payments/value_format.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::payments {
namespace {

TEST(WriterFields, PostalCodeAndTownOfACityLine) {
  struct Case {
    int n;
    const char* line;
    const char* code;
    const char* town;
  } cases[] = {
      {1, "00-590 Warszawa", "00-590", "Warszawa"},
      {2, "00-590Warszawa", "00-590", "Warszawa"},             // no blank: from D+4
      {3, "PL 00-590 Warszawa", "00-590", "Warszawa"},         // "-" at position 6
      {4, "Warszawa", "Warszawa", "Warszawa"},                 // no "-": the whole line
      {5, "1-234 X", "1-234 X", "1-234 X"},                    // "-" at position 2
      {6, "Bielsko-Biała", "Bielsko-Biała", "Bielsko-Biała"},  // "-" at position 8
      {7, "43-300 Bielsko-Biała", "43-300", "Bielsko-Biała"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(postal_code(text::from_utf8(c.line)), text::from_utf8(c.code));
    EXPECT_EQ(town(text::from_utf8(c.line)), text::from_utf8(c.town));
  }
}

TEST(WriterFields, AccountParts) {
  struct Case {
    int n;
    const char* account;
    const char* sort_code;
    const char* number;
    const char* without_check;
    const char* check;
  } cases[] = {
      // 1. An NRB joined from its check digits: by position.
      {1, "27114020040000300201355387", "11402004", "0000300201355387", "114020040000300201355387",
       "27"},
      // 2. The older form with a "-" after the sort code, check digits in front.
      {2, "6110901014-71219812874", "10901014", "71219812874", "10901014-71219812874", "61"},
      // 3. The same without check digits: the "-" at position 9 gives no check digits.
      {3, "10901014-71219812874", "10901014", "71219812874", "10901014-71219812874", ""},
      // 4. A "-" only before position 8: no parts at all.
      {4, "12-345", "", "", "", ""},
      // 5. Nothing: nothing.
      {5, "", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(account_part(c.account, AccountPart::SortCode), c.sort_code);
    EXPECT_EQ(account_part(c.account, AccountPart::Number), c.number);
    EXPECT_EQ(account_part(c.account, AccountPart::WithoutCheck), c.without_check);
    EXPECT_EQ(check_digits(c.account), c.check);
  }
}

Decimal amount(const char* text) {
  Decimal d;
  EXPECT_TRUE(Decimal::parse(text, d));
  return d;
}

TEST(WriterFields, AmountInGrosze) {
  struct Case {
    int n;
    const char* amount;
    const char* separator;
    const char* text;
  } cases[] = {
      {1, "1234.50", ",", "1234,50"},
      {2, "1234.50", "", "123450"},
      {3, "1234.50", " ", "123450"},
      {4, "0.05", ",", "0,05"},  // below 0.10: "0" before it
      {5, "0.5", ".", "0.50"},
      {6, "-12.3", ",", "-12,30"},
      {7, "15230.77", "", "1523077"},
      {8, "0", "", "0"},
      {9, "1.005", "", "101"},  // two places, halves away from zero
      {10, "9999999999999.99", "", "999999999999999"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(amount_text(amount(c.amount), c.separator), c.text);
  }
}

TEST(WriterFields, DatePatterns) {
  const int32_t day = 82197;  // 14 January 2026
  struct Case {
    int n;
    const char* pattern;
    const char* separator;
    const char* text;
  } cases[] = {
      {1, "RRRRMMDD", "", "20260114"},    {2, "DDMMRRRR", "-", "14-01-2026"},
      {3, "RRMMDD", "-", "26-01-14"},     {4, "MMDDRR", "", "011426"},
      {5, "RRRRDDMM", ".", "2026.14.01"}, {6, "DDRRMM", "/", "14/26/01"},
      {7, "MMRRRRDD", " ", "01202614"},  // a blank separator is none
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(date_text(day, c.pattern, c.separator), c.text);
  }
  EXPECT_EQ(date_text(0, "RRRRMMDD", ""), "18001228");
}

TEST(WriterFields, TextInPieces) {
  Pieces p;
  // A name of 65 characters over positions of 35: broken after the last blank that fits, which
  // the first piece keeps.
  p.load("Hurtownia Budowlana Demo Spółka z ograniczoną odpowiedzialnością"_w1250);
  EXPECT_EQ(p.next(35), "Hurtownia Budowlana Demo Spółka z "_w1250);
  EXPECT_EQ(p.next(35), "ograniczoną odpowiedzialnością"_w1250);
  EXPECT_EQ(p.next(35), "");
  // Without a blank the piece is cut hard.
  p.load("ABCDEFGHIJ");
  EXPECT_EQ(p.next(4), "ABCD");
  EXPECT_EQ(p.next(4), "EFGH");
  EXPECT_EQ(p.next(4), "IJ");
  EXPECT_EQ(p.rest(), "");
}

Position position(char type, int length, bool fixed) {
  Position p;
  p.format_type = type;
  p.length = length;
  p.fixed = fixed;
  return p;
}

TEST(WriterFields, FormatByType) {
  const std::string zazolc = "Zażółć"_w1250;
  struct Case {
    int n;
    std::string value;
    Position p;
    CodePage page;
    std::string text;
    bool refused;
  } cases[] = {
      // 1-4. "A" in each code page; cut to the length, blanks after when fixed.
      {1, zazolc, position('A', 10, true), CodePage::Latin, "Za\xBE\xA2\x88\x86    ", false},
      {2, zazolc, position('A', 4, false), CodePage::Mazovia, "Za\xA7\xA2", false},
      {3, zazolc, position('A', 10, false), CodePage::NoPolish, "Zazolc", false},
      {4, zazolc, position('A', 10, false), CodePage::Windows, zazolc, false},
      // 5-8. "N": digits and separators kept, zeros in front when fixed.
      {5, "1234,50", position('N', 12, true), CodePage::Latin, "000001234,50", false},
      {6, "12 345,67 zł"_w1250, position('N', 9, false), CodePage::Latin, "12345,67", false},
      {7, "abc", position('N', 3, false), CodePage::Latin, "0", false},
      {8, "-1.5", position('N', 4, true), CodePage::Latin, "-1.5", false},
      // 9. A number longer than its position is refused, never cut to its last digits.
      {9, "12345,67", position('N', 6, false), CodePage::Latin, "12345,67", true},
      // 10. "D" as it is; the code page is for "A" only.
      {10, "2026-01-14 ąę"_w1250, position('D', 4, true), CodePage::Latin, "2026-01-14 ąę"_w1250,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    Formatted f = format_value(c.value, c.p, c.page);
    EXPECT_EQ(f.text, c.text);
    EXPECT_EQ(f.refused, c.refused);
  }
}

TEST(WriterFields, RequiredValueMissing) {
  struct Case {
    int n;
    const char* formatted;
    char type;
    int32_t date;
    bool missing;
  } cases[] = {
      {1, "", 'A', 1, true},         {2, "   ", 'A', 1, true},  // a fixed field's padding alone
      {3, "0", 'N', 1, false},       {4, "000", 'N', 1, true},
      {5, "0,00", 'N', 1, true},     {6, "1234,50", 'N', 1, false},
      {7, "20260114", 'D', 0, true}, {8, "20260114", 'D', 82197, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(missing_value(c.formatted, position(c.type, 10, false), c.date), c.missing);
  }
}

TEST(WriterFields, CodePageOfAScheme) {
  EXPECT_EQ(code_page("Latin"), CodePage::Latin);
  EXPECT_EQ(code_page("MAZOVIA  "), CodePage::Mazovia);
  EXPECT_EQ(code_page("Bez PL"), CodePage::NoPolish);
  EXPECT_EQ(code_page("Windows"), CodePage::Windows);
  EXPECT_EQ(code_page(""), CodePage::Windows);
  // Mazovia has no 199-character limit here: a value of 200 goes through whole.
  const std::string long_value = std::string(150, 'x') + std::string(50, '\xB9');
  EXPECT_EQ(to_code_page(long_value, CodePage::Mazovia),
            std::string(150, 'x') + std::string(50, '\x86'));
}

}  // namespace
}  // namespace orv::payments
