// Date-range prompts: the range window and the three-item quick menu.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::dialogs {

// The drop list's 23 named ranges, in order; a range's position is its index + 1.
const std::vector<std::string>& range_names();
// The position of a range name (trailing blanks ignored), 0 when it is none of them.
int range_position(std::string_view name);

// What the range window shows.
struct RangeFields {
  std::string name;
  int32_t from = 0;  // day numbers; 0 = open
  int32_t to = 0;
  int32_t year = 0;  // the year field; 0 = none
  int32_t days = 0;  // the day count of "starsze niż"
  bool days_shown = false;
};

// Choosing drop-list entry `choice` (1..23) with `today` as the current day.
void choose_range(RangeFields& f, int choice, int32_t today);
// The year field changed: both dates move to `year` keeping day and month. An open date (0)
// stays open, and a year the dates cannot take (not 1801..9999) changes nothing.
bool move_to_year(RangeFields& f, int32_t year);

// "<name> (<from> - <to>)" with short dates; "pełny zakres" alone for the full range.
std::string range_description(std::string_view name, int32_t from, int32_t to);

// Caller mode when `name` holds a non-blank text: the choice goes only to the three references.
// Otherwise global mode: the _LOC copies of the shared context take it, and with save_global 1
// the shared range too, with the user parameters "ZakrWys", "Data_Od", "Data_Do", status-bar
// zone 5 and, when "OdswiezKartot" is "Tak", the refresh event to the open document windows.
// 1 when confirmed, 0 when closed otherwise.
uint8_t PYTAJOZAKRESDAT(std::optional<uint8_t> save_global = std::nullopt, int32_t* from = nullptr,
                        int32_t* to = nullptr, std::string* name = nullptr);

// The quick menu "bieżący dzień", "bieżący miesiąc", "bieżący rok": 2, 4 or 5, 0 when dismissed.
uint8_t PYTAJOZAKRES3DAT(int32_t* from = nullptr, int32_t* to = nullptr,
                         std::string* name = nullptr);

// The user event that asks an open window to read its data again.
inline constexpr int kRefreshEvent = 1034;

}  // namespace orv::dialogs
