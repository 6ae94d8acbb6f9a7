// Filter translators: one case table per translator, the documented edge cases among them.
#include "selection/filters.hpp"

#include <gtest/gtest.h>

#include "platform/dict/context.hpp"
#include "support/case_names.hpp"

namespace orv::selection {
namespace {

struct TextCase {
  const char* name;
  std::string in, expected;
};
class Prefixes : public testing::TestWithParam<TextCase> {};
TEST_P(Prefixes, Removed) {
  EXPECT_EQ(FILTR2SQL(GetParam().in), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Prefixes,
    testing::Values(
        // 1 two prefixes of two tables
        TextCase{"TwoTables", "ART:NAZWA = 'X' AND KON:ID_KONTRAHENTA = 5",
                 "NAZWA = 'X' AND ID_KONTRAHENTA = 5"},
        // 2 a leading colon goes alone
        TextCase{"LeadingColon", ":ABC", "ABC"},
        // 3 a colon after a blank goes alone
        TextCase{"BlankBefore", "A = :B", "A = B"},
        // 4 a quoted time keeps its colon and its hour
        TextCase{"QuotedTime", "ART:GODZ = '12:30'", "GODZ = '12:30'"},
        // 5 a doubled apostrophe does not end the literal
        TextCase{"DoubledQuote", "A:X = 'O''B:C' AND B:Y = 1", "X = 'O''B:C' AND Y = 1"},
        // 6 digits and underscores belong to the prefix; other characters end it
        TextCase{"PrefixChars", "(T_2:A+X1:B)", "(A+B)"},
        // 7 chained prefixes all go
        TextCase{"Chained", "A:B:C", "C"}),
    orv::test::named_case);

class InstringToLike : public testing::TestWithParam<TextCase> {};
TEST_P(InstringToLike, Rewritten) {
  EXPECT_EQ(REPLACEINSTRINGNALIKE(GetParam().in), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, InstringToLike,
    testing::Values(
        // 1 the documented example, trimmed
        TextCase{"Plain", "  INSTRING('abc',A.NAZWA,1,1) <> 0 ", "A.NAZWA like '%abc%'"},
        // 2 only the first of two tests
        TextCase{"FirstOnly", "INSTRING('a',A.X,1,1) <> 0 AND INSTRING('b',A.Y,1,1) <> 0",
                 "A.X like '%a%' AND INSTRING('b',A.Y,1,1) <> 0"},
        // 3 any other step or comparison is no test
        TextCase{"OtherForm", "INSTRING('a',A.X,1,1)<>0", "INSTRING('a',A.X,1,1)<>0"},
        // 4 a comma inside the search text stays in it
        TextCase{"CommaInLiteral", "INSTRING('a,b',A.X,1,1) <> 0", "A.X like '%a,b%'"},
        // 5 LIKE's wildcards in the search text are matched literally
        TextCase{"Wildcards", "INSTRING('5%_[x',A.X,1,1) <> 0", "A.X like '%5[%][_][[]x%'"},
        // 6 a search text that is not a literal cannot become a LIKE
        TextCase{"NotLiteral", "INSTRING(A.K,A.X,1,1) <> 0", "INSTRING(A.K,A.X,1,1) <> 0"},
        // 7 a long text keeps its middle: nothing but the whole is ever cut
        TextCase{
            "LongKeepsMiddle",
            std::string(150, 'x') + " AND INSTRING('q',A.X,1,1) <> 0 AND " + std::string(150, 'y'),
            std::string(150, 'x') + " AND A.X like '%q%' AND " + std::string(150, 'y')},
        // 8 the closing form before the call is not taken for its end
        TextCase{"CloseBeforeCall", ",1,1) <> 0 INSTRING('a',A.X", ",1,1) <> 0 INSTRING('a',A.X"}),
    orv::test::named_case);

struct MinusCase {
  const char* name;
  std::string text, p1, p2, expected;
};
class MinusToDesc : public testing::TestWithParam<MinusCase> {};
TEST_P(MinusToDesc, Rewritten) {
  const MinusCase& c = GetParam();
  EXPECT_EQ(REPLACEMINUSNADESC(c.text, c.p1, c.p2), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, MinusToDesc,
    testing::Values(
        // 1-2 the documented examples
        MinusCase{"First", "-A.NAZWA,A.DATA", "A.", "", "A.NAZWA desc,A.DATA"},
        MinusCase{"Last", "A.DATA,-A.NAZWA", "A.", "", "A.DATA,A.NAZWA desc"},
        // 3 both prefixes, every item
        MinusCase{"Both", "-A.X,-B.Y,-A.Z", "A.", "B.", "A.X desc,B.Y desc,A.Z desc"},
        // 4 a blank prefix rewrites nothing; a minus before another prefix stays
        MinusCase{"BlankPrefix", "-A.X,-B.Y", "  ", "B.", "-A.X,B.Y desc"},
        // 5 the prefix counts its trailing blanks
        MinusCase{"PrefixAsPassed", "-A.X", "A. ", "", "-A.X"},
        // 6 a minus inside a literal is a value
        MinusCase{"Literal", "A.K = 'X-A.Y',-A.Z", "A.", "", "A.K = 'X-A.Y',A.Z desc"},
        // 7 a minus freed by a rewrite is taken as the rewrite from the start would take it
        MinusCase{"MinusRun", "--A.X,B", "A.", "", "A.X desc desc,B"},
        // 8 long orders keep every item
        MinusCase{"Long", std::string(200, 'x') + ",-A.N," + std::string(200, 'y'), "A.", "",
                  std::string(200, 'x') + ",A.N desc," + std::string(200, 'y')}),
    orv::test::named_case);

struct PrepareCase {
  const char* name;
  std::string filter, o1, o2, n1, n2, expected;
};
class Prepare : public testing::TestWithParam<PrepareCase> {};
TEST_P(Prepare, Translated) {
  const PrepareCase& c = GetParam();
  EXPECT_EQ(PRZYGOTUJFILTR(c.filter, c.o1, c.o2, c.n1, c.n2), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Prepare,
    testing::Values(
        // 1 names replaced, then the containment test and SUB
        PrepareCase{"Full", " ART:KOD = 1 AND INSTRING('x',ART:NAZWA,1,1) <> 0 AND (SUB(KON:N,1,2)",
                    "ART: ", " KON:", "A.  ", "K.",
                    "A.KOD = 1 AND A.NAZWA like '%x%' AND (SUBSTRING(K.N,1,2)"},
        // 2 empty old names: only the last three steps
        PrepareCase{"NoNames", "INSTRING('x',N,1,1) <> 0", "", "", "A.", "B.", "N like '%x%'"},
        // 3 a bare SUB( at the start stays
        PrepareCase{"BareSub", "SUB(X,1,1)='a' AND (SUB(Y,1,1))", "", "", "", "",
                    "SUB(X,1,1)='a' AND (SUBSTRING(Y,1,1))"},
        // 4 an inserted name is not searched again
        PrepareCase{"NotAgain", "A:X", "A:", "", "A:A:", "", "A:A:X"},
        // 5 the sort order's minus with the new prefix as passed
        PrepareCase{"SortOrder", "-ART:NAZWA,ART:KOD", "ART:", "", "A.", "", "A.NAZWA desc,A.KOD"}),
    orv::test::named_case);

TEST(Translators, OnlyTheWholeTextIsCut) {
  // 1 the overall limit holds for every translator
  const std::string huge(30000, 'a');
  EXPECT_EQ(PRZYGOTUJFILTR(huge, "", "", "", "").size(), kMaxFilter);
  EXPECT_EQ(REPLACEINSTRINGNALIKE(huge).size(), kMaxFilter);
  EXPECT_EQ(REPLACEMINUSNADESC(huge, "A.", "").size(), kMaxFilter);
}

struct JoinCase {
  const char* name;
  std::string filter, component, expected;
};
class Join : public testing::TestWithParam<JoinCase> {};
TEST_P(Join, Joined) {
  EXPECT_EQ(DODAJKOMPONENTFILTRA(GetParam().filter, GetParam().component), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, Join,
                         testing::Values(JoinCase{"Both", "A.X=1  ", "A.Y=2 ", "A.X=1 AND A.Y=2"},
                                         JoinCase{"EmptyFilter", "  ", "A.X=1", "A.X=1"},
                                         JoinCase{"EmptyComponent", "A.X=1", "", "A.X=1"},
                                         JoinCase{"Neither", "", "   ", ""}),
                         orv::test::named_case);

class Components : public ::testing::Test {
 protected:
  void SetUp() override {
    dict::reset_context();
    dict::glo().ID_UZYTKOWNIKA = 7;
    dict::glo().ID_FIRMY = 5;
    dict::glo().tables.UPRAWNQ.add({"OKONTR", ""});
  }
  void TearDown() override { dict::reset_context(); }
  static void grant(uint8_t level, const char* flags) {
    dict::glo().tables.ACCESSQ.add({"OKONTR", 0, 0, 0, 0, level, flags});
  }
};

TEST_F(Components, DateCutOffFromTheUserParameter) {
  // 1 absent, 2 zero, 3 a date number after the clipped field
  EXPECT_EQ(PODAJFILTRODCIECIA("A.DATA"), "");
  dict::glo().tables.U_PARAMKONFQ.add({"DATAODPELNYZAKRES", "", "0"});
  EXPECT_EQ(PODAJFILTRODCIECIA("A.DATA"), "");
  dict::glo().tables.U_PARAMKONFQ.clear();
  dict::glo().tables.U_PARAMKONFQ.add({"DATAODPELNYZAKRES", "", "80000"});
  EXPECT_EQ(PODAJFILTRODCIECIA("A.DATA   "), "A.DATA>=80000");
}

TEST_F(Components, ObjectListRestriction) {
  // 1 no grant, 2 full grant: nothing
  EXPECT_EQ(FILTRUPRAWTYLKOWGLISTZAZN("OKontr"), "");
  grant(2, "W");
  // 3 restricted: the component with company and user; 4 the name is case-sensitive
  const std::string component = FILTRUPRAWTYLKOWGLISTZAZN("OKontr  ");
  EXPECT_EQ(component,
            "A.id_kontrahenta in (select id_elementu from ORV_ELEMENTY_LISTY_OBIEKTOW melo with "
            "(nolock) inner join  ORV_LISTA_OBIEKTOW mel with (nolock) on (melo.id_listy=mel.id_"
            "listy and mel.id_firmy=5 and mel.uzycie=120)  inner join ORV_GRUPAUZYTKOWNIKOW_LISTY_"
            "OBIEKTOW mglo  with (nolock) on (mglo.id_listy=mel.id_listy)  inner join "
            "UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy=mglo.id_grupy)  where "
            "ug.id_uzytkownika=7)");
  EXPECT_EQ(FILTRUPRAWTYLKOWGLISTZAZN("OKONTR"), "");
  // 5 the flag check wants "D" among the flags
  EXPECT_EQ(FILTRUPRAWTYLKOWGLISTZAZN("OKontr", 1), "");
  dict::glo().tables.ACCESSQ.clear();
  grant(2, "WD");
  EXPECT_EQ(FILTRUPRAWTYLKOWGLISTZAZN("OKontr", 1), component);
}

}  // namespace
}  // namespace orv::selection
