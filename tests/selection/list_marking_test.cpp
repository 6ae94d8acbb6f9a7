// Whole-list marking and inversion on the demo database: exact steps, effects, and every failure.
#include "selection/list_marking.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "selection/list_count.hpp"
#include "selection/marked_records.hpp"
#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::selection {
namespace {

constexpr int32_t kUsage = 5;
// The demo's goods (not the service, 7) of the article list, its page positioned on a warehouse.
const std::string kList =
    "select A.ID_ARTYKULU, A.NAZWA from artykul A with (nolock) where A.RODZAJ = 't' "
    "AND  (  A.ID_MAGAZYNU > 1) order by A.NAZWA";
const std::vector<std::string> kGoods = {"1", "10", "2", "3", "4", "5", "6", "8", "9"};

class WholeList : public ::testing::Test {
 protected:
  // The user's marks as "usage:id", sorted; parked ones included.
  std::vector<std::string> marks() {
    auto m =
        db.column("select uzycie || ':' || id from zaznaczone where id_sesji=7 and uzycie in (" +
                  std::to_string(kUsage) + "," + std::to_string(kParkedOffset + kUsage) + ")");
    std::sort(m.begin(), m.end());
    return m;
  }
  std::vector<std::string> marked_ids() {
    auto m = db.column("select id from zaznaczone where id_sesji=7 and uzycie=5 order by 1");
    std::sort(m.begin(), m.end());
    return m;
  }
  void mark(int id, int usage = kUsage) {
    ASSERT_TRUE(db.run("insert into zaznaczone (id_sesji,uzycie,id) values (7," +
                       std::to_string(usage) + "," + std::to_string(id) + ")"));
  }

  test::DemoDb db;
  test::ScopedUi ui{{}, /*strict=*/false};
};

TEST_F(WholeList, MarkingSendsTheDocumentedStepsAndMarksTheFilteredList) {
  ASSERT_TRUE(db.tsql());
  mark(3);       // inside the list: kept once
  mark(777777);  // outside the list: stays
  db.clear_statements();
  EXPECT_EQ(ZAZNACZALLSQL(kUsage, kList, "A.ID_ARTYKULU"), 10);
  const std::string from = "FROM ARTYKUL A WITH (NOLOCK) WHERE A.RODZAJ = 'T'";
  const std::string count =
      "select count(*) from zaznaczone with (nolock) where uzycie=5 and id_sesji=7";
  EXPECT_EQ(
      db.statements(),
      (std::vector<std::string>{
          "delete from zaznaczone where id_sesji=7 and uzycie=25000+5", count,
          "update zaznaczone set uzycie=uzycie+25000 where id_sesji=7 and uzycie=5 and id in "
          "(select distinct A.ID_ARTYKULU  " +
              from + ")",
          "insert into zaznaczone (id,uzycie,id_sesji) select distinct A.ID_ARTYKULU,5,7  " + from,
          "delete from zaznaczone where id_sesji=7 and uzycie=25000+5", count}));
  auto expected = kGoods;
  expected.push_back("777777");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(marked_ids(), expected);
  // 2 an empty set needs no parking: the insert alone
  db.run("delete from zaznaczone where id_sesji=7 and uzycie=5");
  db.clear_statements();
  EXPECT_EQ(ZAZNACZALLSQL(kUsage, kList, "A.ID_ARTYKULU"), 9);
  EXPECT_EQ(db.statements().size(), 4u);
  EXPECT_EQ(marked_ids(), kGoods);
}

TEST_F(WholeList, InvertingTwiceRestoresTheSetAndKeepsMarksOutside) {
  mark(3);
  mark(777777);
  mark(4, kParkedOffset + kUsage);  // a parked row a crash left behind
  const auto before = marked_ids();
  db.clear_statements();
  EXPECT_EQ(INWERSJASQL(kUsage, kList, "A.ID_ARTYKULU"), 9);  // 8 goods + 777777
  EXPECT_EQ(db.statements().size(), 6u);
  auto inverted = marked_ids();
  EXPECT_TRUE(std::find(inverted.begin(), inverted.end(), "3") == inverted.end());
  EXPECT_TRUE(std::find(inverted.begin(), inverted.end(), "4") != inverted.end());
  EXPECT_EQ(INWERSJASQL(kUsage, kList, "A.ID_ARTYKULU"), 2);
  EXPECT_EQ(marks(), (std::vector<std::string>{"5:3", "5:777777"}));
  EXPECT_EQ(marked_ids(), before);
}

TEST_F(WholeList, WithoutFromNothingChanges) {
  mark(3);
  EXPECT_EQ(ZAZNACZALLSQL(kUsage, "select 1", "A.ID"), 1);
  EXPECT_EQ(INWERSJASQL(kUsage, "", "A.ID"), 1);
  EXPECT_EQ(db.statements().size(), 2u);  // the two counts
}

TEST_F(WholeList, TooLongForTheProgressWindowIsRefusedBeforeAnyStep) {
  mark(3);
  db.clear_statements();
  const std::string long_list =
      "select A.ID_ARTYKULU from artykul A where A.NAZWA <> '" + std::string(10000, 'x') + "'";
  EXPECT_EQ(ZAZNACZALLSQL(kUsage, long_list, "A.ID_ARTYKULU"), kMarkingFailed);
  EXPECT_EQ(INWERSJASQL(kUsage, long_list, "A.ID_ARTYKULU"), kMarkingFailed);
  EXPECT_TRUE(db.statements().empty());
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_NE(ui.boxes()[0].box.text.find("Zaznaczenia nie zmieniono."), std::string::npos);
  EXPECT_EQ(marks(), (std::vector<std::string>{"5:3"}));
}

// Every step failing in turn: the result says so and the marks are as they were, none parked.
struct FailureCase {
  const char* name;
  bool inversion;
  std::string failing;  // a fragment of the statement made to fail; "" = the final clearing
};

class StepFails : public WholeList, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(StepFails, MarksStayAsTheyWere) {
  const FailureCase& c = GetParam();
  mark(3);
  mark(777777);
  const auto before = marks();
  if (c.failing.empty()) {
    // Only rows parked by this call exist when the last step clears them.
    ASSERT_TRUE(
        db.run("create trigger parked_stay before delete on zaznaczone when old.uzycie >= "
               "25000 begin select raise(abort, 'parked rows stay'); end"));
  } else {
    db.faults().fail_matching(c.failing, sql::Fault::rejected("injected"));
  }
  auto run = c.inversion ? INWERSJASQL : ZAZNACZALLSQL;
  EXPECT_EQ(run(kUsage, kList, "A.ID_ARTYKULU"), kMarkingFailed);
  db.faults().heal();
  db.run("drop trigger if exists parked_stay");
  EXPECT_EQ(marks(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StepFails,
    testing::Values(
        // 1-5 marking: stale rows, count, parking, insert, final clearing
        FailureCase{"MarkStale", false, "delete from zaznaczone where id_sesji=7 and uzycie=25000"},
        FailureCase{"MarkCount", false, "select count(*) from zaznaczone"},
        FailureCase{"MarkPark", false, "set uzycie=uzycie+25000"},
        FailureCase{"MarkInsert", false, "insert into zaznaczone"},
        FailureCase{"MarkClear", false, ""},
        // 6-10 inversion: stale rows, parking, insert, unmarking the parked, final clearing
        FailureCase{"InvertStale", true,
                    "delete from zaznaczone where id_sesji=7 and uzycie=25000"},
        FailureCase{"InvertPark", true, "set uzycie=uzycie+25000"},
        FailureCase{"InvertInsert", true, "insert into zaznaczone"},
        FailureCase{"InvertUnmark", true, "and id in (select id from zaznaczone"},
        FailureCase{"InvertClear", true, ""}),
    orv::test::named_case);

TEST_F(WholeList, CountingIgnoresThePagePosition) {
  int32_t step = 0;
  EXPECT_EQ(POLICZREKORDYBROWSERA(kList, &step), 9);
  EXPECT_EQ(step, 10);
  EXPECT_EQ(db.statements().back(),
            "select count(*) FROM ARTYKUL A WITH (NOLOCK) WHERE A.RODZAJ = 'T'");
  // a positioning condition counting does not know keeps its rows from the position onward
  EXPECT_EQ(POLICZREKORDYBROWSERA(
                "select A.ID from artykul A where A.RODZAJ = 'T' AND  (  A.ID_KATEGORII > 2) "),
            5);
  db.faults().fail_matching("select count(*) FROM", sql::Fault::rejected("gone"));
  EXPECT_EQ(POLICZREKORDYBROWSERA(kList, &step), 0);
}

}  // namespace
}  // namespace orv::selection
