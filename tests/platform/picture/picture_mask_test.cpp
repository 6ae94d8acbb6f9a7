// Pattern, key-in and string pictures, the accepted picture forms, and pictures that are invalid.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"

namespace orv::picture {
namespace {

struct MaskCase {
  int id;
  const char* picture;
  double value;
  std::string expected;
  const char* purpose;
};

class FormatPattern : public ::testing::TestWithParam<MaskCase> {};

TEST_P(FormatPattern, PlacesTheDigits) {
  const auto& c = GetParam();
  EXPECT_EQ(format(c.value, c.picture), c.expected) << "case " << c.id << ": " << c.purpose;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatPattern,
    ::testing::Values(
        MaskCase{1, "@P###-##-####P", 215846377, "215-84-6377", "digits from the right"},
        MaskCase{2, "@P<#/##/##P", 103159, "10/31/59", "'<' with a digit"},
        MaskCase{3, "@P<#/##/##P", 53159, " 5/31/59", "'<' blank for a leading zero"},
        MaskCase{4, "@P(###)###-####P", 3057854555, "(305)785-4555", "ten digits"},
        MaskCase{5, "@P###/###-####P", 7854555, "000/785-4555", "'#' shows zeros"},
        MaskCase{6, "@p<#:##PMp", 530, " 5:30PM", "lower-case delimiters, P literal"},
        MaskCase{7, "@P<#lb. <#oz.P", 902, " 9lb.  2oz.", "each run blanks its own zero"},
        MaskCase{8, "@P4##A-#P", 112, "411A-2", "digits as literals"},
        MaskCase{9, "@PA##.C#P", 312.45, "A31.C2", "only the integer part"},
        MaskCase{10, "@P##P", 123, "##", "more digits than positions"},
        MaskCase{11, "@P##P", -5, "##", "negative value"},
        MaskCase{12, "@P##PB", 0, "  ", "blank when zero"},
        MaskCase{13, "@P##P", 0, "00", "zero without B"},
        MaskCase{14, "@P##P", std::numeric_limits<double>::infinity(), "##", "infinity"},
        MaskCase{15, "@P####################P", 1e19, "####################", "beyond 1e18"},
        MaskCase{16, "@P##P@", 42, "42", "closing @ after the pattern"},
        MaskCase{17, "@P##P", 1e-300, "00", "fuzz: tiny value's decimal reading"},
        MaskCase{18, "@P##P", -1e-300, "00", "fuzz: tiny negative value"}),
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

struct TextCase {
  int id;
  const char* picture;
  const char* value;
  std::string expected;
  const char* purpose;
};

class FormatText : public ::testing::TestWithParam<TextCase> {};

TEST_P(FormatText, PlacesTheText) {
  const auto& c = GetParam();
  EXPECT_EQ(format_text(c.value, c.picture), c.expected) << "case " << c.id << ": " << c.purpose;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatText,
    ::testing::Values(
        TextCase{1, "s100", "abc", "abc" + std::string(97, ' '), "padded to the length"},
        TextCase{2, "@S3", "abcdef", "abc", "cut to the length"},
        TextCase{3, "@K###-###K", "123456", "123-456", "literal between inputs"},
        TextCase{4, "@K^^^K", "abc", "ABC", "upper-case positions"},
        TextCase{5, "@K___K", "ŁĄX"_w1250, "łąx"_w1250, "lower-case positions, Polish"},
        TextCase{6, "@K@@|-##K", "ab", "ab", "input stops at the bar"},
        TextCase{7, "@K@@|-##K", "ab12", "ab-12", "input continues past the bar"},
        TextCase{8, "@K\\##K", "5", "#5", "backslash makes a literal"},
        TextCase{9, "@K##\\KK", "12", "12K", "escaped delimiter"},
        TextCase{10, "@K###K", "1", "1  ", "missing input is blank"},
        TextCase{11, "@K###KB", "", "   ", "blank when empty"},
        TextCase{12, "@P###-##P", "12345", "123-45", "text read as a number"},
        TextCase{13, "", "abc", "abc", "no picture: the text itself"},
        TextCase{14, "@Q5", "abc", "abc", "unknown kind: the text itself"}),
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

TEST(DeformatMask, ReadsInputPositions) {
  EXPECT_EQ(deformat_number("215-84-6377", "@P###-##-####P"), 215846377);
  EXPECT_EQ(deformat_number(" 5:30PM", "@p<#:##PMp"), 530);
  EXPECT_EQ(deformat("123-456", "@K###-###K"), "123456");
  EXPECT_EQ(deformat("#5", "@K\\##K"), "5");
  EXPECT_EQ(deformat("ab   ", "@K@@@@@K"), "ab");
  EXPECT_EQ(deformat("  abc ", "@s10"), "  abc ");
}

TEST(PictureForms, WithAndWithoutAtSignsAgree) {
  EXPECT_EQ(format(1234.5, "N015.2"), format(1234.5, "@N015.2"));
  EXPECT_EQ(format(1234.5, "@n-14_@"), format(1234.5, "@n-14_"));
  EXPECT_EQ(format(1234.5, "@n-14_@whatever"), format(1234.5, "@n-14_"));
  EXPECT_EQ(format(1234.5, "  N015.2  "), "000000001234.50");
  EXPECT_EQ(parse("@n-14_@").kind, Kind::Number);
  EXPECT_EQ(parse("@K@@K").mask, "@@");
}

struct BadCase {
  int id;
  const char* picture;
  const char* purpose;
};

class InvalidPicture : public ::testing::TestWithParam<BadCase> {};

// A bad mask from the database must neither throw nor lose the value: the plain text comes back.
TEST_P(InvalidPicture, GivesThePlainText) {
  const auto& c = GetParam();
  EXPECT_FALSE(parse(c.picture).valid()) << "case " << c.id << ": " << c.purpose;
  EXPECT_EQ(format(1234.5, c.picture), "1234.5") << "case " << c.id;
  EXPECT_EQ(format(-0.0, c.picture), "0") << "case " << c.id;
  EXPECT_EQ(format_text("abc", c.picture), "abc") << "case " << c.id;
  EXPECT_EQ(deformat_number("x-12.5", c.picture), -12.5) << "case " << c.id;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InvalidPicture,
    ::testing::Values(
        BadCase{1, "", "empty"}, BadCase{2, "@", "at sign alone"}, BadCase{3, "@N", "no size"},
        BadCase{4, "@N0", "fill without size"},
        BadCase{5, "@N99999999999999999999", "size beyond any integer"},
        BadCase{6, "@N256", "wider than a display field"},
        BadCase{7, "@N9.9", "places not below the size"}, BadCase{8, "@N(9.2", "'(' without ')'"},
        BadCase{9, "@N9.2)", "')' without '('"}, BadCase{10, "@N-9.2-", "two minus signs"},
        BadCase{11, "@N~kr12", "unclosed currency"}, BadCase{12, "@N9x", "stray token"},
        BadCase{13, "@X12", "unknown kind"}, BadCase{14, "@D19", "no such date layout"},
        BadCase{15, "@D0", "zero flag without layout"}, BadCase{16, "@T9", "no such time layout"},
        BadCase{17, "@P###", "pattern without its closing P"}, BadCase{18, "@PP", "empty pattern"},
        BadCase{19, "@S0", "empty string"}, BadCase{20, "@S99999999", "string too long"},
        BadCase{21, "@E5", "scientific without separator"},
        BadCase{22, "@N`2", "places without size"}, BadCase{23, "@P#P#", "text after the pattern"},
        BadCase{24, "@N9``2", "doubled grave accent"}),
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

TEST(InvalidPicture, NonFiniteValuesGivePlainZero) {
  EXPECT_EQ(format(std::nan(""), ""), "0");
  EXPECT_EQ(format(std::numeric_limits<double>::infinity(), "@Q"), "0");
}

}  // namespace
}  // namespace orv::picture
