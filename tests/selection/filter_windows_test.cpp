// The saved-filter list and form on the demo database: adding, changing, deleting a filter and
// its users, the name check with hostile names, and the nameless definition an abandoned form
// leaves.
#include "selection/filter_windows.hpp"

#include <gtest/gtest.h>

#include "platform/dict/context.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::selection {
namespace {

using dict::FieldKind;

class FilterWindows : public ::testing::Test {
 protected:
  FilterWindows() {
    record.add("LOC:Kod", FieldKind::Text, 20).values[0] = "abc";
    record.add("LOC:ID_FILTRAF8", FieldKind::Long);
  }
  // The definitions of the context "Kontrahent_Brw" and the users of one, as text.
  std::vector<std::string> names() {
    return db.column(
        "select nazwa from orv_definicja_filtra where nazwa_kontekstu='Kontrahent_Brw'"
        " order by id_filtra");
  }
  std::vector<std::string> users(int filter) {
    return db.column("select id_uzytkownika from orv_uzytkownik_filtrow where id_filtra=" +
                     std::to_string(filter) + " order by id_uzytkownika");
  }
  void run(const std::string& script) {
    ui.ui().add_script(script);
    LISTAFILTROWAPLIKACJI_BRW("Kontrahent_Brw", record);
  }

  test::DemoDb db;
  test::ScopedUi ui;
  dict::Group record;
};

TEST_F(FilterWindows, AddChangeDeleteThroughTheList) {
  struct Case {
    int n;
    const char* script;
    std::vector<std::string> names;  // the context's filters afterwards
    std::vector<std::string> users;  // users of filter 4 afterwards
  } cases[] = {
      // 1: a new filter with a name holding an apostrophe, Ewa (8) assigned from the chooser
      {1,
       "key Insert; set NAZWA \"O'Neil\"; press DODAJ_UZYTKOWNIKA; choose LISTA \"Ewa Nowak\"; "
       "key F10; close",
       {"Duzi klienci", "O'Neil"},
       {"7", "8", "4100001"}},
      // 2: a name that would match every row if pasted into SQL is an ordinary name
      {2,
       "set LOKATOR O; press POPRAW; set NAZWA \"x' or '1'='1\"; key F10; close",
       {"Duzi klienci", "x' or '1'='1"},
       {"7", "8", "4100001"}},
      // 3: another filter's name is refused and the form stays open until Anuluj
      {3,
       "set LOKATOR x; press POPRAW; set NAZWA \"Duzi klienci\"; key F10; answer ok; key Esc; "
       "close",
       {"Duzi klienci", "x' or '1'='1"},
       {"7", "8", "4100001"}},
      // 4: the administrator stays; Ewa goes; "remove all" keeps the creator and the administrator
      {4,
       "set LOKATOR x; press POPRAW; select UZYTKOWNICY 1; key Delete; answer ok; "
       "select UZYTKOWNICY 2; key Delete; answer yes; key Ctrl+Insert; answer yes; "
       "key Ctrl+Delete; answer yes; key F10; close",
       {"Duzi klienci", "x' or '1'='1"},
       {"7", "4100001"}},
      // 5: deleting asks first; the database drops the assignments with the definition
      {5, "set LOKATOR x; key Delete; answer yes; close", {"Duzi klienci"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    run(c.script);
    EXPECT_EQ(names(), c.names);
    EXPECT_EQ(users(4), c.users);
  }
  EXPECT_EQ(ui.boxes()[0].box.text,
            "Istnieje ju\xBF filtr o podanej nazwie!|Prosz\xEA zmieni\xE6 nazw\xEA.");
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(FilterWindows, SavingStoresTheRecordAndChoosingFillsIt) {
  run("key Insert; set NAZWA Nowy; key F10; key Enter");
  EXPECT_EQ(record.at(1).values[0], "4");
  EXPECT_EQ(
      db.value("select xml from orv_filtr_uzytkownika where id_filtra=4 and id_uzytkownika=0"),
      "<GROUP>\r\n<ID_FILTRAF8>4</ID_FILTRAF8>\r\n<Kod>abc</Kod>\r\n</GROUP>");
  record.at(0).values[0] = "zmienione";
  run("set LOKATOR Nowy; key Enter");
  EXPECT_EQ(record.at(0).values[0], "abc");
}

// A record with ID_TABELI carries the additional table's conditions in a companion filter,
// "FiltrExt<id>TabExt<table>", and brings them back into FILTRTABELQUEUE when chosen.
TEST_F(FilterWindows, TheAdditionalTableTravelsInTheCompanionFilter) {
  record.add("LOC:ID_TABELI", FieldKind::Long).values[0] = "3";
  dict::FiltrTabelRow row;
  row.table = 3;
  row.name = "Dodatkowa";
  row.switches[4] = 1;
  row.texts100[0] = "O'Neil";
  row.texts20[99] = "koniec";
  dict::glo().tables.FILTRTABELQUEUE.add(row);
  run("key Insert; set NAZWA Z tabela; key F10; close");
  EXPECT_EQ(db.count("orv_definicja_filtra where nazwa='FiltrExt4TabExt3' and "
                     "nazwa_kontekstu='FiltrExt4TabExt3'"),
            1);
  dict::glo().tables.FILTRTABELQUEUE.clear();
  run("set LOKATOR Z; key Enter");
  ASSERT_EQ(dict::glo().tables.FILTRTABELQUEUE.size(), 1u);
  const dict::FiltrTabelRow& back = *dict::glo().tables.FILTRTABELQUEUE.get(1);
  EXPECT_EQ(back.table, 3);
  EXPECT_EQ(back.name, "Dodatkowa");
  EXPECT_EQ(back.switches[4], 1);
  EXPECT_EQ(back.texts100[0], "O'Neil");
  EXPECT_EQ(back.texts20[99], "koniec");
}

// Sound behaviour: the definition made when the form opened goes when the form is abandoned.
TEST_F(FilterWindows, AnAbandonedNewFilterLeavesNoDefinition) {
  const int before = db.count("orv_definicja_filtra");
  run("key Insert; set NAZWA Porzucony; press ANULUJ; close");
  run("key Insert; key Esc; close");
  EXPECT_EQ(db.count("orv_definicja_filtra"), before);
  EXPECT_EQ(db.count("orv_uzytkownik_filtrow where id_filtra > 3"), 0);
}

}  // namespace
}  // namespace orv::selection
