// Mazovia and Windows-1250 letter tables, the plain-identifier form and BEZPL.
#include "calc/code_pages.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"

namespace orv::calc {
namespace {

// The eighteen letters, Mazovia byte then Windows-1250 byte, in alphabetical order of the
// upper-case letters followed by the lower-case ones.
const std::string kMazovia =
    "\x8F\x95\x90\x9C\xA5\xA3\x98\xA0\xA1\x86\x8D\x91\x92\xA4\xA2\x9E\xA6\xA7";
const std::string kWindows = "ĄĆĘŁŃÓŚŹŻąćęłńóśźż"_w1250;
const std::string kBase = "ACELNOSZZacelnoszz";
// The same letters in IBM 852 (the payment files' "Latin").
const std::string kLatin =
    "\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE";

TEST(CodePages, EveryLetterMapsOnceInBothDirections) {
  EXPECT_EQ(MAZOVIATOWINDOWS(kMazovia), kWindows);
  EXPECT_EQ(WINDOWSTOMAZOVIA(kWindows), kMazovia);
  EXPECT_EQ(MAZOVIATOWINDOWS(WINDOWSTOMAZOVIA(kWindows)), kWindows);
  EXPECT_EQ(TEKSTZPOLNAANG(kWindows), kBase);
  EXPECT_EQ(BEZPL(kWindows), kBase);
}

TEST(CodePages, SharedByteValuesAreTranslatedFromTheInputOnly) {
  // Mazovia bytes stay written as bytes: read as Windows-1250 letters they would mislead.
  EXPECT_EQ(WINDOWSTOMAZOVIA("Ą"_w1250), "\x8F");  // Windows A-ogonek
  EXPECT_EQ(MAZOVIATOWINDOWS("\x8F"), "Ą"_w1250);  // and back
  EXPECT_EQ(MAZOVIATOWINDOWS("\xA5"), "Ń"_w1250);  // Mazovia N-acute, not the A-ogonek's 0x8F
  EXPECT_EQ(WINDOWSTOMAZOVIA("śŁ"_w1250), "\x9E\x9C");
}

TEST(CodePages, ApostropheOnlyChangesFromMazovia) {
  EXPECT_EQ(MAZOVIATOWINDOWS("O'Neil"), "O_Neil");
  EXPECT_EQ(WINDOWSTOMAZOVIA("O'Neil"), "O'Neil");
}

TEST(CodePages, OtherBytesPassAndLongTextsStopAt199) {
  EXPECT_EQ(WINDOWSTOMAZOVIA("Café ~ 1"_w1250), "Café ~ 1"_w1250);  // e-acute is no Polish letter
  const std::string long_text = std::string(150, 'a') + std::string(100, ' ');
  EXPECT_EQ(MAZOVIATOWINDOWS(long_text), long_text.substr(0, 199));  // trailing blanks count
  EXPECT_EQ(WINDOWSTOMAZOVIA(long_text), long_text.substr(0, 199));
}

struct AsciiCase {
  const char* name;
  std::string text;
  std::string expected;
};

class PlainIdentifier : public testing::TestWithParam<AsciiCase> {};
TEST_P(PlainIdentifier, Converts) {
  char* r = ::TEKSTZPOLNAANG(GetParam().text.c_str());
  EXPECT_EQ(std::string(r), GetParam().expected);
  ORVRUN_FREE(r);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, PlainIdentifier,
    testing::Values(AsciiCase{"Pangram", "Zażółć gęślą jaźń"_w1250, "Zazolc_gesla_jazn"},  // 1
                    AsciiCase{"Separators", "a/b c-d.e", "a_b_cde"},    // 2 slash and blank to _
                    AsciiCase{"OnlyPunctuation", ".,;:!?-`'\"()", ""},  // 3
                    AsciiCase{"Blanks", "  a_b  ", "__a_b"},  // 4 leading kept, trailing not
                    AsciiCase{"AboveZ", "x{|}~\x7F\xE9\xC4y", "xy"},  // 5 other high bytes dropped
                    AsciiCase{"Long", std::string(1500, 'q'),
                              std::string(999, 'q')}),  // 6 cut to 999
    orv::test::named_case);

TEST(CodePages, LatinIsIbm852ForTheLettersAndKeepsEverythingElse) {
  EXPECT_EQ(windows_to_latin(kWindows), kLatin);
  // Other bytes pass, Windows letters whose values are 852 letters too included; no length cap.
  const std::string other = std::string("O'Neil \x80\xFF\xE9 ") + std::string(300, 'x') + "  ";
  EXPECT_EQ(windows_to_latin(other), other);
}

TEST(CodePages, BezplKeepsEverythingButDiacritics) {
  EXPECT_EQ(BEZPL("Łódź, ul. Żółta 5/7   "_w1250), "Lodz, ul. Zolta 5/7");
  EXPECT_EQ(BEZPL(std::string(600, 'b')), std::string(500, 'b'));
  EXPECT_EQ(BEZPL("   "), "");
}

}  // namespace
}  // namespace orv::calc
