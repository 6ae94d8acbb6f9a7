// Documents: the posting mark of marked documents, standard description texts and employee
// addresses.
#include "server_db.hpp"

namespace orv::test {
namespace {

const std::string kMarked300 = " from zaznaczone where uzycie=300 and id_sesji=7";

ProcedureResult posting(ServerDb& db, const std::string& table, int n, int o,
                        const std::string& column, const std::string& sub) {
  return db.call("RM_UstawDoKsiegowania", {T(table), I(n), I(o), T(column), I(0), T(sub)});
}

TEST(Posting, MarksOnlyTheMarkedDocumentsNotMarkedYet) {
  ServerDb db;
  // Marked: 11, 12, 13 (already marked), 15, 16; document 14 is not marked.
  auto r = posting(db, "dokument_finansowy", 1, 0, "id_dokumentu_finansowego", kMarked300);
  EXPECT_EQ(r.rows.rows[0][0].as_integer(), 4);
  EXPECT_EQ(db.number("SELECT count(*) FROM dokument_finansowy WHERE do_ksiegowania = 1"), 5);
  EXPECT_EQ(
      db.number(
          "SELECT do_ksiegowania FROM dokument_finansowy WHERE id_dokumentu_finansowego = 14"),
      0);
}

TEST(Posting, WithdrawingLeavesPostedDocumentsMarked) {
  ServerDb db;
  db.exec(
      "UPDATE dokument_finansowy SET do_ksiegowania = 1 WHERE id_dokumentu_finansowego IN (11, "
      "12)");
  db.exec("UPDATE dokument_finansowy SET zaksiegowany = 1 WHERE id_dokumentu_finansowego = 12");
  auto r = posting(db, "DOKUMENT_FINANSOWY", 0, 1, "ID_DOKUMENTU_FINANSOWEGO", kMarked300);
  EXPECT_EQ(r.rows.rows[0][0].as_integer(), 2);  // 11 and 13
  EXPECT_EQ(
      db.number(
          "SELECT do_ksiegowania FROM dokument_finansowy WHERE id_dokumentu_finansowego = 12"),
      1);
}

// The table and column names go into the statement, so only a real document table and one of
// its columns are accepted; nothing changes otherwise.
TEST(Posting, RefusesAnythingButADocumentTableAndItsColumn) {
  ServerDb db;
  struct Case {
    const char* table;
    const char* column;
    const char* sub;
  } cases[] = {
      {"", "", " from zaznaczone where uzycie=300"},  // 1 an unknown list kind sends empty names
      {"artykul", "id_artykulu", " from zaznaczone where uzycie=102"},  // 2 no posting mark
      {"dokument_finansowy", "nie_ma", " from zaznaczone where uzycie=300"},
      {"dokument_finansowy; drop table zaznaczone", "id_dokumentu_finansowego", " from zaznaczone"},
      {"dokument_finansowy", "id_dokumentu_finansowego", " where 1=1"},  // 5 not a FROM clause
  };
  for (const auto& c : cases) {
    EXPECT_THROW(posting(db, c.table, 1, 0, c.column, c.sub), ServerError) << c.table;
  }
  EXPECT_EQ(db.number("SELECT count(*) FROM dokument_finansowy WHERE do_ksiegowania = 1"), 1);
  EXPECT_EQ(db.number("SELECT count(*) FROM zaznaczone"), 11);
}

TEST(Descriptions, CoalTextsAreAddedOnceWithoutTouchingTheDefault) {
  ServerDb db;
  db.call("AP_GenerujOpisyDokumentow", {I(5), I(1), I(1)});
  db.call("AP_GenerujOpisyDokumentow", {I(5), I(1), I(1)});
  EXPECT_EQ(db.number("SELECT count(*) FROM opis_dok_poz_fin WHERE id_firmy = 5 AND id_typu = 1 "
                      "AND dok_poz = 1"),
            2 + 4);
  EXPECT_EQ(
      db.text(
          "SELECT opis FROM opis_dok_poz_fin WHERE id_firmy = 5 AND id_typu = 1 AND dok_poz = 1 "
          "AND domyslny = 1"),
      "Zapłata za fakturę");
  EXPECT_EQ(
      db.number("SELECT count(*) FROM opis_dok_poz_fin WHERE opis LIKE '%węgl%' AND dok_poz = 1"),
      4);
  EXPECT_THROW(db.call("AP_GenerujOpisyDokumentow", {I(5), I(99), I(1)}), ServerError);
}

struct Address {
  const char* name;
  int64_t employee, day;
  const char* kind;
  const char* street;  // "" = no row
};

TEST(EmployeeAddress, TheAddressValidOnTheDay) {
  ServerDb db;
  const Address cases[] = {
      {"BeforeTheMove", 5, 80000, "M", "Stara"},
      {"OnTheDayOfTheMove", 5, 80052, "M", "Długa "},
      {"NewerAddressNotValidYet", 5, 82198, "M", "Długa "},
      {"AfterTheLastMove", 5, 82335, "M", "Przyszła"},
      {"CorrespondenceAddress", 5, 82198, "K", "Pocztowa"},
      {"BeforeAnyAddress", 5, 70000, "M", ""},
      {"EmployeeWithoutAddress", 7, 82198, "M", ""},
  };
  for (const auto& c : cases) {
    Rows r = db.table("RM_Func_AdresPracownika", {I(c.employee), I(c.day), T(c.kind)});
    if (*c.street == 0) {
      EXPECT_TRUE(r.rows.empty()) << c.name;
    } else {
      ASSERT_EQ(r.rows.size(), 1u) << c.name;
      EXPECT_EQ(r.rows[0][0].as_text(), c.street) << c.name;
    }
  }
  Rows r = db.table("RM_Func_AdresPracownika", {I(5), I(82198), T("M")});
  EXPECT_EQ(r.rows[0][3].as_text(), "30-001 ");
  EXPECT_EQ(r.rows[0][4].as_text(), "Kraków ");
  EXPECT_TRUE(
      db.table("RM_Func_AdresPracownika", {SqlValue::null(), I(82198), T("M")}).rows.empty());
}

}  // namespace
}  // namespace orv::test
