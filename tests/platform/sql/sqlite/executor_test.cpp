// The plan executor on a real database: calls, return codes, IF, variables, batches, results.
#include "platform/sql/sqlite/executor.hpp"

#include <gtest/gtest.h>

#include "platform/sql/sqlite/session.hpp"
#include "sqlite_fixture.hpp"

namespace orv::sql::sqlite {
namespace {

using dialect::Action;
using dialect::Plan;

Action sql(std::string text) {
  Action a;
  a.sql = std::move(text);
  return a;
}

Action call(std::string name, std::vector<std::string> args, std::string return_var = {}) {
  Action a;
  a.kind = Action::Kind::Call;
  a.name = std::move(name);
  a.args = std::move(args);
  a.return_var = std::move(return_var);
  return a;
}

Action when(std::string condition, std::vector<Action> then_actions,
            std::vector<Action> else_actions = {}) {
  Action a;
  a.kind = Action::Kind::If;
  a.sql = std::move(condition);
  a.then_actions = std::move(then_actions);
  a.else_actions = std::move(else_actions);
  return a;
}

Action variable(Action::Kind kind, std::string name, std::string value) {
  Action a;
  a.kind = kind;
  a.name = std::move(name);
  a.sql = std::move(value);
  return a;
}

class ExecutorTest : public testing::Test {
 protected:
  void SetUp() override {
    orv::test::register_test_objects();
    db_ = orv::test::open_backend_db(dir_.file("x.db"));
    orv::test::exec_or_throw(db_.get(), "create table t_log (v); create table t (a, b)");
    session_ = std::make_unique<DbSession>(db_.get(), nullptr, &statements_);
  }

  // Runs the plan; returns "" or the error, leaving rows in result_.
  std::string run(std::vector<Action> actions, bool live = false) {
    Executor executor(db_.get(), *session_, &statements_);
    result_.reset();
    Plan plan{std::move(actions)};
    return executor.run(plan, vars_, result_, live) ? "" : executor.error();
  }

  // Every row of the result, cells joined with '|' and rows with ';'.
  std::string rows() {
    if (!result_) return "(no result)";
    std::string out;
    while (result_->next()) {
      if (!out.empty()) out += ";";
      for (std::size_t k = 0; k < result_->columns(); ++k) {
        out += (k ? "|" : "") + result_->value(k).as_text();
      }
    }
    return out;
  }

  orv::test::TempDir dir_;
  orv::test::DbHandle db_;
  StatementCache statements_;
  std::unique_ptr<DbSession> session_;
  Variables vars_;
  std::unique_ptr<ResultSet> result_;
};

// 1. Arguments are evaluated by SQLite with their types; the return code reaches &RetCode.
TEST_F(ExecutorTest, CallPassesTypedArgumentsAndReturnCode) {
  ASSERT_EQ(run({call("ORV_TEST_ECHO", {"-1", "4.2512", "'EUR'", "1+2"}, "&RetCode")}), "");
  EXPECT_EQ(rows(), "-1|integer|4.2512|real|EUR|text|3|integer");
  ASSERT_TRUE(vars_.count("retcode"));
  EXPECT_EQ(vars_["retcode"].as_integer(), 0);
  ASSERT_EQ(run({call("orv_test_echo", {"41"}, "&RetCode")}), "");
  EXPECT_EQ(vars_["retcode"].as_integer(), 42);
}

// 2. An unknown procedure is the server's error, not a silent success.
TEST_F(ExecutorTest, UnknownProcedureFails) {
  EXPECT_EQ(run({call("JL_Nieznana", {"1"})}), "Could not find stored procedure 'JL_Nieznana'.");
}

// 3. A procedure's own failure stops the batch with its message.
TEST_F(ExecutorTest, ProcedureErrorStopsTheBatch) {
  EXPECT_EQ(run({call("orv_test_fail", {}), sql("insert into t values (1,1)")}),
            "Klient nie istnieje");
  EXPECT_EQ(orv::test::scalar(db_.get(), "select count(*) from t"), "0");
}

// 4. The first statement or procedure with a result set wins; later ones still run.
TEST_F(ExecutorTest, FirstResultSetWins) {
  ASSERT_EQ(run({sql("insert into t values (1,'x')"), sql("select a, b from t"),
                 call("orv_test_echo", {"5"}), sql("insert into t values (2,'y')")}),
            "");
  EXPECT_EQ(rows(), "1|x");
  EXPECT_EQ(orv::test::scalar(db_.get(), "select count(*) from t"), "2");
  ASSERT_EQ(run({call("orv_test_echo", {"5"}), sql("select 1")}), "");
  EXPECT_EQ(rows(), "5|integer");
}

// 5. An empty SELECT is still the first result set.
TEST_F(ExecutorTest, EmptySelectIsTheResult) {
  ASSERT_EQ(run({sql("select a from t where 0"), sql("select 7")}), "");
  ASSERT_TRUE(result_);
  EXPECT_EQ(result_->columns(), 1u);
  EXPECT_EQ(rows(), "");
}

// 6. IF picks its branch; a NULL condition is false, as in T-SQL.
TEST_F(ExecutorTest, IfRunsOneBranch) {
  ASSERT_EQ(
      run({when("not exists (select 1 from t where a=1)", {sql("insert into t values (1,'a')")},
                {sql("insert into t values (9,'else')")})}),
      "");
  ASSERT_EQ(
      run({when("not exists (select 1 from t where a=1)", {sql("insert into t values (1,'a')")},
                {sql("insert into t values (9,'else')")})}),
      "");
  ASSERT_EQ(run({when("NULL", {sql("insert into t values (5,'null')")})}), "");
  EXPECT_EQ(
      orv::test::scalar(db_.get(), "select group_concat(a) from (select a from t order by a)"),
      "1,9");
}

// 7. Declared variables bind as parameters in later statements and conditions.
TEST_F(ExecutorTest, VariablesBindIntoStatements) {
  ASSERT_EQ(
      run({variable(Action::Kind::Declare, "@n", ""), variable(Action::Kind::Set, "@n", "40+2"),
           when("@n > 40", {sql("insert into t values (@n, 'big')")}),
           sql("select a, b from t where a = @N")}),
      "");
  EXPECT_EQ(rows(), "42|big");
}

// 8. A variable the batch never set reads as NULL; SET creates it.
TEST_F(ExecutorTest, UnsetVariablesReadAsNull) {
  ASSERT_EQ(run({sql("select coalesce(@x, 'null'), :RetCode is null")}), "");
  EXPECT_EQ(rows(), "null|1");
  ASSERT_EQ(run({variable(Action::Kind::Set, "@y", "'set'"), sql("select @y")}), "");
  EXPECT_EQ(rows(), "set");
}

// 9. Several statements in one text run in order; a failing one stops the rest.
TEST_F(ExecutorTest, BatchStopsAtTheFailingStatement) {
  EXPECT_EQ(run({sql("insert into t values (1,1); insert into nosuch values (1); "
                     "insert into t values (2,2)")}),
            "no such table: nosuch");
  EXPECT_EQ(orv::test::scalar(db_.get(), "select count(*) from t"), "1");
  ASSERT_EQ(run({sql("insert into t values (3,3);\n select count(*) from t; -- end")}), "");
  EXPECT_EQ(rows(), "2");
}

// 10. A last statement streams its rows; anything after it forces them into memory first.
TEST_F(ExecutorTest, LiveAndKeptResultsReadTheSame) {
  orv::test::exec_or_throw(db_.get(),
                           "with recursive n(i) as (select 1 union all select i+1 from n where "
                           "i<500) insert into t select i, 'r'||i from n");
  ASSERT_EQ(run({sql("select count(*), sum(a) from t")}, /*live=*/true), "");
  EXPECT_EQ(rows(), "500|125250");
  ASSERT_EQ(run({sql("select a from t where a > 498 order by a")}, /*live=*/true), "");
  EXPECT_EQ(rows(), "499;500");
  ASSERT_EQ(run({sql("select a from t where a > 498 order by a"), sql("delete from t")}, true), "");
  EXPECT_EQ(rows(), "499;500");
}

// 11. A procedure can write through its session and run T-SQL that goes through translation.
TEST_F(ExecutorTest, ProceduresUseTheirSession) {
  ASSERT_EQ(run({call("orv_test_insert", {"'x'"}, "&RetCode")}), "");
  EXPECT_EQ(vars_["retcode"].as_integer(), 1);
  ASSERT_EQ(run({call("orv_test_tsql", {"'select v from t_log'"})}), "");
  EXPECT_EQ(rows(), "x");
  EXPECT_EQ(run({call("orv_test_tsql", {"'select nosuch from t_log'"})}), "no such column: nosuch");
}

// 12. Arguments SQLite cannot evaluate fail before the procedure runs.
TEST_F(ExecutorTest, BadArgumentsFail) {
  EXPECT_EQ(run({call("orv_test_insert", {"nosuchcolumn"})}), "no such column: nosuchcolumn");
  EXPECT_EQ(orv::test::scalar(db_.get(), "select count(*) from t_log"), "0");
}

}  // namespace
}  // namespace orv::sql::sqlite
