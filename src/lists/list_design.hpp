// What a list window shows: the rows of one statement, its columns, sort keys and buttons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orv::lists {

// One field of the list's record: the name the record buffer and the export know it by, the
// SQL expression that reads it, and whether it is a number (sorted and compared as one).
struct ListField {
  std::string name;
  std::string expr;
  bool number = false;
};

// One column of the list control. A column with icons shows, for each field value, the icon
// the table gives (the first pair whose value matches), or nothing.
struct ListColumnDesign {
  std::string title;
  int width = 0;
  std::size_t field = 0;  // index into ListDesign::fields
  std::string picture;    // display picture of a number or date field, empty = as read
  std::vector<std::pair<std::string, std::string>> icons;  // value → icon file
  bool hidden = false;
};

inline ListColumnDesign column(std::string title, int width, std::size_t field,
                               std::string picture = {}) {
  ListColumnDesign c;
  c.title = std::move(title);
  c.width = width;
  c.field = field;
  c.picture = std::move(picture);
  return c;
}

// A sort order: the field whose value orders the rows (the record's id breaks ties) and the
// caption the order is chosen by.
struct SortKey {
  std::string caption;
  std::size_t field = 0;
};

enum ListButtons : unsigned {
  kInsert = 1,
  kChange = 2,
  kDelete = 4,
  kSelect = 8,
  kExport = 16,
  kUpdates = kInsert | kChange | kDelete,
  kAllButtons = kUpdates | kSelect | kExport,
};

struct ListDesign {
  std::string name;    // the window's fixed name: INI section, window registry
  std::string title;   // Windows-1250
  std::string record;  // the row buffer the chosen row is left in ("ORV_LISTA_OBIEKTOW")
  std::string help_topic;
  // fields[0] is the record's unique numeric id.
  std::vector<ListField> fields;
  std::string from;   // "ORV_DEFINICJA_FILTRA a with (nolock)"
  std::string where;  // the list's filter, SQL as the window builds it; empty = every row
  std::vector<ListColumnDesign> columns;
  std::vector<SortKey> sorts;  // at least one; the first is the order the list opens in
  unsigned buttons = kAllButtons;
  int page_rows = 20;  // rows the list shows at a time, and reads at a time
};

// One row as read: the id and the value of every field, as text.
struct ListRow {
  double id = 0;
  std::vector<std::string> values;
};

}  // namespace orv::lists
