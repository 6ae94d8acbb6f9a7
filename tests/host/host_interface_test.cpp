// The host interface through its C functions: context and tables by name, strict text, calls by
// name, sign-in on the demo database, and a host's own renderer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "exports/orvrun_host.h"
#include "frame/lifecycle.hpp"
#include "platform/dict/context.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv {
namespace {

std::string taken(char* text) {
  std::string out = text ? text : "(null)";
  ORVRUN_FREE(text);
  return out;
}

class HostInterface : public ::testing::Test {
 protected:
  void TearDown() override {
    ORVRUN_UI_DEFAULT();
    dict::reset_context();
  }
};

struct GlobalCase {
  const char* name;
  const char* value;  // set as text
  bool accepted;
  const char* read;  // GLO_GET_TEXT afterwards
};

TEST_F(HostInterface, GlobalsByName) {
  const GlobalCase kCases[] = {
      {"GLO:ID_UZYTKOWNIKA", "7", true, "7"},  // 1. a REAL identifier
      {"id_firmy", " 5 ", true, "5"},          // 2. no prefix, any case, blanks
      {"GLO:RIBBONOFF", "300", false, "0"},    // 3. a BYTE out of range
      {"GLO:WATEKAPP", "1.5", false, "0"},     // 4. a LONG that is not whole
      {"GLO:DATA_OD", "abc", false, "0"},      // 5. not a number
      {"GLO:ZAKRES", "123456789012345678901234", true, "12345678901234567890"},  // 6. cut
      {"GLO:NOSUCH", "1", false, ""},                                            // 7. unknown
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ORVRUN_GLOBAL_SET_TEXT(c.name, c.value), c.accepted);
    EXPECT_EQ(taken(ORVRUN_GLOBAL_GET_TEXT(c.name)), c.read);
  }
  EXPECT_EQ(ORVRUN_GLOBAL_TYPE("GLO:ZAKRES"), ORVRUN_TYPE_TEXT);
  EXPECT_EQ(ORVRUN_GLOBAL_GET("GLO:ID_UZYTKOWNIKA"), 7);
  EXPECT_EQ(dict::glo().ID_FIRMY, 5);
}

TEST_F(HostInterface, TablesByNameAndField) {
  ASSERT_EQ(ORVRUN_TABLE_ADD("VATQ"), 1);
  EXPECT_TRUE(ORVRUN_TABLE_SET("VATQ", 1, "symbol", "23"));
  EXPECT_TRUE(ORVRUN_TABLE_SET("VATQ", 1, "RATE", "23.00"));
  EXPECT_FALSE(ORVRUN_TABLE_SET("VATQ", 1, "RATE", "x"));    // not a number
  EXPECT_FALSE(ORVRUN_TABLE_SET("VATQ", 2, "RATE", "1"));    // no such row
  EXPECT_FALSE(ORVRUN_TABLE_SET("VATQ", 1, "NOSUCH", "1"));  // no such field
  EXPECT_EQ(POBIERZSTAWKEVAT("23"), 23);                     // the library reads what was put
  EXPECT_EQ(taken(ORVRUN_TABLE_GET("glo:vatq", 1, "SYMBOL")), "23");
  EXPECT_EQ(taken(ORVRUN_TABLE_FIELD("VATQ", 1)), "RATE");
  EXPECT_EQ(ORVRUN_TABLE_ROWS("NOSUCH"), -1);
  EXPECT_TRUE(ORVRUN_TABLE_CLEAR("VATQ"));
  EXPECT_EQ(ORVRUN_TABLE_ROWS("VATQ"), 0);
}

struct Utf8Case {
  const char* in;
  const char* out;    // nullptr: refused
  const char* error;  // a part of the reason
};

TEST_F(HostInterface, TextFromUtf8IsStrict) {
  const Utf8Case kCases[] = {
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       "\xA3\xF3"
       "d\x9F",
       ""},                                              // 1. Łódź
      {"a\xC3", nullptr, "invalid UTF-8 at byte 2"},     // 2. cut sequence
      {"\xC0\xAF", nullptr, "invalid UTF-8 at byte 1"},  // 3. overlong
      {"\xED\xA0\x80", nullptr, "invalid UTF-8"},        // 4. surrogate
      {"x\xE6\x97\xA5", nullptr, "U+65E5"},              // 5. no Windows-1250 form
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.in);
    char* error = nullptr;
    char* out = ORVRUN_FROM_UTF8(c.in, &error);
    if (c.out) {
      EXPECT_EQ(taken(out), c.out);
    } else {
      EXPECT_EQ(out, nullptr);
      EXPECT_NE(taken(error).find(c.error), std::string::npos);
    }
  }
}

struct CallCase {
  const char* procedure;
  std::vector<const char*> args;  // as texts; nullptr = left out
  bool made;
  const char* error;  // a part of the reason when not made
};

TEST_F(HostInterface, CallsByNameCheckTheirArguments) {
  const CallCase kCases[] = {
      {"NIPOK", {"5260250995"}, true, ""},                       // 1. a text
      {"NIPOK", {nullptr}, false, "argument text is required"},  // 2. required left out
      {"ILEZAZNACZONYCH", {"1.5"}, false, "must be LONG"},       // 3. not whole
      {"OBLICZBRUTTO", {"nan", "23", nullptr}, false, "REAL"},   // 4. not a decimal number
      {"NIPOK", {"1", "2"}, false, "takes 1 parameters"},        // 5. too many
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.procedure);
    int32_t proc = ORVRUN_PROC_FIND(c.procedure);
    ASSERT_GE(proc, 0);
    std::vector<ORVRUN_VALUE> args(c.args.size());
    for (std::size_t i = 0; i < c.args.size(); ++i)
      args[i] = {c.args[i] != nullptr, 0, c.args[i], nullptr};
    ORVRUN_VALUE result{};
    char* error = nullptr;
    EXPECT_EQ(ORVRUN_CALL(proc, args.data(), static_cast<int32_t>(args.size()), &result, &error),
              c.made);
    if (!c.made) {
      EXPECT_NE(taken(error).find(c.error), std::string::npos);
    }
  }
  EXPECT_EQ(ORVRUN_PROC_FIND("nosuch"), -1);
}

TEST_F(HostInterface, ReferencesAndTextResultsComeBack) {
  int32_t proc = ORVRUN_PROC_FIND("slownie");
  ORVRUN_VALUE args[2] = {{1, 21, nullptr, nullptr}, {}};
  ORVRUN_VALUE result{};
  ASSERT_TRUE(ORVRUN_CALL(proc, args, 2, &result, nullptr));
  EXPECT_NE(taken(result.out), "");
  proc = ORVRUN_PROC_FIND("POBIERZZAKRESKOLUMNBROWSERA");
  ORVRUN_VALUE refs[3] = {
      {1, 0, "nosuch", nullptr}, {1, 5, nullptr, nullptr}, {1, 5, nullptr, nullptr}};
  ASSERT_TRUE(ORVRUN_CALL(proc, refs, 3, nullptr, nullptr));
  EXPECT_EQ(refs[1].number, 0);  // the procedure wrote its reference
}

TEST_F(HostInterface, SignInChecksWhoAndLoadsTheTables) {
  test::DemoDb db;
  char* error = nullptr;
  ASSERT_TRUE(ORVRUN_OPEN(db.path().c_str(), 0, &error)) << taken(error);
  double nobody = 999, user = 7, company = 5;
  EXPECT_FALSE(ORVRUN_SIGN_IN(&nobody, nullptr, nullptr, &error));
  EXPECT_EQ(taken(error), "there is no user 999 in the database");
  EXPECT_FALSE(ORVRUN_SIGN_IN(&user, &nobody, nullptr, &error));
  EXPECT_EQ(taken(error), "there is no company 999 in the database");
  ASSERT_TRUE(ORVRUN_SIGN_IN(&user, &company, nullptr, &error)) << taken(error);
  EXPECT_GT(ORVRUN_TABLE_ROWS("VATQ"), 0);
  EXPECT_GT(ORVRUN_TABLE_ROWS("UPRAWNQ"), 0);
  EXPECT_EQ(taken(ORVRUN_GLOBAL_GET_TEXT("GLO:ID_MAGAZYNU")), "1");  // the user's own row
  // The user leaves with a changed range: it is in the database at the next sign-in.
  ORVRUN_GLOBAL_SET_TEXT("GLO:ZAKRES", "Rok");
  ASSERT_TRUE(ORVRUN_SIGN_OUT(&error)) << taken(error);
  ORVRUN_GLOBAL_SET_TEXT("GLO:ZAKRES", "");
  ASSERT_TRUE(ORVRUN_SIGN_IN(&user, nullptr, nullptr, &error)) << taken(error);
  EXPECT_EQ(taken(ORVRUN_GLOBAL_GET_TEXT("GLO:ZAKRES")), "Rok");
  ORVRUN_CLOSE();
}

// A renderer that records what it was shown and answers from a list of commands.
struct Screen {
  std::vector<std::string> seen;
  std::vector<std::string> commands;
};

TEST_F(HostInterface, AHostsRendererShowsWindowsAndAnswers) {
  Screen screen{{}, {"key Esc"}};
  ORVRUN_RENDERER r{};
  r.user = &screen;
  r.box = [](void* u, const char* title, const char*, int32_t, uint32_t, uint32_t) -> uint32_t {
    static_cast<Screen*>(u)->seen.push_back(std::string("box ") + title);
    return ORVRUN_YES;
  };
  r.open_window = [](void* u, int32_t, const char* name, const char*) {
    static_cast<Screen*>(u)->seen.push_back(std::string("open ") + name);
  };
  r.next_event = [](void* u, int32_t, char* commands, size_t size) -> uint8_t {
    auto* s = static_cast<Screen*>(u);
    if (s->commands.empty()) return 0;
    std::snprintf(commands, size, "%s", s->commands.front().c_str());
    s->commands.erase(s->commands.begin());
    return 1;
  };
  r.close_window = [](void* u, int32_t) { static_cast<Screen*>(u)->seen.push_back("close"); };
  ORVRUN_UI_RENDERER(&r);
  EXPECT_EQ(MSG_PYTANIE("Czy?", nullptr), 2);
  double percentage = 10, price = 100;
  PRZELICZNIKRABATU(&percentage, &price, nullptr, nullptr);
  ASSERT_EQ(screen.seen.size(), 3u);
  EXPECT_EQ(screen.seen[0], "box ORVEX: Pytanie");
  EXPECT_EQ(screen.seen[2], "close");
  EXPECT_EQ(taken(ORVRUN_SHOWN_GET(ORVRUN_SHOWN_MESSAGES, 0, "answer")), "yes");
  EXPECT_EQ(ORVRUN_SHOWN_COUNT(ORVRUN_SHOWN_WINDOWS), 1);
}

TEST_F(HostInterface, HeadlessRecordsAndNamesWhatWasLeftOver) {
  ASSERT_TRUE(ORVRUN_UI_HEADLESS("answer yes; key Esc", 0, nullptr));
  EXPECT_EQ(MSG_PYTANIE("Czy?", nullptr), 2);
  EXPECT_EQ(taken(ORVRUN_SHOWN_GET(ORVRUN_SHOWN_MESSAGES, 0, "kind")), "question");
  EXPECT_EQ(taken(ORVRUN_SHOWN_GET(ORVRUN_SHOWN_LEFTOVER, 0, "text")), "key Esc");
  char* error = nullptr;
  EXPECT_FALSE(ORVRUN_UI_HEADLESS("key NoSuchKey", 0, &error));
  EXPECT_NE(taken(error).find("names no key"), std::string::npos);
}

// The INI file kept by the host: every value a window saves reaches its callback.
TEST_F(HostInterface, InitTakesTheHostsIniCallbacks) {
  frame::reset_module();
  static std::vector<std::string> written;
  written.clear();
  ORVRUN_HOST_CALLBACKS c{};
  c.ini_get = [](void*, const char*, const char*, char*, size_t) -> uint8_t { return 0; };
  c.ini_set = [](void*, const char* section, const char* key, const char*) {
    written.push_back(std::string(section) + "/" + key);
  };
  ORVRUN_HOST_INIT(&c);
  ASSERT_TRUE(ORVRUN_UI_HEADLESS("key Esc", 0, nullptr));
  double percentage = 10, price = 100;
  PRZELICZNIKRABATU(&percentage, &price, nullptr, nullptr);
  frame::reset_module();
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(written[0].substr(0, written[0].find('/')),
            taken(ORVRUN_SHOWN_GET(ORVRUN_SHOWN_WINDOWS, 0, "name")));
}

}  // namespace
}  // namespace orv
