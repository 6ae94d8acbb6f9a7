// HASLOFUNKCJI: when the window opens, what it checks, and what a typed text can and cannot do.
#include "config/function_password.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::config {
namespace {

using sql::FakeAnswer;

const std::string kIdentifier = "select identyfikator from uzytkownik where id_uzytkownika=7";
const std::string kFunction =
    "select nazwa_funkcji,opis_funkcji from orv_funkcja where kod_funkcji='LIMIT_KUPIECKI'";
const char* const kWarning = "Brak autoryzacji!|Wprowadzono błędne hasło."_w1250;

std::string check(const std::string& identifier, const std::string& password) {
  return "select haslo,identyfikator,kod_funkcji from uzytkownik_funkcji_v where identyfikator='" +
         identifier + "' and haslo='" + password + "' and KOD_FUNKCJI='LIMIT_KUPIECKI'";
}

class Password : public testing::Test {
 protected:
  void SetUp() override {
    dict::glo().ID_UZYTKOWNIKA = 7;
    dict::glo().ID_FIRMY = 5;
    dict::glo().tables.S_PARAMKONFQ.add({"BLOKFUNCHASLO", "@s3", "Tak"});
    db.fake.answer(kIdentifier, FakeAnswer::value("jan"));
    db.fake.answer(kFunction, {0, {}, {{"Limit kupiecki", "Sprzedaż ponad limit."_w1250}}, {}});
    // The view lists jan's password; the server compares without regard to case.
    db.fake.answer(check("jan", "Tajne"), {0, {}, {{"Tajne", "jan", "LIMIT_KUPIECKI"}}, {}});
    db.fake.answer(check("jan", "TAJNE"), {0, {}, {{"Tajne", "jan", "LIMIT_KUPIECKI"}}, {}});
    db.fake.answer(check("ewa", "Sekret"), {0, {}, {{"Sekret", "ewa", "LIMIT_KUPIECKI"}}, {}});
  }
  const ui::WindowRecord& window() { return ui.ui().windows().back(); }
  std::string value(const char* id) {
    for (const auto& c : window().controls) {
      if (c.id == id) return c.kind == ui::ControlKind::Label ? c.caption : c.value;
    }
    return "?";
  }
  test::SqlStack db;
  test::ScopedUi ui;
};

TEST_F(Password, RightPasswordLetsTheFunctionRun) {
  ui.ui().add_script("set HASLO Tajne; press Zatwierdź");
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI  "), 1);
  EXPECT_EQ(window().name, "HasloFunkcji");
  EXPECT_EQ(window().title, "Funkcja autoryzowana hasłem"_w1250);
  EXPECT_EQ(value("NAZWA_FUNKCJI"), "Limit kupiecki");
  EXPECT_EQ(value("OPIS_FUNKCJI"), "Sprzedaż ponad limit."_w1250);
  EXPECT_EQ(value("UZYTKOWNIK"), "jan");
  EXPECT_EQ(db.recording.statements(),
            (std::vector<std::string>{kIdentifier, kFunction, check("jan", "Tajne")}));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(Password, CursorStartsInThePasswordEntry) {
  ui.ui().add_script("close");
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 0);
  EXPECT_EQ(window().focus, "HASLO");
}

struct TypedCase {
  const char* name;
  const char* script;
  uint8_t result;
  std::size_t warnings;
};

void PrintTo(const TypedCase& c, std::ostream* os) {
  *os << c.name;
}

class Typed : public Password, public testing::WithParamInterface<TypedCase> {};

TEST_P(Typed, ResultAndWarnings) {
  const TypedCase& c = GetParam();
  ui.ui().add_script(c.script);
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), c.result);
  EXPECT_EQ(ui.boxes().size(), c.warnings);
  for (const auto& b : ui.boxes()) EXPECT_EQ(b.box.text, kWarning);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Password, Typed,
    testing::Values(
        // 1. The server found the row in another letter case: accepted.
        TypedCase{"OtherLetterCase", "set HASLO TAJNE; key F10", 1, 0},
        // 2. Another user's identifier with his own password.
        TypedCase{"AnotherUser", "set UZYTKOWNIK ewa; set HASLO Sekret; key F10", 1, 0},
        // 3. A wrong password warns and keeps the window open; Esc then cancels.
        TypedCase{"WrongThenCancel", "set HASLO zle; key F10; key Esc", 0, 1},
        // 4. Two wrong tries, then the right one.
        TypedCase{"ThirdTime",
                  "set HASLO a; key F10; set HASLO b; key F10; set HASLO Tajne; key F10", 1, 2},
        // 5. The other user's password under jan's identifier is no password.
        TypedCase{"PasswordOfAnother", "set HASLO Sekret; key F10; press Anuluj", 0, 1},
        // 6. Closing the window is cancelling.
        TypedCase{"Closed", "close", 0, 0}),
    orv::test::named_case);

TEST_F(Password, RowThatDoesNotSayItselfIsRefused) {
  // A server (or a rewritten statement) giving back some other row authorises nobody.
  db.fake.answer(check("jan", "x"), {0, {}, {{"Tajne", "jan", "LIMIT_KUPIECKI"}}, {}});
  ui.ui().add_script("set HASLO x; key F10; key Esc");
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 0);
}

TEST_F(Password, TypedApostrophesStayInsideTheirQuotes) {
  ui.ui().add_script("set UZYTKOWNIK \"o'neil\"; set HASLO \"' or '1'='1\"; key F10; key Esc");
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 0);
  EXPECT_EQ(db.recording.statements()[2], check("o''neil", "'' or ''1''=''1"));
}

TEST_F(Password, EntriesKeepTheirSizes) {
  ui.ui().add_script("set UZYTKOWNIK " + std::string(30, 'u') + "; set HASLO " +
                     std::string(30, 'p') + "; key F10; key Esc");
  HASLOFUNKCJI("LIMIT_KUPIECKI");
  EXPECT_EQ(db.recording.statements()[2], check(std::string(19, 'u'), std::string(20, 'p')));
}

TEST_F(Password, FailingCheckIsAWrongPassword) {
  db.faults.fail_matching("uzytkownik_funkcji_v", sql::Fault::rejected());
  ui.ui().add_script("set HASLO Tajne; key F10; key Esc");
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, kWarning);
}

struct NoWindowCase {
  const char* name;
  const char* protection;  // BlokFuncHaslo; nullptr: not loaded
  const char* code;
  std::size_t statements;
};

void PrintTo(const NoWindowCase& c, std::ostream* os) {
  *os << c.name;
}

class NoWindow : public testing::TestWithParam<NoWindowCase> {};

TEST_P(NoWindow, RunsWithoutAsking) {
  const NoWindowCase& c = GetParam();
  test::SqlStack db;
  test::ScopedUi ui;  // strict: a window would fail the run
  dict::glo().ID_UZYTKOWNIKA = 7;
  if (c.protection) dict::glo().tables.S_PARAMKONFQ.add({"BLOKFUNCHASLO", "", c.protection});
  EXPECT_EQ(::HASLOFUNKCJI(c.code), 1);
  EXPECT_TRUE(ui.ui().windows().empty());  // not even an error window
  EXPECT_EQ(db.recording.statements().size(), c.statements);
}

INSTANTIATE_TEST_SUITE_P(
    Password, NoWindow,
    testing::Values(
        // 1-4. Protection off: anything but exactly "Tak", or the parameter missing.
        NoWindowCase{"Nie", "Nie", "LIMIT_KUPIECKI", 0}, NoWindowCase{"LowerCase", "tak", "X", 0},
        NoWindowCase{"Missing", nullptr, "LIMIT_KUPIECKI", 0},
        NoWindowCase{"Empty", "", "LIMIT_KUPIECKI", 0},
        // 5-6. Protection on, but no row in orv_funkcja (an empty code included).
        NoWindowCase{"UnknownFunction", "Tak", "NIE_MA", 2},
        NoWindowCase{"EmptyCode", "Tak", "", 2}),
    orv::test::named_case);

TEST(PasswordLookup, UnanswerableQuestionDoesNotLetTheFunctionRun) {
  test::SqlStack db;
  test::ScopedUi ui;
  dict::glo().ID_UZYTKOWNIKA = 7;
  dict::glo().tables.S_PARAMKONFQ.add({"BLOKFUNCHASLO", "", "Tak"});
  db.faults.fail_matching("orv_funkcja", sql::Fault::rejected("Invalid object name"));
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 0);
  for (const auto& w : ui.ui().windows()) EXPECT_NE(w.name, "HasloFunkcji");
  ASSERT_EQ(ui.ui().error_windows().size(), 1u);
  EXPECT_EQ(ui.ui().error_windows()[0].message, "Invalid object name");
}

TEST(PasswordLookup, CodeCutTo20Characters) {
  test::SqlStack db;
  dict::glo().tables.S_PARAMKONFQ.add({"BLOKFUNCHASLO", "", "Tak"});
  HASLOFUNKCJI(std::string(300, 'k'));
  ASSERT_EQ(db.recording.statements().size(), 2u);
  EXPECT_EQ(db.recording.statements()[1],
            "select nazwa_funkcji,opis_funkcji from orv_funkcja where kod_funkcji='" +
                std::string(20, 'k') + "'");
}

// Against the demo's passwords.
class DemoPasswords : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.tsql()) << "the backend must speak T-SQL";
    dict::glo().tables.S_PARAMKONFQ.add({"BLOKFUNCHASLO", "@s3", "Tak"});
  }
  test::DemoDb db;
  test::ScopedUi ui;
};

TEST_F(DemoPasswords, InjectedPasswordAuthorisesNobody) {
  ui.ui().add_script("set HASLO \"' or '1'='1\"; key F10; key Esc");
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 0);
  EXPECT_EQ(ui.boxes().size(), 1u);
}

TEST_F(DemoPasswords, GrantedPasswordsInAnyLetterCase) {
  ui.ui().add_script("set HASLO tajne; key F10");
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 1);
  ui.ui().add_script("set UZYTKOWNIK ewa; set HASLO Ceny2026; key F10");
  EXPECT_EQ(HASLOFUNKCJI("EDYCJA_CEN"), 1);
  ui.ui().add_script("set HASLO Tajne; key F10; key Esc");  // jan has no EDYCJA_CEN password
  EXPECT_EQ(HASLOFUNKCJI("EDYCJA_CEN"), 0);
  EXPECT_EQ(HASLOFUNKCJI("NIE_CHRONIONA"), 1);
}

}  // namespace
}  // namespace orv::config
