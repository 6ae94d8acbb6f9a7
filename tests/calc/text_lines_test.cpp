// Line picking, word wrapping, separated fields and single-line descriptions.
#include "calc/text_lines.hpp"

#include <gtest/gtest.h>

#include <random>

#include "exports/orvrun.h"
#include "support/case_names.hpp"

namespace orv::calc {
namespace {

struct LineCase {
  const char* name;
  std::string text;
  int32_t n;
  uint8_t found;
  const char* line;  // nullptr: the caller's variable stays as it was
};

class Line : public testing::TestWithParam<LineCase> {};
TEST_P(Line, PicksTheNthLine) {
  const LineCase& c = GetParam();
  char buf[600] = "untouched";
  ORVRUN_TEXT ref{buf, sizeof buf};
  EXPECT_EQ(::POBIERZLINIE(c.text.c_str(), &ref, c.n), c.found);
  EXPECT_STREQ(buf, c.line ? c.line : "untouched");
}
const std::string kThree = "first\r\nsecond\r\nthird";
INSTANTIATE_TEST_SUITE_P(
    Cases, Line,
    testing::Values(LineCase{"First", kThree, 1, 1, "first"},       // 1
                    LineCase{"Middle", kThree, 2, 1, "second"},     // 2
                    LineCase{"Last", kThree, 3, 1, "third"},        // 3
                    LineCase{"PastTheEnd", kThree, 4, 0, nullptr},  // 4
                    LineCase{"LoneLf", "a\nb", 2, 0, nullptr},      // 5 LF alone: one line
                    LineCase{"LoneCr", "a\rb", 1, 1, "a\rb"},       // 6
                    LineCase{"NoSeparator", "abc  ", 1, 1, "abc"},  // 7
                    LineCase{"Blank", "   ", 1, 0, ""},             // 8 blanked, answer 0
                    LineCase{"Empty", "", 2, 0, nullptr},           // 9
                    LineCase{"ZeroN", kThree, 0, 0, nullptr},       // 10
                    LineCase{"EmptyLastLine", "a\r\n", 2, 1, ""},   // 11
                    LineCase{"EmptyFirstLine", "\r\nb", 1, 1, ""},  // 12
                    // 13 only the first 500 characters are read: the LF at 501 is lost
                    LineCase{"CutSeparator", std::string(499, 'x') + "\r\nb", 2, 0, nullptr}),
    orv::test::named_case);

TEST(Line, ShortVariableIsCutNotOverrun) {
  char buf[4] = "zz";
  ORVRUN_TEXT ref{buf, sizeof buf};
  EXPECT_EQ(::POBIERZLINIE("abcdef", &ref, 1), 1);
  EXPECT_STREQ(buf, "abc");
  EXPECT_EQ(::POBIERZLINIE("abcdef", nullptr, 1), 1);  // a left-out variable is not written
}

struct Piece {
  std::string text;
  int32_t position;
};

std::vector<Piece> wrap(const std::string& text, int32_t width, int32_t start = 1) {
  std::vector<Piece> out;
  int32_t pos = start;
  for (int guard = 0; guard < 100000; ++guard) {
    std::string piece = PODZIELLINIE(text, pos, width);
    out.push_back({piece, pos});
    if (pos == 0) return out;
    ++pos;
  }
  ADD_FAILURE() << "wrapping never ended";
  return out;
}

TEST(Wrap, WithoutBlanksPiecesOfWidthEndAtStartPlusNine) {
  auto pieces = wrap("abcdefghijklmnopqrstuvwxy", 10);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].text, "abcdefghij");
  EXPECT_EQ(pieces[0].position, 10);
  EXPECT_EQ(pieces[1].text, "klmnopqrst");
  EXPECT_EQ(pieces[1].position, 20);
  EXPECT_EQ(pieces[2].text, "uvwxy");
  EXPECT_EQ(pieces[2].position, 0);
}

TEST(Wrap, BreaksAtTheLastBlankAndAtLineBreaks) {
  auto words = wrap("Ala ma kota i psa", 8);
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[0].text, "Ala ma");
  EXPECT_EQ(words[0].position, 7);  // the blank it broke at
  EXPECT_EQ(words[1].text, "kota i");
  EXPECT_EQ(words[2].text, "psa");
  auto lines = wrap("ab\r\ncd", 10);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, "ab");
  EXPECT_EQ(lines[0].position, 3);
  EXPECT_EQ(lines[1].text, "cd");  // the LF opening the piece is dropped
}

TEST(Wrap, OddArgumentsStillAdvance) {
  EXPECT_EQ(wrap("abc", 0).size(), 3u);          // 1 width 0 would never advance: held at 1
  EXPECT_EQ(wrap("abc", -5).size(), 3u);         // 2
  EXPECT_EQ(wrap("abc", 10, 0)[0].text, "abc");  // 3 position 0 starts at 1
  auto beyond = wrap("abc", 10, 9);              // 4 past the end: nothing, done
  EXPECT_EQ(beyond[0].text, "");
  EXPECT_EQ(beyond[0].position, 0);
}

// Width above the piece size of 100 would skip the characters between 100 and the width.
TEST(Wrap, NoCharacterIsLostWhateverTheWidth) {
  std::mt19937 rng(5);
  for (int32_t width : {1, 7, 35, 100, 150, 1000}) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
      text += rng() % 6 == 0 ? ' ' : static_cast<char>('a' + rng() % 26);
    std::string kept, joined;
    for (char c : text) kept += c == ' ' ? "" : std::string(1, c);
    for (const Piece& p : wrap(text, width)) {
      ASSERT_LE(p.text.size(), 100u);
      for (char c : p.text) joined += c == ' ' ? "" : std::string(1, c);
    }
    EXPECT_EQ(joined, kept) << "width " << width;
  }
}

TEST(Fields, SplitBySeparator) {
  const char* want[] = {"a", "b", "", "c", ""};
  for (int32_t n = 1; n <= 5; ++n) {
    EXPECT_EQ(SPLITSTRING("a;b;;c", n, ";"), want[n - 1]) << n;
    EXPECT_EQ(SPLITSTRING("a;b;;c", n, ";;"), want[n - 1]) << n;  // only the first character
  }
  EXPECT_EQ(SPLITSTRING("a;b  ", 2, ";"), "b  ");  // the last field keeps its trailing blanks
  EXPECT_EQ(SPLITSTRING("a;b", 0, ";"), "");
  EXPECT_EQ(SPLITSTRING("a;b", -3, ";"), "");
  EXPECT_EQ(SPLITSTRING("a;b", 1, ""), "a;b");  // no separator: one field
  EXPECT_EQ(SPLITSTRING("a;b", 2, ""), "");
  EXPECT_EQ(SPLITSTRING("a b c", 2, " "), "b");
}

TEST(Description, LineBreaksBecomeOneBlankAndLengthStays) {
  EXPECT_EQ(WYTNIJZNAKIZOPISU("a\r\nb"), "a b ");
  EXPECT_EQ(WYTNIJZNAKIZOPISU("a\nb\r"), "ab  ");
  EXPECT_EQ(WYTNIJZNAKIZOPISU("\n\n"), "  ");
  EXPECT_EQ(WYTNIJZNAKIZOPISU(""), "");
}

}  // namespace
}  // namespace orv::calc
