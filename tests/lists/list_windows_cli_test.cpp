// The list windows through the CLI on a demo database: each step a call with its script, each
// checked by what the database then holds.
#include <gtest/gtest.h>

#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

const std::string kNewFilter =
    "key Insert; set NAZWA \"O'Neil\"; press DODAJ_UZYTKOWNIKA; choose LISTA \"Ewa Nowak\"; key "
    "F10; close";

TEST(ListWindowsCli, EachStepReachesTheDatabase) {
  test::TempDir dir;
  const std::string db = dir.file("demo.db");
  ASSERT_EQ(run_cli({"init", "--demo", "--db", db}).status, 0);
  auto sql = [&](const std::string& s) { return run_cli({"--db", db, "sql", s}).out; };
  struct Step {
    int n;
    std::vector<std::string> call;
    const char* check;     // a query
    const char* expected;  // its rows
  } steps[] = {
      // 1: a saved filter with a user from the chooser
      {1,
       {"--ui-script", kNewFilter, "LISTAFILTROWAPLIKACJI_BRW", "Kontrahent_Brw",
        "<GROUP><KOD>x</KOD></GROUP>"},
       "select nazwa from orv_definicja_filtra where id_filtra=4 union all select count(*) from "
       "orv_uzytkownik_filtrow where id_filtra=4",
       "O'Neil\n3\n"},
      // 2: an object list from jan's two marked customers
      {2,
       {"--ui-script", "key Insert; set NAZWA Nowa; key F10; close", "LISTY_OBIEKTOW", "120"},
       "select licznosc from orv_lista_obiektow where nazwa_listy='Nowa'",
       "2\n"},
      // 3: chosen in mode 4, then deleted
      {3,
       {"--ui-script", "set LOKATOR Nowa; key Delete; answer yes; close", "LISTY_OBIEKTOW", "120"},
       "select count(*) from orv_lista_obiektow where nazwa_listy='Nowa'",
       "0\n"},
      // 4: the first description shown (Zaliczka..., id 2) becomes the default
      {4,
       {"--ui-script", "select LISTA 1; press DOMYSLNY; close", "OPIS_DOK_POZ_BRW", "1", "1"},
       "select id_opisu from opis_dok_poz_fin where id_typu=1 and dok_poz=1 and domyslny=1",
       "2\n"},
      // 5: the clipboard list of the marked articles
      {5,
       {"LISTY_OBIEKTOW_UPD", "102", "24"},
       "select licznosc from orv_lista_obiektow where id_uzytkownika=7 and uzycie=102",
       "3\n"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.n);
    std::vector<std::string> args{"--db", db, "call"};
    args.insert(args.end(), s.call.begin(), s.call.end());
    auto r = run_cli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(sql(s.check), s.expected);
  }
  EXPECT_EQ(run_cli({"--db", db, "call", "DOMYSLNYOPISDOK", "1", "1"}).out,
            "Zaliczka na poczet dostaw\n");
}

}  // namespace
}  // namespace orv
