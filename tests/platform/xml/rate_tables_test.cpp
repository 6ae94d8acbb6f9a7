// Reading the banks' published rate tables: the samples are the server's import tests' own.
#include "platform/xml/rate_tables.hpp"

#include <gtest/gtest.h>

#include <string>

#include "support/support.hpp"

namespace orv::xml {
namespace {

std::string sample(const std::string& name) {
  return test::read_bytes(std::string(ORV_SOURCE_DIR) + "/tests/server/data/" + name);
}

// Well-formed but nested deeper than any stack would take a recursive walk.
std::string nested(int depth) {
  std::string open, close;
  for (int i = 0; i < depth; ++i) {
    open += "<a>";
    close += "</a>";
  }
  return open + close;
}

struct TableCase {
  const char* name;
  const char* file;
  bool ecb;
  const char* number;
  int year, month, day;
  std::size_t rates;
  const char* code;  // one rate checked
  double value;
  int units;
};

class PublishedTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(PublishedTable, IsReadWithItsDateNumberAndRates) {
  const TableCase& c = GetParam();
  xml::RateTable t;
  std::string error;
  std::string text = sample(c.file);
  ASSERT_TRUE(c.ecb ? xml::read_ecb_table(text, t, error) : xml::read_nbp_table(text, t, error))
      << error;
  EXPECT_EQ(t.number, c.number);
  EXPECT_EQ(t.year * 10000 + t.month * 100 + t.day, c.year * 10000 + c.month * 100 + c.day);
  EXPECT_EQ(t.rates.size(), c.rates);
  bool found = false;
  for (const auto& r : t.rates) {
    if (r.code != c.code) continue;
    found = true;
    EXPECT_DOUBLE_EQ(r.value, c.value);
    EXPECT_EQ(r.units, c.units);
  }
  EXPECT_TRUE(found) << c.code;
}

const TableCase kTables[] = {
    // 1 the web service's XML: mids per one unit, points
    {"NbpServiceXml", "nbp_a_service.xml", false, "003/A/NBP/2026", 2026, 1, 7, 5, "JPY", 0.023097,
     1},
    // 2 the older XML files: decimal commas, yen per 100
    {"NbpFileXml", "nbp_a_file.xml", false, "004/A/NBP/2026", 2026, 1, 8, 3, "JPY", 2.3125, 100},
    // 3 the web service's JSON
    {"NbpJson", "nbp_a.json", false, "005/A/NBP/2026", 2026, 1, 9, 2, "USD", 3.6222, 1},
    // 4 ECB's daily file quotes attributes with apostrophes
    {"EcbDaily", "ecb_daily.xml", true, "ECB 2026-01-05", 2026, 1, 5, 4, "PLN", 4.2180, 1},
    // 5 a history file: only its newest day is read
    {"EcbHistoryNewestDay", "ecb_history.xml", true, "ECB 2026-01-06", 2026, 1, 6, 2, "USD", 1.1702,
     1},
};

std::string table_name(const ::testing::TestParamInfo<TableCase>& i) {
  return i.param.name;
}
INSTANTIATE_TEST_SUITE_P(Banks, PublishedTable, ::testing::ValuesIn(kTables), table_name);

struct BadTable {
  const char* name;
  bool ecb;
  std::string text;
};

class UnreadableTable : public ::testing::TestWithParam<BadTable> {};

// Whatever comes instead of a table is refused with a message, never half-read or crashed on.
TEST_P(UnreadableTable, IsRefusedWithAMessage) {
  xml::RateTable t;
  std::string error;
  const BadTable& c = GetParam();
  EXPECT_FALSE(c.ecb ? xml::read_ecb_table(c.text, t, error)
                     : xml::read_nbp_table(c.text, t, error));
  EXPECT_FALSE(error.empty());
}

const BadTable kBadTables[] = {
    {"Empty", false, ""},
    {"ErrorAnswer", false, "01"},
    {"HtmlPage", false, "<html><body>404 Not Found</body></html>"},
    {"ImpossibleDate", false,
     "<tabela_kursow><data_publikacji>2026-02-30</data_publikacji><pozycja><przelicznik>1</"
     "przelicznik>"
     "<kod_waluty>USD</kod_waluty><kurs_sredni>3,6</kurs_sredni></pozycja></tabela_kursow>"},
    {"NoUsableRate", false,
     "<tabela_kursow><data_publikacji>2026-01-02</data_publikacji><pozycja><kod_waluty>USD</"
     "kod_waluty>"
     "<kurs_sredni>-3,6</kurs_sredni></pozycja><pozycja><kod_waluty>DOLAR</kod_waluty>"
     "<kurs_sredni>3,6</kurs_sredni></pozycja><pozycja><kod_waluty>EUR</kod_waluty>"
     "<kurs_sredni>4,2abc</kurs_sredni></pozycja></tabela_kursow>"},
    {"TruncatedXml", false, "<tabela_kursow><data_publikacji>2026-01-02</data_publi"},
    {"JsonWithoutRates", false, "[{\"table\":\"A\",\"effectiveDate\":\"2026-01-02\"}]"},
    {"EcbWithoutDay", true, "<Envelope><Cube><Cube currency='USD' rate='1.1'/></Cube></Envelope>"},
    {"EcbNotXml", true, "USD 1.17"},
    {"DeeplyNested", false, nested(200000)},
};

std::string bad_name(const ::testing::TestParamInfo<BadTable>& i) {
  return i.param.name;
}
INSTANTIATE_TEST_SUITE_P(Banks, UnreadableTable, ::testing::ValuesIn(kBadTables), bad_name);

struct DayCase {
  const char* name;
  std::string file;
  const char* day;
  int rates;  // read back from the day's document; -1: no document
  const char* oldest;
};

class EcbDay : public ::testing::TestWithParam<DayCase> {};

// A day out of a history is a daily file of that day; what could break its apostrophes is left out.
TEST_P(EcbDay, IsADailyFileOfThatDay) {
  const DayCase& c = GetParam();
  std::string oldest;
  std::optional<std::string> doc = ecb_day(c.file, c.day, oldest);
  EXPECT_EQ(oldest, c.oldest);
  ASSERT_EQ(doc.has_value(), c.rates >= 0);
  if (!doc) return;
  RateTable t;
  std::string error;
  ASSERT_TRUE(read_ecb_table(*doc, t, error)) << error << *doc;
  EXPECT_EQ(t.number, std::string("ECB ") + c.day);
  EXPECT_EQ(static_cast<int>(t.rates.size()), c.rates);
}

const DayCase kDays[] = {
    // 1 the newer day of the history
    {"Newest", sample("ecb_history.xml"), "2026-01-06", 2, "2026-01-05"},
    // 2 the older one
    {"Older", sample("ecb_history.xml"), "2026-01-05", 3, "2026-01-05"},
    // 3 a day the file covers but the bank did not publish
    {"Missing", sample("ecb_history.xml"), "2026-01-04", -1, "2026-01-05"},
    // 4 the daily file itself
    {"Daily", sample("ecb_daily.xml"), "2026-01-05", 4, "2026-01-05"},
    // 5 values that would close the apostrophes are dropped
    {"Hostile",
     "<Cube><Cube time='2026-01-05'><Cube currency=\"US'D\" rate='1'/><Cube currency='USD' "
     "rate=\"1.1' or '1\"/><Cube currency='GBP' rate='0.86'/></Cube></Cube>",
     "2026-01-05", 1, "2026-01-05"},
    // 6 a day that is no date is never looked for
    {"NotADate", sample("ecb_history.xml"), "2026-01-0'", -1, ""},
};

std::string day_name(const ::testing::TestParamInfo<DayCase>& i) {
  return i.param.name;
}
INSTANTIATE_TEST_SUITE_P(Ecb, EcbDay, ::testing::ValuesIn(kDays), day_name);

}  // namespace
}  // namespace orv::xml
