// Golden T-SQL → SQLite pairs: the reference cases and the statement templates the library sends.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "platform/sql/dialect/dialect.hpp"
#include "tests/platform/sql/dialect/dump.hpp"

namespace orv::sql::dialect::test {
namespace {

// A catalog of the reference fixture's declared types (the tables the golden cases name).
class FixtureCatalog : public Catalog {
 public:
  std::optional<std::string> column_type(std::string_view table,
                                         std::string_view column) const override {
    static const std::map<std::string, std::string> kTypes = {
        {"artykul.nazwa", "TEXT"},
        {"artykul.indeks_katalogowy", "TEXT"},
        {"artykul.id_artykulu", "INTEGER"},
        {"artykul.stan", "NUMERIC(15,4)"},
        {"zaznaczone.uzycie", "INTEGER"},
        {"zaznaczone.id", "INTEGER"},
        {"mc_def_poz.lp", "INTEGER"},
        {"orv_lista_obiektow.id_listy", "INTEGER"},
        {"kontrahent.nazwa", "TEXT"},
        {"kontrahent.nazwa_pelna", "TEXT"},
        {"pracownik.nazwisko", "TEXT"},
        {"pracownik.imie_1", "TEXT"},
        {"dokument_finansowy.kwota", "NUMERIC(15,2)"},
    };
    auto it = kTypes.find(ascii_lower(table) + "." + ascii_lower(column));
    if (it == kTypes.end()) return std::nullopt;
    return it->second;
  }

 private:
  static std::string ascii_lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c | 0x20);
    return out;
  }
};

struct Golden {
  std::string id;  // "T04b", "S012"
  std::string purpose;
  std::string input;
  std::string expected;
  bool loose = false;    // compared by loose(): reference text written by hand
  bool catalog = false;  // translated with the fixture's declared types
};

std::vector<Golden> load() {
  std::ifstream in(std::string(ORV_SOURCE_DIR) + "/tests/platform/sql/dialect/golden.txt");
  std::vector<Golden> cases;
  std::string line;
  int part = 0;  // 1 input, 2 expected
  while (std::getline(in, line)) {
    if (line.rfind("### ", 0) == 0) {
      Golden g;
      std::istringstream head(line.substr(4));
      head >> g.id;
      std::getline(head, g.purpose);
      g.catalog = g.purpose.find("[catalog]") != std::string::npos;
      cases.push_back(std::move(g));
      part = 1;
    } else if (!cases.empty() && (line == "---" || line == "~~~")) {
      cases.back().loose = line == "~~~";
      part = 2;
    } else if (!cases.empty() && part == 1) {
      cases.back().input += (cases.back().input.empty() ? "" : "\n") + line;
    } else if (!cases.empty() && part == 2 && !line.empty()) {
      cases.back().expected += line + "\n";
    }
  }
  for (Golden& g : cases)
    while (!g.input.empty() && g.input.back() == '\n') g.input.pop_back();
  return cases;
}

class GoldenTest : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenTest, Translates) {
  const Golden& g = GetParam();
  FixtureCatalog catalog;
  std::string got = dump(g.input, g.catalog ? &catalog : nullptr);
  if (g.loose)
    EXPECT_EQ(loose(got), loose(g.expected)) << g.purpose << "\n  got: " << got;
  else
    EXPECT_EQ(got, g.expected) << g.purpose;
}

TEST(Golden, FileHasCases) {
  EXPECT_GT(load().size(), 60u);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest, ::testing::ValuesIn(load()),
                         [](const ::testing::TestParamInfo<Golden>& info) {
                           return info.param.id;
                         });

}  // namespace
}  // namespace orv::sql::dialect::test
