// Object lists filled from marked sets, and filter definitions made on the server.
#include "server_db.hpp"

namespace orv::test {
namespace {

std::vector<int64_t> elements(ServerDb& db, int list) {
  std::vector<int64_t> out;
  for (const auto& r :
       db.query("SELECT id_elementu FROM orv_elementy_listy_obiektow WHERE id_listy = ? ORDER BY 1",
                {I(list)})
           .rows) {
    out.push_back(r[0].as_integer());
  }
  return out;
}

TEST(ObjectLists, MarkedSetReplacesTheElements) {
  ServerDb db;
  db.exec("INSERT INTO zaznaczone (id_sesji, uzycie, id) VALUES (7, 120, 5), (7, 120, 0)");
  auto r = db.call("RM_ZapiszZaznaczoneObiekty", {I(1), I(7), I(120), I(0)});
  EXPECT_EQ(elements(db, 1), (std::vector<int64_t>{1, 2, 5}));  // id 0 is no record
  EXPECT_EQ(r.rows.rows[0][0].as_integer(), 3);
  EXPECT_EQ(db.number("SELECT licznosc FROM orv_lista_obiektow WHERE id_listy = 1"), 3);
  // An empty marked set empties the list.
  db.call("RM_ZapiszZaznaczoneObiekty", {I(1), I(8), I(120), I(0)});
  EXPECT_TRUE(elements(db, 1).empty());
}

TEST(ObjectLists, ArticleListOfAWarehouseTakesOnlyItsArticles) {
  ServerDb db;
  db.exec("INSERT INTO zaznaczone (id_sesji, uzycie, id) VALUES (7, 102, 2), (7, 102, 6)");
  db.call("RM_ZapiszZaznaczoneObiekty", {I(2), I(7), I(102), I(2)});
  EXPECT_EQ(elements(db, 2), (std::vector<int64_t>{2, 6}));
  db.call("RM_ZapiszZaznaczoneObiekty", {I(2), I(7), I(102), I(0)});
  EXPECT_EQ(elements(db, 2).size(), 5u);
}

TEST(ObjectLists, UnknownListFailsWithoutChangingAnything) {
  ServerDb db;
  EXPECT_THROW(db.call("RM_ZapiszZaznaczoneObiekty", {I(77), I(7), I(120), I(0)}), ServerError);
  EXPECT_EQ(db.number("SELECT count(*) FROM orv_elementy_listy_obiektow"), 5);
}

TEST(Filters, NewDefinitionGetsAnIdAndItsCreatorAndTheAdministrator) {
  ServerDb db;
  auto r = db.call("RM_DodajFiltrUzytkownika",
                   {T(""), T("Kontrahent_Brw"), T("Filtr"), T("FiltrF8"), I(9)});
  int64_t id = r.rows.rows[0][0].as_integer();
  EXPECT_GT(id, 3);
  EXPECT_EQ(
      db.number(
          "SELECT count(*) FROM orv_uzytkownik_filtrow WHERE id_filtra = ? AND id_uzytkownika IN "
          "(9, 4100001)",
          {I(id)}),
      2);
  // An empty name is a new filter every time (the form names it later).
  auto again = db.call("RM_DodajFiltrUzytkownika",
                       {T(""), T("Kontrahent_Brw"), T("Filtr"), T("FiltrF8"), I(9)});
  EXPECT_GT(again.rows.rows[0][0].as_integer(), id);
}

// The companion filter of an additional table is asked for on every save: it must stay one.
TEST(Filters, SameNamedDefinitionIsReturnedNotMadeTwice) {
  ServerDb db;
  std::vector<SqlValue> args{T("FiltrExt2TabExt3"), T("FiltrExt2TabExt3"), T("Filtr"), T("FiltrF8"),
                             I(7)};
  int64_t first = db.call("RM_DodajFiltrUzytkownika", args).rows.rows[0][0].as_integer();
  int64_t second = db.call("RM_DodajFiltrUzytkownika", args).rows.rows[0][0].as_integer();
  EXPECT_EQ(first, second);
  EXPECT_EQ(db.number("SELECT count(*) FROM orv_definicja_filtra WHERE nazwa = 'FiltrExt2TabExt3'"),
            1);
  // The administrator creating a filter is assigned once.
  int64_t admin =
      db.call("RM_DodajFiltrUzytkownika", {T("A"), T("B"), T("Filtr"), T("FiltrF8"), I(4100001)})
          .rows.rows[0][0]
          .as_integer();
  EXPECT_EQ(
      db.number("SELECT count(*) FROM orv_uzytkownik_filtrow WHERE id_filtra = ?", {I(admin)}), 1);
}

}  // namespace
}  // namespace orv::test
