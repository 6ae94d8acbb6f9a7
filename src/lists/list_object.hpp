// A host's list as the export sees it: the columns of its list control and its rows of typed
// values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::lists {

// One field of a row. Dates are day numbers (the standard date); colours are runtime colour
// values (0x00BBGGRR) held as numbers.
struct Cell {
  enum class Kind { Empty, Text, Number, Date };
  Kind kind = Kind::Empty;
  std::string text;   // Windows-1250, for Text
  double number = 0;  // for Number and Date

  static Cell of_text(std::string t) { return {Kind::Text, std::move(t), 0}; }
  static Cell of_number(double v) { return {Kind::Number, {}, v}; }
  static Cell of_date(int32_t day) { return {Kind::Date, {}, static_cast<double>(day)}; }
  bool numeric() const { return kind == Kind::Number || kind == Kind::Date; }
};

// One column of the list control, in control order.
struct ListColumn {
  std::string title;    // header text, Windows-1250; empty = not exported
  int32_t width = 0;    // 0 = hidden, not exported
  std::string picture;  // the column's display picture as the control holds it ("@n-14_`2")
  int32_t field = 0;    // 1-based number of the row field that feeds the column
  // The row holds the foreground and the background colour right after the value field
  // (fields field + 1 and field + 2).
  bool colours = false;
};

using Row = std::vector<Cell>;  // fields by number: row[0] is field 1

// The list as one object: what a list window hands to the export button, what the C ABI and the
// CLI build from a host's description.
class ListObject {
 public:
  std::string caption;  // the window's caption, Windows-1250
  std::vector<ListColumn> columns;
  std::vector<Row> rows;  // the in-memory table, by position

  // The view's order of the rows (indexes into `rows`, from 0), when the list has a view.
  std::optional<std::vector<std::size_t>> view;

  // Rows in the order the list shows them: through the view when there is one.
  std::size_t row_count() const { return view ? view->size() : rows.size(); }
  // The n-th row shown (from 0); nullptr for a view index outside the table.
  const Row* shown_row(std::size_t n) const;

  // Field `field` (1-based) of a row; an empty cell when the row is shorter.
  static const Cell& field_of(const Row& row, int32_t field);
};

}  // namespace orv::lists
