// Typed fields of a scratch table over the real database: one reading rule for every column.
#include <gtest/gtest.h>

#include "platform/sql/scratch_table.hpp"
#include "support/demo_db.hpp"

namespace orv::sql {
namespace {

struct FieldCase {
  const char* purpose;
  double real;
  int32_t lng;
  int byte;
};

// Column k + 1 of the statement below.
// clang-format off
const FieldCase kColumns[] = {
    {"1 a fraction: LONG and BYTE drop it",        2.5,            2,  2},
    {"2 past a BYTE: refused, not 255 or 44",      300,            300, 0},
    {"3 a blank-padded text",                      7,              7,  7},
    {"4 NULL reads as 0",                          0,              0,  0},
    {"5 a text that is no number",                 0,              0,  0},
    {"6 a negative fraction toward zero",          -2.5,           -2, 0},
    {"7 past a LONG: the REAL is kept",            123456789012.0, 0,  0},
    {"8 a decimal comma is no number",             0,              0,  0},
    {"9 a decimal column at its scale",            12.5,           12, 12},
};
// clang-format on

TEST(ScratchFields, ReadByTheRuntimeRule) {
  test::DemoDb db;
  ScratchTable t{"N", RecordLayout{}};
  ASSERT_EQ(t.open(), kOk);
  ASSERT_EQ(t.send("select 2.5, 300, '  7 ', null, 'abc', -2.5, 123456789012, '2,5', "
                   "cast(12.50 as numeric(15,2))"),
            kOk)
      << t.message();
  ASSERT_TRUE(t.next());
  for (std::size_t i = 0; i < std::size(kColumns); ++i) {
    const FieldCase& c = kColumns[i];
    SCOPED_TRACE(std::string(c.purpose) + ": \"" + t.field(i + 1) + "\"");
    EXPECT_EQ(t.real_field(i + 1), c.real);
    EXPECT_EQ(t.long_field(i + 1), c.lng);
    EXPECT_EQ(t.byte_field(i + 1), c.byte);
  }
  EXPECT_EQ(t.long_field(99), 0);  // beyond the row's columns
  t.close();
}

}  // namespace
}  // namespace orv::sql
