// The schema and the demo company: creation, the rules every table keeps, the keys the library
// relies on, the views written through, and the validity of the demo's numbers.
#include <filesystem>
#include <fstream>
#include <set>

#include "frame/lifecycle.hpp"
#include "frame/sql_channels.hpp"
#include "server_db.hpp"

namespace orv::test {
namespace {

TEST(Database, SchemaAloneCreatesEveryObjectAndNoRows) {
  ServerDb db(/*demo=*/false);
  EXPECT_EQ(db.number("SELECT count(*) FROM uzytkownik"), 0);
  EXPECT_EQ(db.number("PRAGMA user_version"), 1);
  EXPECT_GE(db.number("SELECT count(*) FROM sqlite_schema WHERE type = 'table'"), 80);
}

// Every table and view a part of the library names, as it names them.
TEST(Database, EveryTableAndViewTheLibraryNamesExists) {
  ServerDb db(false);
  // The tables the module attaches its error handler to, and those its statements name.
  // (the channels' scratch tables among them are the runtime's, not the server's).
  std::vector<std::string> names;
  for (const std::string& t : orv::frame::attached_tables()) {
    if (!orv::frame::scratch_table(t)) names.push_back(t);
  }
  for (const char* other : {"DOSTEP",
                            "UPRAWNIENIE",
                            "DOSTEPDORAPORTOW",
                            "orv_funkcja",
                            "uzytkownik_funkcji_v",
                            "ini_okno",
                            "ini_kolumna",
                            "inter_ini_uzytkownik",
                            "ini_parametr",
                            "inter_parametr_uzytkownik",
                            "klasyfikator_pole",
                            "zaznaczone",
                            "ORV_ELEMENTY_LISTY_OBIEKTOW",
                            "ORV_GRUPAUZYTKOWNIKOW_LISTY_OBIEKTOW",
                            "PARAMETR_RAPORTU",
                            "WARTOSC_PARAMETRU",
                            "Rozrachunek_orv_v",
                            "rozrachunek",
                            "DEFINICJA_NUMERACJI",
                            "ORV_SLOWNIK_STATUSOW_DOKUMENTOW",
                            "artykul",
                            "jednostka",
                            "kontrahent_blob",
                            "kategoria_artykulu",
                            "kategoria_artykulu_tree",
                            "pracownik",
                            "urzedy",
                            "rachunek_firmy",
                            "rachunek_kontrahenta",
                            "rachunek_pracownika",
                            "rachunek_urzedu",
                            "ADRESY_FIRMY",
                            "adres_pracownika",
                            "dokument_magazynowy",
                            "zamowienie",
                            "kurs_waluty",
                            "stawka_vat"}) {
    names.push_back(other);
  }
  for (const std::string& n : names) {
    EXPECT_EQ(db.number("SELECT count(*) FROM sqlite_schema WHERE name = ? COLLATE NOCASE AND "
                        "type IN ('table', 'view')",
                        {SqlValue::of(n)}),
              1)
        << n;
  }
}

// The schema's rules, read from the script itself: every text column compares as the server
// does, and every column declared TEXT says so.
TEST(Database, EveryTextColumnUsesTheServerCollation) {
  std::string schema(server::schema_sql());
  std::size_t pos = 0, checked = 0;
  while (pos < schema.size()) {
    std::size_t end = schema.find('\n', pos);
    if (end == std::string::npos) end = schema.size();
    std::string line = schema.substr(pos, end - pos);
    pos = end + 1;
    // A column line: indented, a lower-case name, then its type.
    std::size_t name_end = line.find(' ', 2);
    if (line.rfind("  ", 0) != 0 || line[2] == ' ' || name_end == std::string::npos) continue;
    if (line.compare(name_end, 6, " TEXT ") != 0 && line.compare(name_end, 6, " TEXT,") != 0)
      continue;
    ++checked;
    EXPECT_NE(line.find("COLLATE PL_CI_AS"), std::string::npos) << line;
  }
  EXPECT_GT(checked, 300u);
}

TEST(Database, DemoLoadsTheCompanyTheDocumentationDescribes) {
  ServerDb db;
  struct Case {
    const char* sql;
    double expected;
  } cases[] = {
      {"SELECT count(*) FROM uzytkownik WHERE id_uzytkownika IN (4100001, 7, 8, 9, 10)", 5},
      {"SELECT count(*) FROM firma", 2},
      {"SELECT count(*) FROM magazyn WHERE id_firmy = 5", 2},
      {"SELECT count(*) FROM stawka_vat WHERE symbol IN ('23','8','5','0','zw','np')", 6},
      {"SELECT count(*) FROM grupauzytkownikow WHERE czy_aktywna = 0", 1},
      {"SELECT count(*) FROM dostep WHERE id2 > 0", 5},
      {"SELECT count(*) FROM dostep WHERE rodzaj_dostepu = 2", 5},
      {"SELECT count(*) FROM dokument_finansowy d JOIN typ_dokumentu_finansowego t ON "
       "t.id_firmy = d.id_firmy AND t.id_typu = d.id_typu WHERE t.sygnatura = 'PW'",
       6},
      {"SELECT count(DISTINCT blokowanie) FROM kontrahent", 5},
      {"SELECT count(*) FROM mc_def_poz WHERE id_mc_def_nag = 1", 25},
      {"SELECT count(*) FROM interuzytkownikpozycja WHERE id_uzytkownika = 7", 19},
      {"SELECT count(*) FROM kurs_waluty WHERE rodzaj = -1", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(db.number(c.sql), c.expected) << c.sql;
}

// An insert that must fail because the pair exists does fail.
TEST(Database, KeysTheLibraryReliesOnRefuseDuplicates) {
  ServerDb db;
  const char* duplicates[] = {
      "INSERT INTO orv_uzytkownik_filtrow (id_uzytkownika, id_filtra) VALUES (7, 2)",
      "insert into ORV_UZYTKOWNIK_LISTY_OBIEKTOW(ID_UZYTKOWNIKA, id_listy) values(7,1)",
      "INSERT INTO wariant (id_raportu, nazwa) VALUES (10, 'DOMYŚLNY  ')",
      "INSERT INTO artykul_blob (indeks_katalogowy, nazwa) VALUES ('wu-750', 'WIERTARKA.JPG')",
      "INSERT INTO orv_filtr_uzytkownika (id_filtra, id_firmy, id_uzytkownika) VALUES (2, 5, 0)",
      "INSERT INTO wartosc_parametru (id_parametru, id_wariantu, id_uzytkownika) VALUES (1, 100, "
      "7)",
      "INSERT INTO dostep (id_grupy, id_firmy, kod) VALUES (1, 5, 'okontr')",
      "INSERT INTO uzytkownik (identyfikator) VALUES ('JAN')",
      "INSERT INTO klasyfikator_slownik_war (id_slownika, wartosc) VALUES (1, 'bosch')",
      "INSERT INTO kurs_waluty (rodzaj, symbol_waluty, data, kurs) VALUES (0, 'eur', 82197, 1)",
  };
  for (const char* sql : duplicates) EXPECT_THROW(db.exec(sql), ServerError) << sql;
  EXPECT_EQ(db.exec("INSERT INTO orv_uzytkownik_filtrow (id_uzytkownika, id_filtra) VALUES (9, 3)"),
            1);
}

TEST(Database, DefaultsAndServerAssignedIds) {
  ServerDb db;
  db.exec("INSERT INTO zaznaczone (id_sesji, uzycie, id) VALUES (7, 55, 1)");
  EXPECT_EQ(db.text("SELECT id2 FROM zaznaczone WHERE uzycie = 55"), "0");
  db.exec("INSERT INTO wariant (id_raportu, nazwa) VALUES (10, 'Nowy')");
  EXPECT_EQ(db.text("SELECT typeof(id_wariantu) FROM wariant WHERE nazwa = 'Nowy'"), "integer");
  db.exec("INSERT INTO mc_def_nag (nazwa) VALUES ('Nowy schemat')");
  EXPECT_EQ(db.text("SELECT strona_kodowa FROM mc_def_nag WHERE nazwa = 'Nowy schemat'"), "Latin");
}

TEST(Database, ViewsWrittenThroughReachTheirTables) {
  ServerDb db;
  // The classifier window saves settlement fields through the view.
  db.exec("update Rozrachunek_orv_v set pole1='Sprawa w sądzie' where ID_ROZRACHUNKU=4");
  EXPECT_EQ(db.text("SELECT pole1 FROM rozrachunek WHERE id_rozrachunku = 4"), "Sprawa w sądzie");
  EXPECT_EQ(db.text("SELECT pole1 FROM rozrachunek WHERE id_rozrachunku = 3"), "");
  // Photos are added and renamed through the second buffer.
  db.exec("INSERT INTO artykul_blob_upd (indeks_katalogowy, nazwa) VALUES ('WK-18V', 'a.jpg')");
  db.exec("UPDATE artykul_blob_upd SET nazwa = 'b.jpg' WHERE nazwa = 'a.jpg'");
  EXPECT_EQ(db.number("SELECT count(*) FROM artykul_blob WHERE indeks_katalogowy = 'WK-18V' AND "
                      "nazwa = 'b.jpg'"),
            1);
  db.exec("DELETE FROM artykul_blob_upd WHERE nazwa = 'b.jpg'");
  EXPECT_EQ(db.number("SELECT count(*) FROM artykul_blob WHERE indeks_katalogowy = 'WK-18V'"), 0);
}

// Deleting a parent takes its dependent rows along, as the data dictionary's relations do.
TEST(Database, DependentRowsGoWithTheirParent) {
  ServerDb db;
  struct Case {
    const char* del;
    const char* remaining;
  } cases[] = {
      {"DELETE FROM wariant WHERE id_wariantu = 100",
       "SELECT count(*) FROM wartosc_parametru WHERE id_wariantu = 100"},
      {"DELETE FROM orv_lista_obiektow WHERE id_listy = 1",
       "SELECT (SELECT count(*) FROM orv_elementy_listy_obiektow WHERE id_listy = 1) + (SELECT "
       "count(*) FROM orv_uzytkownik_listy_obiektow WHERE id_listy = 1)"},
      {"delete from ORV_DEFINICJA_FILTRA where id_filtra=2",
       "SELECT (SELECT count(*) FROM orv_filtr_uzytkownika WHERE id_filtra = 2) + (SELECT "
       "count(*) FROM orv_uzytkownik_filtrow WHERE id_filtra = 2)"},
      {"DELETE FROM mc_def_nag WHERE id_mc_def_nag = 1",
       "SELECT count(*) FROM mc_def_poz WHERE id_mc_def_nag = 1"},
      {"DELETE FROM plik_blob WHERE id_bloba = 1",
       "SELECT count(*) FROM artykul_imp WHERE id_bloba = 1"},
  };
  for (const auto& c : cases) {
    db.exec(c.del);
    EXPECT_EQ(db.number(c.remaining), 0) << c.del;
  }
  EXPECT_EQ(db.number("SELECT count(*) FROM wartosc_parametru WHERE id_wariantu = 101"), 2);
}

// Text compares as the server compares it: a password differing in case and trailing blanks
// finds the row.
TEST(Database, TextComparesCaseAndTrailingBlankInsensitively) {
  ServerDb db;
  EXPECT_EQ(db.number("select count(*) from uzytkownik_funkcji_v where identyfikator='JAN' and "
                      "haslo='tajne  ' and KOD_FUNKCJI='limit_kupiecki'"),
            1);
  EXPECT_EQ(
      db.number("SELECT count(*) FROM ORV_SLOWNIK_STATUSOW_DOKUMENTOW WHERE TYP_DOKUMENTU='Z'"), 8);
}

bool nip_ok(const std::string& n) {
  static const int w[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
  if (n.size() != 10) return false;
  int s = 0;
  for (int i = 0; i < 9; ++i) s += (n[i] - '0') * w[i];
  return s % 11 != 10 && s % 11 == n[9] - '0';
}

// 98 - (digits + "2521" + check digits "00") mod 97, folded nine digits at a time.
std::string iban_check(const std::string& bban) {
  std::string digits;
  for (char c : bban) {
    if (c != ' ') digits += c;
  }
  std::string n = digits + "252100";
  int r = 0;
  for (char c : n) r = (r * 10 + (c - '0')) % 97;
  int check = 98 - r;
  return std::string(1, char('0' + check / 10)) + char('0' + check % 10);
}

// The demo's numbers are real ones: valid NIPs, IBAN check digits and 24-digit accounts.
TEST(Database, DemoIdentifiersAndAccountsAreValid) {
  ServerDb db;
  for (const auto& row :
       db.query("SELECT nip FROM kontrahent WHERE kraj = 'PL' UNION ALL SELECT nip FROM firma")
           .rows) {
    EXPECT_TRUE(nip_ok(row[0].as_text())) << row[0].as_text();
  }
  const char* accounts =
      "SELECT numer_rachunku, lk FROM rachunek_firmy UNION ALL SELECT numer_rachunku, lk FROM "
      "rachunek_kontrahenta UNION ALL SELECT numer_rachunku, lk FROM rachunek_pracownika UNION ALL "
      "SELECT numer_rachunku, lk FROM rachunek_urzedu";
  Rows rows = db.query(accounts);
  EXPECT_EQ(rows.rows.size(), 13u);
  for (const auto& row : rows.rows) {
    std::string number = row[0].as_text();
    EXPECT_EQ(std::count_if(number.begin(), number.end(), ::isdigit), 24) << number;
    EXPECT_EQ(iban_check(number), row[1].as_text()) << number;
  }
  // The company's IBAN parameter is its first account written whole.
  EXPECT_EQ(db.text("SELECT wartosc FROM interfirmapozycja WHERE id_firmy = 5 AND id_pozycji = 7"),
            "61109010140000071219812874");
}

TEST(Database, CreateRefusesAnExistingFileAndLeavesNothingOnFailure) {
  TempDir dir;
  std::string path = dir.file("a.db"), error;
  ASSERT_TRUE(server::create_database(path, false, error)) << error;
  EXPECT_FALSE(server::create_database(path, true, error));
  EXPECT_NE(error.find("already exists"), std::string::npos);
  // A path whose folder does not exist fails, and no file or part-file is left.
  std::string bad = dir.file("missing/b.db");
  EXPECT_FALSE(server::create_database(bad, true, error));
  EXPECT_FALSE(std::filesystem::exists(bad));
  EXPECT_FALSE(std::filesystem::exists(bad + ".part"));
  // An empty file (as a previous failed tool may leave) is taken over.
  std::string empty = dir.file("empty.db");
  std::ofstream(empty).close();
  EXPECT_TRUE(server::create_database(empty, false, error)) << error;
  EXPECT_FALSE(std::filesystem::exists(empty + ".part"));
}

}  // namespace
}  // namespace orv::test
