// Helpers of the SQLite backend tests: temporary databases, one-value queries, test objects.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <mutex>
#include <string>

#include "platform/sql/server_objects.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "support/support.hpp"

namespace orv::test {

struct DbClose {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbHandle = std::unique_ptr<sqlite3, DbClose>;

// A connection with everything registered, as the driver opens it.
inline DbHandle open_backend_db(const std::string& path) {
  std::string error;
  DbHandle db(sql::sqlite::open_database(path, {}, nullptr, error));
  if (!db) throw std::runtime_error(error);
  return db;
}

// A plain connection: SQLite's own functions, nothing of ours.
inline DbHandle open_plain_db(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  return DbHandle(db);
}

// Column 1 of the first row as text: "NULL", "(no row)" or "ERROR: <message>".
inline std::string scalar(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    return std::string("ERROR: ") + sqlite3_errmsg(db);
  }
  std::string out = "(no row)";
  int rc = sqlite3_step(st);
  if (rc == SQLITE_ROW) {
    auto* p = sqlite3_column_text(st, 0);
    out = p ? reinterpret_cast<const char*>(p) : "NULL";
  } else if (rc != SQLITE_DONE) {
    out = std::string("ERROR: ") + sqlite3_errmsg(db);
  }
  sqlite3_finalize(st);
  return out;
}

inline void exec_or_throw(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : "?";
    sqlite3_free(error);
    throw std::runtime_error(message + " in " + sql);
  }
}

inline const char* type_name(const sql::SqlValue& v) {
  switch (v.type) {
    case sql::SqlValue::Type::Integer:
      return "integer";
    case sql::SqlValue::Type::Real:
      return "real";
    case sql::SqlValue::Type::Text:
      return "text";
    case sql::SqlValue::Type::Blob:
      return "blob";
    default:
      return "null";
  }
}

// Server objects of the tests, registered once per process before any connection opens:
//   orv_test_echo(args...)   rows: one row of its arguments and their types; return code args[0]+1
//   orv_test_fail()          raises "Klient nie istnieje"
//   orv_test_insert(n)       inserts n into t_log through the session; returns the rows changed
//   orv_test_tsql(sql)       runs T-SQL through query_tsql, returns its rows
//   orv_test_double(x)       scalar: x * 2, computed by a query on the same connection
//   orv_test_range(n)        table: rows k = 1..n with label 'k<k>'
//   orv_test_address(id, day, kind)  table: the adres_pracownika row of that employee and kind
//                            with the latest data_od <= day

inline void register_test_objects() {
  static std::once_flag once;
  std::call_once(once, [] {
    using namespace sql;
    auto& r = server_objects();
    r.add_procedure("orv_test_echo", [](Session&, const std::vector<SqlValue>& args) {
      ProcedureResult out;
      std::vector<SqlValue> row;
      for (std::size_t i = 0; i < args.size(); ++i) {
        out.rows.columns.push_back("a" + std::to_string(i));
        out.rows.columns.push_back("t" + std::to_string(i));
        row.push_back(args[i]);
        row.push_back(SqlValue::of(std::string(type_name(args[i]))));
      }
      out.rows.rows.push_back(row);
      out.return_code = args.empty() ? 0 : static_cast<int>(args[0].as_integer()) + 1;
      return out;
    });
    r.add_procedure("orv_test_fail", [](Session&, const std::vector<SqlValue>&) -> ProcedureResult {
      throw ServerError{"Klient nie istnieje"};
    });
    r.add_procedure("orv_test_insert", [](Session& s, const std::vector<SqlValue>& args) {
      ProcedureResult out;
      out.return_code = static_cast<int>(s.exec("insert into t_log values (?)", {args.at(0)}));
      return out;
    });
    r.add_procedure("orv_test_tsql", [](Session& s, const std::vector<SqlValue>& args) {
      ProcedureResult out;
      out.rows = s.query_tsql(args.at(0).as_text());
      return out;
    });
    r.add_scalar("orv_test_double", 1, [](Session& s, const std::vector<SqlValue>& args) {
      return s.query("select ? * 2", {args[0]}).rows.at(0).at(0);
    });
    r.add_table("orv_test_range", {"k", "label"}, 1,
                [](Session&, const std::vector<SqlValue>& args) {
                  Rows rows;
                  rows.columns = {"k", "label"};
                  for (int64_t k = 1; k <= args[0].as_integer(); ++k) {
                    rows.rows.push_back({SqlValue::of(k), SqlValue::of("k" + std::to_string(k))});
                  }
                  return rows;
                });
    r.add_table("orv_test_address",
                {"ulica", "nr_domu", "nr_lokalu", "kod_pocztowy", "miejscowosc"}, 3,
                [](Session& s, const std::vector<SqlValue>& args) {
                  return s.query(
                      "select ulica, nr_domu, nr_lokalu, kod_pocztowy, miejscowosc from "
                      "adres_pracownika where id_pracownika=? and data_od<=? and typ=? "
                      "order by data_od desc limit 1",
                      args);
                });
  });
}

}  // namespace orv::test
