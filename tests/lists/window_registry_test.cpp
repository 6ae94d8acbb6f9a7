// The open-window and open-object registries: normalised names, flags on removal, pairs, CLI.
#include "lists/window_registry.hpp"

#include <gtest/gtest.h>

#include <string>

#include "exports/orvrun.h"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "support/support.hpp"

namespace orv::lists {
namespace {

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { dict::reset_context(); }
  void TearDown() override { dict::reset_context(); }
  dict::Context& glo() { return dict::glo(); }
};

struct NameCase {
  int id;
  const char* first;
  const char* second;
  uint8_t second_result;  // DODAJOKNO of `second` after `first`
};

class SameWindow : public Registry, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SameWindow, NamesAreNormalisedBeforeEveryLookup) {
  const auto& c = GetParam();
  EXPECT_EQ(DODAJOKNO(c.first), 1);
  EXPECT_EQ(DODAJOKNO(c.second), c.second_result);
  EXPECT_EQ(glo().tables.OKNAQ.size(), c.second_result ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SameWindow,
    ::testing::Values(NameCase{1, "Artykul_Brw", "ARTYKUL_BRW", 0},     // case folded
                      NameCase{2, "Artykul_Brw", "Artykul_Brw   ", 0},  // trailing blanks
                      NameCase{3, "ABCDEFGHIJKLMNOPQRST", "abcdefghijklmnopqrstUVW",
                               0},                                    // beyond the 20th
                      NameCase{4, "Artykul_Brw", " Artykul_Brw", 1},  // leading blank counts
                      NameCase{5, "Kontrahent_Brw", "Kontrahent_Upd", 1},
                      NameCase{6, "żółw"_w1250, "ŻÓŁW"_w1250, 0},        // Polish letters fold
                      NameCase{7, "OKNO                X", "okno", 0}),  // the cut ends in blanks
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

TEST_F(Registry, StoresUpperCasedClippedNamesInKeyOrder) {
  DODAJOKNO("zamowienia_brw  ");
  DODAJOKNO("artykul_brw");
  DODAJOKNO("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const auto& q = glo().tables.OKNAQ;
  ASSERT_EQ(q.size(), 3u);
  EXPECT_EQ(q[0].name, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(q[1].name, "ARTYKUL_BRW");
  EXPECT_EQ(q[2].name, "ZAMOWIENIA_BRW");
}

TEST_F(Registry, ValueIsReadBackUntilTheWindowCloses) {
  EXPECT_EQ(WEZOKNO("Artykul_Brw"), 0);
  EXPECT_FALSE(set_window_value("Artykul_Brw", 7));  // not registered: nothing stored
  DODAJOKNO("Artykul_Brw");
  EXPECT_TRUE(set_window_value("artykul_brw", 7));
  EXPECT_EQ(WEZOKNO("ARTYKUL_BRW"), 7);
  SKASUJOKNO("Artykul_brw");
  EXPECT_EQ(WEZOKNO("Artykul_Brw"), 0);
  EXPECT_EQ(DODAJOKNO("Artykul_Brw"), 1);
}

struct RemoveCase {
  int id;
  const char* registered;  // nullptr = nothing registered
  int32_t value;           // stored with the window
  const char* removed;
  int32_t asystent_before;
  int32_t asystent_after;
  uint8_t modul_after;  // GLO:MODULKONTROLIAKTYWNY, set to 1 before
};

class Remove : public Registry, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(Remove, ReleasesTheFlagsThatReferToTheWindow) {
  const auto& c = GetParam();
  if (c.registered) {
    DODAJOKNO(c.registered);
    set_window_value(c.registered, c.value);
  }
  glo().MODULKONTROLIAKTYWNY = 1;
  glo().BRWOPENING = 1;
  glo().ASYSTENTGRUPA = c.asystent_before;
  SKASUJOKNO(c.removed);
  EXPECT_EQ(glo().BRWOPENING, 0);  // cleared in every case
  EXPECT_EQ(glo().ASYSTENTGRUPA, c.asystent_after);
  EXPECT_EQ(glo().MODULKONTROLIAKTYWNY, c.modul_after);
  EXPECT_EQ(WEZOKNO(c.removed), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Remove,
    ::testing::Values(RemoveCase{1, "AdmCtrl", 5, "admctrl", 9, 9, 0},      // control module closes
                      RemoveCase{2, "Grupa_Brw", 9, "Grupa_Brw", 9, 0, 1},  // the assistant's
                      RemoveCase{3, "Grupa_Brw", 8, "Grupa_Brw", 9, 9, 1},  // another window
                      RemoveCase{4, nullptr, 0, "AdmCtrl", 9, 9, 1},  // unknown: only BRWOPENING
                      RemoveCase{5, "Grupa_Brw", 9, "Inne_Brw", 9, 9, 1}),
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

TEST_F(Registry, RemovingOneWindowKeepsTheOthers) {
  for (const char* n : {"A", "B", "C"}) DODAJOKNO(n);
  SKASUJOKNO("b");
  const auto& q = glo().tables.OKNAQ;
  ASSERT_EQ(q.size(), 2u);
  EXPECT_EQ(q[0].name, "A");
  EXPECT_EQ(q[1].name, "C");
}

// ---- open objects -------------------------------------------------------------------------

TEST_F(Registry, PairsAreAddedOnceAndComparedAsStored) {
  const std::string long_name(300, 'n');
  const std::string long_qualifier(150, 'q');
  const auto& q = glo().tables.KOLEJKAOTWARTYCHOKIEN;

  ADDKOO("Faktura", "12");
  ADDKOO("Faktura", "12");  // 1. the same pair twice keeps one entry
  EXPECT_EQ(q.size(), 1u);
  EXPECT_EQ(ISKOO("Faktura", "12  "), 1);  // 2. trailing blanks do not matter
  EXPECT_EQ(ISKOO("FAKTURA", "12"), 0);    // 3. no case folding
  EXPECT_EQ(ISKOO("Faktura", "13"), 0);    // 4. the qualifier is part of the key

  ADDKOO(long_name, long_qualifier);  // 5. cut to 254 and 99 characters
  EXPECT_EQ(ISKOO(long_name.substr(0, 254) + "x", long_qualifier.substr(0, 99) + "y"), 1);
  EXPECT_EQ(q.size(), 2u);

  DELKOO("Faktura", "99");  // 6. unknown pair: nothing happens
  EXPECT_EQ(q.size(), 2u);
  DELKOO("Faktura", "12");  // 7. known pair goes
  EXPECT_EQ(ISKOO("Faktura", "12"), 0);
  EXPECT_EQ(q.size(), 1u);

  FREEKOO();  // 8. empties the registry
  EXPECT_TRUE(q.empty());
  EXPECT_EQ(ISKOO(long_name, long_qualifier), 0);
}

TEST_F(Registry, PairsAreKeptInKeyOrder) {
  ADDKOO("B", "1");
  ADDKOO("A", "2");
  ADDKOO("A", "1");
  const auto& q = glo().tables.KOLEJKAOTWARTYCHOKIEN;
  ASSERT_EQ(q.size(), 3u);
  EXPECT_EQ(q[0].name + q[0].qualifier, "A1");
  EXPECT_EQ(q[1].name + q[1].qualifier, "A2");
  EXPECT_EQ(q[2].name + q[2].qualifier, "B1");
}

TEST_F(Registry, CAbiReadsNullAsEmptyText) {
  EXPECT_EQ(::DODAJOKNO(nullptr), 1);
  EXPECT_EQ(::DODAJOKNO(""), 0);
  ::ADDKOO(nullptr, nullptr);
  EXPECT_EQ(::ISKOO("", ""), 1);
  ::DELKOO("", nullptr);
  EXPECT_EQ(::ISKOO(nullptr, nullptr), 0);
  ::SKASUJOKNO(nullptr);
  EXPECT_EQ(::WEZOKNO(nullptr), 0);
  EXPECT_TRUE(glo().tables.OKNAQ.empty());
}

TEST(RegistryCli, EachCallStartsWithAnEmptyRegistry) {
  for (const char* name : {"Artykul_Brw", "ARTYKUL_BRW"}) {
    auto r = test::run_cli({"call", "DODAJOKNO", name});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\n");
  }
  auto r = test::run_cli({"call", "--json", "ISKOO", "Faktura", "12"});
  EXPECT_EQ(r.out, "{\"result\": 0, \"out\": {}, \"messages\": [], \"windows\": []}\n");
  EXPECT_EQ(test::run_cli({"call", "FREEKOO"}).out, "");
}

}  // namespace
}  // namespace orv::lists
