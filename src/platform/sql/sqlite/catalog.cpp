// Column types from sqlite_schema and pragma_table_info.
#include "platform/sql/sqlite/catalog.hpp"

#include "platform/sql/sqlite/collation.hpp"

namespace orv::sql::sqlite {
namespace {

std::string key(std::string_view table, std::string_view column) {
  return lower_utf8(table) + "." + lower_utf8(column);
}

const char* kColumnsSql =
    "select m.name, p.name, p.type from (select name from sqlite_schema where type in "
    "('table','view') union select name from sqlite_temp_schema where type in ('table','view')) m "
    "join pragma_table_info(m.name) p order by m.name, p.cid";

std::string column_text(sqlite3_stmt* st, int k) {
  auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, k));
  return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(st, k))) : std::string();
}

}  // namespace

int SchemaCatalog::schema_version() const {
  sqlite3_stmt* st = nullptr;
  int version = -1;
  if (sqlite3_prepare_v2(db_, "PRAGMA schema_version", -1, &st, nullptr) == SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW) {
    version = sqlite3_column_int(st, 0);
  }
  sqlite3_finalize(st);
  return version;
}

void SchemaCatalog::load() const {
  types_.clear();
  columns_.clear();
  version_ = schema_version();
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db_, kColumnsSql, -1, &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    return;
  }
  while (sqlite3_step(st) == SQLITE_ROW) {
    std::string table = column_text(st, 0), column = column_text(st, 1);
    types_[key(table, column)] = column_text(st, 2);
    columns_[lower_utf8(table)].push_back(column);
  }
  sqlite3_finalize(st);
}

std::optional<std::string> SchemaCatalog::column_type(std::string_view table,
                                                      std::string_view column) const {
  if (version_ < 0) load();
  std::string k = key(table, column);
  auto it = types_.find(k);
  if (it == types_.end() && schema_version() != version_) {
    load();
    it = types_.find(k);
  }
  if (it == types_.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> SchemaCatalog::columns(std::string_view table) const {
  if (version_ < 0) load();
  auto it = columns_.find(lower_utf8(table));
  if (it == columns_.end() && schema_version() != version_) {
    load();
    it = columns_.find(lower_utf8(table));
  }
  return it == columns_.end() ? std::vector<std::string>() : it->second;
}

}  // namespace orv::sql::sqlite
