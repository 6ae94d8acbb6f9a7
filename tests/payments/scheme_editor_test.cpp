// The scheme editors on the demo database: sample layouts, the order of positions kept without
// gaps (also when a statement fails), the position form's type rules, the dictionary's refusals,
// a new scheme with copied positions, and the scheme list through the CLI.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "payments/sample_layout.hpp"
#include "payments/scheme_editors.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::payments {
namespace {

using Ids = std::vector<std::string>;

TEST(SampleLayout, ByTypeLengthAndSeparators) {
  struct Case {
    int n;
    char type;
    int32_t length;
    const char* separator;
    const char* pattern;
    std::string sample;
  } cases[] = {
      {1, 'A', 5, "", "", "XXXXX"},
      {2, 'N', 10, ",", "", "9999999,99"},
      {3, 'N', 3, ",", "", "999"},
      {4, 'N', 4, ".", "", "9.99"},
      {5, 'N', 8, " ", "", "99999999"},
      {6, 'D', 8, "-", "RRRRMMDD", "RRRR-MM-DD"},
      {7, 'D', 6, "", "RRMMDD", "RRMMDD"},
      {8, 'd', 6, "/", "DDRRMM", "DD/RR/MM"},
      {9, 'A', -4, "", "", ""},
      {10, 'A', 1000000, "", "", std::string(kSampleLimit, 'X')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(sample_value(c.type, c.length, c.separator, c.pattern), c.sample);
  }
  EXPECT_EQ(sample_layout("\"", "XX", "\"  ", ","), "\" XX \" ,");
  EXPECT_EQ(format_summary(10, 'N', false), "10 n V");
  EXPECT_EQ(format_summary(34, 'A', true), "34 a F");
}

// Field ids of a scheme in LP order, and whether its LPs run 1..n.
Ids order(test::DemoDb& db, int scheme) {
  return db.column("select id_mc_def_pola from mc_def_poz where id_mc_def_nag=" +
                   std::to_string(scheme) + " order by lp, id_mc_def_poz");
}
bool gap_free(test::DemoDb& db, int scheme) {
  Ids lps = db.column("select lp from mc_def_poz where id_mc_def_nag=" + std::to_string(scheme) +
                      " order by lp");
  for (std::size_t k = 0; k < lps.size(); ++k)
    if (lps[k] != std::to_string(k + 1)) return false;
  return true;
}

constexpr const char* kAddAmount = "key Insert; press WYBIERZ_POLE; choose LISTA Kwota; key F10; ";

TEST(PositionOrder, InsertDeleteAndMoveKeepLpGapFree) {
  struct Case {
    int n;
    int scheme;  // 2: 204 102 1 10 101 100; 3: a scheme without positions
    std::string script;
    const char* fail;  // a statement made to fail, or nullptr
    Ids order;
    const char* sent = nullptr;  // a statement the change sends as written
  } cases[] = {
      {1,
       2,
       std::string("select LISTA 2; ") + kAddAmount + "close",
       nullptr,
       {"204", "102", "101", "1", "10", "101", "100"},
       "update MC_DEF_POZ set lp=lp+1 where id_mc_def_nag=2 AND lp>2"},
      {2,
       2,
       std::string("key End; ") + kAddAmount + "close",
       nullptr,
       {"204", "102", "1", "10", "101", "100", "101"}},
      {3, 3, std::string(kAddAmount) + "close", nullptr, {"101"}},
      {4,
       2,
       "select LISTA 3; key Delete; answer yes; close",
       nullptr,
       {"204", "102", "10", "101", "100"},
       "select 1 from MC_DEF_POZ where id_mc_def_nag=2 AND lp>3"},
      {5, 2, "key End; key Delete; answer yes; close", nullptr, {"204", "102", "1", "10", "101"}},
      {6,
       2,
       "select LISTA 3; key Delete; answer no; close",
       nullptr,
       {"204", "102", "1", "10", "101", "100"}},
      {7,
       2,
       "select LISTA 1; key Ctrl+Down; key Ctrl+Down; close",
       nullptr,
       {"102", "1", "204", "10", "101", "100"},
       "update MC_DEF_POZ set lp=1 where id_mc_def_nag=2 AND lp=1+1"},
      {8,
       2,
       "select LISTA 4; press W_GORE; close",
       nullptr,
       {"204", "102", "10", "1", "101", "100"},
       "update MC_DEF_POZ set lp=4-1 where id_mc_def_nag=2 AND id_mc_def_poz=29"},
      {9,
       2,
       "select LISTA 1; key Ctrl+Up; key End; key Ctrl+Down; close",
       nullptr,
       {"204", "102", "1", "10", "101", "100"}},
      // a failure half-way undoes the whole change (the first close is the error window's)
      {10,
       2,
       "select LISTA 1; key Ctrl+Down; close; close",
       "AND id_mc_def_poz=",
       {"204", "102", "1", "10", "101", "100"}},
      {11,
       2,
       "select LISTA 3; key Delete; answer yes; close; close",
       "set lp=lp-1",
       {"204", "102", "1", "10", "101", "100"}},
      {12,
       2,
       std::string("select LISTA 2; ") + kAddAmount + "close; close",
       "set lp=lp+1",
       {"204", "102", "1", "10", "101", "100", "101"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    test::DemoDb db;
    test::ScopedUi ui;
    db.run("insert into mc_def_nag (id_mc_def_nag, nazwa) values (3, 'Pusty')");
    if (c.fail) db.faults().fail_matching(c.fail, sql::Fault::rejected(), 1);
    ui.ui().add_script(c.script);
    positions_list(c.scheme, "Schemat");
    EXPECT_EQ(order(db, c.scheme), c.order);
    EXPECT_TRUE(gap_free(db, c.scheme));
    EXPECT_EQ(ui.ui().error_windows().size(), c.fail ? 1u : 0u);
    if (c.sent) {
      Ids sent = db.statements();
      EXPECT_NE(std::find(sent.begin(), sent.end(), c.sent), sent.end());
    }
  }
}

TEST(PositionForm, TypeRulesSampleAndSummaryAreSaved) {
  struct Case {
    int n;
    std::string script;  // after Insert in scheme 2's list
    Ids row;             // format_typ, format_format, format_separator, display_1, display_2
    int id = 0;          // the position changed; 0 = the one added
  } cases[] = {
      {1, "press WYBIERZ_POLE; choose LISTA Data", {"D", "RRRRMMDD", "", "20 d V", " RRRRMMDD"}},
      {2,
       "press WYBIERZ_POLE; choose LISTA Kwota; set FORMAT_ILOSC 10; choose FORMAT_SEPARATOR ,",
       {"N", "", ",", "10 n V", " 9999999,99"}},
      {3,
       "press WYBIERZ_POLE; choose LISTA Data; choose FORMAT_SEPARATOR -; set FORMAT_ILOSC 6; "
       "choose FORMAT_FORMAT DDMMRR",
       {"D", "DDMMRR", "-", "6 d V", " DD-MM-RR"}},
      // a separator the new type cannot take is cleared, the date pattern with it
      {4,
       "press WYBIERZ_POLE; choose LISTA Data; choose FORMAT_SEPARATOR /; "
       "choose FORMAT_TYP \"N - numeryczny\"; set FORMAT_ILOSC 4",
       {"N", "", "", "4 n V", " 9999"}},
      {5,
       "press WYBIERZ_POLE; choose LISTA \"Nazwa firmy\"; set PREFIKS \"O'\"; set SUFIKS #; "
       "set SEPARATOR |; set FORMAT_ILOSC 3; choose FORMAT_FIXED 2",
       {"A", "", "", "3 a F", "O' XXX # |"}},
      // a change: the dictionary opens on the position's field (101, not its first row)
      {6,
       "key Esc; select LISTA 5; press POPRAW; press WYBIERZ_POLE; press WYBIERZ; "
       "set FORMAT_ILOSC 10",
       {"N", "", ",", "10 n F", " 9999999,99"},
       30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    test::DemoDb db;
    test::ScopedUi ui;
    ui.ui().add_script("key Insert; " + c.script + "; key F10; close");
    positions_list(2, "Lista przelewów");
    const std::string last =
        c.id ? std::to_string(c.id) : "(select max(id_mc_def_poz) from mc_def_poz)";
    Ids row;
    for (const char* column : {"format_typ", "format_format", "format_separator",
                               "format_display_1", "format_display_2"})
      row.push_back(db.value(std::string("select ") + column +
                             " from mc_def_poz where id_mc_def_poz=" + last));
    EXPECT_EQ(row, c.row);
  }
}

TEST(PositionForm, RefusesToSaveWithoutAField) {
  test::DemoDb db;
  test::ScopedUi ui;
  ui.ui().add_script("key Insert; key F10; answer ok; key Esc; close");
  positions_list(2, "Lista przelewów");
  EXPECT_EQ(db.count("mc_def_poz where id_mc_def_nag=2"), 6);
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes().back().box.text, "Prosz\xEA wybra\xE6 pole.");
}

TEST(FieldDictionary, DeletesOnlyUnusedUserElements) {
  struct Case {
    int n;
    const char* script;  // the dictionary opened for a choice; 210 'Wolne' is its last row
    const char* id;
    int left;             // rows with that id afterwards
    const char* warning;  // the last box's text
  } cases[] = {
      {1, "select LISTA 1; key Delete; answer yes; close", "102", 1,
       "Nie mo\xBFna usuwa\xE6 systemowych element\xF3w s\xB3ownika."},
      {2, "key End; key Up; key Delete; answer yes; close", "200", 1,
       "Nie mo\xBFna usun\xB9\xE6 pola u\xBFywanego w definicjach schemat\xF3w EPP.|Liczba "
       "pozycji: "
       "1"},
      {3, "key End; key Delete; answer no; close", "210", 1,
       "Czy chcesz usun\xB9\xE6 wybran\xB9 pozycj\xEA?"},
      {4, "key End; key Delete; answer yes; close", "210", 0,
       "Czy chcesz usun\xB9\xE6 wybran\xB9 pozycj\xEA?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    test::DemoDb db;
    test::ScopedUi ui;
    db.run("insert into mc_def_pola (id_mc_def_pola, nazwa, typ) values (210, 'Wolne', 'U')");
    ui.ui().add_script(c.script);
    EXPECT_EQ(choose_field(0), 0);
    EXPECT_EQ(db.count(std::string("mc_def_pola where id_mc_def_pola=") + c.id), c.left);
    ASSERT_FALSE(ui.boxes().empty());
    EXPECT_EQ(ui.boxes().back().box.text, c.warning);
  }
}

TEST(FieldDictionary, FormEditsUserElementsOnly) {
  struct Case {
    int n;
    const char* script;
    bool locked;    // the form's NAZWA and Zapisz disabled
    int constants;  // rows holding the typed constant afterwards
  } cases[] = {
      {1, "select LISTA 1; press POPRAW; key Esc; close", true, 0},
      {2,
       "key Insert; set NAZWA \"Sta\xB3"
       "a O'Neil\"; set WARTOSC 7; key F10; close",
       false, 1},
      {3, "key End; press POPRAW; set WARTOSC 7; key F10; close", false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    test::DemoDb db;
    test::ScopedUi ui;
    ui.ui().add_script(c.script);
    EXPECT_EQ(choose_field(0), 0);
    EXPECT_EQ(db.count("mc_def_pola where wartosc='7' and typ<>'S'"), c.constants);
    int seen = 0;
    for (const ui::WindowRecord& w : ui.ui().windows()) {
      if (w.name != "UpdateMC_Slownik") continue;
      for (const ui::Control& control : w.controls) {
        if (control.id != "NAZWA" && control.id != "ZAPISZ") continue;
        EXPECT_EQ(control.disabled, c.locked);
        ++seen;
      }
    }
    EXPECT_EQ(seen, 2);
  }
}

TEST(SchemeForm, NewSchemeCopiesPositionsWhenAsked) {
  struct Case {
    int n;
    const char* copy;  // the check box
    const char* fail;  // the copy made to fail, or nullptr
    int positions;     // of the new scheme
  } cases[] = {
      {1, "on", nullptr, 25},
      {2, "off", nullptr, 0},
      {3, "on", "insert into MC_DEF_POZ", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    test::DemoDb db;
    test::ScopedUi ui;
    if (c.fail) db.faults().fail_matching(c.fail, sql::Fault::rejected("bad copy"), 1);
    ui.ui().add_script(std::string("key Insert; set NAZWA \"Nowy O'Neil\"; check KOPIUJ ") +
                       c.copy + (std::string(c.copy) == "on" ? "; choose SCHEMAT Elixir-0" : "") +
                       "; key F10; " + (c.fail ? "answer ok; " : "") + "close");
    EXPECT_EQ(MULTICASH("0"), 0);
    const std::string id =
        db.value("select id_mc_def_nag from mc_def_nag where nazwa='Nowy O''Neil'");
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(db.value("select strona_kodowa from mc_def_nag where id_mc_def_nag=" + id), "Latin");
    EXPECT_EQ(db.count("mc_def_poz where id_mc_def_nag=" + id), c.positions);
    if (c.positions) {
      EXPECT_EQ(order(db, std::stoi(id)), order(db, 1));
      const std::string columns =
          "ID_MC_DEF_POLA,LP,PREFIKS,SUFIKS,SEPARATOR,TYP,KONIEC_LINII,WYMAGANA_WARTOSC,FORMAT_TYP,"
          "FORMAT_ILOSC,FORMAT_FIXED,FORMAT_FORMAT,FORMAT_SEPARATOR,FORMAT_WYROWNANIE,"
          "FORMAT_DISPLAY_1,FORMAT_DISPLAY_2";
      std::string copy = "insert into MC_DEF_POZ (ID_MC_DEF_NAG," + columns + ") select ";
      copy += id;
      copy += "," + columns;
      copy += " from MC_DEF_POZ where ID_MC_DEF_NAG=1";
      const Ids sent = db.statements();
      EXPECT_NE(std::find(sent.begin(), sent.end(), copy), sent.end());
    }
    if (c.fail) {
      EXPECT_EQ(ui.boxes().back().box.text, "bad copy");
    }
  }
}

TEST(SchemeForm, ChangeKeepsTheCodePageAsStored) {
  test::DemoDb db;
  test::ScopedUi ui;
  ui.ui().add_script(
      "select LISTA 2; press POPRAW; set NAZWA Zmieniony; choose STRONA_KODOWA 4; key F10; close");
  EXPECT_EQ(MULTICASH("0"), 0);
  EXPECT_EQ(db.value("select nazwa || '/' || strona_kodowa from mc_def_nag where id_mc_def_nag=2"),
            "Zmieniony/Bez PL");
}

TEST(SchemeList, ChoosesThroughTheCli) {
  test::TempDir dir;
  const std::string db = dir.file("demo.db");
  ASSERT_EQ(test::run_cli({"init", "--demo", "--db", db}).status, 0);
  struct Case {
    int n;
    const char* mode;
    const char* script;
    int status;
    const char* out;
  } cases[] = {
      {1, "1", "select LISTA 2; press WYBIERZ", 0, "2\n"},
      {2, "1", "key Esc", 0, "0\n"},
      {3, "0", "select LISTA 2; press WYBIERZ", 1, ""},  // no "Wybierz" to press
      // the definition of Elixir-0: its second position moved up
      {4, "0", "select LISTA 1; key Ctrl+D; select LISTA 2; key Ctrl+Up; close; close", 0, "0\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    auto r = test::run_cli({"--db", db, "call", "--ui-script", c.script, "MULTICASH", c.mode});
    EXPECT_EQ(r.status != 0, c.status != 0) << r.err;
    if (c.status == 0) {
      EXPECT_EQ(r.out, c.out) << r.err;
    }
  }
  auto first = test::run_cli({"--db", db, "sql",
                              "select id_mc_def_pola from mc_def_poz where id_mc_def_nag=1 and "
                              "lp<=2 order by lp"});
  EXPECT_EQ(first.out, "102\n200\n");
}

}  // namespace
}  // namespace orv::payments
