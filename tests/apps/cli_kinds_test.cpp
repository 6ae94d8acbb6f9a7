// orvrun call with records, ten-text arrays, windows and report bands, on the demo database.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv {
namespace {

struct KindCase {
  const char* name;
  std::vector<std::string> args;  // "DB" is the demo database, "FILE" the record file below
  int status;
  const char* out;  // a part of stdout
};
void PrintTo(const KindCase& c, std::ostream* os) {
  *os << c.name;
}

const char* const kRecord = R"([{"name": "LOC:Kod", "type": "STRING", "size": 20, "value": "a<b"},)"
                            R"( {"name": "LOC:Tab", "type": "BYTE", "dim": 2, "value": [1, 7]}])";

const KindCase kCases[] = {
    // 1. A window argument: the host's list window shows the count in its box's tip and icon.
    {"Window",
     {"--db", "DB", "call", "--json", "DISPLAYZAZNACZONE", "@list", "2", "5", "artykułów"},
     0,
     R"("marks": {"ZAZNACZONE": {"tip": "Ilość zaznaczonych artykułów : 5\r\nPrawy )"
     R"(klawisz-oblicz wszystkie", "icon": "~boxon.ico"}})"},
    // 2. A record from a file, arrays included, as XML.
    {"GroupFile",
     {"--db", "DB", "call", "GRUPADOXML", "@group:FILE"},
     0,
     "<GROUP>\r\n<Kod>a&lt;b</Kod>\r\n<Tab>1</Tab>\r\n<Tab>7</Tab>\r\n</GROUP>\n"},
    // 3. A record filled from XML comes back under "out".
    {"GroupOut",
     {"--db", "DB", "call", "--json", "XMLDOGRUPY", "<GROUP><Tab>3</Tab><Kod>x</Kod></GROUP>",
      "@group:FILE"},
     0,
     R"("out": {"record": [{"name": "LOC:Kod", "type": "STRING", "size": 20, "value": "x"}, )"
     R"({"name": "LOC:Tab", "type": "BYTE", "dim": 2, "value": [3, 0]}]})"},
    // 4. Ten texts in and out, a BOOL result.
    {"TextsBool",
     {"--db", "DB", "call", "--json", "KLASYFIKATORY_WALIDUJ", "Artykul", R"(["", "2", "B"])"},
     0,
     R"({"result": true, "out": {"values": ["", "2", "B", "", "", "", "", "", "", ""]})"},
    // 5. A report band collects what was printed.
    {"Band",
     {"--db", "DB", "call", "--json", "KLASYFIKATORY_RAPORT", "Artykul", R"(["czarny"])", "@band",
      "1"},
     0,
     R"("band": [{"number": 5001, "x": 100, "y": 50, "text": "Kolor:  czarny"}])"},
    // 6. Saving leaves the caller's values as they were: a second save stores the same.
    {"SaveKeepsValues",
     {"--db", "DB", "call", "--json", "KLASYFIKATORY_ZAPISZ", "Artykul", "ID_ARTYKULU", "4",
      R"(["O'Neil"])"},
     0,
     R"("out": {"values": ["O'Neil", "", )"},
    // 7. Wrong forms are refused before the call.
    {"BandWord",
     {"--db", "DB", "call", "KLASYFIKATORY_RAPORT", "Artykul", "[]", "band", "1"},
     2,
     ""},
    {"BadRecord", {"--db", "DB", "call", "GRUPADOXML", "[{\"name\": 1}]"}, 2, ""},
    {"MissingFile", {"--db", "DB", "call", "GRUPADOXML", "@group:/nonexistent.json"}, 2, ""},
};

class CliKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(CliKinds, CrossTheCommandLine) {
  test::DemoDb db;
  test::TempDir dir;
  std::ofstream(dir.file("record.json")) << kRecord;
  std::vector<std::string> args = GetParam().args;
  for (auto& a : args) {
    if (a == "DB") a = db.path();
    if (a == "@group:FILE") a = "@group:" + dir.file("record.json");
  }
  auto r = test::run_cli(args);
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  EXPECT_NE(r.out.find(GetParam().out), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Cases, CliKinds, ::testing::ValuesIn(kCases), orv::test::named_case);

// A filter state of 60,000 characters is saved and loaded back whole, apostrophes included.
TEST(CliSavedFilter, ALongStateComesBackWhole) {
  test::DemoDb db;
  const std::string value = std::string(60000, 'x') + "O'Neil";
  const std::string record =
      R"([{"name": "LOC:Duzo", "type": "STRING", "value": ")" + value + R"("}])";
  auto saved =
      test::run_cli({"--db", db.path(), "call", "ZAPISZXMLFILTRUZYTKOWNIKA", "2", record, "extra"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.err, "");
  auto loaded = test::run_cli({"--db", db.path(), "call", "--json", "POBIERZXMLFILTRUZYTKOWNIKA",
                               "2", R"([{"name": "LOC:Duzo", "type": "STRING"}])", ""});
  ASSERT_EQ(loaded.status, 0) << loaded.err;
  EXPECT_NE(loaded.out.find(R"("value": ")" + value + R"("}], "additional": "extra")"),
            std::string::npos);
}

// The stock-level window driven by a script: the levels change in the database.
TEST(CliStockLevels, TheScriptedWindowChangesTheLevels) {
  test::DemoDb db;
  const std::string script =
      "set PR_STAN_MAX 150; set PR_WART_STAN_MIN ilościowo; set STAN_MIN 2,5; key F10";
  auto r = test::run_cli(
      {"--db", db.path(), "call", "--ui-script", script, "STANYMINMAXREZGRUPOWAZMIANA", "102"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto levels = test::run_cli({"--db", db.path(), "sql",
                               "select stan_minimalny, stan_maksymalny from artykul where "
                               "id_artykulu = 1"});
  EXPECT_EQ(levels.out, "2.5000\t18.0000\n");
}

}  // namespace
}  // namespace orv
