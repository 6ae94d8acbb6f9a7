// Declared column types of a database, for the translator's typing of '+'.
#pragma once

#include <sqlite3.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/sql/dialect/dialect.hpp"

namespace orv::sql::sqlite {

// Reads every table's and view's columns once; a look-up that misses re-reads them when the
// schema changed since (tables created later are found, unchanged schemas cost nothing).
class SchemaCatalog : public dialect::Catalog {
 public:
  explicit SchemaCatalog(sqlite3* db) : db_(db) {}
  std::optional<std::string> column_type(std::string_view table,
                                         std::string_view column) const override;
  std::vector<std::string> columns(std::string_view table) const override;

 private:
  int schema_version() const;
  void load() const;

  sqlite3* db_;
  mutable int version_ = -1;
  mutable std::unordered_map<std::string, std::string> types_;  // "table.column", lower case
  mutable std::unordered_map<std::string, std::vector<std::string>> columns_;  // by table, lower
};

}  // namespace orv::sql::sqlite
