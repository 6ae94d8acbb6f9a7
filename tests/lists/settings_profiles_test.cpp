// Settings profiles and the navigator: what each adds to the list framework.
#include "lists/settings_profiles.hpp"

#include <gtest/gtest.h>

#include "lists/list_window.hpp"
#include "lists/navigator.hpp"
#include "platform/dict/context.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::lists {
namespace {

TEST(SettingsProfiles, OwnAndSharedProfilesWithUniqueNames) {
  test::DemoDb db;
  test::ScopedUi ui;
  db.run("insert into orv_profile_ustawien (nazwa, id_uzytkownika) values ('Ewy', 8)");
  struct Case {
    int n;
    const char* script;
    const char* check;
    int rows;
  } cases[] = {
      {1, "key Insert; set NAZWA \"O'Neil\"; set USTAWIENIA abc; key F10; close",
       "orv_profile_ustawien where nazwa='O''Neil' and id_uzytkownika=7", 1},
      {2, "key Insert; set NAZWA Standardowy; key F10; answer ok; key Esc; close",
       "orv_profile_ustawien where nazwa='Standardowy'", 1},
      {3, "set LOKATOR O; press POPRAW; check WSPOLNY on; key F10; close",
       "orv_profile_ustawien where nazwa='O''Neil' and id_uzytkownika=0", 1},
      {4, "set LOKATOR O; key Delete; answer yes; close", "orv_profile_ustawien", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    ui.ui().add_script(c.script);
    PROFILE_USTAWIEN_BRW();
    EXPECT_EQ(db.count(c.check), c.rows);
    // Ewa's own profile is not jan's to see.
    for (const auto& row : ui.ui().windows().back().controls[0].rows) EXPECT_NE(row[0], "Ewy");
  }
  set_global_request(Request::Select);
  ui.ui().add_script("key Enter");
  PROFILE_USTAWIEN_BRW();
  EXPECT_EQ(dict::row_field(dict::glo().records, "ORV_PROFILE_USTAWIEN", "NAZWA"), "Standardowy");
}

TEST(Navigator, ChoosingAWindowGivesItsValue) {
  test::ScopedUi ui;
  dict::reset_context();
  dict::glo().tables.OKNAQ.add({11, "ARTYKUL_BRW"});
  dict::glo().tables.OKNAQ.add({22, "KONTRAHENT_BRW"});
  dict::glo().tables.KOLEJKAOTWARTYCHOKIEN.add({"Dokument", "FV 1/2026"});
  struct Case {
    int n;
    const char* script;
    int32_t value;
    const char* name;
  } cases[] = {
      {1, "select LISTA 2; key Enter", 22, "KONTRAHENT_BRW"},
      {2, "dclick LISTA 3", 0, "Dokument"},
      {3, "key Esc", 0, "Dokument"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    ui.ui().add_script(c.script);
    EXPECT_EQ(NAWIGATOR(), c.value);
    EXPECT_EQ(dict::row_field(dict::glo().records, "NAWIGATOR", "NAZWA"), c.name);
  }
  dict::reset_context();
}

}  // namespace
}  // namespace orv::lists
