// The ODBC backend: statements passed to the server unchanged except the call escapes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/sql/driver.hpp"

namespace orv::sql::odbc {

// A statement as it goes to ODBC: "call X(...)" becomes "{call X(...)}" and
// "&V = call X(...)" becomes "{? = call X(...)}" with V as the output parameter's name.
struct OdbcStatement {
  std::string text;
  std::string output_variable;  // empty: no output parameter
};
OdbcStatement to_odbc(std::string_view statement);

// Connections through unixODBC's driver manager with a DSN-less connection string
// ("Driver=SQLite3;Database=/path/x.db", or FreeTDS for SQL Server). Each Connection object
// holds its own ODBC connection, so no two channels ever share pending results. Texts cross the
// seam as Windows-1250 and travel as UTF-8. A failed statement (the driver's SQL_ERROR) gives
// code 90 and the driver's diagnostic text; SQLSTATE classes are never looked at, because
// drivers disagree on them.
class OdbcDriver : public Driver {
 public:
  explicit OdbcDriver(std::string connection_string);
  ~OdbcDriver() override;
  OdbcDriver(const OdbcDriver&) = delete;
  OdbcDriver& operator=(const OdbcDriver&) = delete;

  std::unique_ptr<Connection> connect(std::string& error) override;
  // "odbc:" and the connection string with every password replaced by "***".
  std::string describe() const override;

 private:
  std::string connection_string_;
  void* env_ = nullptr;  // SQLHENV
};

}  // namespace orv::sql::odbc
