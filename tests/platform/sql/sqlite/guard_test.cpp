// The channel connections' guard: what they refuse, the bounded lock wait, and its wording.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/sql/sqlite/guard.hpp"
#include "sqlite_fixture.hpp"

namespace orv::test {
namespace {

struct GuardCase {
  const char* statement;
  const char* refusal;  // nullptr: allowed; else a fragment of the channel's message
};

class Guard : public testing::Test {
 protected:
  void SetUp() override {
    exec_or_throw(open_backend_db(path_).get(), "create table t(a); insert into t values(1)");
  }
  TempDir dir_;
  std::string path_ = dir_.file("g.db");
  sql::sqlite::SqliteDriver driver_{path_};
};

TEST_F(Guard, RefusesWhatNoProcedureNeedsAsAnOrdinaryChannelError) {
  const GuardCase cases[] = {
      // 1-3. Another file reached from the library's connection.
      {"attach database 'other.db' as o", "ATTACH and VACUUM INTO is not allowed"},
      {"vacuum into 'copy.db'", "ATTACH and VACUUM INTO is not allowed"},
      {"detach database main", "DETACH is not allowed"},
      // 4. Loading code into the process.
      {"select load_extension('/tmp/x')", "load_extension"},
      // 5-7. PRAGMA writes, the backend's own included.
      {"pragma journal_mode=delete", "PRAGMA journal_mode with a value is not allowed"},
      {"PRAGMA writable_schema = 1", "PRAGMA writable_schema with a value"},
      {"pragma user_version=7", "PRAGMA user_version with a value"},
      // 8-11. Reads stay: PRAGMAs without a value, those taking a table, their table forms.
      {"pragma user_version", nullptr},
      {"pragma table_info(t)", nullptr},
      {"select count(*) from pragma_table_info('t')", nullptr},
      {"select a from t", nullptr},
  };
  std::string error;
  auto c = driver_.connect(error);
  ASSERT_TRUE(c) << error;
  for (const GuardCase& g : cases) {
    int code = c->send(g.statement);
    if (!g.refusal) {
      EXPECT_EQ(code, sql::kOk) << g.statement << ": " << c->message();
      continue;
    }
    EXPECT_EQ(code, sql::kRejected) << g.statement;
    EXPECT_NE(c->message().find(g.refusal), std::string::npos)
        << g.statement << ": " << c->message();
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.file("copy.db")));
  EXPECT_EQ(scalar(open_plain_db(path_).get(), "pragma user_version"), "0");
}

TEST_F(Guard, LockWaitIsBoundedAndAGivenUpWriteIsReportedNotTaken) {
  auto holder = open_backend_db(path_);
  exec_or_throw(holder.get(), "begin immediate; insert into t values(2)");
  sql::sqlite::SqliteOptions quick;
  quick.busy_timeout_ms = 50;
  sql::sqlite::SqliteDriver waiting(path_, quick);
  std::string error;
  auto c = waiting.connect(error);
  ASSERT_TRUE(c) << error;
  EXPECT_EQ(c->send("insert into t values(3)"), sql::kRejected);
  EXPECT_NE(c->message().find("gave up waiting for another connection's lock"), std::string::npos)
      << c->message();
  exec_or_throw(holder.get(), "commit");
  EXPECT_EQ(c->send("insert into t values(3)"), sql::kOk) << c->message();
  EXPECT_EQ(scalar(holder.get(), "select group_concat(a) from t"), "1,2,3");
}

TEST(BusyTimeout, ReadFromTheEnvironmentWithinBounds) {
  struct Case {
    const char* value;  // nullptr: unset
    int ms;
  } cases[] = {
      {nullptr, sql::sqlite::kDefaultBusyTimeoutMs},  // 1. default: a few seconds
      {"250", 250},                                   // 2. as given
      {"0", 0},                                       // 3. do not wait
      {"2s", sql::sqlite::kDefaultBusyTimeoutMs},     // 4-6. not a number of ms: default
      {"-1", sql::sqlite::kDefaultBusyTimeoutMs},
      {"999999999", sql::sqlite::kDefaultBusyTimeoutMs},
  };
  for (const Case& c : cases) {
    if (c.value)
      ::setenv("ORVRUN_BUSY_TIMEOUT", c.value, 1);
    else
      ::unsetenv("ORVRUN_BUSY_TIMEOUT");
    EXPECT_EQ(sql::sqlite::busy_timeout_from_environment(), c.ms) << (c.value ? c.value : "unset");
  }
  ::unsetenv("ORVRUN_BUSY_TIMEOUT");
}

}  // namespace
}  // namespace orv::test
