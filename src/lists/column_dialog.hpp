// The column configuration dialog (KONFIGURACJA_KOLUMN): order, visibility and locked columns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::lists {

// One row of the dialog: a column of the list being configured.
struct DialogColumn {
  std::string caption;
  std::string format;
  int32_t position = 0;
  int32_t width = 0;
  int32_t default_width = 0;
  int32_t number = 0;
  double window_id = 0;
  double column_id = 0;
  uint8_t additional = 0;
  bool visible = false;
  bool locked = false;
};

using DialogColumns = std::vector<DialogColumn>;

// The dialog's commands on its rows, apart from the window. Rows are 1-based as the list shows
// them; a row outside the list changes nothing. Moves return the row's new number, which the
// selection follows.
int move_up(DialogColumns& rows, int row);
int move_to_top(DialogColumns& rows, int row);
int move_down(DialogColumns& rows, int row);
int move_to_bottom(DialogColumns& rows, int row);
void show_column(DialogColumns& rows, int row);  // width = default width
void hide_column(DialogColumns& rows, int row);  // width 0
void toggle_visible(DialogColumns& rows, int row);
// Locks rows 1..row; unlocks rows from the last up to row.
void lock_through(DialogColumns& rows, int row);
void unlock_from(DialogColumns& rows, int row);
void toggle_lock(DialogColumns& rows, int row);

// Locked rows must form a block from the top. 0 when they do; otherwise N, the number of the
// lowest locked row, for the warning that rows 1 to N must all be locked.
int broken_lock_block(const DialogColumns& rows);

// The dialog's rows for a window from INI_KOL_BRO: configurable columns (numbers first..last)
// that are not hidden from everyone and whose numbers `allowed` holds, in position order.
DialogColumns rows_for_dialog(std::string_view window, int32_t first, int32_t last,
                              const std::vector<int32_t>& allowed);

// Stores the rows into INI_KOL_BRO under the column section: positions in dialog order, formats,
// default widths and widths (0 when hidden); hidden columns of the configurable range follow the
// locked block. A column the dialog does not show keeps its position unless a shown one now
// takes it; then it moves past the window's last position.
void write_back(std::string_view window, const DialogColumns& rows, int32_t first, int32_t last);

// The dialog's title for a window name; other names keep the window's own caption.
std::string dialog_title(std::string_view window);

// Runs the dialog; 1 after "Zapisz", 0 after "Anuluj" or when the window has no column range.
uint8_t KONFIGURACJA_KOLUMN(std::string_view window);

}  // namespace orv::lists
