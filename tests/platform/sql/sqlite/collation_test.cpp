// PL_CI_AS: the comparison, its case folding, and cases C01-C10 on binary and PL_CI_AS files.
#include "platform/sql/sqlite/collation.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "sqlite_fixture.hpp"
#include "support/case_names.hpp"

namespace orv::sql::sqlite {
namespace {

using text::to_utf8;

int sign(int v) {
  return (v > 0) - (v < 0);
}

struct CompareCase {
  const char* name;
  const char* a;  // Windows-1250, converted to UTF-8 for the comparison
  const char* b;
  int expected;  // sign of compare(a, b)
};

class Compare : public testing::TestWithParam<CompareCase> {};

TEST_P(Compare, GivesTheServersOrder) {
  const auto& c = GetParam();
  EXPECT_EQ(sign(compare_pl_ci_as(to_utf8(c.a), to_utf8(c.b))), c.expected);
  EXPECT_EQ(sign(compare_pl_ci_as(to_utf8(c.b), to_utf8(c.a))), -c.expected) << "not antisymmetric";
}

INSTANTIATE_TEST_SUITE_P(
    PlCiAs, Compare,
    testing::Values(CompareCase{"01_case_ignored", "Tajne", "tAJNE", 0},
                    CompareCase{"02_trailing_blanks_ignored", "Tajne  ", "Tajne", 0},
                    CompareCase{"03_leading_blanks_count", " Tajne", "Tajne", -1},
                    CompareCase{"04_tab_is_not_a_blank", "Tajne\t", "Tajne", 1},
                    CompareCase{"05_polish_upper_lower_equal", "ŻÓŁW"_w1250, "żółw"_w1250, 0},
                    CompareCase{"06_a_before_a_ogonek", "a", "ą"_w1250, -1},
                    CompareCase{"07_a_ogonek_before_b", "ą"_w1250, "b", -1},
                    CompareCase{"08_l_stroke_after_l", "Łódź"_w1250, "Lublin", 1},
                    CompareCase{"09_l_stroke_before_m", "Łódź"_w1250, "Mława"_w1250, -1},
                    CompareCase{"10_z_acute_after_z", "ź"_w1250, "z", 1},
                    CompareCase{"11_z_dot_after_z_acute", "ż"_w1250, "ź"_w1250, 1},
                    CompareCase{"12_o_acute_after_o", "ó"_w1250, "o", 1},
                    CompareCase{"13_o_acute_before_p", "ó"_w1250, "p", -1},
                    CompareCase{"14_accent_sensitive", "e", "é"_w1250, -1},
                    CompareCase{"15_accent_secondary_to_letters", "éa"_w1250, "eb", -1},
                    CompareCase{"16_accented_case_ignored", "É"_w1250, "é"_w1250, 0},
                    CompareCase{"17_accent_beats_case", "E", "é"_w1250, -1},
                    CompareCase{"18_digits_before_letters", "9", "a", -1},
                    CompareCase{"19_digits_as_text", "10", "9", -1},
                    CompareCase{"20_blank_before_letters", "a b", "ab", -1},
                    CompareCase{"21_empty_equals_blanks", "", "   ", 0},
                    CompareCase{"22_prefix_first", "Kowal", "Kowalski", -1},
                    CompareCase{"23_s_acute_after_s", "śa"_w1250, "sz", 1},
                    CompareCase{"24_c_acute_before_d", "ć"_w1250, "d", -1}),
    orv::test::named_case);

// Sorting with the comparison must give one consistent order: every pair of a sorted list
// compares in order (catches non-transitive weights), and equal pairs stay equal both ways.
TEST(PlCiAsOrder, IsATotalOrderOverMixedWords) {
  std::vector<std::string> words;
  for (const char* w : {"Żary"_w1250,
                        "Zabrze",
                        "Łódź"_w1250,
                        "Lublin",
                        "Mława"_w1250,
                        "lublin",
                        "LUBLIN  ",
                        "école"_w1250,
                        "ecole",
                        "Ecole",
                        "Ś"
                        "ruba"_w1250,
                        "sruba",
                        "Sz",
                        "a",
                        "ą"_w1250,
                        "A",
                        "",
                        "10",
                        "9",
                        " x",
                        "x",
                        "źdźbł"
                        "o"_w1250,
                        "zz",
                        "żaba"_w1250,
                        "Ä"
                        "pfel"_w1250,
                        "apfel"}) {
    words.push_back(to_utf8(w));
  }
  std::sort(words.begin(), words.end(),
            [](const auto& a, const auto& b) { return compare_pl_ci_as(a, b) < 0; });
  for (std::size_t i = 0; i < words.size(); ++i) {
    for (std::size_t j = i + 1; j < words.size(); ++j) {
      EXPECT_LE(compare_pl_ci_as(words[i], words[j]), 0) << words[i] << " / " << words[j];
    }
  }
}

// Malformed UTF-8 (a cut multi-byte letter) compares without reading past the text.
TEST(PlCiAsOrder, SurvivesMalformedUtf8) {
  EXPECT_NE(compare_pl_ci_as("Ĺ"_w1250, "ś"), 0);
  EXPECT_EQ(compare_pl_ci_as("ab\xE2\x82", "AB\xE2\x82"), 0);
  EXPECT_EQ(upper_utf8("a\xC5"), "A\xC5");
}

// upper/lower of every Windows-1250 letter agree with the library's own case folding.
TEST(CaseFolding, MatchesTheLibrarysWindows1250Tables) {
  for (int b = 0x20; b < 0x100; ++b) {
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(upper_utf8(to_utf8(one)), to_utf8(text::upper(one))) << "byte " << b;
    EXPECT_EQ(lower_utf8(to_utf8(one)), to_utf8(text::lower(one))) << "byte " << b;
  }
}

// The collation cases: the same statements on a binary database with SQLite's functions and on
// a PL_CI_AS database with ours. Texts are Windows-1250 here and go to SQLite as UTF-8.
const char* kSchema =
    "CREATE TABLE uzytkownik_funkcji_v (identyfikator TEXT__CI__, haslo TEXT__CI__, kod_funkcji "
    "TEXT__CI__);"
    "INSERT INTO uzytkownik_funkcji_v VALUES ('jan','Tajne','LIMIT_KUPIECKI');"
    "CREATE TABLE ORV_SLOWNIK_STATUSOW_DOKUMENTOW (ID_STATUSU INTEGER, OPIS_STATUSU TEXT__CI__,"
    " TYP_DOKUMENTU TEXT__CI__);"
    "INSERT INTO ORV_SLOWNIK_STATUSOW_DOKUMENTOW VALUES (1,'Nowe','Z'),(2,'Pilne','z'),"
    "(3,'Faktura','F');"
    "CREATE TABLE dokument_finansowy (id_dokumentu_finansowego INTEGER PRIMARY KEY, typ_platnika "
    "TEXT__CI__, kwota NUMERIC(15,2));"
    "INSERT INTO dokument_finansowy VALUES (11,'K',1234.50),(12,'p',100),(13,'u',55.1),(14,'k',1);"
    "CREATE TABLE artykul (id_artykulu INTEGER PRIMARY KEY, nazwa TEXT__CI__, indeks_katalogowy "
    "TEXT__CI__);"
    "INSERT INTO artykul VALUES (1,'Ś"
    "ruba','IDX-1'),(2,'Ś"
    "ruba','IDX-1'),"
    "(3,'Nakrętka','IDX-2'),(4,'Podkładka','IDX-3');"
    "CREATE TEMP TABLE m (n TEXT);"
    "INSERT INTO m VALUES ('Żary'),('Mława'),('Łódź'),('Lublin'),"
    "('Zabrze');"_w1250;

struct CollationCase {
  const char* name;
  const char* sql;  // __COLL__ becomes BINARY or PL_CI_AS
  const char* binary;
  const char* pl_ci_as;
};

std::string with(std::string s, const std::string& from, const std::string& to) {
  for (auto p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) {
    s.replace(p, from.size(), to);
  }
  return s;
}

class CollationCases : public testing::TestWithParam<CollationCase> {
 protected:
  std::string run(bool ci) {
    orv::test::TempDir dir;
    auto db = ci ? orv::test::open_backend_db(dir.file("ci.db"))
                 : orv::test::open_plain_db(dir.file("bin.db"));
    orv::test::exec_or_throw(db.get(),
                             to_utf8(with(kSchema, "__CI__", ci ? " COLLATE PL_CI_AS" : "")));
    std::string sql = with(GetParam().sql, "__COLL__", ci ? "PL_CI_AS" : "BINARY");
    return text::from_utf8(orv::test::scalar(db.get(), to_utf8(sql)));
  }
};

TEST_P(CollationCases, BinaryDatabase) {
  EXPECT_EQ(run(false), GetParam().binary);
}
TEST_P(CollationCases, PlCiAsDatabase) {
  EXPECT_EQ(run(true), GetParam().pl_ci_as);
}

INSTANTIATE_TEST_SUITE_P(
    C, CollationCases,
    testing::Values(
        CollationCase{"C01_password_in_other_case",
                      "select count(*) from uzytkownik_funkcji_v where identyfikator='JAN' and "
                      "haslo='tajne' and KOD_FUNKCJI='limit_kupiecki'",
                      "0", "1"},
        CollationCase{"C02_trailing_blanks",
                      "select count(*) from uzytkownik_funkcji_v where haslo='Tajne  '", "0", "1"},
        CollationCase{
            "C03_status_letter",
            "SELECT count(*) FROM ORV_SLOWNIK_STATUSOW_DOKUMENTOW WHERE TYP_DOKUMENTU='Z'", "1",
            "2"},
        CollationCase{"C04_upper_cased_list_literal",
                      "SELECT count(*) FROM DOKUMENT_FINANSOWY A WHERE A.TYP_PLATNIKA='K'", "1",
                      "2"},
        CollationCase{"C05_case_when_lower_literal",
                      "SELECT case typ_platnika when 'k' then 'matched' else 'no match' end FROM "
                      "dokument_finansowy WHERE id_dokumentu_finansowego=11",
                      "no match", "matched"},
        CollationCase{"C06_distinct", "SELECT count(DISTINCT typ_platnika) FROM dokument_finansowy",
                      "4", "3"},
        CollationCase{
            "C07_order_by_polish_letters",
            "SELECT group_concat(n, ', ') FROM (SELECT n FROM m ORDER BY n COLLATE __COLL__)",
            "Lublin, Mława, Zabrze, Łódź, Żary"_w1250, "Lublin, Łódź, Mława, Zabrze, Żary"_w1250},
        CollationCase{"C08a_like_upper_polish_literal",
                      "SELECT count(*) FROM artykul WHERE nazwa LIKE 'ŚR%'"_w1250, "2", "2"},
        CollationCase{"C08b_like_lower_polish_literal",
                      "SELECT count(*) FROM artykul WHERE nazwa LIKE 'śr%'"_w1250, "0", "2"},
        CollationCase{"C09a_upper", "SELECT upper('zażółć')"_w1250, "ZAżółć"_w1250, "ZAŻÓŁĆ"_w1250},
        CollationCase{"C09b_lower", "SELECT lower('ŻÓŁW')"_w1250, "ŻÓŁw"_w1250, "żółw"_w1250},
        CollationCase{"C10a_in_list",
                      "SELECT count(*) FROM artykul WHERE indeks_katalogowy IN ('idx-1','IDX-2')",
                      "1", "3"},
        CollationCase{"C10b_min", "SELECT min(nazwa) FROM artykul", "Nakrętka"_w1250,
                      "Nakrętka"_w1250}),
    orv::test::named_case);

}  // namespace
}  // namespace orv::sql::sqlite
