// The script language: what each written command parses to, and what it refuses.
#include "platform/ui/script.hpp"
#include "platform/text/cp1250.hpp"

#include <gtest/gtest.h>

namespace orv::ui {
namespace {

struct ParseCase {
  const char* name;
  const char* script;
  std::vector<std::vector<std::string>> commands;  // verb, target, arg
};

class Parse : public testing::TestWithParam<ParseCase> {};

TEST_P(Parse, Commands) {
  const auto& c = GetParam();
  std::vector<std::vector<std::string>> got;
  for (const auto& cmd : parse_script(c.script)) got.push_back({cmd.verb, cmd.target, cmd.arg});
  EXPECT_EQ(got, c.commands);
}

INSTANTIATE_TEST_SUITE_P(
    Script, Parse,
    testing::Values(
        // 1. Each verb with its arguments; the value is the rest of the command.
        ParseCase{"AllVerbs",
                  "set NR_KWOTA -3.33\npress ZATWIERDZ\nchoose ZAKRES luty\nselect LISTA 4\n"
                  "dclick LISTA 2\ncheck ZAZN on\nkey Ctrl+D\nanswer yes\ntick 3\nclose",
                  {{"set", "NR_KWOTA", "-3.33"},
                   {"press", "ZATWIERDZ", ""},
                   {"choose", "ZAKRES", "luty"},
                   {"select", "LISTA", "4"},
                   {"dclick", "LISTA", "2"},
                   {"check", "ZAZN", "on"},
                   {"key", "Ctrl+D", ""},
                   {"answer", "yes", ""},
                   {"tick", "3", ""},
                   {"close", "", ""}}},
        // 2. ";" separates like a new line; blanks, tabs, CR and comments are skipped.
        ParseCase{"SemicolonsBlanksComments",
                  "  press OK ;\r\n# a comment\n\n\tkey Esc\t;tick",
                  {{"press", "OK", ""}, {"key", "Esc", ""}, {"tick", "", ""}}},
        // 3. Quotes keep blanks in a control's caption and ";" in a value.
        ParseCase{"Quotes",
                  "press \"Do schowka\"; set \"Rabat/narzut kwota [-/+]\" \"a;b\"",
                  {{"press", "Do schowka", ""}, {"set", "Rabat/narzut kwota [-/+]", "a;b"}}},
        // 4. Verbs are case-insensitive; a set with no value sets the empty text.
        ParseCase{"VerbCaseAndEmptyValue",
                  "SET CENA\nPress X",
                  {{"set", "CENA", ""}, {"press", "X", ""}}},
        // 5. UTF-8 script text becomes Windows-1250 ("bieżący" with ż = 0xBF).
        ParseCase{"Utf8ToCp1250",
                  "choose ZAKRES bieżący miesiąc",
                  {{"choose", "ZAKRES", "bieżący miesiąc"_w1250}}},
        // 6. An answer keeps its blanks: it may be a caption of several words.
        ParseCase{"AnswerWithBlanks",
                  "answer Nie pytaj więcej"_w1250,
                  {{"answer", "Nie pytaj więcej"_w1250, ""}}}),
    [](const auto& info) { return info.param.name; });

struct BadCase {
  const char* name;
  const char* script;
  const char* message_part;
};

class BadScript : public testing::TestWithParam<BadCase> {};

TEST_P(BadScript, IsRefusedWithTheCommandNamed) {
  try {
    parse_script(GetParam().script);
    FAIL() << "accepted";
  } catch (const ScriptError& e) {
    EXPECT_NE(e.message.find(GetParam().message_part), std::string::npos) << e.message;
  }
}

INSTANTIATE_TEST_SUITE_P(Script, BadScript,
                         testing::Values(
                             // 1. A verb the language does not have.
                             BadCase{"UnknownVerb", "type CENA 5",
                                     "unknown script command \"type CENA 5\""},
                             // 2-4. Commands missing what they act on.
                             BadCase{"PressWithoutControl", "press", "lacks its argument"},
                             BadCase{"SelectWithoutRow", "select LISTA", "lacks its argument"},
                             BadCase{"CheckWithoutState", "check ZAZN", "lacks its argument"},
                             // 5-7. Values no control could take, whatever window is open.
                             BadCase{"CheckMaybe", "check ZAZN maybe", "set on or off"},
                             BadCase{"TickWord", "tick x", "a tick count is a number"},
                             BadCase{"DclickWord", "dclick LISTA b", "given by number"}),
                         [](const auto& info) { return info.param.name; });

struct KeyCase {
  const char* written;
  const char* canonical;
};

class Keys : public testing::TestWithParam<KeyCase> {};

TEST_P(Keys, OneSpelling) {
  EXPECT_EQ(canonical_key(GetParam().written), GetParam().canonical);
}

INSTANTIATE_TEST_SUITE_P(Script, Keys,
                         testing::Values(KeyCase{"esc", "Esc"}, KeyCase{"ESCAPE", "Esc"},
                                         KeyCase{"f10", "F10"}, KeyCase{"ctrl+d", "Ctrl+D"},
                                         KeyCase{"shift+ctrl+f5", "Ctrl+Shift+F5"},
                                         KeyCase{"alt+ctrl+del", "Ctrl+Alt+Delete"},
                                         KeyCase{"Ctrl++", "Ctrl+Plus"}, KeyCase{"alt", "Alt"},
                                         KeyCase{"return", "Enter"}, KeyCase{"pgdn", "PgDn"}));

}  // namespace
}  // namespace orv::ui
