// Test support for the server objects: a fresh database file made by create_database, reached
// through a Session over a raw sqlite3 connection, and calls through server_objects().
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/sql/server_objects.hpp"
#include "platform/text/text.hpp"
#include "server/server.hpp"
#include "support/support.hpp"

namespace orv::test {

using sql::ProcedureResult;
using sql::Rows;
using sql::ServerError;
using sql::SqlValue;

// The server's text comparison, enough for tests: case-insensitive, trailing blanks ignored.
inline int compare_ci(void*, int la, const void* a, int lb, const void* b) {
  auto fold = [](const void* p, int n) {
    return text::upper(
        text::from_utf8(text::clip(std::string_view(static_cast<const char*>(p), std::size_t(n)))));
  };
  int c = fold(a, la).compare(fold(b, lb));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// Short names for the arguments of procedure calls, which the tests write by the dozen.
inline SqlValue I(int64_t v) {
  return SqlValue::of(v);
}
inline SqlValue T(std::string v) {
  return SqlValue::of(std::move(v));
}

inline SqlValue value_of(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      return SqlValue::of(int64_t{sqlite3_value_int64(v)});
    case SQLITE_FLOAT:
      return SqlValue::of(sqlite3_value_double(v));
    case SQLITE_NULL:
      return SqlValue::null();
    case SQLITE_BLOB: {
      SqlValue b{SqlValue::Type::Blob, 0, 0, {}};
      b.text.assign(static_cast<const char*>(sqlite3_value_blob(v)),
                    std::size_t(sqlite3_value_bytes(v)));
      return b;
    }
    default:
      return SqlValue::of(std::string(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                                      std::size_t(sqlite3_value_bytes(v))));
  }
}

class ServerDb : public sql::Session {
 public:
  // A copy of a database made once per test process by create_database: each test gets its own
  // file without paying for the scripts again.
  explicit ServerDb(bool demo = true) : path_(dir_.file("test.db")) {
    std::filesystem::copy_file(made_once(demo), path_);
    db_ = open(path_);
    register_scalars();
  }

  static const std::string& made_once(bool demo) {
    static TempDir dir;
    static const std::string paths[2] = {make(dir.file("schema.db"), false),
                                         make(dir.file("demo.db"), true)};
    return paths[demo ? 1 : 0];
  }
  static std::string make(const std::string& path, bool demo) {
    std::string error;
    if (!server::create_database(path, demo, error)) throw std::runtime_error(error);
    return path;
  }
  ~ServerDb() override { sqlite3_close_v2(db_); }

  const std::string& path() const { return path_; }
  sqlite3* handle() { return db_; }

  // A connection with what the schema needs: the collation, WAL and a busy timeout.
  static sqlite3* open(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      throw std::runtime_error("cannot open " + path);
    }
    sqlite3_create_collation_v2(db, "PL_CI_AS", SQLITE_UTF8, nullptr, compare_ci, nullptr);
    sqlite3_busy_timeout(db, 10000);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr,
                 nullptr);
    return db;
  }

  Rows query(std::string_view sql, const std::vector<SqlValue>& params = {}) override {
    return run(db_, sql, params);
  }
  int64_t exec(std::string_view sql, const std::vector<SqlValue>& params = {}) override {
    run(db_, sql, params);
    return sqlite3_changes(db_);
  }
  // The fragments the server objects build are plain SQLite already.
  Rows query_tsql(std::string_view tsql) override { return run(db_, tsql, {}); }
  int64_t last_insert_id() override { return sqlite3_last_insert_rowid(db_); }

  static Rows run(sqlite3* db, std::string_view sql, const std::vector<SqlValue>& params) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &st, nullptr) != SQLITE_OK) {
      throw ServerError{sqlite3_errmsg(db)};
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(st, sqlite3_finalize);
    for (std::size_t i = 0; i < params.size(); ++i) bind(st, int(i + 1), params[i]);
    Rows rows;
    for (int c = 0; c < sqlite3_column_count(st); ++c)
      rows.columns.push_back(sqlite3_column_name(st, c));
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
      std::vector<SqlValue> row;
      row.reserve(std::size_t(sqlite3_column_count(st)));
      for (int c = 0; c < sqlite3_column_count(st); ++c)
        row.push_back(value_of(sqlite3_column_value(st, c)));
      rows.rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) throw ServerError{sqlite3_errmsg(db)};
    return rows;
  }

  // Calls through the registry, as the backend does.
  ProcedureResult call(std::string_view name, const std::vector<SqlValue>& args) {
    const sql::ServerProcedure* p = sql::server_objects().procedure(name);
    if (!p) throw std::runtime_error("no procedure " + std::string(name));
    return (*p)(*this, args);
  }
  SqlValue scalar(std::string_view name, const std::vector<SqlValue>& args) {
    return find_scalar(name).fn(*this, args);
  }
  Rows table(std::string_view name, const std::vector<SqlValue>& args) {
    for (const auto& t : sql::server_objects().tables()) {
      if (text::equal_ci(t.name, name)) return t.fn(*this, args);
    }
    throw std::runtime_error("no table function " + std::string(name));
  }

  // First column of the first row: as a number, as text.
  double number(std::string_view sql, const std::vector<SqlValue>& params = {}) {
    Rows r = query(sql, params);
    return r.rows.empty() ? 0 : r.rows[0][0].as_real();
  }
  std::string text(std::string_view sql, const std::vector<SqlValue>& params = {}) {
    Rows r = query(sql, params);
    return r.rows.empty() ? std::string() : r.rows[0][0].as_text();
  }

 private:
  static void bind(sqlite3_stmt* st, int i, const SqlValue& v) {
    switch (v.type) {
      case SqlValue::Type::Null:
        sqlite3_bind_null(st, i);
        break;
      case SqlValue::Type::Integer:
        sqlite3_bind_int64(st, i, v.integer);
        break;
      case SqlValue::Type::Real:
        sqlite3_bind_double(st, i, v.real);
        break;
      case SqlValue::Type::Text:
        sqlite3_bind_text(st, i, v.text.data(), int(v.text.size()), SQLITE_TRANSIENT);
        break;
      case SqlValue::Type::Blob:
        sqlite3_bind_blob(st, i, v.text.data(), int(v.text.size()), SQLITE_TRANSIENT);
        break;
    }
  }

  const sql::ScalarEntry& find_scalar(std::string_view name) {
    for (const auto& s : scalars_) {
      if (text::equal_ci(s.name, name)) return s;
    }
    throw std::runtime_error("no scalar " + std::string(name));
  }

  // Server scalar functions become SQL functions of this connection, so that statements of the
  // library that call them run in tests.
  struct Binding {
    ServerDb* self;
    sql::ScalarEntry entry;
  };
  void register_scalars() {
    scalars_ = sql::server_objects().scalars();
    for (const auto& s : scalars_) {
      bindings_.push_back(std::make_unique<Binding>(Binding{this, s}));
      sqlite3_create_function_v2(db_, s.name.c_str(), s.args, SQLITE_UTF8, bindings_.back().get(),
                                 &ServerDb::call_scalar, nullptr, nullptr, nullptr);
    }
  }
  static void call_scalar(sqlite3_context* ctx, int n, sqlite3_value** argv) {
    auto* b = static_cast<Binding*>(sqlite3_user_data(ctx));
    std::vector<SqlValue> args;
    args.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) args.push_back(value_of(argv[i]));
    try {
      SqlValue r = b->entry.fn(*b->self, args);
      switch (r.type) {
        case SqlValue::Type::Integer:
          sqlite3_result_int64(ctx, r.integer);
          break;
        case SqlValue::Type::Real:
          sqlite3_result_double(ctx, r.real);
          break;
        case SqlValue::Type::Null:
          sqlite3_result_null(ctx);
          break;
        default:
          sqlite3_result_text(ctx, r.text.data(), int(r.text.size()), SQLITE_TRANSIENT);
      }
    } catch (const ServerError& e) {
      sqlite3_result_error(ctx, e.message.c_str(), -1);
    }
  }

  TempDir dir_;
  std::string path_;
  sqlite3* db_ = nullptr;
  std::vector<sql::ScalarEntry> scalars_;
  std::vector<std::unique_ptr<Binding>> bindings_;
};

}  // namespace orv::test
