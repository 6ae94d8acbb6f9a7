// Marked sets on the server: one row per record whatever the callers do, sets kept apart by owner
// and usage, and saving and restoring a set under two numbers.
#include <thread>

#include "server_db.hpp"

namespace orv::test {
namespace {

double marks(ServerDb& db, int user, int usage) {
  return db.number("SELECT count(*) FROM zaznaczone WHERE id_sesji = ? AND uzycie = ?",
                   {I(user), I(usage)});
}

TEST(Marks, MarkingTwiceKeepsOneRowAndUnmarkingRemovesIt) {
  ServerDb db;
  db.call("JL_Zaznacz", {I(7), I(700), I(5)});
  db.call("JL_Zaznacz", {I(7), I(700), I(5)});
  db.call("JL_Zaznacz", {I(7), I(700), I(6)});
  EXPECT_EQ(marks(db, 7, 700), 2);
  EXPECT_EQ(db.number("SELECT id2 FROM zaznaczone WHERE uzycie = 700 AND id = 5"), 0);
  // A record marked with a second identifier counts as marked.
  db.exec("INSERT INTO zaznaczone (id_sesji, uzycie, id, id2) VALUES (7, 701, 5, 9)");
  db.call("JL_Zaznacz", {I(7), I(701), I(5)});
  EXPECT_EQ(marks(db, 7, 701), 1);
  db.call("JL_Odznacz", {I(7), I(701), I(5)});
  db.call("JL_Odznacz", {I(7), I(700), I(5)});
  db.call("JL_Odznacz", {I(7), I(700), I(99)});
  EXPECT_EQ(marks(db, 7, 701), 0);
  EXPECT_EQ(marks(db, 7, 700), 1);
}

TEST(Marks, UnmarkAllEmptiesOnlyThatSet) {
  ServerDb db;
  db.call("JL_OdznaczAll", {I(7), I(300)});
  EXPECT_EQ(marks(db, 7, 300), 0);
  EXPECT_EQ(marks(db, 7, 102), 3);
  EXPECT_EQ(marks(db, 8, 300), 1);
}

// Ids written from the library's reals arrive as 5.0: they are the same record as 5.
TEST(Marks, IdsGivenAsRealsAreWholeNumbers) {
  ServerDb db;
  db.call("JL_Zaznacz", {SqlValue::of(7.0), SqlValue::of(700.0), SqlValue::of(4100001.0)});
  db.call("JL_Zaznacz", {I(7), I(700), I(4100001)});
  EXPECT_EQ(db.text("SELECT id FROM zaznaczone WHERE uzycie = 700"), "4100001");
  EXPECT_EQ(marks(db, 7, 700), 1);
}

// Several connections marking and unmarking the same set at once lose nothing and duplicate
// nothing: each call is one statement.
TEST(Marks, ConcurrentConnectionsNeitherLoseNorDuplicateMarks) {
  ServerDb db;
  constexpr int kThreads = 4, kIds = 150;
  std::vector<std::thread> threads;
  threads.reserve(kThreads);
  std::atomic<int> failures{0};
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      sqlite3* c = ServerDb::open(db.path());
      struct Conn : sql::Session {
        sqlite3* h;
        explicit Conn(sqlite3* x) : h(x) {}
        Rows query(std::string_view s, const std::vector<SqlValue>& p) override {
          return ServerDb::run(h, s, p);
        }
        int64_t exec(std::string_view s, const std::vector<SqlValue>& p) override {
          ServerDb::run(h, s, p);
          return sqlite3_changes(h);
        }
        Rows query_tsql(std::string_view s) override { return ServerDb::run(h, s, {}); }
        int64_t last_insert_id() override { return sqlite3_last_insert_rowid(h); }
      } conn(c);
      const auto* mark = sql::server_objects().procedure("JL_Zaznacz");
      const auto* unmark = sql::server_objects().procedure("JL_Odznacz");
      try {
        for (int id = 0; id < kIds; ++id) {
          (*mark)(conn, {I(7), I(900), I(id)});
          (*mark)(conn, {I(7), I(901), I(id)});
          // Every thread also unmarks the odd ids of set 901 once marked by anyone.
          if (id % 2 == 1 && t == id % kThreads) (*unmark)(conn, {I(7), I(901), I(id)});
        }
      } catch (const ServerError&) {
        ++failures;
      }
      sqlite3_close_v2(c);
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(marks(db, 7, 900), kIds);
  EXPECT_EQ(
      db.number("SELECT count(*) FROM (SELECT id FROM zaznaczone WHERE uzycie = 900 GROUP BY id "
                "HAVING count(*) > 1)"),
      0);
  EXPECT_EQ(
      db.number("SELECT count(*) FROM (SELECT id FROM zaznaczone WHERE uzycie = 901 GROUP BY id "
                "HAVING count(*) > 1)"),
      0);
  EXPECT_EQ(db.number("SELECT count(*) FROM zaznaczone WHERE uzycie = 901 AND id % 2 = 0"),
            kIds / 2);
}

TEST(Marks, SavedSetComesBackInPlaceOfTheCurrentOne) {
  ServerDb db;
  auto save = db.call("RM_Zachowaj_TORIX_zaznaczone", {I(5), I(7), I(300), I(1)});
  EXPECT_EQ(save.return_code, 1);
  db.call("JL_OdznaczAll", {I(7), I(300)});
  db.call("JL_Zaznacz", {I(7), I(300), I(14)});
  auto restore = db.call("RM_Przywroc_TORIX_zaznaczone", {I(5), I(7), I(300), I(1)});
  EXPECT_EQ(restore.return_code, 1);
  Rows r = db.query("SELECT id FROM zaznaczone WHERE id_sesji = 7 AND uzycie = 300 ORDER BY id");
  ASSERT_EQ(r.rows.size(), 5u);
  EXPECT_EQ(r.rows[0][0].as_integer(), 11);
  EXPECT_EQ(r.rows[4][0].as_integer(), 16);
  // Saving again replaces the slot; other users' and other slots' sets are untouched.
  db.call("JL_OdznaczAll", {I(7), I(300)});
  EXPECT_EQ(db.call("RM_Zachowaj_TORIX_zaznaczone", {I(5), I(7), I(300), I(1)}).return_code, 0);
  EXPECT_EQ(db.number("SELECT ilosc FROM torix_zaznaczone_x2 WHERE nr_zestawu = 1"), 0);
  EXPECT_EQ(marks(db, 8, 300), 1);
}

TEST(Marks, RestoringASlotNeverSavedKeepsTheCurrentMarks) {
  ServerDb db;
  auto r = db.call("RM_Przywroc_TORIX_zaznaczone", {I(5), I(7), I(300), I(42)});
  EXPECT_EQ(r.return_code, 0);
  EXPECT_EQ(marks(db, 7, 300), 5);
}

}  // namespace
}  // namespace orv::test
