// The list statement trimmer and the count statement, as case tables over both marker lists.
#include "selection/list_statement.hpp"

#include <gtest/gtest.h>

#include "selection/list_count.hpp"
#include "support/case_names.hpp"

namespace orv::selection {
namespace {

struct TrimCase {
  const char* name;
  std::string statement, from_for_marking, count;
};

class Trim : public testing::TestWithParam<TrimCase> {};
TEST_P(Trim, CutsToTheWholeList) {
  const TrimCase& c = GetParam();
  EXPECT_EQ(from_part(trim_list_statement(c.statement, Markers::Marking)), c.from_for_marking);
  EXPECT_EQ(count_statement(c.statement), c.count);
}

const std::string kSelect = "select A.ID, A.NAZWA from artykul A where A.RODZAJ = 't'";
const std::string kFrom = "FROM ARTYKUL A WHERE A.RODZAJ = 'T'";

INSTANTIATE_TEST_SUITE_P(
    Cases, Trim,
    testing::Values(
        // 1 no FROM, or nothing at all: nothing to mark or count
        TrimCase{"NoFrom", "select 1", "", ""}, TrimCase{"Empty", "", "", ""},
        // 2 the sort order goes; literals are upper-cased with the rest (Polish letters too)
        TrimCase{"OrderBy", kSelect + " and A.NAZWA like '\x9Cr%'  order by A.NAZWA",
                 kFrom + " AND A.NAZWA LIKE '\x8CR%'",
                 "select count(*) " + kFrom + " AND A.NAZWA LIKE '\x8CR%'"},
        // 3 a positioning condition cuts every condition after it
        TrimCase{"RangeCutsTheRest", kSelect + " AND  (  A.ID_FIRMY < 5 ) and A.X = 1 order by 1",
                 kFrom, "select count(*) " + kFrom},
        // 4 a column only counting knows (NAZWA) stays when marking
        TrimCase{"CountingOnlyColumn", kSelect + " AND  (  A.NAZWA >= 'K') order by A.NAZWA",
                 kFrom + " AND  (  A.NAZWA >= 'K')", "select count(*) " + kFrom},
        // 5 a column only marking knows (ID_TRASY) stays when counting
        TrimCase{"MarkingOnlyColumn", kSelect + " AND  (  A.ID_TRASY > 3)", kFrom,
                 "select count(*) " + kFrom + " AND  (  A.ID_TRASY > 3)"},
        // 6 the two-blank ">=" and the quoted user column
        TrimCase{"TwoBlankGe", kSelect + " AND  (  A.NUMER  >= 7)", kFrom,
                 "select count(*) " + kFrom},
        TrimCase{"QuotedUser", kSelect + " AND  (  A.\"ID_UZYTKOWNIKA\" <= 7)", kFrom,
                 "select count(*) " + kFrom},
        // 7 a marker with one blank fewer is no marker
        TrimCase{"OneBlank", kSelect + " AND (  A.ID_FIRMY < 5)", kFrom + " AND (  A.ID_FIRMY < 5)",
                 "select count(*) " + kFrom + " AND (  A.ID_FIRMY < 5)"},
        // 8 the first FROM counts, also inside a sub-select of the select list
        TrimCase{"SubSelectFrom", "select (select max(x) from t), A.ID from artykul A",
                 "FROM T), A.ID FROM ARTYKUL A", "select count(*) FROM T), A.ID FROM ARTYKUL A"},
        // 9 DISTINCT goes with the select list when counting
        TrimCase{"Distinct", "select distinct A.ID from artykul A   ", "FROM ARTYKUL A",
                 "select count(*) FROM ARTYKUL A"},
        // 10 a marker before the first FROM leaves nothing to mark, but counting starts at FROM
        TrimCase{"MarkerBeforeFrom", "select A.X order by 1 from t", "", "select count(*) FROM T"}),
    orv::test::named_case);

TEST(CountingStep, GrowsWithTheCount) {
  const std::pair<int32_t, int32_t> cases[] = {{0, 10},         {1000, 10},    {1001, 100},
                                               {10000, 100},    {10001, 1000}, {100000, 1000},
                                               {100001, 10000}, {-1, 10000}};
  for (auto [count, step] : cases) EXPECT_EQ(counting_step(count), step) << count;
}

}  // namespace
}  // namespace orv::selection
