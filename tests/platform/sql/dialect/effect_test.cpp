// Translations run through the sqlite3 shell on a small fixture: the rows they change, not the
// text.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/sql/dialect/dialect.hpp"
#include "support/case_names.hpp"
#include "tests/support/support.hpp"

namespace orv::sql::dialect {
namespace {

constexpr const char* kFixture = R"(
CREATE TABLE parametr_raportu (id_parametru INTEGER PRIMARY KEY, id_raportu INTEGER, nazwa TEXT);
CREATE TABLE wartosc_parametru (id_parametru INTEGER, id_wariantu INTEGER, id_uzytkownika INTEGER, wartosc TEXT);
INSERT INTO parametr_raportu VALUES (1,10,'IBAN'),(2,10,'DataOd'),(3,11,'IBAN');
INSERT INTO wartosc_parametru VALUES (1,100,7,'old-iban'),(2,100,7,'80000'),(3,101,7,'old-iban'),(2,101,8,'80001');
CREATE TABLE ini_okno (id_okna INTEGER PRIMARY KEY, nazwa TEXT);
CREATE TABLE ini_parametr (id_parametru INTEGER PRIMARY KEY, id_okna INTEGER, nazwa TEXT);
CREATE TABLE inter_parametr_uzytkownik (id_uzytkownika INTEGER, id_parametru INTEGER, wartosc TEXT);
INSERT INTO ini_okno VALUES (1,'Artykul_Brw'),(2,'Kontrahent_Brw');
INSERT INTO ini_parametr VALUES (1,1,'pokazuj_zdjecie'),(2,1,'inny'),(3,2,'pokazuj_zdjecie');
INSERT INTO inter_parametr_uzytkownik VALUES (7,1,'0'),(7,2,'x'),(7,3,'0'),(8,1,'0');
CREATE TABLE artykul (id_artykulu INTEGER PRIMARY KEY, nazwa TEXT, guid_artykul TEXT, pole1 TEXT, pole2 TEXT);
INSERT INTO artykul VALUES (1,'Sruba','G1','a','b'),(2,'Sruba','G1','x','y'),(3,'Nakretka','G2','p','q'),(4,'Podkladka','G3','m','n');
CREATE TABLE zaznaczone (id_sesji INTEGER, uzycie INTEGER, id INTEGER, id2 INTEGER DEFAULT 0);
INSERT INTO zaznaczone (id_sesji,uzycie,id) VALUES (7,102,1),(7,102,3);
CREATE TABLE uzytkownik (id_uzytkownika INTEGER PRIMARY KEY, nazwa TEXT);
INSERT INTO uzytkownik VALUES (4100001,'Administrator'),(7,'Jan'),(8,'Ewa'),(9,'Ola');
CREATE TABLE ORV_UZYTKOWNIK_FILTROW (ID_UZYTKOWNIKA INTEGER, ID_FILTRA INTEGER, PRIMARY KEY (ID_UZYTKOWNIKA, ID_FILTRA));
INSERT INTO ORV_UZYTKOWNIK_FILTROW VALUES (4100001,50),(7,50),(8,50),(9,50),(8,51);
)";

const char* kParams =
    "select group_concat(id_parametru||':'||wartosc, ' ') from wartosc_parametru;";
const char* kWindow =
    "select group_concat(id_uzytkownika||'/'||id_parametru||'='||wartosc, ' ') "
    "from inter_parametr_uzytkownik;";
const char* kArticles = "select group_concat(id_artykulu||':'||pole1||pole2, ' ') from artykul;";
const char* kFilters =
    "select group_concat(ID_UZYTKOWNIKA||'/'||ID_FILTRA, ' ') from ORV_UZYTKOWNIK_FILTROW;";

bool have_shell() {
  return std::system("sqlite3 -version >/dev/null 2>&1") == 0;
}

// Runs `sql` after the fixture in a fresh database file; returns what the shell printed.
std::string shell(const std::string& sql) {
  orv::test::TempDir dir;
  std::ofstream(dir.file("script.sql")) << kFixture << sql;
  std::string command =
      "sqlite3 -batch " + dir.file("t.db") + " < " + dir.file("script.sql") + " 2>&1";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return "popen failed";
  std::array<char, 4096> buf{};
  while (std::size_t n = fread(buf.data(), 1, buf.size(), pipe)) out.append(buf.data(), n);
  pclose(pipe);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

// The T-SQL as the library sends it, translated: every action must be plain SQL here.
std::string translated(const std::string& tsql) {
  Translation tr = translate(tsql, nullptr);
  if (!tr.ok) return "-- " + tr.error + "\n";
  std::string out;
  for (const Action& a : tr.plan.actions) {
    if (a.kind != Action::Kind::Sql) return "-- not plain SQL\n";
    out += a.sql + ";\n";
  }
  return out;
}

struct EffectCase {
  const char* name;
  std::string tsql;
  std::string check;
  std::string rows;
};

class Effect : public ::testing::TestWithParam<EffectCase> {};

TEST_P(Effect, ChangesOnlyTheIntendedRows) {
  if (!have_shell()) GTEST_SKIP() << "the sqlite3 shell is not installed";
  const EffectCase& c = GetParam();
  EXPECT_EQ(shell(translated(c.tsql) + c.check), c.rows) << translated(c.tsql);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Effect,
    ::testing::Values(
        // 1 the IBAN reaches the two IBAN parameters only (untranslated: all four rows)
        EffectCase{"IbanParameters",
                   "update wartosc_parametru  with (rowlock)  set wartosc='PL61NEW' from "
                   "wartosc_parametru w,parametr_raportu p where p.id_parametru=w.id_parametru and "
                   " p.nazwa='IBAN'",
                   kParams, "1:PL61NEW 2:80000 3:PL61NEW 2:80001"},
        // 2 one window parameter of one user (untranslated: four rows of all users)
        EffectCase{"WindowParameter",
                   "Update inter_parametr_uzytkownik with (rowlock)  set wartosc='1'   from "
                   "ini_parametr p,inter_parametr_uzytkownik i,ini_okno o   where "
                   "i.id_uzytkownika=7 and  p.nazwa='pokazuj_zdjecie' and  "
                   "p.id_parametru=i.id_parametru and p.id_okna=o.id_okna and  "
                   "o.nazwa='Artykul_Brw'",
                   kWindow, "7/1=1 7/2=x 7/3=0 8/1=0"},
        // 3 SynchroArt copies to the other article of the same guid only
        EffectCase{"SynchroArt",
                   "update artykul set pole1=a.pole1,pole2=a.pole2 from artykul b,(select * from "
                   "artykul where id_artykulu=1) a where b.ID_ARTYKULU <> a.id_artykulu and "
                   "b.guid_artykul=a.guid_artykul",
                   kArticles, "1:ab 2:ab 3:pq 4:mn"},
        // 4 the same binding through an inner join whose ON moves to WHERE
        EffectCase{"InnerJoinTarget",
                   "update wartosc_parametru set wartosc='J' from wartosc_parametru w inner join "
                   "parametr_raportu p on p.id_parametru=w.id_parametru where p.nazwa='IBAN'",
                   kParams, "1:J 2:80000 3:J 2:80001"},
        // 5 and under an outer join, through the rowid fallback
        EffectCase{"OuterJoinTarget",
                   "update wartosc_parametru set wartosc='L' from wartosc_parametru w left join "
                   "parametr_raportu p on p.id_parametru=w.id_parametru and p.nazwa='IBAN' where "
                   "p.id_parametru is not null",
                   kParams, "1:L 2:80000 3:L 2:80001"},
        // 6 marking with id2 twice keeps one row
        EffectCase{"IfNotExistsTwice",
                   "if not exists (select 1 from zaznaczone with (nolock) where id_sesji= 7 and "
                   "uzycie= 200 and id= 5 and id2= 9) begin   insert into zaznaczone "
                   "(id_sesji,uzycie,id,id2) values(7,200,5,9) end \n"
                   "if not exists (select 1 from zaznaczone with (nolock) where id_sesji= 7 and "
                   "uzycie= 200 and id= 5 and id2= 9) begin   insert into zaznaczone "
                   "(id_sesji,uzycie,id,id2) values(7,200,5,9) end ",
                   "select count(*) from zaznaczone where uzycie=200;", "1"},
        // 7 the folded UPDATE keeps its OR together
        EffectCase{"IfExistsUpdateWithOr",
                   "if exists (select 1 from artykul where id_artykulu=1) update artykul set "
                   "pole1='Q' where id_artykulu=3 or id_artykulu=4",
                   kArticles, "1:ab 2:xy 3:Qq 4:Qn"},
        // 8 removing all users of a filter but the administrator and the creator
        EffectCase{"DeleteFromSelf",
                   "delete ORV_UZYTKOWNIK_FILTROW from ORV_UZYTKOWNIK_FILTROW where "
                   "ID_UZYTKOWNIKA<>4100001 and ID_UZYTKOWNIKA<>7 and ID_FILTRA=50",
                   kFilters, "4100001/50 7/50 8/51"},
        // 9 a joined DELETE removes the rows of its target only
        EffectCase{"DeleteJoined",
                   "delete f from ORV_UZYTKOWNIK_FILTROW f join uzytkownik u on "
                   "u.id_uzytkownika=f.ID_UZYTKOWNIKA where u.nazwa='Ewa'",
                   kFilters, "4100001/50 7/50 9/50"},
        // 10 an aliased DELETE
        EffectCase{"DeleteAliased", "delete f from ORV_UZYTKOWNIK_FILTROW f where f.ID_FILTRA=51",
                   kFilters, "4100001/50 7/50 8/50 9/50"},
        // 11 TOP inside a subquery limits that subquery
        EffectCase{"TopInSubquery",
                   "select count(*) from (select top 2 id_artykulu from artykul order by "
                   "id_artykulu desc) x where x.id_artykulu > 2",
                   "", "2"},
        // 12 LEFT and RIGHT as T-SQL gives them, lengths 0 and beyond the text included
        EffectCase{"LeftRight",
                   "select right('abc',0)+'|'+right('abc',5)+'|'+right('abc',2)+'|'+"
                   "left('abc',5)+'|'+left('abc',0)+'|'+isnull(right(null,1),'N')",
                   "", "|abc|bc|abc||N"},
        // 13 strings joined with + are text, not 0 (untranslated SQLite gives 0)
        EffectCase{"Concatenation",
                   "select rtrim(nazwa)+' / '+guid_artykul from artykul where id_artykulu=3", "",
                   "Nakretka / G2"}),
    orv::test::named_case);

// Guards the fixture: the statements above are only proof if the naive forms do damage here.
TEST(Effect, FixtureShowsTheDamageOfTheUntranslatedForms) {
  if (!have_shell()) GTEST_SKIP() << "the sqlite3 shell is not installed";
  EXPECT_EQ(shell("update wartosc_parametru set wartosc='PL61NEW' from wartosc_parametru "
                  "w,parametr_raportu p where p.id_parametru=w.id_parametru and p.nazwa='IBAN';" +
                  std::string(kParams)),
            "1:PL61NEW 2:PL61NEW 3:PL61NEW 2:PL61NEW");
  EXPECT_EQ(shell("select 'a'+'b';"), "0");
}

}  // namespace
}  // namespace orv::sql::dialect
