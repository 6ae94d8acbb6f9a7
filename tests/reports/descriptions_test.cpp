// Document descriptions on the demo database: the default mark moved, taken away and kept whole
// when a statement fails; the default text; the form with an apostrophe; the generated texts.
#include "reports/descriptions.hpp"

#include <gtest/gtest.h>

#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::reports {
namespace {

class Descriptions : public ::testing::Test {
 protected:
  // Ids of the defaults of type 1, level 1 (rows 1 and 2; row 1 is the demo's default).
  std::vector<std::string> defaults() {
    return db.column(
        "select id_opisu from opis_dok_poz_fin where id_firmy=5 and id_typu=1 and "
        "dok_poz=1 and domyslny=1 order by id_opisu");
  }
  test::DemoDb db;
  test::ScopedUi ui;
};

TEST_F(Descriptions, DefaultMarkMovesAsOneChange) {
  struct Case {
    int n;
    const char* script;
    const char* fail;  // a statement made to fail, or nullptr
    std::vector<std::string> defaults;
    const char* text;  // DOMYSLNYOPISDOK(1, 1) afterwards
  } cases[] = {
      {1, "select LISTA 1; press DOMYSLNY; close", nullptr, {"2"}, "Zaliczka na poczet dostaw"},
      {2, "select LISTA 1; press DOMYSLNY; close", nullptr, {}, ""},
      {3,
       "select LISTA 2; key Shift+F10; choose popup Domy\x9Clny; close",
       nullptr,
       {"1"},
       "Zap\xB3"
       "ata za faktur\xEA"},
      // the second update fails: the first is undone, the old default stays
      {4,
       "select LISTA 1; press DOMYSLNY; close; close",
       "set domyslny=1",
       {"1"},
       "Zap\xB3"
       "ata za faktur\xEA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    if (c.fail) db.faults().fail_matching(c.fail, sql::Fault::rejected(), 1);
    ui.ui().add_script(c.script);
    OPIS_DOK_POZ_BRW(1, 1);
    EXPECT_EQ(defaults(), c.defaults);
    EXPECT_EQ(DOMYSLNYOPISDOK(1, 1), c.text);
  }
}

TEST_F(Descriptions, FormAddsChangesAndRefusesADuplicate) {
  ui.ui().add_script(
      "key Insert; set OPIS \"Opis O'Neil\"; key F10; "
      "key Insert; set OPIS \"Opis O'Neil\"; key F10; answer ok; key Esc; "
      "press GENERUJ; choose popup \"Dla dostaw w\xEAglowych\"; close");
  OPIS_DOK_POZ_BRW(1, 1);
  EXPECT_EQ(db.count("opis_dok_poz_fin where opis='Opis O''Neil'"), 1);
  EXPECT_GT(db.count("opis_dok_poz_fin where id_typu=1 and dok_poz=1"), 3);
  EXPECT_EQ(DOMYSLNYOPISDOK(2, 9), "");
}

}  // namespace
}  // namespace orv::reports
