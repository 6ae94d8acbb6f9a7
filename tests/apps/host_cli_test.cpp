// The CLI as a strict host: refusals with exit 2, what goes to stderr, failures never silent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv {
namespace {

struct StrictCase {
  const char* name;
  std::vector<std::string> args;  // "DB" stands for the demo database's path
  int status;
  const char* out;  // stdout exactly, or nullptr when anything goes
  const char* err;  // a part of stderr
};
void PrintTo(const StrictCase& c, std::ostream* os) {
  *os << c.name;
}

const StrictCase kStrictCases[] = {
    // 1. A --user that is not in the database: no sign-in, exit 2.
    {"UnknownUser",
     {"--db", "DB", "--user", "99", "call", "NIPOK", "1"},
     2,
     "",
     "there is no user 99 in the database"},
    // 2. With --json the failed call is a JSON object too.
    {"JsonError",
     {"call", "--json", "NO_SUCH"},
     2,
     "{\"error\": \"unknown procedure \\\"NO_SUCH\\\"; see orvrun call --list\"}\n",
     "unknown procedure"},
    // 3. A character Windows-1250 lacks is refused, naming the argument and the character.
    {"NoCp1250", {"call", "NIPOK", "\xE6\x97\xA5"}, 2, "", "argument text: the character"},
    // 4. Invalid UTF-8 in a statement.
    {"BadUtf8", {"--db", "DB", "sql", "select '\xC3'"}, 2, "", "invalid UTF-8 at byte 9"},
    // 5. A REAL that is not a decimal number.
    {"NotDecimal", {"call", "OBLICZBRUTTO", "inf", "23"}, 2, "", "must be REAL"},
    // 6. A script naming no key, and one leaving a quote open: exit 2 with the line.
    {"UnknownKey", {"call", "--ui-script", "key Foo", "MSG_PYTANIE", "x"}, 2, "", "key Foo"},
    {"OpenQuote", {"call", "--ui-script", "set \"A 1", "MSG_PYTANIE", "x"}, 2, "", "quote open"},
    // 6b. A value no window of the procedure can take, found before any window opens.
    {"TextIntoNumber",
     {"call", "--ui-script", "set NR_PROCENT abc; key F10", "PRZELICZNIKRABATU", "-10", "90"},
     2,
     "",
     "the script line \"set NR_PROCENT abc\": the entry NR_PROCENT of \"Przelicznik narzutów"},
    {"NoSuchItem",
     {"call", "--ui-script", "choose MIESIAC Smarch", "KALENDARZ", "0", "0", "0"},
     2,
     "",
     "has no item \"Smarch\""},
    {"PolishCommand", {"call", "--ui-script", "bądź", "MSG_PYTANIE", "x"}, 2, "", "\"bądź\""},
    // 6c. What only the run can tell (the days of the month) fails at the run: exit 1, the line.
    {"NoSuchDay",
     {"call", "--ui-script", "choose DNI 44", "KALENDARZ", "0", "0", "0"},
     1,
     "",
     "\"choose DNI 44\": the list DNI has no row \"44\""},
    // 7. Commands nothing took are named.
    {"Leftover",
     {"call", "--ui-script", "answer yes; key Esc", "MSG_PYTANIE", "x"},
     0,
     "2\n",
     "left over after the last window closed: key Esc"},
    // 8. Plain mode: the SQL error window goes to stderr, the result alone to stdout.
    {"SqlErrorShown",
     {"--db", "DB", "call", "ESQL", "select * from nosuch"},
     0,
     "5\n",
     "SQL error \"no such table: nosuch\": select * from nosuch"},
    // 9. A statement that begins with a comment is a statement.
    {"CommentFirst",
     {"--db", "DB", "sql", "-- how many\nselect count(*) from firma"},
     0,
     "2\n",
     ""},
    // 10. NULL is told apart from the empty text, in TSV and in JSON.
    {"NullTsv", {"--db", "DB", "sql", "select null, ''"}, 0, "\\N\t\n", ""},
    {"NullJson",
     {"--db", "DB", "sql", "--json", "select null, ''"},
     0,
     "{\"rows\": [[null, \"\"]], \"more\": [], \"error\": null}\n",
     ""},
    // 11. A field longer than the channel's record is cut, and stderr says so.
    {"Cut",
     {"--db", "DB", "sql", "select replicate('x', 1500)"},
     0,
     nullptr,
     "1 field(s) longer than the main channel's field size were cut"},
};

class HostCli : public ::testing::TestWithParam<StrictCase> {};

TEST_P(HostCli, RefusesAndReports) {
  test::DemoDb db;
  std::vector<std::string> args = GetParam().args;
  for (auto& a : args) {
    if (a == "DB") a = db.path();
  }
  auto r = test::run_cli(args);
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  if (GetParam().out) {
    EXPECT_EQ(r.out, GetParam().out);
  }
  EXPECT_NE(r.err.find(GetParam().err), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Cases, HostCli, ::testing::ValuesIn(kStrictCases), orv::test::named_case);

// Over ODBC to SQLite's own driver the library's T-SQL does not run: the sign-in says which
// statement failed instead of leaving the user without grants.
TEST(HostCliOdbc, AFailedSignInStatementIsNamed) {
  test::DemoDb db;
  auto r = test::run_cli({"--odbc", "Driver=SQLite3;Database=" + db.path(), "--user", "9", "call",
                          "POBIERZUPRAWNIENIE", "ArtykStanMinMaxRez"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("the sign-in statement \"select distinct d.kod"), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("syntax error"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace orv
