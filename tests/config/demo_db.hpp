// Test support for the config tests: a fresh demo database per test behind the recording driver.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/decorators.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "server/server.hpp"
#include "support/support.hpp"

namespace orv::test {

// The demo database copied from one made per test process; the current driver records every
// statement the library sends and passes it to the real SQLite backend. The shared context
// starts as after jan's log-in (user 7, company 5, warehouse 1) with empty tables.
class DemoDb {
 public:
  DemoDb() : path_(dir_.file("demo.db")) {
    std::filesystem::copy_file(made_once(), path_);
    sqlite_ = std::make_unique<sql::sqlite::SqliteDriver>(path_);
    recording_ = std::make_unique<sql::RecordingDriver>(*sqlite_);
    frame::reset_channels();
    dict::reset_context();
    previous_ = sql::set_current_driver(recording_.get());
    dict::glo().ID_UZYTKOWNIKA = 7;
    dict::glo().ID_FIRMY = 5;
    dict::glo().ID_MAGAZYNU = 1;
  }
  ~DemoDb() {
    frame::reset_channels();
    sql::set_current_driver(previous_);
    dict::reset_context();
  }
  DemoDb(const DemoDb&) = delete;
  DemoDb& operator=(const DemoDb&) = delete;

  static const std::string& made_once() {
    static TempDir dir;
    static const std::string path = [] {
      std::string p = dir.file("demo.db"), error;
      if (!server::create_database(p, /*demo=*/true, error)) throw std::runtime_error(error);
      return p;
    }();
    return path;
  }

  const std::string& path() const { return path_; }

  // The backend translates the server's dialect (hints, calls, its text comparison). Without
  // it the library's statements cannot run here.
  bool speaks_tsql() {
    std::string n =
        query("select count(*) from uzytkownik u with (nolock) where u.identyfikator='JAN'");
    recording_->clear();
    return n == "1";
  }

  std::vector<std::string> statements() const { return recording_->statements(); }
  void forget_statements() { recording_->clear(); }

  // Column 1 of the first row, read on a connection of its own, unrecorded; "?" on failure.
  std::string query(const std::string& statement) {
    std::string error;
    auto c = sqlite_->connect(error);
    if (!c || c->send(statement) != 0) return "?";
    return c->next() ? c->column(0) : std::string();
  }
  int count(const std::string& from_where) {
    return std::atoi(query("select count(*) from " + from_where).c_str());
  }

 private:
  TempDir dir_;
  std::string path_;
  std::unique_ptr<sql::Driver> sqlite_;
  std::unique_ptr<sql::RecordingDriver> recording_;
  sql::Driver* previous_ = nullptr;
};

#define ORV_NEEDS_TSQL(db)                                             \
  do {                                                                 \
    ASSERT_TRUE((db).speaks_tsql()) << "the backend must speak T-SQL"; \
  } while (0)

}  // namespace orv::test
