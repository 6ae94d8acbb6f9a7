// The column dialog through the CLI on a demo database: hide, move and lock, then the database.
#include <gtest/gtest.h>

#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

class ColumnsCli : public testing::Test {
 protected:
  void SetUp() override {
    auto init = run_cli({"init", "--demo", "--db", db});
    ASSERT_EQ(init.status, 0) << init.err;
  }

  test::CliResult call(std::vector<std::string> args) {
    args.insert(args.begin(), {"--db", db, "--user", "7", "call"});
    return run_cli(args);
  }
  std::string sql(const std::string& statement) {
    return run_cli({"--db", db, "sql", statement}).out;
  }
  bool speaks_tsql() {
    return run_cli({"--db", db, "sql", "select count(*) from ini_okno o with (nolock)"}).status ==
           0;
  }
  std::string jan_columns() {
    return sql(
        "select id_kolumny, kolejnosc, rozmiar, format_kolumny from inter_ini_uzytkownik where "
        "id_uzytkownika=7 and id_kolumny in (1,3,8) order by id_kolumny");
  }

  test::TempDir dir;
  std::string db = dir.file("demo.db");
};

TEST_F(ColumnsCli, TheDialogHidesMovesAndLocksAndTheChangeReachesTheDatabase) {
  ASSERT_TRUE(speaks_tsql()) << "the backend must speak T-SQL";
  // The host loads the column settings when it signs the user in.
  ASSERT_EQ(call({"POBIERZKOLUMNEROZMIAR", "Artykul_Brw", "1"}).out, "60\n");
  call({"ZAPISZPARAMETROKNA", "Artykul_Brw", "szerokosc_podgladu", "999"});
  // The host writes the preferences back when a call ends.
  ASSERT_EQ(sql("select wartosc from inter_parametr_uzytkownik where id_uzytkownika=7 and "
                "id_parametru=2"),
            "999\n");
  const std::string before = jan_columns();
  auto r = call({"--json", "--ui-script",
                 "select KOLUMNY 3; press UKRYJ; select KOLUMNY 7; press UPALL; press ODBLOKUJ; "
                 "select KOLUMNY 2; press ZABLOKUJ; press ZATWIERDZ",
                 "KONFIGURACJA_KOLUMN", "Artykul_Brw"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\"result\": 1,", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("Konfiguracja kolumn kartoteki asortymentowej"), std::string::npos);
  EXPECT_NE(jan_columns(), before);
  // Kolor first and locked with Indeks, Stan hidden.
  EXPECT_EQ(jan_columns(),
            "1\t2\t60\t60L(2)|FM~Indeks~@s20@\n"
            "3\t4\t0\t56R(2)|M~Stan~C(0)@n-14_`4@\n"
            "8\t1\t50\t50L(2)|FM~Kolor~@s30@\n");
}

TEST_F(ColumnsCli, AnUnknownWindowWarnsAndReturnsZero) {
  ASSERT_TRUE(speaks_tsql()) << "the backend must speak T-SQL";
  auto r = call({"--json", "KONFIGURACJA_KOLUMN", "Nieznane_Brw"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\"result\": 0, \"out\": {}, \"messages\": [{\"kind\": \"warning\", \"title\": "
            "\"ORVEX: Ostrzeżenie\", \"text\": \"Wystąpił błąd w odczycie konfiguracj kolumn!\", "
            "\"answer\": \"ok\"}], \"windows\": []}\n");
}

TEST_F(ColumnsCli, AccessorsAnswerForAnUnknownWindow) {
  EXPECT_EQ(call({"POBIERZKOLUMNEROZMIAR", "Nieznane_Brw", "1"}).out, "0\n");
  EXPECT_EQ(call({"POBIERZKOLUMNEFORMAT", "Nieznane_Brw", "1"}).out, "\n");
  EXPECT_EQ(call({"USTAWKOLUMNE", "Nieznane_Brw", "1", "x", "5"}).out, "0\n");
  auto range = call({"--json", "POBIERZZAKRESKOLUMNBROWSERA", "Nieznane_Brw", "7", "7"});
  EXPECT_NE(range.out.find("\"out\": {\"first\": 0, \"last\": 0}"), std::string::npos) << range.out;
}

}  // namespace
}  // namespace orv
