// The server's string, number and misc functions SQLite lacks or defines otherwise.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/sql/server_objects.hpp"

struct sqlite3;

namespace orv::sql::sqlite {

// datalength, reverse, str, patindex, isdate, stuff, quotename, newid, ascii, nchar, square,
// concat, substring (starts below 1 as the server counts), log (natural; with a base), rand,
// format (numbers .NET-style N/F/D/P/#,0.00; dates yyyy-MM-dd...), tsql_divisor, tsql_int,
// tsql_bigint, tsql_store.
void register_tsql_functions(sqlite3* db);

// The pure rules behind them (UTF-8 texts, 1-based positions as the server has them); each
// throws TsqlError where the server raises an error.
SqlValue tsql_substring(const SqlValue& s, const SqlValue& start, const SqlValue& length);
SqlValue tsql_str(const SqlValue& value, int64_t length, int64_t decimals);
SqlValue tsql_stuff(const SqlValue& s, const SqlValue& start, const SqlValue& length,
                    const SqlValue& insert);
SqlValue tsql_format(const SqlValue& value, std::string_view format, std::string_view culture);
// `v` with `places` decimals, halves away from zero as the server rounds; no exponent.
std::string fixed_text(double v, int places);
// The divisor of '/' and '%', refused when it is zero ("Divide by zero error encountered.").
SqlValue tsql_divisor(const SqlValue& v);
// The result of int (`bigint`) arithmetic, refused past the type's range ("Arithmetic overflow
// error converting expression to data type int."). SQLite gives a REAL past 64 bits.
SqlValue tsql_checked_integer(const SqlValue& v, bool bigint);
// A value stored into a column of integer `type` ("int", "smallint", "tinyint", "bigint"): a number
// outside the type's range is refused as the server refuses it; anything else passes unchanged
// (the column's affinity reads texts as SQLite always did).
SqlValue tsql_stored_integer(std::string_view type, const SqlValue& v);

}  // namespace orv::sql::sqlite
