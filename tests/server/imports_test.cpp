// The CSV import of articles: moving buffered records into the article table and back.
#include "server_db.hpp"

namespace orv::test {
namespace {

TEST(Import, NewArticleUpdatedArticleAndRejectedRecord) {
  ServerDb db;
  auto r = db.call("AP_PrzeniesRekordyZBufora", {I(1), I(5), I(1), I(7)});
  EXPECT_EQ(r.rows.rows[0][0].as_integer(), 2);
  // 1 a new article with its category, category path and base unit
  Rows a = db.query(
      "SELECT a.nazwa, k.nazwa, j.skrot, j.przelicznik, a.cena_zakupu_netto, a.guid_artykul, "
      "a.id_magazynu, "
      "a.id_kategorii_tree FROM artykul a JOIN kategoria_artykulu k ON k.id_kategorii = "
      "a.id_kategorii JOIN "
      "jednostka j ON j.id_jednostki = a.id_jednostki WHERE a.indeks_katalogowy = 'MC-600'");
  ASSERT_EQ(a.rows.size(), 1u);
  EXPECT_EQ(a.rows[0][0].as_text(), "Młotek ciesielski 600 g");
  EXPECT_EQ(a.rows[0][1].as_text(), "Narzędzia ręczne");
  EXPECT_EQ(a.rows[0][2].as_text(), "szt");
  EXPECT_DOUBLE_EQ(a.rows[0][4].as_real(), 18.5);
  EXPECT_EQ(a.rows[0][5].as_text().rfind("IMP-", 0), 0u);
  EXPECT_EQ(a.rows[0][6].as_integer(), 1);
  int64_t id = db.number("SELECT id_artykulu FROM artykul WHERE indeks_katalogowy = 'MC-600'");
  EXPECT_EQ(db.scalar("AP_Func_PodajNazweDrzewiastaArt", {I(id), I(100)}).as_text(),
            "Narzędzia\\Ręczne");
  // 2 the existing CEM-25 of warehouse 1 takes the new price and keeps what the file left empty
  Rows cem = db.query(
      "SELECT count(*), cena_zakupu_netto, opis FROM artykul WHERE indeks_katalogowy = 'CEM-25'");
  EXPECT_EQ(cem.rows[0][0].as_integer(), 1);
  EXPECT_DOUBLE_EQ(cem.rows[0][1].as_real(), 18.2);
  EXPECT_EQ(cem.rows[0][2].as_text(), "Cement CEM II 32,5R");
  // 3 the record without a name is rejected with its reason
  Rows rec = db.query("SELECT status, uwagi_imp FROM artykul_imp ORDER BY id_rekordu");
  EXPECT_EQ(rec.rows[0][0].as_integer(), 1);
  EXPECT_EQ(rec.rows[2][0].as_integer(), 2);
  EXPECT_EQ(rec.rows[2][1].as_text(), "Brak nazwy artykułu.");
  Rows file = db.query(
      "SELECT przeniesiony, ilosc_przeniesionych, status0_imp FROM plik_blob WHERE id_bloba = 1");
  EXPECT_EQ(file.rows[0][0].as_integer(), 1);
  EXPECT_EQ(file.rows[0][1].as_integer(), 2);
  EXPECT_EQ(file.rows[0][2].as_integer(), 0);
}

TEST(Import, MovingAgainAfterRestoringUpdatesInsteadOfDuplicating) {
  ServerDb db;
  db.call("AP_PrzeniesRekordyZBufora", {I(1), I(5), I(1), I(7)});
  EXPECT_EQ(
      db.call("AP_PrzeniesRekordyZBufora", {I(1), I(5), I(1), I(7)}).rows.rows[0][0].as_integer(),
      0);
  db.call("AP_PrzywrocRekordyWBuforze", {I(1), I(7)});
  EXPECT_EQ(db.number("SELECT status0_imp FROM plik_blob WHERE id_bloba = 1"), 3);
  EXPECT_EQ(db.number("SELECT przeniesiony FROM plik_blob WHERE id_bloba = 1"), 1);
  EXPECT_EQ(
      db.call("AP_PrzeniesRekordyZBufora", {I(1), I(5), I(1), I(7)}).rows.rows[0][0].as_integer(),
      2);
  EXPECT_EQ(db.number("SELECT count(*) FROM artykul WHERE indeks_katalogowy = 'MC-600'"), 1);
  EXPECT_EQ(db.number("SELECT count(*) FROM kategoria_artykulu WHERE nazwa = 'Narzędzia ręczne'"),
            1);
  EXPECT_EQ(db.number("SELECT count(*) FROM kategoria_artykulu_tree WHERE nazwa = 'Ręczne'"), 1);
}

TEST(Import, SameIndexInAnotherWarehouseSharesTheGuid) {
  ServerDb db;
  db.exec(
      "UPDATE artykul_imp SET indeks_katalogowy = 'WU-750', nazwa = 'Wiertarka' WHERE id_rekordu = "
      "1");
  db.exec("DELETE FROM artykul WHERE id_artykulu = 2");
  db.call("AP_PrzeniesRekordyZBufora", {I(1), I(5), I(2), I(7)});
  EXPECT_EQ(db.text("SELECT guid_artykul FROM artykul WHERE indeks_katalogowy = 'WU-750' AND "
                    "id_magazynu = 2"),
            "G-0001");
}

TEST(Import, UnknownVatSymbolIsRejected) {
  ServerDb db;
  db.exec("UPDATE artykul_imp SET vat_sprzedazy = '22' WHERE id_rekordu = 1");
  db.call("AP_PrzeniesRekordyZBufora", {I(1), I(5), I(1), I(7)});
  EXPECT_EQ(db.text("SELECT uwagi_imp FROM artykul_imp WHERE id_rekordu = 1"),
            "Nieznana stawka VAT: 22.");
  EXPECT_EQ(db.number("SELECT count(*) FROM artykul WHERE indeks_katalogowy = 'MC-600'"), 0);
}

TEST(Import, WrongFileOrWarehouseFailsWithoutMovingAnything) {
  ServerDb db;
  EXPECT_THROW(db.call("AP_PrzeniesRekordyZBufora", {I(99), I(5), I(1), I(7)}), ServerError);
  EXPECT_THROW(db.call("AP_PrzeniesRekordyZBufora", {I(1), I(6), I(1), I(7)}), ServerError);
  EXPECT_THROW(db.call("AP_PrzeniesRekordyZBufora", {I(1), I(5), I(3), I(7)}), ServerError);
  EXPECT_THROW(db.call("AP_PrzywrocRekordyWBuforze", {I(99), I(7)}), ServerError);
  EXPECT_EQ(db.number("SELECT count(*) FROM artykul_imp WHERE status = 0"), 3);
  EXPECT_EQ(db.number("SELECT przeniesiony FROM plik_blob WHERE id_bloba = 1"), 0);
}

}  // namespace
}  // namespace orv::test
