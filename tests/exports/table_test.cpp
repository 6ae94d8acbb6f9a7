// The table of exported procedures as hosts see it, and the C header as a C compiler sees it.
#include <gtest/gtest.h>

#include "exports/table.hpp"

extern "C" int orvrun_h_procedures(void);

namespace orv::exports {
namespace {

// 1. orvrun.h compiles as C99 and its declarations link against the library.
TEST(Table, HeaderIsPlainC) {
  EXPECT_EQ(orvrun_h_procedures(), 8);
}

// 2. Names are unique and sorted, so look-up by name finds each procedure.
TEST(Table, EveryProcedureIsFoundByName) {
  for (const Procedure& p : procedures()) EXPECT_EQ(find(p.name), &p) << p.name;
}

}  // namespace
}  // namespace orv::exports
