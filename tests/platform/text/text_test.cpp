// Windows-1250 text: case folding, capacities and the UTF-8 edge.
#include "platform/text/text.hpp"

#include <gtest/gtest.h>

#include "platform/text/cp1250.hpp"

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
  const std::string lower_pl = "ąćęłńóśźż"_w1250;
  const std::string upper_pl = "ĄĆĘŁŃÓŚŹŻ"_w1250;
  EXPECT_EQ(upper(lower_pl), upper_pl);
  EXPECT_EQ(lower(upper_pl), lower_pl);
  EXPECT_EQ(upper("abc-123"), "ABC-123");
  EXPECT_TRUE(
      equal_ci("Zoż"
               "ka  "_w1250,
               "ZOŻ"
               "KA"_w1250));
  EXPECT_FALSE(equal_ci("ab", "abc"));
}

TEST(Text, Utf8RoundTripOfEveryByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(from_utf8(to_utf8(all)), all);
  EXPECT_EQ(to_utf8("żółw"_w1250), "żółw");
}

TEST(Text, MalformedUtf8ArrivesAsBytes) {
  EXPECT_EQ(from_utf8("aąz"_w1250), "aąz"_w1250);  // a lone Windows-1250 byte
  EXPECT_EQ(from_utf8("\xC5"), "\xC5");          // a cut sequence at the end
  EXPECT_EQ(from_utf8("€"), "€"_w1250);          // the euro sign has its own byte
  EXPECT_EQ(from_utf8("中"), "?");               // no Windows-1250 form
}

TEST(Text, ApostrophesDoubledOnce) {
  EXPECT_EQ(double_apostrophes("O'Brien''s"), "O''Brien''''s");
  EXPECT_EQ(double_apostrophes(""), "");
}

}  // namespace
}  // namespace orv::text
