// The conditions of a filter's additional table, saved beside it as a companion filter.
#pragma once

#include <cstdint>

#include "platform/dict/group.hpp"
#include "platform/dict/tables.hpp"

namespace orv::selection {

// The record's ID_TABELI (an additional-table number), 0 when it has none.
int32_t additional_table_of(const dict::Group& record);

// A FILTRTABELQUEUE row as a record, its arrays whole (table number, name, 100 switches, 100
// texts of 100 and 100 of 20 characters, in that order), and back.
dict::Group filter_table_record(const dict::FiltrTabelRow& row);
dict::FiltrTabelRow filter_table_row(const dict::Group& record);

// The companion filter "FiltrExt<id>TabExt<table>": saves the FILTRTABELQUEUE row of `table`
// as its state for `owner` (nothing when there is no such row), or loads that state back into
// the row of `table` (replaced or added; nothing when none was saved).
void save_companion_filter(int32_t filter_id, int32_t table, double owner);
void load_companion_filter(int32_t filter_id, int32_t table, double owner);

}  // namespace orv::selection
