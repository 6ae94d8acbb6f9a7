// Native scripts (schema, demo data) and the loadable extension in the real sqlite3 shell.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "sqlite_fixture.hpp"

namespace orv::sql::sqlite {
namespace {

TEST(Script, CreatesTheFileWithEverythingRegistered) {
  orv::test::TempDir dir;
  std::string path = dir.file("new.db");
  std::string error;
  ASSERT_TRUE(execute_script(path,
                             "PRAGMA foreign_keys=OFF;\n"
                             "CREATE TABLE m (n TEXT COLLATE PL_CI_AS);\n"
                             "INSERT INTO m VALUES (upper('żary')), ('lublin');\n"
                             "INSERT INTO m SELECT convert('varchar(6)', 'Zabrze-Kościelna');\n",
                             error))
      << error;
  auto db = orv::test::open_backend_db(path);
  EXPECT_EQ(text::from_utf8(orv::test::scalar(db.get(),
                                              "select group_concat(n, ',') from (select n "
                                              "from m order by n)")),
            "lublin,Zabrze,ŻARY"_w1250);
  EXPECT_EQ(orv::test::scalar(db.get(), "pragma journal_mode"), "wal");
}

// A failing statement is named in the error; the statements before it stay done.
TEST(Script, FailureNamesTheStatement) {
  orv::test::TempDir dir;
  std::string error;
  EXPECT_FALSE(execute_script(
      dir.file("bad.db"),
      "create table a (x);\n  insert into nosuch values (1);\ncreate table b (y);", error));
  EXPECT_EQ(error, "no such table: nosuch in: insert into nosuch values (1);");
  auto db = orv::test::open_backend_db(dir.file("bad.db"));
  EXPECT_EQ(orv::test::scalar(db.get(), "select count(*) from sqlite_schema"), "1");
  EXPECT_FALSE(execute_script(dir.file("nul.db"), std::string_view("select 1;\0drop", 15), error));
  EXPECT_EQ(error, "The script contains a NUL character at byte 9.");
  EXPECT_FALSE(execute_script("/nonexistent-dir/x.db", "select 1", error));
}

// The extension module as other tools load it: `.load tsqlext` in the sqlite3 shell opens a
// PL_CI_AS database and orders, compares and folds as the library does.
TEST(LoadableExtension, WorksInTheSqliteShell) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "a sanitized module cannot load into the uninstrumented sqlite3 shell";
#endif
  std::string module = std::string(ORV_BINARY_DIR) + "/tsqlext";
  if (!std::filesystem::exists("/usr/bin/sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
  ASSERT_TRUE(std::filesystem::exists(module + ".so")) << "build the tsqlext target";
  orv::test::TempDir dir;
  std::string db = dir.file("shell.db");
  std::string error;
  ASSERT_TRUE(execute_script(db,
                             "create table m (n TEXT COLLATE PL_CI_AS);"
                             "insert into m values ('Żary'),('Mława'),"
                             "('Łódź'),('Lublin'),('Zabrze')",
                             error))
      << error;
  std::ofstream(dir.file("cmd.sql")) << ".load " << module << "\n"
                                     << "select group_concat(n, ', ') from (select n from m order "
                                        "by n);\n"
                                     << "select count(*) from m where n = 'LUBLIN   ';\n"
                                     << "select len('ab  '), datepart('dw', 45656), "
                                        "upper('żółw');\n";
  std::string command = "/usr/bin/sqlite3 -batch " + db + " < " + dir.file("cmd.sql") + " 2>&1";
  FILE* out = popen(command.c_str(), "r");
  ASSERT_NE(out, nullptr);
  std::string output;
  char buf[4096];
  for (std::size_t n; (n = fread(buf, 1, sizeof buf, out)) > 0;) output.append(buf, n);
  EXPECT_EQ(pclose(out), 0) << output;
  EXPECT_EQ(text::from_utf8(output), "Lublin, Łódź, Mława, Zabrze, Żary\n1\n2|3|ŻÓŁW\n"_w1250);
}

}  // namespace
}  // namespace orv::sql::sqlite
