// A server object's handle on the connection it runs in.
#pragma once

#include <sqlite3.h>

#include <memory>

#include "platform/sql/dialect/dialect.hpp"
#include "platform/sql/server_objects.hpp"
#include "platform/sql/sqlite/catalog.hpp"
#include "platform/sql/sqlite/executor.hpp"

namespace orv::sql::sqlite {

class DbSession : public Session {
 public:
  DbSession(sqlite3* db, std::shared_ptr<dialect::TranslationCache> translations,
            StatementCache* statements = nullptr);
  Rows query(std::string_view sql, const std::vector<SqlValue>& params = {}) override;
  int64_t exec(std::string_view sql, const std::vector<SqlValue>& params = {}) override;
  Rows query_tsql(std::string_view tsql) override;
  int64_t last_insert_id() override;

  sqlite3* db() const { return db_; }
  const SchemaCatalog& catalog() const { return catalog_; }
  dialect::TranslationCache& translations() const { return *translations_; }

 private:
  // Runs every statement of `sql`, ?-parameters taken from `params` in order; the rows of the
  // first statement that has columns go to `rows`. Returns the rows changed.
  int64_t run(std::string_view sql, const std::vector<SqlValue>& params, Rows* rows);

  sqlite3* db_;
  std::shared_ptr<dialect::TranslationCache> translations_;
  SchemaCatalog catalog_;
  StatementCache* statements_;
};

}  // namespace orv::sql::sqlite
