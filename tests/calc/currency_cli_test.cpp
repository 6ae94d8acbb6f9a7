// Unit conversion and the limit window through the CLI on a demo database.
#include <gtest/gtest.h>

#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

class CurrencyCli : public testing::Test {
 protected:
  void SetUp() override {
    auto made = run_cli({"init", "--demo", "--db", db});
    ASSERT_EQ(made.status, 0) << made.err;
    ASSERT_EQ(run_cli({"--db", db, "sql", "select count(*) from jednostka with (nolock)"}).status,
              0);
  }
  test::TempDir dir;
  std::string db = dir.file("demo.db");
};

TEST_F(CurrencyCli, UnitsComeBackByReference) {
  auto r = run_cli({"--db", db, "call", "--json", "JEDDOKNAJEDMAG", "4", "pal", "2", "", "0"});
  EXPECT_EQ(r.out,
            "{\"result\": null, \"out\": {\"base_unit\": \"worek\", \"base_quantity\": 96}, "
            "\"messages\": [], \"windows\": []}\n")
      << r.err;
}

TEST_F(CurrencyCli, LimitWindowConfirmed) {
  auto r = run_cli({"--db", db, "call", "--json", "--ui-script", "press ZATWIERDZ", "LIMITKUPIECKI",
                    "2", "1", "2", "100", "0", "82198"});
  EXPECT_EQ(r.out.rfind("{\"result\": 1, ", 0), 0u) << r.out << r.err;
  EXPECT_NE(r.out.find("\"NALEZNOSCI_PRZET\": \"5150.00\""), std::string::npos) << r.out;
}

TEST_F(CurrencyCli, FactorWithItsKindWrittenBack) {
  auto r = run_cli({"--db", db, "call", "--json", "WAL_POBIERZPRZELICZNIK", "EUR", "USD", "82197"});
  EXPECT_EQ(r.out.rfind("{\"result\": 1.162759, ", 0), 0u) << r.out << r.err;
}

}  // namespace
}  // namespace orv
