// Test support: a fresh copy of the demo database as the current driver, every statement recorded.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/sql/driver.hpp"
#include "support/support.hpp"
#include "testing/driver_decorators.hpp"

namespace orv::test {

// Demo "today" (15 Jan 2026) and the user the CLI signs in by default (jan, company 5,
// warehouse 1).
inline constexpr int32_t kDemoToday = 82198;
inline constexpr double kDemoUser = 7;
inline constexpr double kDemoCompany = 5;

// A company-scope configuration value as the host loads it into S_PARAMKONFQ.
void set_company_parameter(const std::string& code, const std::string& value);

// The current driver for the life of the object: the real SQLite backend on a copy of the demo
// database, behind fault injection and recording. Channels, the shared context and the clock
// start fresh (signed in as the demo user, today the demo's today) and are reset afterwards.
class DemoDb {
 public:
  DemoDb();
  ~DemoDb();
  DemoDb(const DemoDb&) = delete;
  DemoDb& operator=(const DemoDb&) = delete;

  // True when the backend runs the library's T-SQL (hints, calls of server procedures); tests
  // assert it so that a backend that stops understanding T-SQL fails loudly. Not recorded.
  bool tsql() const { return tsql_; }
  const std::string& path() const { return path_; }

  // Statements sent through the channels since the start (or the last clear_statements).
  std::vector<std::string> statements() const { return recording_->statements(); }
  void clear_statements() { recording_->clear(); }
  // Makes chosen statements fail (see FaultDriver).
  sql::FaultDriver& faults() { return *faults_; }

  // Plain SQLite on a connection of its own, not recorded: the first column of every row.
  std::vector<std::string> column(const std::string& sql);
  // The first column of the first row, or "" when there is none.
  std::string value(const std::string& sql);
  // The rows `from_where` ("uzytkownik where id_firmy = 5") selects.
  int count(const std::string& from_where);
  bool run(const std::string& sql);

  // The demo database this process copies for each test, made once; CLI tests copy it too.
  static const std::string& made_once();

 private:
  TempDir dir_;
  std::string path_;
  std::unique_ptr<sql::Driver> sqlite_;
  std::unique_ptr<sql::FaultDriver> faults_;
  std::unique_ptr<sql::RecordingDriver> recording_;
  std::unique_ptr<sql::Connection> raw_;
  sql::Driver* previous_ = nullptr;
  bool tsql_ = false;
};

}  // namespace orv::test
