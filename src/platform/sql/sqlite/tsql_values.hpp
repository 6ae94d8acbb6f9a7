// T-SQL value rules SQLite lacks: '+' over mixed types, CONVERT with the server's errors, LEN.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/sql/server_objects.hpp"

namespace orv::sql::sqlite {

// A statement-ending error in the server's wording ("Conversion failed when converting...").
struct TsqlError {
  std::string message;
};

// a + b: texts concatenate, numbers add, text and number convert the text to a number (or fail
// as the server does), NULL gives NULL. Throws TsqlError.
SqlValue tsql_add(const SqlValue& a, const SqlValue& b);

// CONVERT(type, value[, style]); `type` as written ("datetime", "varchar(10)", "numeric(15,2)").
// Dates come back as ISO texts; numbers as SQLite numbers. `scale`: the places of a decimal
// value (a number SQLite keeps as a REAL), which its text keeps: 1.50 as decimal(10,2) is
// "1.50". Throws TsqlError.
SqlValue tsql_convert(std::string_view type, const SqlValue& value, std::optional<int> style,
                      std::optional<int> scale = std::nullopt);

// A type CONVERT knows ("int", "nvarchar(10)"...); false for the ones it would refuse.
bool tsql_known_type(std::string_view type);

// The places of a decimal type ("numeric(15,2)" → 2, "money" → 4); nullopt for other types.
std::optional<int> tsql_decimal_scale(std::string_view type);

// LEN: characters without the trailing blanks; NULL stays NULL.
SqlValue tsql_len(const SqlValue& value);

// Number of characters of UTF-8 text.
std::size_t utf8_length(std::string_view s);

}  // namespace orv::sql::sqlite
