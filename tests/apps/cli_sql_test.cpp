// The CLI as a host: database options, the sql command's output and exit status.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>

#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

class CliSql : public ::testing::Test {
 protected:
  // A copy of the demo database (the CLI opens the library's databases only) with a table added
  // by SQLite itself, so that the fixture does not depend on the dialect layer.
  void SetUp() override {
    std::filesystem::copy_file(test::DemoDb::made_once(), db);
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &raw), SQLITE_OK);
    // "Łódź" in UTF-8, and a text with a tab, a line break and a backslash.
    int rc = sqlite3_exec(raw,
                          "create table k (id integer, nazwa text);"
                          "insert into k values (1, 'Łódź'),"
                          " (2, 'a' || char(9) || 'b' || char(10) || 'c\\');",
                          nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    ASSERT_EQ(rc, SQLITE_OK);
  }

  test::TempDir dir;
  std::string db = dir.file("cli.db");
};

struct OutputCase {
  const char* name;
  std::vector<std::string> args;  // after "--db PATH"
  int status;
  std::string out;
};
void PrintTo(const OutputCase& c, std::ostream* os) {
  *os << c.name;
}

const OutputCase kOutputs[] = {
    // 1. TSV in UTF-8; tab, line break and backslash inside a field are escaped.
    {"Tsv", {"sql", "select id, nazwa from k order by id"}, 0, "1\tŁódź\n2\ta\\tb\\nc\\\\\n"},
    // 2. JSON rows and a null error.
    {"Json",
     {"sql", "--json", "select nazwa from k where id = 1"},
     0,
     "{\"rows\": [[\"Łódź\"]], \"more\": [], \"error\": null}\n"},
    // 3. A failed statement: the error object, exit status 1.
    {"JsonError",
     {"sql", "--json", "select * from nosuch"},
     1,
     "{\"rows\": [], \"more\": [], \"error\": {\"code\": 90, \"message\": \"no such table: "
     "nosuch\"}}\n"},
    // 4. Every channel through its own operations.
    {"Channel2", {"sql", "--channel", "2", "select count(*) from k"}, 0, "2\n"},
    {"Channel3", {"sql", "--channel", "3", "select id from k order by id"}, 0, "1\n2\n"},
    {"ChannelCrm", {"sql", "--channel", "crm", "select 'crm'"}, 0, "crm\n"},
    {"ChannelScalar",
     {"sql", "--channel", "scalar", "select id, nazwa from k order by id"},
     0,
     "1\n"},
    {"ChannelMarked",
     {"sql", "--json", "--channel", "marked", "select id from k where 0"},
     0,
     "{\"rows\": [], \"more\": [], \"error\": null}\n"},
    {"ScalarError",
     {"sql", "--json", "--channel", "scalar", "select nosuch"},
     1,
     "{\"rows\": [], \"more\": [], \"error\": {\"code\": 90, \"message\": \"no such column: "
     "nosuch\"}}\n"},
    // 5. Every result set of a batch, in order (empty ones too); NULL is not the empty text.
    {"Sets",
     {"sql", "select id from k where id = 1 select null, '' select 1 where 0 = 1 select 'x'"},
     0,
     "1\n\\N\t\nx\n"},
    {"JsonSets",
     {"sql", "--json",
      "select 1; update k set id = id where 0 = 1; select null, ''; select 2 where 0 = 1"},
     0,
     "{\"rows\": [[\"1\"]], \"more\": [[[null, \"\"]], []], \"error\": null}\n"},
    // 6. A statement beginning with "--" is a statement, not an option.
    {"CommentOnly", {"sql", "--comment"}, 0, ""},
    {"AfterDashes", {"sql", "--", "--json"}, 0, ""},
    // 7. Usage errors: exit status 2, nothing on stdout.
    {"UnknownChannel", {"sql", "--channel", "4", "select 1"}, 2, ""},
    {"NoStatement", {"sql", "--json"}, 2, ""},
    {"TwoStatements", {"sql", "select 1", "select 2"}, 2, ""},
    {"BadUser", {"--user", "abc", "sql", "select 1"}, 2, ""},
    {"UserWithoutValue", {"sql", "--user"}, 2, ""},
    {"UnknownOption", {"sql", "--jsn", "select 1"}, 2, ""},
};

class CliSqlOutput : public CliSql, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(CliSqlOutput, PrintsAndExits) {
  std::vector<std::string> args{"--db", db};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  auto r = run_cli(args);
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  EXPECT_EQ(r.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Cases, CliSqlOutput, ::testing::ValuesIn(kOutputs), orv::test::named_case);

TEST_F(CliSql, HostOptionsStandBeforeOrAfterTheCommand) {
  EXPECT_EQ(run_cli({"sql", "--db", db, "select id from k where id = 2"}).out, "2\n");
  EXPECT_EQ(run_cli({"--company", "2", "sql", "--user", "15", "--db", db, "select 1"}).out, "1\n");
  ::setenv("ORVRUN_DB", db.c_str(), 1);
  auto from_env = run_cli({"sql", "select count(*) from k"});
  ::unsetenv("ORVRUN_DB");
  EXPECT_EQ(from_env.out, "2\n");
}

TEST_F(CliSql, MissingDatabaseIsNeverCreatedByAccident) {
  std::string missing = dir.file("missing.db");
  auto r = run_cli({"--db", missing, "sql", "select 1"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("orvrun init"), std::string::npos);
  EXPECT_EQ(run_cli({"--db", missing, "call", "NIPOK", "1"}).status, 2);
  EXPECT_EQ(run_cli({"--db", missing, "sql", "select 1"}).status, 2);  // still not there
}

TEST_F(CliSql, OdbcConnectionString) {
  auto r = run_cli({"--odbc", "Driver=SQLite3;Database=" + db, "sql", "--json",
                    "select nazwa from k where id = 1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "{\"rows\": [[\"Łódź\"]], \"more\": [], \"error\": null}\n");
}

TEST_F(CliSql, CallRunsOnTheDatabaseAsTheGivenUser) {
  run_cli({"--db", db, "sql",
           "insert into zaznaczone (id_sesji, uzycie, id, id2) values "
           "(9, 1, 7, 0), (9, 1, 8, 0), (10, 1, 9, 0)"});
  ASSERT_EQ(run_cli({"--db", db, "sql", "select count(*) from zaznaczone with (nolock)"}).status,
            0);
  auto r = run_cli({"--db", db, "--user", "9", "call", "--json", "ILEZAZNACZONYCH", "1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "{\"result\": 2, \"out\": {}, \"messages\": [], \"windows\": []}\n");
}

// The CRM channel, like the main one, says when a field was cut at its record's 1,000 characters.
TEST_F(CliSql, CrmChannelReportsCutFields) {
  auto r = run_cli({"--db", db, "sql", "--channel", "crm", "select replicate('x', 1500), 'y'"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string(1000, 'x') + "\ty\n");
  EXPECT_NE(r.err.find("1 field(s) longer than the crm channel's"), std::string::npos) << r.err;
}

// The database must be the library's: a sound SQLite file without its schema is refused.
TEST_F(CliSql, ForeignDatabaseIsRefused) {
  std::string foreign = dir.file("foreign.db");
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(foreign.c_str(), &raw), SQLITE_OK);
  sqlite3_exec(raw, "create table t (a)", nullptr, nullptr, nullptr);
  sqlite3_close(raw);
  auto r = run_cli({"--db", foreign, "sql", "select * from t"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("cannot open the database"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace orv
