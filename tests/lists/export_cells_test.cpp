// The picture rules of the list export: what each value becomes in CSV and in a spreadsheet.
#include "lists/export_cells.hpp"

#include <gtest/gtest.h>

#include "lists/list_export.hpp"
#include "platform/date/date.hpp"

namespace orv::lists {
namespace {

struct CsvCase {
  int n;
  const char* purpose;
  const char* picture;
  Cell value;
  const char* expected;
};

// Numbers and dates through the column's picture; texts with a decimal comma re-read.
TEST(ExportCells, CsvText) {
  const CsvCase cases[] = {
      {1, "default N-16 rounds to whole, comma groups", "@n-14", Cell::of_number(1234.5), "1,235"},
      {2, "grave 4 decimals", "@n-14_`4", Cell::of_number(1234.5), "1 234,5000"},
      {3, "grave 2 decimals, negative", "@n-14_`2", Cell::of_number(-1234.5), "-1 234,50"},
      {4, "picture is upper-cased before the D17 test", "@d17", Cell::of_date(78286), "01.05.2015"},
      {5, "@S keeps the number's own text", "@s20", Cell::of_number(12.5), "12.5"},
      {6, "another date layout shows as the list shows it", "@d6-", Cell::of_date(78286),
       "1-05-2015"},
      {7, "a date under a number picture is still a date", "@n-14", Cell::of_date(78286),
       "01.05.2015"},
      {8, "text with a comma and 2 decimals becomes a number", "@s20", Cell::of_text("+1 234,5"),
       "+1 234,5"},
      {9, "text with a comma and 2 decimals, plus and blanks dropped", "@s20",
       Cell::of_text("+1 234,50"), "1 234,50"},
      {10, "text with a comma and 4 decimals", "@s20", Cell::of_text("12,3456"), "12,3456"},
      {11, "text whose parts are not numbers stays", "@s20", Cell::of_text("ab,cd"), "ab,cd"},
      {12, "plain text stays", "@s20", Cell::of_text("Wiertarka"), "Wiertarka"},
      {13, "an empty field is empty", "@n-14", Cell{}, ""},
  };
  for (const auto& c : cases) {
    ListColumn col{"X", 10, c.picture, 1, false};
    ExportColumn e = export_columns(ListObject{"", {col}, {}, std::nullopt})[0];
    EXPECT_EQ(csv_text(e, c.value), c.expected) << c.n << ": " << c.purpose;
  }
}

struct SheetCase {
  int n;
  const char* purpose;
  const char* picture;
  Cell value;
  SheetCell::Kind kind;
  double number;
  int places;
};

TEST(ExportCells, SheetCells) {
  using K = SheetCell::Kind;
  const SheetCase cases[] = {
      {1, "whole number", "@n-14", Cell::of_number(1234.5), K::Number, 1234.5, 0},
      {2, "grave 2 decimals", "@n-14_`2", Cell::of_number(3.25), K::Number, 3.25, 2},
      {3, "period picture keeps its places", "@n-14.3", Cell::of_number(3.25), K::Number, 3.25, 3},
      {4, "a date is a date serial", "@d17", Cell::of_date(78286), K::Date, 42125, 0},
      {5, "a day number under @D is a date", "@d6-", Cell::of_number(78286), K::Date, 42125, 0},
      {6, "a date of 0 is no date", "@d17", Cell::of_date(0), K::Empty, 0, 0},
      {7, "@S writes a number as text", "@s10", Cell::of_number(7), K::Text, 0, 0},
      {8, "text stays text", "@n-14", Cell::of_text("12"), K::Text, 0, 0},
  };
  for (const auto& c : cases) {
    ListColumn col{"X", 10, c.picture, 1, false};
    ExportColumn e = export_columns(ListObject{"", {col}, {}, std::nullopt})[0];
    SheetCell s = sheet_cell(e, c.value);
    EXPECT_EQ(s.kind, c.kind) << c.n << ": " << c.purpose;
    EXPECT_EQ(s.number, c.number) << c.n << ": " << c.purpose;
    EXPECT_EQ(s.places, c.places) << c.n << ": " << c.purpose;
  }
}

// Serials on both sides of the 29 February 1900 that spreadsheets count; colours turned from
// the runtime's 0x00BBGGRR into RRGGBB; whole numbers without a trailing point.
TEST(ExportCells, SerialsColoursAndFormats) {
  EXPECT_EQ(excel_serial(date::make(1, 1, 1900)), 1);
  EXPECT_EQ(excel_serial(date::make(2, 28, 1900)), 59);
  EXPECT_EQ(excel_serial(date::make(3, 1, 1900)), 61);
  EXPECT_EQ(rgb_hex(0x0000FF), "FF0000");  // the runtime's red stays red
  EXPECT_EQ(rgb_hex(0xFF8000), "0080FF");
  EXPECT_EQ(number_format(0), "#,##0");
  EXPECT_EQ(number_format(2), "#,##0.00");
}

// Hidden columns and columns without a header are not exported; "Lp" numbers the rows.
TEST(ExportCells, ColumnsTakenAndRowNumbers) {
  ListObject list{"",
                  {{"Lp", 10, "@n_6", 1, false},
                   {"Hidden", 0, "@s5", 2, false},
                   {"  ", 10, "@s5", 2, false},
                   {"Kod", 10, "@s5", 2, false}},
                  {{Cell::of_number(99), Cell::of_text("A")}},
                  std::nullopt};
  auto columns = export_columns(list);
  ASSERT_EQ(columns.size(), 2u);
  Cell scratch;
  EXPECT_EQ(csv_text(columns[0], value_of(columns[0], list.rows[0], 7, scratch)), "7");
  EXPECT_EQ(csv_text(columns[1], value_of(columns[1], list.rows[0], 7, scratch)), "A");
}

struct TypeCase {
  int n;
  const char* chosen;
  ExportType type;
  const char* written;
};

TEST(ExportCells, FileTypeAndDialogFilter) {
  const TypeCase cases[] = {
      {1, "a.CSV", ExportType::Csv, "a.CSV"},    {2, "a.Xls", ExportType::Xls, "a.Xls"},
      {3, "a.xlsx", ExportType::Xlsx, "a.xlsx"}, {4, "a.txt", ExportType::Csv, "a.txt.csv"},
      {5, "x", ExportType::Csv, "x.csv"},
  };
  for (const auto& c : cases) {
    std::string name = c.chosen;
    EXPECT_EQ(export_type(name), c.type) << c.n;
    EXPECT_EQ(name, c.written) << c.n;
  }
  EXPECT_EQ(export_filter("XLS"), "XLS|*.xls|XLSX|*.xlsx|CSV|*.csv");
  EXPECT_EQ(export_filter("csv"), "CSV|*.csv|XLS|*.xls|XLSX|*.xlsx");
  EXPECT_EQ(export_filter("other"), "XLSX|*.xlsx|XLS|*.xls|CSV|*.csv");
}

}  // namespace
}  // namespace orv::lists
