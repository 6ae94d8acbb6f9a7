// What each exported cell becomes in CSV, XLS and XLSX: the columns taken and the picture rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_object.hpp"
#include "platform/picture/picture.hpp"

namespace orv::lists {

// One exported column with its picture read once.
struct ExportColumn {
  const ListColumn* source = nullptr;
  std::string picture;           // upper-cased, as the tests of the picture read it
  bool row_number = false;       // header "Lp": the running row number instead of a field
  bool as_text = false;          // "@S"
  bool as_date = false;          // "@D"
  bool short_date = false;       // "D17"
  int grave_places = 0;          // a grave accent followed by 4, 3 or 2
  int places = 0;                // decimals of the number the column shows
  picture::Picture csv_picture;  // what numbers go through in CSV
};

// The columns of the list that are exported, in control order: width above 0, header not empty.
std::vector<ExportColumn> export_columns(const ListObject& list);

// The value of column `c` in the `n`-th row shown (from 1).
const Cell& value_of(const ExportColumn& c, const Row& row, std::size_t n, Cell& scratch);

// CSV: the field's text before quoting (a double quote becomes a grave accent later).
std::string csv_text(const ExportColumn& c, const Cell& v);

// A spreadsheet cell: text, number (with its decimals) or date (an Excel serial).
struct SheetCell {
  enum class Kind { Empty, Text, Number, Date };
  Kind kind = Kind::Empty;
  std::string text;  // Windows-1250
  double number = 0;
  int places = 0;
};
SheetCell sheet_cell(const ExportColumn& c, const Cell& v);

// The 1900-based serial Excel keeps dates as, for a day number (Excel counts a 29 February 1900
// that never was, so serials from 1 March 1900 run one ahead).
double excel_serial(int32_t day_number);

// "#,##0" with the decimals after a point; whole numbers take no point.
std::string number_format(int places);

// A runtime colour (0x00BBGGRR) as the RRGGBB text spreadsheets use.
std::string rgb_hex(int32_t colour);

}  // namespace orv::lists
