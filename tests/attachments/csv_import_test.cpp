// The article import through the CLI, windows driven by script: good rows become articles,
// bad ones stay listed with their line and reason, refused files leave nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/text/cp1250.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::attachments {
namespace {

constexpr int kRows = 10000;
constexpr const char* kHeader =
    "INDEKS_KATALOGOWY;NAZWA;KATEGORIA;VAT_ZAKUPU;VAT_SPRZEDAZY;CENA_ZAKUPU_NETTO;PROMOCJA_OD;OPIS";

// Line numbers (the header is line 1) of the rows made bad, and how.
bool bad_line(int line) {
  return line % 1000 == 7;
}

std::string row(int line) {
  std::string n = std::to_string(line);
  std::string name = "M\xB3otek O'Brien \xAF\xF3\xB3w nr " + n;  // Młotek O'Brien Żółw
  if (!bad_line(line))
    return "IMP-" + n + ";" + name + ";Akcesoria;23;23;12,34;82198;\"opis \"\"" + n + "\"\"\"";
  switch ((line / 1000) % 3) {
    case 0:
      return "IMP-" + n + ";" + name + ";Akcesoria;23;23;12,3x;82198;opis";  // not a number
    case 1:
      return "IMP-" + n + ";" + name + ";Akcesoria";  // too few fields
    default:
      return "IMP-" + n + ";" + name + ";Akcesoria;23;23;1;82198,5;opis";  // a day not whole
  }
}

class CsvImport : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db.tsql()); }
  test::CliResult import(const std::string& file) {
    return test::run_cli({"call", "--db", db.path(), "--json", "--ui-script",
                          "press DODAJ; answer " + file +
                              "; answer ok; close; press PRZENIES; answer yes; answer ok; close",
                          "IMPORTCSV_BRW", "ARTYKUL"});
  }
  std::string untouched() {
    return db.value(
               "select group_concat(id_artykulu || nazwa || cena_zakupu_netto) from artykul "
               "where id_artykulu <= 10") +
           db.value("select count(*) from kontrahent") +
           db.value("select count(*) from zaznaczone");
  }
  test::DemoDb db;
  test::TempDir dir;
};

TEST_F(CsvImport, TenThousandRowsWithTenBad) {
  std::string text = std::string(kHeader) + "\r\n";
  for (int line = 2; line < kRows + 2; ++line) text += row(line) + "\r\n";
  std::ofstream(dir.file("art.csv"), std::ios::binary) << text;
  std::string before = untouched();
  int articles = db.count("artykul");

  test::CliResult r = import(dir.file("art.csv"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Wierszy odrzuconych: 10."), std::string::npos) << r.out.substr(0, 400);
  EXPECT_NE(r.out.find("wynosi 9990"), std::string::npos);
  EXPECT_EQ(db.count("artykul"), articles + 9990);
  EXPECT_EQ(untouched(), before);
  // The bad rows, listed with their line numbers and reasons, none of their values kept.
  std::vector<std::string> reasons = db.column(
      "select uwagi_imp || '|' || nazwa from artykul_imp where status = 3 order by id_rekordu");
  ASSERT_EQ(reasons.size(), 10u);
  EXPECT_EQ(reasons[0], "Wiersz 7: pole CENA_ZAKUPU_NETTO nie jest liczb\xB9: \"12,3x\".|");
  EXPECT_EQ(reasons[1], "Wiersz 1007: za ma\xB3o p\xF3l (3 z 8).|");
  EXPECT_EQ(reasons[2], "Wiersz 2007: pole PROMOCJA_OD nie jest liczb\xB9: \"82198,5\".|");
  // Restoring puts the moved rows back to waiting; the bad lines stay rejected.
  test::CliResult back =
      test::run_cli({"call", "--db", db.path(), "--ui-script",
                     "select LISTA 2; press PRZYWROC; close", "IMPORTCSV_BRW", "ARTYKUL"});
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(db.value("select group_concat(status || ':' || n) from (select status, count(*) n "
                     "from artykul_imp where id_bloba = (select max(id_bloba) from plik_blob) "
                     "group by status)"),
            "0:9990,3:10");
  // A good row arrives whole: apostrophe, Polish letters, decimal comma, doubled quotes.
  EXPECT_EQ(db.value("select nazwa || '|' || cena_zakupu_netto || '|' || opis || '|' || "
                     "promocja_od from artykul where indeks_katalogowy = 'IMP-9999'"),
            "M\xB3otek O'Brien \xAF\xF3\xB3w nr 9999|12.34|opis \"9999\"|82198");
}

struct Refused {
  const char* name;
  std::string bytes;  // "" with `sparse` > 0: a sparse file of that size
  uint64_t sparse;
  const char* message;  // UTF-8, as --json prints it
};
void PrintTo(const Refused& c, std::ostream* os) {
  *os << c.name;
}

const Refused kRefused[] = {
    // 1. Nothing in the file.
    {"Empty", "", 0, "Plik jest pusty (0 bajtów)."},
    // 2. 100 MB: refused before it is read.
    {"HundredMegabytes", "", 100u << 20, "Plik jest za duży do importu (100 MB, najwięcej 64 MB)."},
    // 3. Not Windows-1250.
    {"CodePage", "NAZWA\nx\x98y\n", 0,
     "Plik nie jest zapisany w stronie kodowej Windows-1250 (wiersz 2)."},
    // 4. A header of no known field.
    {"NoHeader", "a;b\n1;2\n", 0, "Pierwszy wiersz pliku nie zawiera nazw pól importu."},
};

class RefusedFiles : public CsvImport, public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedFiles, NothingStored) {
  const Refused& c = GetParam();
  std::string file = dir.file("f.csv");
  std::ofstream(file, std::ios::binary) << c.bytes;
  if (c.sparse) std::filesystem::resize_file(file, c.sparse);
  int files = db.count("plik_blob"), buffered = db.count("artykul_imp");
  test::CliResult r = test::run_cli({"call", "--db", db.path(), "--json", "--ui-script",
                                     "press DODAJ; answer " + file + "; answer ok; close",
                                     "IMPORTCSV_BRW", "ARTYKUL"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out.substr(0, 400);
  EXPECT_EQ(db.count("plik_blob"), files);
  EXPECT_EQ(db.count("artykul_imp"), buffered);
}
INSTANTIATE_TEST_SUITE_P(Cases, RefusedFiles, ::testing::ValuesIn(kRefused));

}  // namespace
}  // namespace orv::attachments
