// The log, configuration-value and report-parameter procedures, and how every server object
// answers wrong argument lists.
#include <set>

#include "platform/date/date.hpp"
#include "server_db.hpp"

namespace orv::test {
namespace {

class ServerLog : public ::testing::Test {
 protected:
  void SetUp() override { date::set_now(date::Moment{82198, 3600001}); }
  void TearDown() override { date::set_now(std::nullopt); }
  ServerDb db;
};

TEST_F(ServerLog, EventIsWrittenWithTodayAndTheSecondTextOfTheExport) {
  db.call("AP_ZapiszDoLogu", {I(5), I(1), I(7), I(11), T("DOK_FIN"), I(4), T("Oznaczono 3"), I(3)});
  db.call("AP_ZapiszDoLogu", {I(5), I(1), I(7), I(0), T("Lista artykułów"), I(6),
                              T("Eksport do excela"), I(3), T("Wyeksportowano rekordów: 12")});
  Rows r = db.query(
      "SELECT rodzaj_obiektu, kod_zdarzenia, opis, zrodlo, opis2, data, czas FROM "
      "log_zdarzen ORDER BY id_zdarzenia");
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(r.rows[0][0].as_text(), "DOK_FIN");
  EXPECT_EQ(r.rows[0][2].as_text(), "Oznaczono 3");
  EXPECT_EQ(r.rows[0][5].as_integer(), 82198);
  EXPECT_EQ(r.rows[0][6].as_integer(), 3600001);
  EXPECT_EQ(r.rows[1][4].as_text(), "Wyeksportowano rekordów: 12");
}

TEST_F(ServerLog, ParameterChangeIsLoggedOnlyForAKnownScope) {
  db.call("AP_ZapiszDoLoguParam", {T("s"), I(5), I(7), T("IBAN"), T("stary"), T("nowy")});
  EXPECT_EQ(db.text("SELECT nowa_wartosc FROM log_parametrow WHERE kod = 'IBAN'"), "nowy");
  EXPECT_THROW(db.call("AP_ZapiszDoLoguParam", {T("S"), I(5), I(7), T("X"), T(""), T("")}),
               ServerError);
}

// ('s', company, code, value, 0) and ('u', user, code, value, company) insert or replace.
TEST_F(ServerLog, ConfigurationValueIsStoredPerCompanyOrUser) {
  db.call("RM_ZapiszParamKonf", {T("s"), I(6), T("blokfunchaslo"), T("Tak"), I(0)});
  EXPECT_EQ(db.text("SELECT wartosc FROM interfirmapozycja WHERE id_firmy = 6 AND id_pozycji = 2"),
            "Tak");
  db.call("RM_ZapiszParamKonf", {T("u"), I(9), T("DomSchematEPP"), T("2"), I(5)});
  db.call("RM_ZapiszParamKonf", {T("u"), I(9), T("DomSchematEPP"), T("1"), I(5)});
  EXPECT_EQ(db.text("SELECT wartosc FROM interuzytkownikpozycja WHERE id_uzytkownika = 9 AND "
                    "id_pozycji = 20"),
            "1");
  EXPECT_EQ(db.number("SELECT count(*) FROM interuzytkownikpozycja WHERE id_uzytkownika = 9 AND "
                      "id_pozycji = 20"),
            1);
  try {
    db.call("RM_ZapiszParamKonf", {T("s"), I(5), T("NieMaTakiego"), T("1"), I(0)});
    FAIL();
  } catch (const ServerError& e) {
    EXPECT_NE(e.message.find("NieMaTakiego"), std::string::npos);
  }
}

TEST_F(ServerLog, WatchedProcedureIsRegisteredOnce) {
  db.call("JL_AddWatchProcedure", {T("EXPORT_TXT_MC"), I(7)});
  db.call("JL_AddWatchProcedure", {T("EXPORT_TXT_MC  "), I(7)});
  EXPECT_EQ(db.number("SELECT count(*) FROM jl_obserwowana_procedura"), 1);
  EXPECT_THROW(db.call("JL_AddWatchProcedure", {T("  "), I(7)}), ServerError);
}

TEST_F(ServerLog, ReportParameterValueIsReplacedAndMustBelongToAParameter) {
  db.call("JL_ZapiszParametrRaportu", {I(2), I(101), I(8), T("82100")});
  db.call("JL_ZapiszParametrRaportu", {I(2), I(101), I(8), T("82101")});
  EXPECT_EQ(
      db.text("SELECT wartosc FROM wartosc_parametru WHERE id_parametru = 2 AND id_wariantu = 101 "
              "AND id_uzytkownika = 8"),
      "82101");
  EXPECT_THROW(db.call("JL_ZapiszParametrRaportu", {I(999), I(101), I(8), T("x")}), ServerError);
}

struct BadCall {
  const char* name;
  const char* object;
  std::vector<SqlValue> args;
  const char* message;  // a part of the error message
};

class WrongArguments : public ::testing::TestWithParam<BadCall> {};

// Wrong argument lists fail the statement with a clear message, never with a crash or a
// half-done change.
TEST_P(WrongArguments, FailTheStatementWithTheServersWording) {
  ServerDb db;
  const BadCall& c = GetParam();
  const double marks = db.number("SELECT count(*) FROM zaznaczone");
  try {
    db.call(c.object, c.args);
    FAIL() << "no error";
  } catch (const ServerError& e) {
    EXPECT_NE(e.message.find(c.message), std::string::npos) << e.message;
  }
  EXPECT_EQ(db.number("SELECT count(*) FROM zaznaczone"), marks);
}

const BadCall kBadCalls[] = {
    {"TooFew",
     "JL_Zaznacz",
     {I(7), I(1)},
     "Procedure or function 'JL_Zaznacz' expects parameter '@id', which was not supplied."},
    {"TooMany",
     "JL_OdznaczAll",
     {I(7), I(1), I(2)},
     "Procedure or function JL_OdznaczAll has too many arguments specified."},
    {"NullId", "JL_Zaznacz", {I(7), SqlValue::null(), I(2)}, "'@uzycie' must not be NULL"},
    {"TextForANumber",
     "JL_Odznacz",
     {I(7), T("abc"), I(2)},
     "Error converting data type varchar to numeric"},
    {"NoArguments", "RM_Przywroc_TORIX_zaznaczone", {}, "expects parameter '@id_firmy'"},
    {"RestoreNullSlot",
     "RM_Przywroc_TORIX_zaznaczone",
     {I(5), I(7), I(300), SqlValue::null()},
     "'@nr_zestawu' must not be NULL"},
};

std::string bad_name(const ::testing::TestParamInfo<BadCall>& i) {
  return i.param.name;
}
INSTANTIATE_TEST_SUITE_P(Server, WrongArguments, ::testing::ValuesIn(kBadCalls), bad_name);

TEST(ServerObjects, EveryObjectTheLibraryCallsIsRegistered) {
  const char* procedures[] = {"AP_ZapiszDoLogu",
                              "AP_ZapiszDoLoguParam",
                              "RM_ZapiszParamKonf",
                              "JL_AddWatchProcedure",
                              "JL_Zaznacz",
                              "JL_Odznacz",
                              "JL_OdznaczAll",
                              "RM_Zachowaj_TORIX_zaznaczone",
                              "RM_Przywroc_TORIX_zaznaczone",
                              "JL_ZapiszParametrRaportu",
                              "AP_PobierzKursWaluty",
                              "AP_AktualizujKursWaluty",
                              "AP_ObliczSaldoKontrahenta",
                              "KS_ImportKusowWalutNBP",
                              "KS_ImportKusowWalutECB",
                              "RM_UstawDoKsiegowania",
                              "RM_DodajFiltrUzytkownika",
                              "RM_ZapiszZaznaczoneObiekty",
                              "AP_GenerujOpisyDokumentow",
                              "AP_AktZnacznikFoto",
                              "AP_UwspolnijFoto",
                              "AP_PrzeniesRekordyZBufora",
                              "AP_PrzywrocRekordyWBuforze",
                              "RM_ListaMagazynowZaznArtykulow",
                              "RM_StanyMinMaxRezGrupowaZmiana"};
  for (const char* p : procedures) {
    EXPECT_NE(sql::server_objects().procedure(p), nullptr) << p;
  }
  EXPECT_NE(sql::server_objects().procedure("jl_zaznacz"), nullptr);
  std::set<std::string> scalars;
  for (const auto& s : sql::server_objects().scalars()) scalars.insert(s.name);
  for (const char* f :
       {"AP_Func_PodajNip", "AP_Func_PodajLimitKontrDoWykorz", "AP_Func_PodajNazweDrzewiastaArt",
        "AP_Func_StanArtWszystkieMag", "AP_Func_NaleznosciKontrahenta"}) {
    EXPECT_TRUE(scalars.count(f)) << f;
  }
  ASSERT_EQ(sql::server_objects().tables().size(), 1u);
  EXPECT_EQ(sql::server_objects().tables()[0].name, "RM_Func_AdresPracownika");
}

}  // namespace
}  // namespace orv::test
