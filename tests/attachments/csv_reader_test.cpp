// The import file reader: what each line becomes, and what refuses a whole file.
#include "attachments/csv_reader.hpp"

#include <gtest/gtest.h>

#include "platform/text/cp1250.hpp"

namespace orv::attachments {
namespace {

// The value of a field of a record, as text or plain number.
std::string value(const ImportRecord& r, std::string_view field) {
  const auto& f = import_fields();
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (field != f[i].name) continue;
    if (r.values.empty()) return "<none>";
    const sql::BoundValue& v = r.values[i];
    return v.number ? std::to_string(v.n).substr(0, std::to_string(v.n).find('.') + 3) : v.text;
  }
  return "<no field>";
}

struct LineCase {
  const char* name;
  const char* file;   // Windows-1250 bytes
  const char* field;  // of the first record
  const char* expected;
  const char* error;  // of the first record, "" = accepted
};
void PrintTo(const LineCase& c, std::ostream* os) {
  *os << c.name;
}

const LineCase kLines[] = {
    // 1. Fields by the header's names, any case and order; unknown names ignored.
    {"ByName", "indeks_katalogowy;XYZ;Nazwa\nA-1;zz;M\xB3otek\n", "NAZWA", "M\xB3otek", ""},
    // 2. A decimal comma and a decimal point both read; blanks inside ignored.
    {"DecimalComma", "NAZWA;CENA_ZAKUPU_NETTO\nx;1 234,56\n", "CENA_ZAKUPU_NETTO", "1234.56", ""},
    {"DecimalPoint", "NAZWA;WAGA\nx;0.25\n", "WAGA", "0.25", ""},
    // 3. An empty number is 0; a missing column stays empty.
    {"EmptyNumber", "NAZWA;WAGA\nx;\n", "WAGA", "0.00", ""},
    {"MissingColumn", "NAZWA\nx\n", "OPIS", "", ""},
    // 4. Quotes: the outer pair goes and doubled quotes become one; a lone opening quote stays.
    {"Quoted", "NAZWA;OPIS\nx;\"Stal \"\"nierdzewna\"\"\"\n", "OPIS", "Stal \"nierdzewna\"", ""},
    {"OpeningQuoteOnly", "NAZWA;OPIS\nx;\"abc\n", "OPIS", "\"abc", ""},
    // 5. A ";" inside quotes still ends the field.
    {"SemicolonInQuotes", "NAZWA;OPIS\n\"a;b\";c\n", "NAZWA", "\"a", ""},
    // 6. Apostrophes are data, kept as they are (the insert binds them).
    {"Apostrophe", "NAZWA\nO'Brien'; drop table artykul; --\n", "NAZWA", "O'Brien'", ""},
    // 7. The header ends at its first empty name: later columns are ignored.
    {"HeaderGap", "NAZWA;;OPIS\nx;y;z\n", "OPIS", "", ""},
    // 8. A CR LF line end is one line end.
    {"CrLf", "NAZWA\r\nabc\r\n", "NAZWA", "abc", ""},
    // 9. Rejected lines, each with its line number and why.
    {"NotANumber", "NAZWA;CENA_ZAKUPU_NETTO\n\nx;12a\n", "NAZWA", "<none>",
     "Wiersz 3: pole CENA_ZAKUPU_NETTO nie jest liczb\xB9: \"12a\"."},
    {"DayNotWhole", "NAZWA;PROMOCJA_OD\nx;82198,5\n", "NAZWA", "<none>",
     "Wiersz 2: pole PROMOCJA_OD nie jest liczb\xB9: \"82198,5\"."},
    {"TooFewFields", "NAZWA;INDEKS_KATALOGOWY;OPIS\nx;y\n", "NAZWA", "<none>",
     "Wiersz 2: za ma\xB3o p\xF3l (2 z 3)."},
};

class Lines : public ::testing::TestWithParam<LineCase> {};

TEST_P(Lines, FirstRecord) {
  const LineCase& c = GetParam();
  ImportFile f = read_import_file(c.file);
  ASSERT_EQ(f.error, "");
  ASSERT_FALSE(f.records.empty());
  EXPECT_EQ(f.records[0].error, c.error);
  EXPECT_EQ(value(f.records[0], c.field), c.expected);
  EXPECT_EQ(f.rejected, *c.error ? 1u : 0u);
}
INSTANTIATE_TEST_SUITE_P(Cases, Lines, ::testing::ValuesIn(kLines));

struct FileCase {
  const char* name;
  std::string bytes;
  const char* error;
};
void PrintTo(const FileCase& c, std::ostream* os) {
  *os << c.name;
}

const FileCase kFiles[] = {
    // 1. Nothing to read.
    {"Empty", "", "Plik jest pusty (0 bajt\xF3w)."},
    // 2. Bytes Windows-1250 does not define, or NUL: another code page; the line is named.
    {"Undefined", "NAZWA\nab\x81\n",
     "Plik nie jest zapisany w stronie kodowej Windows-1250 (wiersz 2)."},
    {"Nul", std::string("NAZWA\nx\0y\n", 10),
     "Plik nie jest zapisany w stronie kodowej Windows-1250 (wiersz 2)."},
    // 3. UTF-8 with its mark is converted; a character Windows-1250 lacks refuses it.
    {"Utf8Foreign", "\xEF\xBB\xBFNAZWA\n\xE2\x82\xAC\xF0\x9F\x98\x80\n",
     "Plik UTF-8 zawiera znaki spoza strony kodowej Windows-1250."},
    // 4. A header without one known name.
    {"NoHeader", "foo;bar\n1;2\n", "Pierwszy wiersz pliku nie zawiera nazw p\xF3l importu."},
    // 5. Over the size limit: refused before anything is read.
    {"TooLarge", std::string(kMaxImportBytes + 1, 'a'),
     "Plik jest za du\xBFy do importu (64 MB, najwi\xEA"
     "cej 64 MB)."},
};

class Files : public ::testing::TestWithParam<FileCase> {};

TEST_P(Files, RefusedWhole) {
  ImportFile f = read_import_file(GetParam().bytes);
  EXPECT_EQ(f.error, GetParam().error);
  EXPECT_TRUE(f.records.empty());
}
INSTANTIATE_TEST_SUITE_P(Cases, Files, ::testing::ValuesIn(kFiles));

TEST(ImportFile, Utf8WithMarkIsConvertedAndLongLinesRejected) {
  ImportFile f =
      read_import_file("\xEF\xBB\xBFNAZWA\nM\xC5\x82otek\n" + std::string(3001, 'x') + "\n");
  ASSERT_EQ(f.records.size(), 2u);
  EXPECT_EQ(value(f.records[0], "NAZWA"), "M\xB3otek");
  EXPECT_EQ(f.records[1].error, "Wiersz 3: wiersz d\xB3u\xBFszy ni\xBF 3000 znak\xF3w.");
}

}  // namespace
}  // namespace orv::attachments
