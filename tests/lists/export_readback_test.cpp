// The demo article list exported through the CLI and read back by real spreadsheet and CSV readers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/files/files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv {
namespace {

const std::string kData = std::string(ORV_SOURCE_DIR) + "/tests/lists/data/";

// A JSON string of a Windows-1250 value from the database.
std::string json_text(const std::string& cp1250) {
  std::string out = "\"";
  for (char c : text::to_utf8(cp1250)) out += c == '"' ? std::string("\\\"") : std::string(1, c);
  return out + "\"";
}

// The article list as its window shows it: Lp, codes, names, stock with four decimals, the net
// price coloured (red when the article is blocked, yellow under its minimum stock), the end of its
// promotion, a hidden column and one without a header. Values are UTF-8 from the database.
std::string articles_json(test::DemoDb& db) {
  const char* kFrom = " from artykul order by id_artykulu";
  auto code = db.column(std::string("select indeks_katalogowy") + kFrom);
  auto name = db.column(std::string("select nazwa") + kFrom);
  auto stock = db.column(std::string("select stan") + kFrom);
  auto price = db.column(std::string("select cena_sprzedazy_netto") + kFrom);
  auto red = db.column(std::string("select case when zablokowany = 1 then 255 else 0 end") + kFrom);
  auto low = db.column(
      std::string("select case when stan < stan_minimalny then '{\"colour\": \"#FFFF00\"}' else "
                  "'0' end") +
      kFrom);
  auto until = db.column(std::string("select promocja_do") + kFrom);
  std::ostringstream j;
  j << R"({"caption": "Artykuły", "columns": [
    {"title": "Lp", "width": 20, "picture": "@n_6", "field": 1},
    {"title": "Indeks", "width": 60, "picture": "@s20", "field": 2},
    {"title": "Nazwa", "width": 160, "picture": "@s60", "field": 3},
    {"title": "Ukryta", "width": 0, "picture": "@s20", "field": 3},
    {"title": "Stan", "width": 50, "picture": "@n-14_`4", "field": 4},
    {"title": "Cena netto", "width": 50, "picture": "@n-14_`2", "field": 5, "colours": true},
    {"title": "Promocja do", "width": 50, "picture": "@d17", "field": 8},
    {"title": "", "width": 30, "picture": "@s20", "field": 2}], "rows": [)";
  for (std::size_t i = 0; i < code.size(); ++i) {
    j << (i ? ",\n" : "\n") << "[null, " << json_text(code[i]) << ", " << json_text(name[i]) << ", "
      << stock[i] << ", " << price[i] << ", " << red[i] << ", " << low[i] << ", "
      << (until[i] == "0" ? "null" : "{\"date\": " + until[i] + "}") << "]";
  }
  j << "]}";
  return j.str();
}

// The expected reading; ORV_UPDATE_GOLDEN=1 writes the actual one instead (then review the diff).
std::string golden(const std::string& name, const std::string& actual) {
  if (std::getenv("ORV_UPDATE_GOLDEN")) files::write_all(kData + name, actual);
  return files::read_all(kData + name).value_or("<missing " + name + ">");
}

class ExportReadback : public testing::Test {
 protected:
  void SetUp() override {
    // Two promotions, a blocked article under its minimum, and colours wanted by the user.
    db.run("update artykul set promocja_do = 82198 where id_artykulu in (1, 5)");
    db.run("update artykul set zablokowany = 1, stan = 1 where id_artykulu = 3");
    db.run(
        "update interuzytkownikpozycja set wartosc = 'Tak' where id_uzytkownika = 7 and "
        "id_pozycji = 17");
    std::ofstream(list) << articles_json(db);
  }
  // Exports to `file` through the CLI and reads it back with the reader for its type.
  std::string exported(const std::string& file, const std::string& reader) {
    auto r = test::run_cli({"call", "--db", db.path(), "--json", "--ui-script",
                            "answer " + dir.file(file), "--answer", "yes", "EXPORTBROWSERTOEXCEL",
                            "@list:" + list, "1", "Artykuły"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"opened\": [" + test_quoted(dir.file(file)) + "]"), std::string::npos)
        << r.out;
    auto read = test::run_program(
        {"/usr/bin/python3", kData + "read_export.py", reader, dir.file(file), ";"});
    EXPECT_EQ(read.status, 0) << read.err;
    return read.out;
  }
  static std::string test_quoted(const std::string& s) { return "\"" + s + "\""; }

  test::DemoDb db;
  test::TempDir dir;
  std::string list = dir.file("articles.json");
};

TEST_F(ExportReadback, Xlsx) {
  std::string read = exported("art.xlsx", "xlsx");
  EXPECT_EQ(read, golden("articles_xlsx.txt", read));
}

TEST_F(ExportReadback, Xls) {
  std::string read = exported("art.xls", "xls");
  EXPECT_EQ(read, golden("articles_xls.txt", read));
}

TEST_F(ExportReadback, Csv) {
  std::string read = exported("art.csv", "csv");
  EXPECT_EQ(read, golden("articles_csv.txt", read));
  EXPECT_EQ(db.count("log_zdarzen where opis = 'Eksport do excela' and rodzaj_obiektu = "
                     "'Artykuły'"_w1250),
            1);
}

// XLS keeps colours in a palette of 56 slots: 60 distinct backgrounds (six coloured columns, ten
// rows) take the first 56 as they are, and the four after them the nearest of those (each one off
// the colour of an earlier cell).
TEST_F(ExportReadback, XlsPaletteTakesTheNearestBeyond56) {
  auto hex = [](int rgb) {
    char s[8];
    std::snprintf(s, sizeof s, "%06X", rgb);
    return std::string(s);
  };
  auto colour = [](int i) { return (i * 4) << 16 | (255 - i * 4) << 8 | 0x80; };
  const int kNear[] = {0, 10, 30, 55};  // cells 57-60 lie next to these
  std::ostringstream j;
  j << R"({"caption": "Kolory", "columns": [)";
  for (int k = 0; k < 6; ++k) {
    j << (k ? "," : "") << R"({"title": "K", "width": 40, "picture": "@n_6", "field": )"
      << 3 * k + 1 << R"(, "colours": true})";
  }
  j << R"(], "rows": [)";
  std::string expected =
      "sheet eksport z ORVEX (11 rows)\nb:s:K | b:s:K | b:s:K | b:s:K | b:s:K | b:s:K";
  for (int i = 0; i < 60; ++i) {
    const int near = i < 56 ? colour(i) : colour(kNear[i - 56]);
    j << (i % 6 ? ", "
          : i   ? "], ["
                : "[")
      << i << R"(, 0, {"colour": "#)" << hex(i < 56 ? near : near + 1) << R"("})";
    expected +=
        (i % 6 ? " | " : "\n") + ("n:" + std::to_string(i)) + ".0 bg=" + hex(near) + " f=#,##0";
  }
  j << "]]}";
  std::ofstream(list) << j.str();
  std::string read = exported("colours.xls", "xls");
  EXPECT_EQ(read.substr(0, read.find("\npage:")), expected);
}

// A list longer than one sheet holds goes on into a second sheet with its header again; the
// workbook is then large enough that its allocation table needs index sectors.
TEST_F(ExportReadback, LongXlsSpillsIntoSheets) {
  std::ostringstream j;
  j << R"({"caption": "Duża", "columns": [)";
  for (int k = 1; k <= 8; ++k) {
    j << (k > 1 ? "," : "") << R"({"title": "K)" << k
      << R"(", "width": 40, "picture": "@n-14_`2", "field": )" << k << "}";
  }
  // Texts fill the shared strings over many continuation records; the last is longer than a
  // cell keeps and spans records itself.
  j << R"(, {"title": "Nazwa", "width": 80, "picture": "@s40", "field": 9}], "rows": [)";
  for (int r = 0; r < 70000; ++r) {
    j << (r ? ",[" : "[");
    for (int k = 1; k <= 8; ++k) j << (k > 1 ? "," : "") << r * 10 + k;
    std::string name = r == 69999 ? std::string(5000, 'x') + "ż" : "Śruba nr " + std::to_string(r);
    j << ", \"" << name << "\"]";
  }
  j << "]}";
  std::ofstream(list) << j.str();
  std::string read = exported("big.xls", "xls");
  EXPECT_EQ(read, golden("long_xls.txt", read));
}

}  // namespace
}  // namespace orv
