// Windows-1250 text: case folding, capacities and the UTF-8 edge.
#include "platform/text/text.hpp"

#include <gtest/gtest.h>

namespace orv::text {
namespace {

TEST(Text, ClipRemovesOnlyTrailingBlanks) {
  EXPECT_EQ(clip("  ab  "), "  ab");
  EXPECT_EQ(clip("    "), "");
  EXPECT_EQ(trim("  ab  "), "ab");
}

TEST(Text, FitKeepsCapacityMinusOne) {
  EXPECT_EQ(fit("abcdef", 4), "abc");
  EXPECT_EQ(fit("ab", 4), "ab");
  EXPECT_EQ(fit("ab", 0), "");
  EXPECT_EQ(pad_right("ab", 4), "ab  ");
  EXPECT_EQ(pad_right("abcdef", 4), "abcd");
}

TEST(Text, PolishCaseFolding) {
  // ąćęłńóśźż in Windows-1250 and their capitals.
  const std::string lower_pl = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";
  const std::string upper_pl = "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
  EXPECT_EQ(upper(lower_pl), upper_pl);
  EXPECT_EQ(lower(upper_pl), lower_pl);
  EXPECT_EQ(upper("abc-123"), "ABC-123");
  EXPECT_TRUE(equal_ci("Zo\xBF" "ka  ", "ZO\xAF" "KA"));
  EXPECT_FALSE(equal_ci("ab", "abc"));
}

TEST(Text, Utf8RoundTripOfEveryByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(from_utf8(to_utf8(all)), all);
  EXPECT_EQ(to_utf8("\xBF\xF3\xB3w"), "\xC5\xBC\xC3\xB3\xC5\x82w");  // żółw
}

TEST(Text, MalformedUtf8ArrivesAsBytes) {
  EXPECT_EQ(from_utf8("a\xB9z"), "a\xB9z");      // a lone Windows-1250 byte
  EXPECT_EQ(from_utf8("\xC5"), "\xC5");          // a cut sequence at the end
  EXPECT_EQ(from_utf8("\xE2\x82\xAC"), "\x80");  // the euro sign has its own byte
  EXPECT_EQ(from_utf8("\xE4\xB8\xAD"), "?");     // no Windows-1250 form
}

TEST(Text, ApostrophesDoubledOnce) {
  EXPECT_EQ(double_apostrophes("O'Brien''s"), "O''Brien''''s");
  EXPECT_EQ(double_apostrophes(""), "");
}

}  // namespace
}  // namespace orv::text
