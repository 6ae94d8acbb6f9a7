// Variants and statuses through the CLI on a demo database made by `orvrun init`.
#include <gtest/gtest.h>

#include <fstream>

#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

class ReportsCli : public testing::Test {
 protected:
  void SetUp() override {
    auto made = run_cli({"init", "--demo", "--db", db});
    ASSERT_EQ(made.status, 0) << made.err;
    ASSERT_EQ(run_cli({"--db", db, "sql", "select count(*) from wariant with (nolock)"}).status, 0);
  }
  test::TempDir dir;
  std::string db = dir.file("demo.db");
};

TEST_F(ReportsCli, StatusCaption) {
  auto r = run_cli({"--db", db, "call", "PODAJOPISSTATUSUZAMOWIENIA", "W", "SO"});
  EXPECT_EQ(r.out, "(W) wysłane do klienta\n") << r.err;
}

TEST_F(ReportsCli, NewVariantAnsweredByCaption) {
  auto r = run_cli({"--db", db, "call", "--json", "--ui-script", "answer \"Nowy wariant\"",
                    "ZAPISZWARIANT", "10", "100", "Kwartał", "Domyślny"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\"result\": 103, ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\"answer\": \"Nowy wariant\""), std::string::npos) << r.out;
  auto rows = run_cli({"--db", db, "sql", "select nazwa from wariant where id_wariantu=103"});
  EXPECT_EQ(rows.out, "Kwartał\n");
}

TEST_F(ReportsCli, ImmediateSaveWithoutLoadedParametersStoresNothing) {
  auto r = run_cli({"--db", db, "call", "--json", "ZAPISZWARTOSCPARAMETRUDOBAZY", "IBAN", "x'y"});
  EXPECT_EQ(r.out, "{\"result\": null, \"out\": {}, \"messages\": [], \"windows\": []}\n");
  auto rows = run_cli({"--db", db, "sql", "select count(*) from wartosc_parametru"});
  EXPECT_EQ(rows.out, "9\n");
}

// The filter form once through the CLI: ten texts in from files, values and operators back out.
TEST_F(ReportsCli, ClassifierFilterFormWithTextFiles) {
  std::ofstream(dir.file("v.json")) << R"(["czarny", "24", "Bosch"])";
  std::ofstream(dir.file("o.json")) << R"(["", "<>"])";
  auto r = run_cli({"--db", db, "call", "--json", "--ui-script",
                    "check FILTR1 on; choose OPERATOR1 \"nie zawiera\"; press OK",
                    "KLASYFIKATORY_OKNO", "Artykul", "ID_ARTYKULU", "0",
                    "@texts:" + dir.file("v.json"), "7", "@texts:" + dir.file("o.json")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\"result\": 1, \"out\": {\"values\": [\"czarny\", \"24\", \"Bosch\", "
                        "\"\", \"0\", \"\", \"\", \"\", \"\", \"\"], \"flags_or_operators\": "
                        "[\"nie zawiera\", \"<>\", \"\"",
                        0),
            0u)
      << r.out;
}

}  // namespace
}  // namespace orv
