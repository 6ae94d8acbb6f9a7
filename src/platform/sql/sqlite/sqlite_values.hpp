// SqlValue to and from SQLite's values, bindings, columns and function results.
#pragma once

#include <sqlite3.h>

#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/sql/server_objects.hpp"
#include "platform/sql/sqlite/tsql_values.hpp"

namespace orv::sql::sqlite {

SqlValue read_value(sqlite3_value* v);
SqlValue column_value(sqlite3_stmt* st, int k);
std::vector<SqlValue> read_args(int argc, sqlite3_value** argv);
int bind_value(sqlite3_stmt* st, int index, const SqlValue& v);
void result_value(sqlite3_context* ctx, const SqlValue& v);

// Owns a connection handle; closes it (after every statement is finalized) when dropped.
struct DbCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

// Declared decimal places of a column type: NUMERIC(p,s)/DECIMAL(p,s) give s, NUMERIC(p) 0,
// MONEY 4; -1 when the type fixes none.
int declared_scale(const char* decltype_text);

// A decimal's places travel with its value as the value's subtype (CONVERT to decimal sets it):
// from one function straight into the next, and into the result row. SQLite keeps the number a
// REAL, which would lose 1.50's second place.
inline constexpr unsigned kScaleSubtype = 0xC0;  // + places (at most 38)
std::optional<int> carried_scale(sqlite3_value* v);

// Runs the body of a function SQLite calls: nothing may unwind into SQLite's C frames, so every
// failure becomes the statement's error (the server's own message for a TsqlError).
template <typename F>
void guarded(sqlite3_context* ctx, F&& body) noexcept {
  try {
    body();
  } catch (const TsqlError& e) {
    sqlite3_result_error(ctx, e.message.c_str(), -1);
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(ctx);
  } catch (const std::exception& e) {
    sqlite3_result_error(ctx, e.what(), -1);
  }
}

}  // namespace orv::sql::sqlite
