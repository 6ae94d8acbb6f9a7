// The classifier dictionaries' lists and forms, driven by scripts on the demo database.
#include "reports/classifier_dictionaries.hpp"

#include <gtest/gtest.h>

#include "config/permissions.hpp"
#include "lists/list_window.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::reports {
namespace {

constexpr double kMayEdit = 8;  // ewa: "PolaDodatkowe" and "SLOWNIKIDOD"
constexpr double kMayNot = 7;   // jan: neither

enum class Window { Dictionaries, Values, Both };

struct EditCase {
  const char* name;
  Window window;
  double user;
  const char* script;
  const char* query;     // what the database holds afterwards
  const char* expected;  // its answer
  const char* warning;   // the first box's text, "" = none
};

const EditCase kEdits[] = {
    // 1. A name with an apostrophe is a name: stored as typed, the statement intact.
    {"AddNameWithApostrophe", Window::Dictionaries, kMayNot,
     "press DODAJ; set NAZWA \"O'Neil\"; choose TYP_DANYCH liczba; press ZAPISZ; close",
     "select nazwa || ' ' || typ_danych || ' ' || maska from klasyfikator_slownik where "
     "id_slownika=4",
     "O'Neil liczba n-14`2", ""},
    // 2. A name taken by another dictionary, or none, keeps the form open.
    {"NameTaken", Window::Dictionaries, kMayNot,
     "press DODAJ; set NAZWA Dostawcy; press ZAPISZ; press ANULUJ; close",
     "select count(*) from klasyfikator_slownik", "3",
     "Nazwę słownika musi być unikalna!|Proszę wprowadzić nową nazwę."},
    {"NameBlank", Window::Dictionaries, kMayNot, "press DODAJ; press ZAPISZ; press ANULUJ; close",
     "select count(*) from klasyfikator_slownik", "3", "Proszę wprowadzić nazwę słownika!"},
    // 3. A dictionary goes with its values; its values open from the list.
    {"DeleteDictionary", Window::Dictionaries, kMayNot, "press USUN; answer yes; close",
     "select count(*) from klasyfikator_slownik_war where id_slownika=2", "0", ""},
    {"ValuesOfHighlighted", Window::Dictionaries, kMayEdit,
     "press WARTOSCI; press DODAJ; set WARTOSC Rolnictwo; press ZAPISZ; close; close",
     "select count(*) from klasyfikator_slownik_war where id_slownika=2", "4", ""},
    // 4. Values: added with an apostrophe, unique within the dictionary, unchanged ones saved.
    {"AddValue", Window::Values, kMayEdit,
     "press DODAJ; set WARTOSC \"x' or '1'='1\"; press ZAPISZ; close",
     "select wartosc from klasyfikator_slownik_war where id_wartosci=10", "x' or '1'='1", ""},
    {"ValueTaken", Window::Values, kMayEdit,
     "press DODAJ; set WARTOSC Bosch; press ZAPISZ; press ANULUJ; close",
     "select count(*) from klasyfikator_slownik_war", "9",
     "Wartości słownika Dostawcy muszą być unikalne!|Proszę wprowadzić nową wartość."},
    {"ValueBlank", Window::Values, kMayEdit, "press DODAJ; press ZAPISZ; press ANULUJ; close",
     "select count(*) from klasyfikator_slownik_war", "9", "Proszę wprowadzić wartość słownika!"},
    {"ValueSavedUnchanged", Window::Values, kMayEdit, "press POPRAW; press ZAPISZ; close",
     "select count(*) from klasyfikator_slownik_war where id_slownika=1", "4", ""},
    {"DeleteValue", Window::Values, kMayEdit, "press USUN; answer yes; close",
     "select group_concat(wartosc) from klasyfikator_slownik_war where id_slownika=1",
     "Bosch,Makita,Śnieżka", ""},
    // 5. Without "PolaDodatkowe" the list only shows: its update buttons are disabled.
    {"ValuesLocked", Window::Values, kMayNot, "press DODAJ",
     "select count(*) from klasyfikator_slownik_war", "9", ""},
    // 6. Both lists: the highlighted dictionary's values change; "SLOWNIKIDOD" guards it.
    {"BothAddValue", Window::Both, kMayEdit,
     "select SLOWNIKI 1; press DODAJ_WARTOSC; set WARTOSC Rolnictwo; press ZAPISZ; close",
     "select group_concat(wartosc) from (select wartosc from klasyfikator_slownik_war where "
     "id_slownika=2 order by wartosc)",
     "Budownictwo,Handel,Rolnictwo,Usługi", ""},
    {"BothDeleteDictionary", Window::Both, kMayEdit,
     "select SLOWNIKI 3; press USUN_SLOWNIK; answer yes; close",
     "select group_concat(nazwa) from (select nazwa from klasyfikator_slownik order by 1)",
     "Branże,Dostawcy", ""},
    {"BothLocked", Window::Both, kMayNot, "press DODAJ_SLOWNIK",
     "select count(*) from klasyfikator_slownik", "3", ""},
};

class DictionaryEdits : public testing::TestWithParam<EditCase> {
 protected:
  test::DemoDb db;
};

TEST_P(DictionaryEdits, ReachTheDatabase) {
  const EditCase& c = GetParam();
  dict::glo().ID_UZYTKOWNIKA = c.user;
  config::LADUJUPRAWNIENIA();
  test::ScopedUi ui;
  ui.ui().add_script(c.script);
  std::string refused;  // a script pressing a disabled button stops there
  try {
    if (c.window == Window::Dictionaries) SLOWNIK_KLAS_BRW();
    if (c.window == Window::Values) SLOWNIK_KLAS_WAR_BRW(1);
    if (c.window == Window::Both) SLOWNIK_KLASWAR_BRW();
  } catch (const ui::ScriptError& e) {
    refused = e.message;
  }
  EXPECT_EQ(text::to_utf8(db.value(c.query)), c.expected);
  EXPECT_EQ(refused.find("is disabled") != std::string::npos,
            std::string_view(c.name).ends_with("Locked"))
      << refused;
  if (*c.warning) {
    ASSERT_FALSE(ui.boxes().empty());
    EXPECT_EQ(text::to_utf8(ui.boxes()[0].box.text), c.warning);
  }
}
INSTANTIATE_TEST_SUITE_P(Scripts, DictionaryEdits, testing::ValuesIn(kEdits),
                         [](const auto& i) { return std::string(i.param.name); });

// Chosen from a list opened to choose: the value as stored; closing chooses nothing.
TEST(DictionaryChoice, GivesTheStoredValue) {
  test::DemoDb db;
  test::ScopedUi ui;
  ui.ui().add_script("choose LISTA 24; close");
  lists::set_global_request(lists::Request::Select);
  EXPECT_EQ(SLOWNIK_KLAS_WAR_BRW(3), "24");
  lists::set_global_request(lists::Request::Select);
  EXPECT_EQ(SLOWNIK_KLAS_WAR_BRW(3), "");
}

}  // namespace
}  // namespace orv::reports
