// Group operations on the demo documents: what changes, what the user is told, what is refused.
#include "selection/group_operations.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "config/permissions.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::selection {
namespace {

TEST(Plural, EndingsByTheCount) {
  const std::pair<int64_t, std::string_view> cases[] = {
      {0, "many"}, {1, "one"},   {2, "few"},   {3, "few"},   {4, "few"},
      {5, "many"}, {12, "many"}, {14, "many"}, {22, "many"}, {-2, "many"}};
  for (auto [n, form] : cases) EXPECT_EQ(plural(n, "one", "few", "many"), form) << n;
}

class GroupOperation : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.tsql());
    config::LADUJUPRAWNIENIA();
  }
  void mark(std::initializer_list<int> ids) {
    for (int id : ids) {
      db.run("insert into zaznaczone (id_sesji,uzycie,id) values (7,9," + std::to_string(id) + ")");
    }
  }
  std::string locked() {
    std::string s;
    for (const auto& v : db.column("select dok_zablokowany from dokument_magazynowy order by 1 + "
                                   "id_dok_magazynowego"))
      s += v;
    return s;
  }
  std::string last_text() { return ui.boxes().empty() ? "" : ui.boxes().back().box.text; }

  test::DemoDb db;
  test::ScopedUi ui{{}, /*strict=*/false};
};

TEST_F(GroupOperation, LockingMarkedDocumentsCountsTheRowsChanged) {
  mark({1, 2, 3, 4, 5});  // 1 is locked already; 5 is being edited (the marked form locks it)
  EXPECT_EQ(locked(), "10000");
  ui.ui().add_answer("yes");
  WYKONAJOPERACJE("DOKMAG_BRW  ", "1111_000_BLOKDOK", 9, 0);
  EXPECT_EQ(locked(), "11111");
  EXPECT_EQ(last_text(), "Zablokowano 4 dokumenty.");
  EXPECT_EQ(ui.boxes().front().box.text, "Czy wykona\xE6 operacj\xEA blokowania dokument\xF3w?");
  const auto sent = db.statements();
  EXPECT_NE(std::find(sent.begin(), sent.end(),
                      "update dokument_magazynowy set dok_zablokowany=1 where dok_zablokowany =0 "
                      "and id_dok_magazynowego in (select id  from zaznaczone where uzycie=9 and "
                      "id_sesji=7) select @@ROWCOUNT"),
            sent.end());
  // 2 nothing left to change: the message says 0, with the genitive plural
  ui.ui().add_answer("yes");
  WYKONAJOPERACJE("DOKMAG_BRW", "1111_000_BLOKDOK", 9, 0);
  EXPECT_EQ(last_text(), "Zablokowano 0 dokument\xF3w.");
}

TEST_F(GroupOperation, SingleRecordSkipsOneBeingEdited) {
  ui.ui().add_answer("yes");
  WYKONAJOPERACJE("DOKMAG_BRW", "1111_000_BLOKDOK", 9, 5);
  EXPECT_EQ(locked(), "10000");
  EXPECT_EQ(last_text(),
            "Dokument nie zosta\xB3 zablokowany - jest ju\xBF zablokowany lub kto\x9C go edytuje.");
  ui.ui().add_answer("yes");
  WYKONAJOPERACJE("DOKMAG_BRW", "1111_000_BLOKDOK", 9, 2);
  EXPECT_EQ(locked(), "11000");
  EXPECT_EQ(last_text(), "Dokument zosta\xB3 zablokowany.");
}

TEST_F(GroupOperation, RefusalsChangeNothing) {
  mark({2, 3});
  // 1 an unknown list kind or operation: refused before anything is sent
  db.clear_statements();
  WYKONAJOPERACJE("FAKTURY_BRW", "1111_000_BLOKDOK", 9, 0);
  EXPECT_EQ(last_text(), "Nieznany rodzaj listy: \"FAKTURY_BRW\". Operacji nie wykonano.");
  WYKONAJOPERACJE("DOKMAG_BRW", "1111_000_USUN", 9, 0);
  EXPECT_EQ(last_text(), "Nieznana operacja: \"1111_000_USUN\". Operacji nie wykonano.");
  EXPECT_TRUE(db.statements().empty());
  // 2 no permission (user 7 may not lock financial documents)
  WYKONAJOPERACJE("DOKFIN_BRW", "1111_000_BLOKDOK", 9, 0);
  EXPECT_EQ(last_text(), "Brak uprawnie\xF1 na operacj\xEA blokowania/odblokowania dokument\xF3w!");
  // 3 the question answered No
  db.run("delete from zaznaczone where uzycie=9");
  ui.ui().add_answer("no");
  WYKONAJOPERACJE("ART_BRW", "1111_000_ODBLOKART", 9, 6);
  EXPECT_EQ(db.value("select zablokowany from artykul where id_artykulu=6"), "1");
  // 4 a failing update is shown with the driver's message and nothing is told as done
  db.faults().fail_matching("update artykul", sql::Fault::rejected("zablokowane przez serwer"));
  ui.ui().add_answer("yes");
  WYKONAJOPERACJE("ART_BRW", "1111_000_ODBLOKART", 9, 6);
  EXPECT_EQ(last_text(), "zablokowane przez serwer");
  EXPECT_EQ(db.value("select zablokowany from artykul where id_artykulu=6"), "1");
}

TEST_F(GroupOperation, PostingMarkReportsTheServersCountAndLogs) {
  mark({11, 12, 13});  // 13 carries the mark already
  WYKONAJOPERACJE("DOKFIN_BRW", "1111_000_DO_KSIEGOW", 9, 11);
  EXPECT_EQ(last_text(), "Oznaczono do zaksi\xEAgowania 2 dokumenty.");
  EXPECT_EQ(db.value("select count(*) from dokument_finansowy where do_ksiegowania=1"), "3");
  EXPECT_EQ(db.value("select rodzaj_obiektu || '|' || id_obiektu || '|' || opis from log_zdarzen "
                     "order by id_zdarzenia desc limit 1"),
            "DOK_FIN|11|Oznaczono do zaksi\xEAgowania 2 dokumenty.");
  WYKONAJOPERACJE("DOKFIN_BRW", "1111_000_OD_KSIEGOW", 9, 11);
  EXPECT_EQ(last_text(), "Odblokowano do edycji 3 dokumenty.");
  // a failing server procedure is neither told as done nor logged
  const std::string logged = db.value("select count(*) from log_zdarzen");
  db.faults().fail_matching("RM_UstawDoKsiegowania", sql::Fault::rejected("brak procedury"));
  WYKONAJOPERACJE("DOKFIN_BRW", "1111_000_DO_KSIEGOW", 9, 11);
  EXPECT_EQ(db.value("select count(*) from log_zdarzen"), logged);
  EXPECT_EQ(db.value("select count(*) from dokument_finansowy where do_ksiegowania=1"), "0");
}

}  // namespace
}  // namespace orv::selection
