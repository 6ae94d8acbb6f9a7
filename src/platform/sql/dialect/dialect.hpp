// PLACEHOLDER until the real translator lands: T-SQL text to a plan of SQLite statements.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sql::dialect {

// Declared column types, for typing '+' (string concat vs numeric add).
class Catalog {
 public:
  virtual ~Catalog() = default;
  // Declared type of table.column as written in the schema ("TEXT", "NUMERIC(15,2)", "INTEGER"...),
  // nullopt when unknown. Table and column names compare case-insensitively.
  virtual std::optional<std::string> column_type(std::string_view table,
                                                 std::string_view column) const = 0;
};

struct Action {
  enum class Kind { Sql, Call, If, Set, Declare };
  Kind kind = Kind::Sql;
  // Sql: one SQLite statement; If: the condition as an SQLite expression; Set: the value
  // expression (SQLite).
  std::string sql;
  // Call: procedure name without "dbo."; Set/Declare: variable name (with @ or &).
  std::string name;
  // Call: each argument as an SQLite expression (evaluate with "select a1, a2...").
  std::vector<std::string> args;
  // Call: the variable receiving the return code ("&RetCode"), or empty.
  std::string return_var;
  std::vector<Action> then_actions, else_actions;  // If
};

struct Plan {
  std::vector<Action> actions;
};

struct Translation {
  bool ok = false;
  Plan plan;
  std::string error;  // when !ok: a readable message, SQL Server's wording where it has one
};

// T-SQL text (UTF-8) to a plan of SQLite statements. Never throws; anything not understood is
// emitted unchanged so that SQLite reports it.
Translation translate(std::string_view tsql, const Catalog* catalog);

// Thread-safe LRU of translations keyed by the text.
class TranslationCache {
 public:
  explicit TranslationCache(std::size_t capacity = 4096);
  ~TranslationCache();
  TranslationCache(const TranslationCache&) = delete;
  TranslationCache& operator=(const TranslationCache&) = delete;
  std::shared_ptr<const Translation> get(std::string_view tsql, const Catalog* catalog);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace orv::sql::dialect
