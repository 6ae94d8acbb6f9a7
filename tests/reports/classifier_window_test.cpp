// The additional-fields window driven by scripts on the demo database, in every mode.
#include "reports/classifier_window.hpp"

#include <gtest/gtest.h>

#include "host/session.hpp"
#include "lists/list_window.hpp"
#include "platform/shell/shell.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/host.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::reports {
namespace {

ClassifierValues utf8_values(std::initializer_list<const char*> given) {
  ClassifierValues v;
  std::size_t i = 0;
  for (const char* g : given) v[i++] = text::from_utf8(g);
  return v;
}

struct ModeCase {
  const char* name;
  const char* group;
  uint8_t mode;
  ClassifierValues given;
  std::optional<ClassifierValues> extra;
  const char* script;
  int32_t response;
  ClassifierValues expected;
  std::optional<ClassifierValues> expected_extra;
  const char* warning;  // "" = none
};

const ModeCase kModes[] = {
    // 1. Change: OK writes back; an inactive field keeps its value, a blank number reads 0.
    {"ChangeWritesBack", "Artykul", kChangeMode, utf8_values({"czarny", "24", "Bosch", "82000"}),
     std::nullopt, "choose POLE1 niebieski; set POLE6 \"C:\\a b\\x.pdf\"; press OK", 1,
     utf8_values({"niebieski", "24", "Bosch", "82000", "0", "C:\\a b\\x.pdf"}), std::nullopt, ""},
    // 2. A required text left blank keeps the window open with the check's warning.
    {"RequiredStaysOpen", "Artykul", kNewObjectMode, utf8_values({"biały", "12"}), std::nullopt,
     "press OK; set POLE3 Makita; press OK", 1, utf8_values({"biały", "12", "Makita", "", "0"}),
     std::nullopt, "Musisz wypełnić pole dodatkowe Dostawca!"},
    // 3. Cancelling leaves the caller's array as it was.
    {"CancelWritesNothing", "Artykul", kChangeMode, utf8_values({"czarny"}), std::nullopt,
     "choose POLE1 biały; press ANULUJ", 2, utf8_values({"czarny"}), std::nullopt, ""},
    // 4. Dates are shown by their picture and go back as day numbers, 0 as blank.
    {"DateTyped", "Rozrachunek", kChangeMode, utf8_values({"", "0"}), std::nullopt,
     "set POLE2 02.05.2015; press OK", 1, utf8_values({"", "78287"}), std::nullopt, ""},
    {"DateZeroBlank", "Rozrachunek", kChangeMode, utf8_values({"x", "0"}), std::nullopt, "press OK",
     1, utf8_values({"x", ""}), std::nullopt, ""},
    {"DateUnreadableKept", "Rozrachunek", kChangeMode, utf8_values({"x", "78286"}), std::nullopt,
     "set POLE2 abc; press OK", 1, utf8_values({"x", "78286"}), std::nullopt, ""},
    {"DateCleared", "Rozrachunek", kChangeMode, utf8_values({"x", "78286"}), std::nullopt,
     "press SKASUJ2; press OK", 1, utf8_values({"x", ""}), std::nullopt, ""},
    // 5. Group change: the flags say which fields the user ticked.
    {"GroupChangeFlags", "Rozrachunek", kGroupChangeMode, utf8_values({"a", "78286"}),
     utf8_values({"1", "1"}), "check ZMIEN1 off; set POLE2 \"\"; press OK", 1,
     utf8_values({"a", ""}), utf8_values({"0", "1"}), ""},
    // 6. Filter: the checked rows give their operators, the others a blank.
    {"FilterOperators", "Artykul", kFilterMode, utf8_values({"abc", "12"}), utf8_values({"", "<>"}),
     "choose POLE1 czarny; check FILTR1 on; choose OPERATOR1 \"nie zawiera\"; press OK", 1,
     utf8_values({"czarny", "12", "", "", "0", "", ""}),
     utf8_values({"nie zawiera", "<>", "", "", "", "", ""}), ""},
    // 7. Clear-all: values blank, operators back to "=", boxes unchecked; computed values stay.
    {"FilterClearAll", "Artykul", kFilterMode, utf8_values({"abc", "12", "Bosch", "", "7"}),
     utf8_values({"zawiera", "<>"}), "press WYCZYSC; press OK", 1,
     utf8_values({"", "0", "", "", "7", "", ""}), utf8_values({"", "", "", "", "", "", ""}), ""},
    // 8. View: only "Zamknij"; nothing is written.
    {"ViewCloses", "Artykul", kViewMode, utf8_values({"czarny"}), std::nullopt, "press Zamknij", 2,
     utf8_values({"czarny"}), std::nullopt, ""},
    // 9. A group without active fields: the warning, and no window.
    {"NoFields", "Nieznana", kChangeMode, utf8_values({"a"}), std::nullopt, "", 2,
     utf8_values({"a"}), std::nullopt,
     "Brak zdefiniowanych pól dodatkowych lub wszystkie pola są nieaktywne!|W celu definicji "
     "proszę "
     "wejść w funkcję Administrator->Definicje->Pola dodatkowe."},
};

class ClassifierWindow : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host::load_classifiers()); }
  test::DemoDb db;
};

class ClassifierModes : public ClassifierWindow, public testing::WithParamInterface<ModeCase> {};

TEST_P(ClassifierModes, GiveBackWhatTheModeSays) {
  const ModeCase& c = GetParam();
  test::ScopedUi ui;
  ui.ui().add_script(c.script);
  ClassifierValues v = c.given;
  std::optional<ClassifierValues> extra = c.extra;
  EXPECT_EQ(KLASYFIKATORY_OKNO(c.group, v, c.mode, extra ? &*extra : nullptr), c.response);
  EXPECT_EQ(v, c.expected);
  if (c.expected_extra) {
    EXPECT_EQ(extra, c.expected_extra);
  }
  EXPECT_EQ(ui.ui().commands_left(), 0u);
  if (*c.warning) {
    ASSERT_FALSE(ui.boxes().empty());
    EXPECT_EQ(text::to_utf8(ui.boxes().front().box.text), c.warning);
  } else {
    EXPECT_TRUE(ui.boxes().empty());
  }
}
INSTANTIATE_TEST_SUITE_P(Scripts, ClassifierModes, testing::ValuesIn(kModes),
                         [](const auto& i) { return std::string(i.param.name); });

// The rows as each mode builds them: hints and operators in the filter, nothing to press in a view.
TEST_F(ClassifierWindow, RowsFollowKindTypeAndMode) {
  test::ScopedUi ui;
  ui.ui().add_script("close; close");
  ClassifierValues v = utf8_values({});
  ClassifierValues ops = utf8_values({});
  KLASYFIKATORY_OKNO("Artykul", v, kFilterMode, &ops);
  KLASYFIKATORY_OKNO("Artykul", v, kViewMode, nullptr);
  ASSERT_EQ(ui.ui().windows().size(), 2u);
  auto find = [](const ui::WindowRecord& w, const std::string& id) -> const ui::Control* {
    for (const ui::Control& c : w.controls)
      if (c.id == id) return &c;
    return nullptr;
  };
  const ui::WindowRecord& filter = ui.ui().windows()[0];
  EXPECT_EQ(find(filter, "OPERATOR1")->items.size(), 8u);  // text: with "zawiera"
  EXPECT_EQ(find(filter, "OPERATOR2")->items.size(), 6u);
  EXPECT_EQ(text::to_utf8(find(filter, "PODPOWIEDZ")->caption),
            "Dla operatora \"zawiera\" i \"nie zawiera\" można użyć znaków %,_");
  EXPECT_TRUE(find(filter, "SLOWNIK3") && !find(filter, "SLOWNIK1"));
  EXPECT_TRUE(find(filter, "POLE5")->read_only && !find(filter, "SKASUJ5"));
  EXPECT_EQ(text::to_utf8(find(filter, "OTWORZ7")->caption), "Otwórz stronę WWW");
  EXPECT_EQ(find(filter, "POLE4"), nullptr);  // inactive
  const ui::WindowRecord& view = ui.ui().windows()[1];
  EXPECT_TRUE(find(view, "OK")->hidden && find(view, "SKASUJ1")->hidden);
  EXPECT_TRUE(find(view, "POLE1")->disabled && find(view, "POLE6")->read_only);
}

// The row buttons: dictionary, calendar, file dialog and opening, each with what it brings back.
struct ButtonCase {
  const char* name;
  const char* group;
  const char* program;  // the kind-4 field's configured program
  const char* script;
  int field;
  const char* value;
  const char* warning;
};

const ButtonCase kButtons[] = {
    {"Dictionary", "Artykul", "", "press SLOWNIK3; choose LISTA Makita; press OK", 3, "Makita", ""},
    {"DictionaryClosed", "Artykul", "", "press SLOWNIK3; close; press OK", 3, "Bosch", ""},
    {"Calendar", "Rozrachunek", "", "press KALENDARZ2; press DZISIAJ; press OK", 2, "82198", ""},
    {"Browse", "Artykul", "", "press PRZEGLADAJ6; answer \"/tmp/karta 1.pdf\"; press OK", 6,
     "/tmp/karta 1.pdf", ""},
    {"OpenBlank", "Artykul", "", "set POLE6 \"\"; press OTWORZ6; press OK", 6, "",
     "Proszę wpisać ścieżkę do obiektu!"},
};

class ClassifierButtons : public ClassifierWindow,
                          public testing::WithParamInterface<ButtonCase> {};

TEST_P(ClassifierButtons, BringBackTheirValue) {
  const ButtonCase& c = GetParam();
  test::ScopedUi ui;
  ui.ui().add_script(c.script);
  ClassifierValues v = utf8_values({"", "", "Bosch"});
  EXPECT_EQ(KLASYFIKATORY_OKNO(c.group, v, kChangeMode, nullptr), lists::kRequestCompleted);
  EXPECT_EQ(v[static_cast<std::size_t>(c.field - 1)], text::from_utf8(c.value));
  if (*c.warning) {
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(text::to_utf8(ui.boxes()[0].box.text), c.warning);
  }
}
INSTANTIATE_TEST_SUITE_P(Scripts, ClassifierButtons, testing::ValuesIn(kButtons),
                         [](const auto& i) { return std::string(i.param.name); });

// The desktop's side: a backend that shows windows to a person starts through this seam.
bool accept_start(const std::vector<std::string>&, std::string&) {
  return true;
}
bool refuse_start(const std::vector<std::string>&, std::string& error) {
  error = "refused";
  return false;
}

struct StarterScope {
  explicit StarterScope(shell::Starter s) : old(shell::set_starter(s)) {}
  ~StarterScope() { shell::set_starter(old); }
  StarterScope(const StarterScope&) = delete;
  StarterScope& operator=(const StarterScope&) = delete;
  shell::Starter old;
};

// A backend that records starts and opens as the headless one does, then reports them failed.
class RefusingUi : public ui::HeadlessBackend {
 public:
  RefusingUi() : HeadlessBackend({}, /*strict=*/true) {}
  bool start_program(const std::string& p, const std::vector<std::string>& a,
                     std::string& e) override {
    HeadlessBackend::start_program(p, a, e);
    return false;
  }
  bool open_document(const std::string& path, std::string& e) override {
    HeadlessBackend::open_document(path, e);
    return false;
  }
};

// The configured program gets the path as one argument, quotes and blanks and all; without a
// program the desktop opens it. A start that fails names the program, an open the path.
TEST_F(ClassifierWindow, OpeningStartsTheProgramOrTheDesktop) {
  const std::string path = "C:\\dok \"x\" $(id).pdf";
  for (const char* program : {"/opt/czytnik pdf/run", ""}) {
    ASSERT_TRUE(db.run(std::string("update klasyfikator_pole set program='") + program +
                       "' where kod_klas_grupy='Artykul' and nr_pola=6"));
    ASSERT_TRUE(host::load_classifiers());
    for (bool refuse : {false, true}) {
      SCOPED_TRACE(std::string(program) + (refuse ? " refused" : ""));
      const StarterScope starter(refuse ? refuse_start : accept_start);
      RefusingUi refusing;
      test::ScopedUi plain;
      ui::ScriptedBackend& engine = refuse ? static_cast<ui::ScriptedBackend&>(refusing)
                                           : static_cast<ui::ScriptedBackend&>(plain.ui());
      std::optional<test::ShownUi> shown;
      if (refuse) shown.emplace(refusing);
      engine.add_script("press OTWORZ6; close");
      ClassifierValues v = utf8_values({});
      v[5] = path;
      KLASYFIKATORY_OKNO("Artykul", v, kChangeMode, nullptr);
      if (*program) {
        ASSERT_EQ(engine.started_programs().size(), 1u);
        EXPECT_EQ(engine.started_programs()[0], (std::vector<std::string>{program, path}));
      } else {
        EXPECT_EQ(engine.opened_documents(), std::vector<std::string>{path});
      }
      ASSERT_EQ(engine.boxes().size(), refuse ? 1u : 0u);
      if (refuse) {
        EXPECT_EQ(text::to_utf8(engine.boxes()[0].box.text),
                  "Prawdopodobnie ścieżka dostępu do pliku " + (*program ? program : path) +
                      " jest nieprawidłowa!");
      }
    }
  }
}

}  // namespace
}  // namespace orv::reports
