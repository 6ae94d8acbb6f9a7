// The selection procedures through the CLI on a demo database made by `orvrun init`.
#include <gtest/gtest.h>

#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

class SelectionCli : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(run_cli({"init", "--demo", "--db", db}).status, 0); }
  std::string marked() {
    return run_cli({"--db", db, "sql",
                    "select id from zaznaczone where id_sesji=7 and uzycie=5 "
                    "order by id"})
        .out;
  }
  test::TempDir dir;
  std::string db = dir.file("demo.db");
};

TEST_F(SelectionCli, MarkInvertAndCountAList) {
  const std::string list =
      "select A.ID_ARTYKULU from artykul A where A.ID_ARTYKULU < 6 AND  (  A.ID_MAGAZYNU > 1) "
      "order by A.NAZWA";
  auto r = run_cli({"--db", db, "call", "--json", "ZAZNACZALLSQL", "5", list, "A.ID_ARTYKULU"});
  EXPECT_EQ(r.out.rfind("{\"result\": 5, ", 0), 0u) << r.out << r.err;
  EXPECT_NE(r.out.find("trwa zaznaczanie"), std::string::npos);
  EXPECT_EQ(marked(), "1\n2\n3\n4\n5\n");
  r = run_cli({"--db", db, "call", "INWERSJASQL", "5",
               "select A.ID_ARTYKULU from artykul A where A.ID_ARTYKULU between 4 and 7",
               "A.ID_ARTYKULU"});
  EXPECT_EQ(r.out, "5\n") << r.err;
  EXPECT_EQ(marked(), "1\n2\n3\n6\n7\n");
  r = run_cli({"--db", db, "call", "--json", "POLICZREKORDYBROWSERA", list, "0"});
  EXPECT_EQ(r.out, "{\"result\": 5, \"out\": {\"step\": 10}, \"messages\": [], \"windows\": []}\n");
}

TEST_F(SelectionCli, LockTheMarkedDocuments) {
  for (const char* id : {"2", "3", "4"})
    ASSERT_EQ(run_cli({"--db", db, "call", "ZAZNACZSQL", "9", id}).status, 0);
  auto r = run_cli({"--db", db, "call", "--json", "--answer", "yes", "WYKONAJOPERACJE",
                    "DOKMAG_BRW", "1111_000_BLOKDOK", "9", "0"});
  EXPECT_NE(r.out.find("\"text\": \"Zablokowano 3 dokumenty.\""), std::string::npos) << r.out;
  auto rows = run_cli({"--db", db, "sql",
                       "select count(*) from dokument_magazynowy where "
                       "dok_zablokowany=1"});
  EXPECT_EQ(rows.out, "4\n");
}

TEST_F(SelectionCli, FilterTextsAndSavedFilterIds) {
  auto r = run_cli({"--db", db, "call", "PRZYGOTUJFILTR", "INSTRING('łą',ART:NAZWA,1,1) <> 0",
                    "ART:", "", "A.", ""});
  EXPECT_EQ(r.out, "A.NAZWA like '%łą%'\n");
  r = run_cli({"--db", db, "call", "POBIERZIDFILTRAXML", "Faktury grudzień",
               "Dokument_Handlowy_Brw", "Filtr", "FiltrF8"});
  EXPECT_EQ(r.out, "2\n");
}

}  // namespace
}  // namespace orv
