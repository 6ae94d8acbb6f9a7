// First, every and in-place replacement, and blank runs, with the texts that used to loop forever.
#include "calc/text_replace.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"

namespace orv::calc {
namespace {

struct ReplaceCase {
  const char* name;
  std::string text, find, replacement, expected;
};

class First : public testing::TestWithParam<ReplaceCase> {};
TEST_P(First, Replaces) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(REPLACEPROC(c.text, c.find, c.replacement), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, First,
    testing::Values(ReplaceCase{"FirstOnly", "aXbX", "X", "Y", "aYbX"},        // 1
                    ReplaceCase{"None", "abc", "x", "y", "abc"},               // 2
                    ReplaceCase{"TrailingBlanksCount", "a b", "a ", "", "b"},  // 3
                    ReplaceCase{"CaseSensitive", "ABC", "b", "x", "ABC"},      // 4
                    ReplaceCase{"EmptyFind", "abc", "", "x", "abc"}),          // 5 occurs nowhere
    orv::test::named_case);

class Every : public testing::TestWithParam<ReplaceCase> {};
TEST_P(Every, Replaces) {
  const ReplaceCase& c = GetParam();
  char* r = ::REPLACEPROC2(c.text.c_str(), c.find.c_str(), c.replacement.c_str());
  EXPECT_EQ(std::string(r), c.expected);
  ORVRUN_FREE(r);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Every,
    testing::Values(ReplaceCase{"All", "aXbX", "X", "Y", "aYbY"},                    // 1
                    ReplaceCase{"DoubleQuotes", "a'b", "'", "''", "a''b"},           // 2
                    ReplaceCase{"Entities", "a&b&", "&", "&amp;", "a&amp;b&amp;"},   // 3
                    ReplaceCase{"NonOverlapping", "aaaa", "aa", "b", "bb"},          // 4
                    ReplaceCase{"Remove", "a,b,,c", ",", "", "abc"},                 // 5
                    ReplaceCase{"TrailingBlankFind", "a b c ", "b ", "B", "a Bc "},  // 6
                    // 7-9 texts that made the marker round trip loop or rewrite foreign text
                    ReplaceCase{"FindInsideMarker", "a@b#c$", "@", "at", "aatb#c$"},
                    ReplaceCase{"MarkerInText", "x@@##@@$$y", "q", "Z", "x@@##@@$$y"},
                    ReplaceCase{"MarkerAsReplacement", "ab", "a", "@@##@@$$", "@@##@@$$b"},
                    ReplaceCase{"EmptyFind", "abc", "", "x", "abc"}),  // 10
    orv::test::named_case);

TEST(Every, LongTextsAreCutOnlyAtTheEnd) {
  const std::string full(49999, 'a');
  // 1 shrinking and growing replacements keep every character up to the 49999 limit
  EXPECT_EQ(REPLACEPROC2(full, "a", "b"), std::string(49999, 'b'));
  EXPECT_EQ(REPLACEPROC2(std::string(30000, 'a'), "a", "cc"), std::string(49999, 'c'));
  // 2 only the first 49999 characters are read
  EXPECT_EQ(REPLACEPROC2(full + "zzz", "z", "y"), full);
}

struct InPlaceCase {
  const char* name;
  std::string text, find, replacement;
  const uint8_t* flag;
  std::string expected;
};

const uint8_t kOne = 1, kZero = 0;

class InPlace : public testing::TestWithParam<InPlaceCase> {};
TEST_P(InPlace, Replaces) {
  const InPlaceCase& c = GetParam();
  std::vector<char> text(c.text.begin(), c.text.end()), find(c.find.begin(), c.find.end()),
      repl(c.replacement.begin(), c.replacement.end());
  text.resize(200, '\0');
  find.push_back('\0');
  repl.push_back('\0');
  ORVRUN_TEXT t{text.data(), text.size()}, f{find.data(), find.size()}, r{repl.data(), repl.size()};
  ::REPLACETEXT(&t, &f, &r, c.flag);
  EXPECT_EQ(std::string(text.data()), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, InPlace,
    testing::Values(
        InPlaceCase{"AnyCase", "abc ABC Abc", "abc", "x", nullptr, "x x x"},  // 1 flag left out
        InPlaceCase{"FlagZero", "abc ABC", "ABC", "x", &kZero, "x x"},        // 2
        InPlaceCase{"Exact", "abc ABC Abc", "abc", "x", &kOne, "x ABC Abc"},  // 3
        InPlaceCase{"PolishFolding", "Łódź!"_w1250, "łÓDŹ"_w1250, "L", nullptr, "L!"},  // 4
        InPlaceCase{"BlanksBeforeEmpty", "a  x b", "x", "", nullptr, "a b"},  // 5 documented loss
        InPlaceCase{"ReplacementClipped", "a x b", "x", "y  ", nullptr, "a y b"},  // 6
        InPlaceCase{"FindBlankCounts", "ab  cd", "b ", "Z", nullptr, "aZ cd"},     // 7
        InPlaceCase{"NothingFoundClips", "abc   ", "q", "Z", nullptr, "abc"},      // 8
        InPlaceCase{"NotSearchedAgain", "aa", "a", "aa", nullptr, "aaaa"},         // 9
        InPlaceCase{"EmptyFind", "ab  ", "", "Z", nullptr, "ab"}),                 // 10
    orv::test::named_case);

TEST(InPlace, ResultIsCutToTheCallersBuffer) {
  char text[8] = "a.a.a";
  char find[] = ".", repl[] = "---";
  ORVRUN_TEXT t{text, sizeof text}, f{find, sizeof find}, r{repl, sizeof repl};
  ::REPLACETEXT(&t, &f, &r, nullptr);
  EXPECT_STREQ(text, "a---a--");
  ::REPLACETEXT(&t, nullptr, nullptr, nullptr);  // left-out texts: nothing to find
  EXPECT_STREQ(text, "a---a--");
  ::REPLACETEXT(nullptr, &f, &r, nullptr);  // nothing to write into
  char unterminated[3] = {'a', '.', 'b'};   // no NUL within its size: read only that far
  ORVRUN_TEXT u{unterminated, sizeof unterminated};
  ::REPLACETEXT(&u, &f, &r, nullptr);
  EXPECT_EQ(std::string(unterminated, 3), std::string("a-\0", 3));
}

TEST(Blanks, RunsCollapseToOne) {
  EXPECT_EQ(REPLACEALLSPACE("a  b   c"), "a b c");
  EXPECT_EQ(REPLACEALLSPACE("a    "), "a ");  // a trailing run keeps one blank
  EXPECT_EQ(REPLACEALLSPACE("   "), " ");
  EXPECT_EQ(REPLACEALLSPACE(std::string(998, 'x') + "   y"), std::string(998, 'x') + " ");
}

}  // namespace
}  // namespace orv::calc
