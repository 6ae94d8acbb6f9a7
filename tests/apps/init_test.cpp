// orvrun init: makes a database file where asked, never overwrites one unless told to.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>

#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

// Reads one number from the file without the server's collation (firma has no text index).
long long count_companies(const std::string& path) {
  sqlite3* db = nullptr;
  long long n = -1;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM firma", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
      n = sqlite3_column_int64(st, 0);
    }
    sqlite3_finalize(st);
  }
  sqlite3_close_v2(db);
  return n;
}

TEST(CliInit, CreatesTheDemoOnceAndReplacesItOnlyWithForce) {
  test::TempDir dir;
  std::string path = dir.file("demo.db");
  auto made = run_cli({"init", "--demo", "--db", path});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(made.out, "created " + path + " with the demo company\n");
  EXPECT_EQ(count_companies(path), 2);
  auto again = run_cli({"init", "--db", path});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("already exists"), std::string::npos);
  EXPECT_EQ(count_companies(path), 2);
  auto forced = run_cli({"init", "--force", "--db", path});
  EXPECT_EQ(forced.status, 0) << forced.err;
  EXPECT_EQ(count_companies(path), 0);
}

TEST(CliInit, PathComesFromTheEnvironmentWhenNotGiven) {
  test::TempDir dir;
  std::string path = dir.file("env.db");
  ::setenv("ORVRUN_DB", path.c_str(), 1);
  auto r = run_cli({"init"});
  ::unsetenv("ORVRUN_DB");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(CliInit, WrongWordsAreUsageErrors) {
  EXPECT_EQ(run_cli({"init", "--demo", "--bogus"}).status, 2);
  EXPECT_EQ(run_cli({"init", "--db"}).status, 2);
}

}  // namespace
}  // namespace orv
