// File-name stems, hexadecimal digits and address lines.
#include "calc/text_utils.hpp"

#include <gtest/gtest.h>

#include <climits>

#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"

namespace orv::calc {
namespace {

TEST(FileName, CharactersAreReplacedOrDropped) {
  EXPECT_EQ(WALIDUJNAZWEPLIKU("raport.2024/01"), "raport2024_01");
  EXPECT_EQ(WALIDUJNAZWEPLIKU("a|b\\c>d<e/f"), "a_b_c_d_e_f");
  EXPECT_EQ(WALIDUJNAZWEPLIKU("`\".~+-,;:[]x"), "x");
  EXPECT_EQ(WALIDUJNAZWEPLIKU("a*b?c"), "a_b_c");  // wildcards would not name one file
  EXPECT_EQ(WALIDUJNAZWEPLIKU("Zamówienie 7  "_w1250), "Zamówienie 7"_w1250);
  EXPECT_EQ(WALIDUJNAZWEPLIKU(std::string(1500, 'n')), std::string(999, 'n'));
  EXPECT_EQ(WALIDUJNAZWEPLIKU("../../etc"), "__etc");  // no way out of the folder
}

TEST(Hex, ByteAndLongDigits) {
  const std::pair<uint8_t, const char*> bytes[] = {
      {0, "00"}, {10, "0A"}, {0xA5, "A5"}, {255, "FF"}};
  for (auto [v, want] : bytes) {
    char* r = ::BYTETOHEX(v);
    EXPECT_STREQ(r, want);
    ORVRUN_FREE(r);
  }
  const std::pair<int32_t, const char*> longs[] = {{-1, "FFFFFFFF"},         {255, "000000FF"},
                                                   {0, "00000000"},          {INT_MIN, "80000000"},
                                                   {0x12345678, "12345678"}, {INT_MAX, "7FFFFFFF"}};
  for (auto [v, want] : longs) {
    char* r = ::LONGTOHEX(v);
    EXPECT_STREQ(r, want);
    ORVRUN_FREE(r);
  }
}

struct AddressCase {
  const char* name;
  const char *street, *number, *flat;
  std::string expected;
};

class Address : public testing::TestWithParam<AddressCase> {};
TEST_P(Address, Composes) {
  const AddressCase& c = GetParam();
  char* r = ::PODAJADRES(c.street, c.number, c.flat);
  EXPECT_EQ(std::string(r), c.expected);
  ORVRUN_FREE(r);
}
const std::string kLongStreet(150, 's');
INSTANTIATE_TEST_SUITE_P(
    Cases, Address,
    testing::Values(AddressCase{"Full", "Polna", "5", "12", "Polna 5/12"},         // 1
                    AddressCase{"FlatWithoutNumber", "Polna", "", "12", "Polna"},  // 2
                    AddressCase{"NoFlat", "Polna", "5", nullptr, "Polna 5"},       // 3 left out
                    AddressCase{"NoStreet", "  ", "5", "12", " 5/12"},           // 4 leading blank
                    AddressCase{"NothingAtAll", nullptr, nullptr, nullptr, ""},  // 5
                    AddressCase{"Clipped", "Polna  ", "5 ", "12 ", "Polna 5/12"},  // 6
                    AddressCase{"Long", kLongStreet.c_str(), "5", "1", std::string(99, 's')}),
    orv::test::named_case);

}  // namespace
}  // namespace orv::calc
