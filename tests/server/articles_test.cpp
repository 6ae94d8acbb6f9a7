// Articles: photo marks and shared photos, category paths, stock over warehouses and the group
// change of stock levels.
#include "server_db.hpp"

namespace orv::test {
namespace {

double has_photo(ServerDb& db, int id) {
  return db.number("SELECT posiada_zdjecie FROM artykul WHERE id_artykulu = ?", {I(id)});
}

TEST(Photos, MarkFollowsThePhotosOfTheIndex) {
  ServerDb db;
  db.exec("DELETE FROM artykul_blob WHERE indeks_katalogowy = 'WU-750'");
  db.exec("INSERT INTO artykul_blob (indeks_katalogowy, nazwa) VALUES ('WK-18V', 'a.jpg')");
  // One article: every warehouse row of its index follows.
  db.call("AP_AktZnacznikFoto", {I(1), I(0), T("WU-750")});
  EXPECT_EQ(has_photo(db, 1), 0);
  EXPECT_EQ(has_photo(db, 2), 0);
  EXPECT_EQ(has_photo(db, 3), 0);  // not asked yet
  // The marked set (articles 1, 3, 4 of jan).
  db.call("AP_AktZnacznikFoto", {I(7), I(102), I(0)});
  EXPECT_EQ(has_photo(db, 3), 1);
  EXPECT_EQ(has_photo(db, 5), 1);  // not marked: unchanged
}

TEST(Photos, SharingCopiesMissingPhotosBetweenTheArticlesOfOneGuid) {
  ServerDb db;
  db.exec("INSERT INTO zaznaczone (id_sesji, uzycie, id) VALUES (7, 600, 10)");
  auto r = db.call("AP_UwspolnijFoto", {I(7), I(600)});
  EXPECT_EQ(r.rows.rows[0][0].as_integer(), 1);
  Rows copied = db.query(
      "SELECT nazwa, domyslne, hex(zdjecie) FROM artykul_blob WHERE indeks_katalogowy = 'TM-48B'");
  ASSERT_EQ(copied.rows.size(), 1u);
  EXPECT_EQ(copied.rows[0][0].as_text(), "tasma.jpg");
  EXPECT_EQ(copied.rows[0][1].as_integer(), 1);
  EXPECT_EQ(copied.rows[0][2].as_text(),
            db.text("SELECT hex(zdjecie) FROM artykul_blob WHERE id_bloba = 4"));
  EXPECT_EQ(has_photo(db, 10), 1);
  // Sharing again copies nothing; indexes outside the marked groups are left alone.
  EXPECT_EQ(db.call("AP_UwspolnijFoto", {I(7), I(600)}).rows.rows[0][0].as_integer(), 0);
  EXPECT_EQ(db.number("SELECT count(*) FROM artykul_blob"), 5);
}

TEST(Categories, PathFromTheRootCutToTheLength) {
  ServerDb db;
  auto path = [&](int64_t id, int64_t len) {
    return db.scalar("AP_Func_PodajNazweDrzewiastaArt", {I(id), I(len)});
  };
  EXPECT_EQ(path(1, 100).as_text(), "Narzędzia\\Elektronarzędzia\\Wiertarki");
  EXPECT_EQ(path(1, 12).as_text(), "Narzędzia\\El");  // characters, not bytes
  EXPECT_EQ(path(7, 100).as_text(), "Usługi");        // no tree node: the plain category
  EXPECT_EQ(path(1, 0).as_text().size(),
            std::string("Narzędzia\\Elektronarzędzia\\Wiertarki").size());
  EXPECT_TRUE(path(999, 100).is_null());
  // A damaged tree that loops ends instead of hanging.
  db.exec("UPDATE kategoria_artykulu_tree SET id_rodzica = 3 WHERE id_kategorii_tree = 1");
  EXPECT_EQ(path(1, 100).as_text(), "Narzędzia\\Elektronarzędzia\\Wiertarki");
}

TEST(Stock, AllWarehousesOfOneArticle) {
  ServerDb db;
  EXPECT_DOUBLE_EQ(db.scalar("AP_Func_StanArtWszystkieMag", {I(1)}).as_real(), 16);
  EXPECT_DOUBLE_EQ(db.scalar("AP_Func_StanArtWszystkieMag", {I(6)}).as_real(), 35);
  EXPECT_TRUE(db.scalar("AP_Func_StanArtWszystkieMag", {I(999)}).is_null());
}

TEST(StockLevels, WarehousesOfTheMarkedArticles) {
  ServerDb db;
  db.exec(
      "INSERT INTO zaznaczone (id_sesji, uzycie, id) VALUES (9, 800, 1), (9, 800, 2), (9, 800, 3)");
  Rows r = db.call("RM_ListaMagazynowZaznArtykulow", {I(9), I(800)}).rows;
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(r.rows[0][0].as_integer(), 1);
  EXPECT_EQ(r.rows[1][1].as_text(), "Magazyn hurtowy");
  EXPECT_TRUE(db.call("RM_ListaMagazynowZaznArtykulow", {I(9), I(801)}).rows.rows.empty());
}

TEST(StockLevels, PercentOfStockOrQuantityPerLevelAndMode) {
  ServerDb db;
  // jan's marked articles 1 (stock 12), 3 (7) and 4 (240): minimum 20 % of stock, maximum 2.5,
  // threshold untouched.
  auto r = db.call("RM_StanyMinMaxRezGrupowaZmiana",
                   {I(7), I(102), I(20), I(1), SqlValue::of(2.5), I(2), I(99), I(0)});
  EXPECT_EQ(r.rows.rows[0][0].as_integer(), 3);
  Rows a = db.query(
      "SELECT stan_minimalny, stan_maksymalny, prog_rezerwacji FROM artykul WHERE "
      "id_artykulu IN (1, 3, 4, 5) ORDER BY id_artykulu");
  EXPECT_DOUBLE_EQ(a.rows[0][0].as_real(), 2.4);
  EXPECT_DOUBLE_EQ(a.rows[1][0].as_real(), 1.4);
  EXPECT_DOUBLE_EQ(a.rows[2][0].as_real(), 48);
  EXPECT_DOUBLE_EQ(a.rows[0][1].as_real(), 2.5);
  EXPECT_DOUBLE_EQ(a.rows[0][2].as_real(), 0);
  EXPECT_DOUBLE_EQ(a.rows[3][0].as_real(), 5);  // not marked
  // Both levels off: nothing changes, and a negative level is refused.
  EXPECT_EQ(
      db.call("RM_StanyMinMaxRezGrupowaZmiana", {I(7), I(102), I(1), I(0), I(1), I(0), I(0), I(0)})
          .rows.rows[0][0]
          .as_integer(),
      0);
  EXPECT_THROW(db.call("RM_StanyMinMaxRezGrupowaZmiana",
                       {I(7), I(102), I(-1), I(2), I(0), I(0), I(0), I(0)}),
               ServerError);
  EXPECT_DOUBLE_EQ(db.number("SELECT stan_minimalny FROM artykul WHERE id_artykulu = 1"), 2.4);
}

}  // namespace
}  // namespace orv::test
