// T-SQL batches as the library builds them, turned into plans of SQLite statements.
#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv::sql::dialect {

// Declared column types, for typing '+' (string concatenation vs numeric addition).
class Catalog {
 public:
  virtual ~Catalog() = default;
  // Declared type of table.column as written in the schema ("TEXT", "NUMERIC(15,2)", "INTEGER"...),
  // nullopt when unknown. Table and column names compare case-insensitively.
  virtual std::optional<std::string> column_type(std::string_view table,
                                                 std::string_view column) const = 0;
  // The table's columns in their declared order; empty when the table is unknown.
  virtual std::vector<std::string> columns(std::string_view /*table*/) const { return {}; }
};

// One step of a batch. Variables keep their T-SQL spelling in `name` and `return_var` ("@x",
// "&RetCode"); inside SQL text they are SQLite named parameters: "@x" stays "@x", "&RetCode"
// becomes ":RetCode" (see parameter_name). The executor binds every parameter a statement names
// from the batch's variables (unset ones as NULL).
struct Action {
  enum class Kind { Sql, Call, If, Set, Declare, Exec, SelectInto };
  Kind kind = Kind::Sql;
  // Sql: one SQLite statement. If: the condition as an SQLite expression, true when
  // "SELECT (<sql>)" gives a non-NULL, non-zero value. Set: the value expression, evaluated the
  // same way. Exec: the expression giving the T-SQL text to run, in a scope of its own.
  // SelectInto: the SELECT whose rows fill the new table.
  std::string sql;
  // Call: procedure name without "dbo." and without brackets; Set/Declare: the variable name.
  // SelectInto: the new table as SQLite reads it ("\"#t\"" is a temporary table).
  std::string name;
  // Call: each argument as an SQLite expression (evaluate with "select a1, a2..."); empty for
  // DEFAULT (the parameter's default, as if left out). Exec with parameters (sp_executesql): the
  // declaration list first, then the values.
  std::vector<std::string> args;
  // Call, Exec: the parameter an argument names ("@id" of "@id = 5"), empty for a positional one;
  // empty as a whole when no argument names one.
  std::vector<std::string> arg_names;
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

// One parameter of sp_executesql's declaration list ("@a int, @b nvarchar(10) OUTPUT").
struct Parameter {
  std::string name;  // "@a"
  std::string type;  // as written, lower case: "int", "nvarchar(10)"
  bool output = false;
};

// The declaration list; nullopt when the text is not one (the server refuses it then).
std::optional<std::vector<Parameter>> parse_parameters(std::string_view list);

// T-SQL text (UTF-8) → plan of SQLite statements. Never throws; anything not understood is emitted
// unchanged so that SQLite reports it.
Translation translate(std::string_view tsql, const Catalog* catalog);

// The SQLite parameter that stands for a batch variable inside statement text: "&RetCode" →
// ":RetCode", "@x" → "@x".
std::string parameter_name(std::string_view variable);

// Thread-safe LRU of translations keyed by the statement text. One cache serves one database
// schema: the catalog only decides how '+' is typed, and it is consulted on a miss only.
// Statements longer than kMaxCachedLength are translated every time and never kept.
class TranslationCache {
 public:
  static constexpr std::size_t kMaxCachedLength = std::size_t{64} * 1024;

  explicit TranslationCache(std::size_t capacity = 4096);
  std::shared_ptr<const Translation> get(std::string_view tsql, const Catalog* catalog);
  std::size_t size() const;
  std::size_t hits() const;
  std::size_t misses() const;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
      return std::hash<std::string_view>{}(s);
    }
  };
  using Lru = std::list<const std::string*>;  // keys of entries_, most recently used first
  struct Entry {
    std::shared_ptr<const Translation> translation;
    Lru::iterator position;
  };

  std::size_t capacity_;
  mutable std::mutex mutex_;
  Lru order_;
  std::unordered_map<std::string, Entry, Hash, std::equal_to<>> entries_;
  std::size_t hits_ = 0;
  std::size_t misses_ = 0;
};

}  // namespace orv::sql::dialect
