// Rate imports through the CLI on a demo database, the tables served by a loopback server.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/date/date.hpp"
#include "support/http_server.hpp"
#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

const std::string kData = std::string(ORV_SOURCE_DIR) + "/tests/calc/data";

class RatesCli : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(run_cli({"init", "--demo", "--db", db}).status, 0);
    setenv("ORVRUN_NBP_URL", (server.url() + "/kursy/xml/").c_str(), 1);
    setenv("ORVRUN_ECB_URL", (server.url() + "/ecb/").c_str(), 1);
    setenv("ORVRUN_CONNECTION", "lan", 1);
  }
  void TearDown() override {
    for (const char* n : {"ORVRUN_NBP_URL", "ORVRUN_ECB_URL", "ORVRUN_CONNECTION"}) unsetenv(n);
  }
  test::TempDir dir;
  std::string db = dir.file("demo.db");
  test::LoopbackHttp server{
      [](const test::HttpRequest& r) { return test::file_reply(kData, r.path); }};
};

TEST_F(RatesCli, NbpTableImportedAndUsedForConversion) {
  const std::string day = std::to_string(date::make(1, 8, 2026));
  auto r = run_cli({"--db", db, "call", "--json", "POBIERZKURSYNBP", day, "0"});
  EXPECT_EQ(r.out.rfind("{\"result\": 1, \"out\": {\"date\": " + day +
                            ", \"notice\": 0}, \"messages\": [], \"windows\": [{\"name\": "
                            "\"ImportKursowWalut\", \"title\": \"Import kursów walut\", ",
                        0),
            0u)
      << r.out << r.err;
  EXPECT_NE(r.out.find("\"TEKST\": \"Trwa import kursów walut. Proszę czekać...\""),
            std::string::npos);
  auto f = run_cli({"--db", db, "call", "WAL_POBIERZPRZELICZNIK", "USD", "PLN", day});
  EXPECT_EQ(f.out, "3.6133\n") << f.err;
}

TEST_F(RatesCli, EcbDailyFileWithApostrophesIsImported) {
  auto r = run_cli({"--db", db, "call", "--json", "POBIERZKURSYECB", "0", "0"});
  EXPECT_EQ(r.out.rfind("{\"result\": 1, \"out\": {\"date\": " +
                            std::to_string(date::make(1, 5, 2026)) + ", ",
                        0),
            0u)
      << r.out << r.err;
}

TEST_F(RatesCli, DayWithoutTableWarnsAndStoresNothing) {
  const std::string day = std::to_string(date::make(1, 9, 2026));
  auto r = run_cli({"--db", db, "call", "--json", "POBIERZKURSYNBP", day, "0"});
  EXPECT_EQ(r.out.rfind("{\"result\": 0, ", 0), 0u) << r.out << r.err;
  EXPECT_NE(r.out.find("brak kursów walut w banku NBP."), std::string::npos) << r.out;
  auto n = run_cli({"--db", db, "sql", "select count(*) from kurs_waluty where data = " + day});
  EXPECT_EQ(n.out, "0\n");
}

}  // namespace
}  // namespace orv
