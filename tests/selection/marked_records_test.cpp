// Marked-record sets: exact statements, their channels, results read back, and real effects.
#include "selection/marked_records.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <thread>

#include "exports/orvrun.h"
#include "frame/marked_channel.hpp"
#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/server_objects.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "server/server.hpp"
#include "support/case_names.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::selection {
namespace {

using sql::FakeAnswer;

class Marks : public ::testing::Test {
 protected:
  void SetUp() override {
    dict::glo().ID_UZYTKOWNIKA = 4100001;
    dict::glo().ID_FIRMY = 2;
  }
  test::SqlStack db;
  test::ScopedUi ui;
};

struct StatementCase {
  const char* name;
  std::function<void()> call;
  std::string statement;
};

void PrintTo(const StatementCase& c, std::ostream* os) {
  *os << c.name;
}

const StatementCase kStatements[] = {
    // 1. Without id2 the server procedure marks, three arguments.
    {"MarkById", [] { ZAZNACZSQL(5, 123); }, "Call JL_Zaznacz (4100001,5,123)"},
    // 2. An id2 of 0 is the same as none.
    {"MarkWithZeroId2", [] { ZAZNACZSQL(5, 123, 0.0); }, "Call JL_Zaznacz (4100001,5,123)"},
    // 3. A real id2 marks the pair inline, once (the two-blank joins kept, the last blank cut).
    {"MarkPair", [] { ZAZNACZSQL(5, 123, 77.0); },
     "if not exists (select 1 from zaznaczone with (nolock) where id_sesji= 4100001 and uzycie= 5 "
     "and id= 123 and id2= 77) begin   insert into zaznaczone (id_sesji,uzycie,id,id2) "
     "values(4100001,5,123,77) end"},
    // 4. Big identifiers stay plain whole numbers.
    {"BigId", [] { ZAZNACZSQL(24999, 1e12); }, "Call JL_Zaznacz (4100001,24999,1000000000000)"},
    {"Unmark", [] { ODZNACZSQL(5, 123); }, "Call JL_Odznacz (4100001,5,123)"},
    {"UnmarkAll", [] { ODZNACZALLSQL(102); }, "Call JL_OdznaczAll (4100001,102)"},
    {"Count", [] { ILEZAZNACZONYCH(7); },
     "select count(*) from zaznaczone with (nolock) where uzycie=7 and id_sesji=4100001"},
    {"Save", [] { ZACHOWAJ_TORIX_ZAZNACZONE(3, -4); },
     "&RetCode = call RM_Zachowaj_TORIX_zaznaczone(2,4100001,3,-4)"},
    {"Restore", [] { PRZYWROC_TORIX_ZAZNACZONE(3, 4); },
     "&RetCode = call RM_Przywroc_TORIX_zaznaczone(2,4100001,3,4)"},
    // 5. Through the C ABI, id2 left out and given.
    {"CAbiMark", [] { ::ZAZNACZSQL(5, 9, nullptr); }, "Call JL_Zaznacz (4100001,5,9)"},
    {"CAbiMarkPair",
     [] {
       double id2 = 8;
       ::ZAZNACZSQL(5, 9, &id2);
     },
     "if not exists (select 1 from zaznaczone with (nolock) where id_sesji= 4100001 and uzycie= 5 "
     "and id= 9 and id2= 8) begin   insert into zaznaczone (id_sesji,uzycie,id,id2) "
     "values(4100001,5,9,8) end"},
};

class MarkStatements : public Marks, public ::testing::WithParamInterface<StatementCase> {};

TEST_P(MarkStatements, ExactText) {
  GetParam().call();
  EXPECT_EQ(db.recording.statements(), std::vector<std::string>{GetParam().statement});
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, MarkStatements, ::testing::ValuesIn(kStatements),
                         orv::test::named_case);

TEST_F(Marks, SingleMarksUseTheMarkedRecordChannelOnly) {
  ZAZNACZSQL(5, 1);
  ODZNACZSQL(5, 1);
  ILEZAZNACZONYCH(5);
  EXPECT_EQ(frame::VAX().opens(), 0u);
  EXPECT_EQ(db.recording.connections(), 1u);
}

TEST_F(Marks, CountReadsTheNumberAndFailureIsZero) {
  const std::string count = "select count(*) from zaznaczone with (nolock) where uzycie=";
  db.fake.answer(count + "1 and id_sesji=4100001", FakeAnswer::value("12"));
  db.fake.answer(count + "2 and id_sesji=4100001", {});  // no row
  db.fake.answer(count + "3 and id_sesji=4100001", FakeAnswer::error(90, "gone"));
  EXPECT_EQ(ILEZAZNACZONYCH(1), 12);
  EXPECT_EQ(::ILEZAZNACZONYCH(1), 12);
  EXPECT_EQ(ILEZAZNACZONYCH(2), 0);
  EXPECT_EQ(ILEZAZNACZONYCH(3), 0);
  ASSERT_EQ(ui.ui().error_windows().size(), 1u);  // after the one reopening
  EXPECT_EQ(ui.ui().error_windows()[0].message, "gone");
}

TEST_F(Marks, ReturnCodeComesFromTheBoundVariable) {
  const std::string save = "&RetCode = call RM_Zachowaj_TORIX_zaznaczone(2,4100001,";
  db.fake.answer(save + "1,1)", {0, {}, {}, {{"RetCode", "7"}}});
  db.fake.answer(save + "2,2)", {0, {}, {}, {{"retcode", "-1"}}});
  db.fake.answer(save + "3,3)", {});  // the procedure returned nothing
  db.fake.answer(save + "4,4)", {90, "no such procedure", {}, {{"RetCode", "9"}}});
  dict::glo().VAXOPENED = 1;
  EXPECT_EQ(ZACHOWAJ_TORIX_ZAZNACZONE(1, 1), 7);
  EXPECT_EQ(ZACHOWAJ_TORIX_ZAZNACZONE(2, 2), 255);  // an 8-bit variable
  EXPECT_EQ(ZACHOWAJ_TORIX_ZAZNACZONE(3, 3), 0);
  EXPECT_EQ(::ZACHOWAJ_TORIX_ZAZNACZONE(4, 4), 0);
  EXPECT_FALSE(frame::VAX().is_open());  // CLOSESQL after each
  EXPECT_EQ(dict::glo().VAXOPENED, 0);
  EXPECT_TRUE(ui.ui().error_windows().empty());  // EXECSQL reports nothing
}

// ---------------------------------------------------------------------------------------------
// Effects on a real database built from the server's schema, with its marking procedures.

class RealMarks : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server::create_database(dir.file("marks.db"), /*demo=*/false, error)) << error;
    driver = std::make_unique<sql::sqlite::SqliteDriver>(dir.file("marks.db"));
    frame::reset_channels();
    previous = sql::set_current_driver(driver.get());
    dict::reset_context();
    dict::glo().ID_UZYTKOWNIKA = 15;
  }
  void TearDown() override {
    frame::reset_channels();
    sql::set_current_driver(previous);
    dict::reset_context();
  }
  static int FUNCSQL_count(const std::string& statement) {
    return std::atoi(frame::FUNCSQL(statement).c_str());
  }
  int duplicates() {
    return std::atoi(
        frame::FUNCSQL("select count(*) from (select id, id2 from zaznaczone group by id_sesji, "
                       "uzycie, id, id2 having count(*) > 1) d")
            .c_str());
  }

  test::TempDir dir;
  test::ScopedUi ui;
  std::unique_ptr<sql::Driver> driver;
  sql::Driver* previous = nullptr;
};

TEST_F(RealMarks, MarkUnmarkAndCount) {
  ZAZNACZSQL(5, 1);
  ZAZNACZSQL(5, 1);
  ZAZNACZSQL(5, 2, 9.0);
  ZAZNACZSQL(5, 2, 9.0);
  ZAZNACZSQL(6, 1);
  EXPECT_EQ(ILEZAZNACZONYCH(5), 2);
  ODZNACZSQL(5, 1);
  EXPECT_EQ(ILEZAZNACZONYCH(5), 1);
  ODZNACZALLSQL(5);
  EXPECT_EQ(ILEZAZNACZONYCH(5), 0);
  EXPECT_EQ(ILEZAZNACZONYCH(6), 1);  // other sets untouched
  EXPECT_EQ(duplicates(), 0);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(RealMarks, FourThreadsMarkingOneSetLoseAndDuplicateNothing) {
  auto on_four_threads = [](auto work) {
    std::vector<std::thread> threads;
    threads.reserve(4);
    for (int t = 0; t < 4; ++t) threads.emplace_back(work, t);
    for (auto& t : threads) t.join();
  };
  on_four_threads([](int t) {
    for (int i = 0; i < 100; ++i) ZAZNACZSQL(7, (i + t * 25) % 100);
  });
  EXPECT_EQ(ILEZAZNACZONYCH(7), 100);
  on_four_threads([](int t) {
    for (int i = t % 2; i < 100; i += 2) ODZNACZSQL(7, i);
  });
  EXPECT_EQ(ILEZAZNACZONYCH(7), 0);
  EXPECT_EQ(duplicates(), 0);
}

// Four processes of four threads each, on one database file: every one marks the same hundred
// records, then every one unmarks the even ones. The set must end with exactly the odd ones.
TEST_F(RealMarks, FourProcessesOfFourThreadsLoseAndDuplicateNothing) {
  frame::reset_channels();  // no connection may cross a fork
  const std::string path = dir.file("marks.db");
  auto phase = [&](auto work) {
    std::vector<pid_t> children;
    for (int p = 0; p < 4; ++p) {
      pid_t pid = ::fork();
      if (pid == 0) {
        sql::sqlite::SqliteDriver own(path);
        sql::set_current_driver(&own);
        std::vector<std::thread> threads;
        threads.reserve(4);
        for (int t = 0; t < 4; ++t) threads.emplace_back(work, p * 4 + t);
        for (auto& t : threads) t.join();
        frame::reset_channels();
        ::_exit(0);
      }
      children.push_back(pid);
    }
    for (pid_t pid : children) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
  };
  phase([](int worker) {
    for (int i = 0; i < 100; ++i) ZAZNACZSQL(8, (i + worker * 7) % 100);
  });
  EXPECT_EQ(ILEZAZNACZONYCH(8), 100);
  frame::reset_channels();
  phase([](int worker) {
    for (int i = 0; i < 100; i += 2) ODZNACZSQL(8, (i + worker * 2) % 100);
  });
  EXPECT_EQ(ILEZAZNACZONYCH(8), 50);
  EXPECT_EQ(FUNCSQL_count("select count(*) from zaznaczone where uzycie = 8 and id % 2 = 0"), 0);
  EXPECT_EQ(duplicates(), 0);
}

}  // namespace
}  // namespace orv::selection
