// The global in-memory tables by table and field name, for hosts that fill and read them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv::host {

// Tables are named as the data-dictionary library names them ("VATQ", "GLO:KOL_KLASYFIKATOROW";
// the "GLO:" prefix and case do not matter); fields by their names in upper case ("SYMBOL").
// Rows are 1-based. Every value crosses as text: numbers in the runtime's plain form.

// Rows of the table, nullopt for an unknown table.
std::optional<std::size_t> table_rows(std::string_view table);
bool clear_table(std::string_view table);
// Appends a row with every field zero or empty; its position, 0 for an unknown table.
std::size_t add_table_row(std::string_view table);
bool delete_table_row(std::string_view table, std::size_t row);
// False (nothing changed) for an unknown table, row or field, or a number that does not read
// as one or does not fit the field. Texts are cut to the field's capacity.
bool set_table_field(std::string_view table, std::size_t row, std::string_view field,
                     std::string_view value);
std::optional<std::string> table_field(std::string_view table, std::size_t row,
                                       std::string_view field);
// Names of the tables and of a table's fields, in order; empty past the end.
std::string table_name(std::size_t index);
std::string table_field_name(std::string_view table, std::size_t index);

}  // namespace orv::host
