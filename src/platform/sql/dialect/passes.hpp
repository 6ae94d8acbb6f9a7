// The rewrite passes, one per T-SQL construct SQLite reads differently; each runs alone in tests.
#pragma once

#include "platform/sql/dialect/dialect.hpp"
#include "platform/sql/dialect/lexer.hpp"

namespace orv::sql::dialect {

// Token-level passes: they look at names and punctuation only, never inside literals.
void unwrap_odbc_escapes(Tokens& t);  // {fn f(x)} → f(x), {d '...'} → '...', {call ...} → call ...
void strip_dbo(Tokens& t);            // dbo.X, [dbo].X, db.dbo.X, db..X → X
void strip_hints(Tokens& t);          // T WITH (NOLOCK), T (NOLOCK) → T
void drop_unicode_prefix(Tokens& t);  // N'...' → '...'
void rename_functions(Tokens& t);     // isnull( → ifnull(, @@IDENTITY, @@ROWCOUNT, !<, !>
void quote_type_arguments(Tokens& t);  // convert(datetime, x) → convert('datetime', x), datepart...
void cast_to_convert(Tokens& t);       // cast(x as varchar(3)) → convert('varchar(3)', x)
void rewrite_string_calls(Tokens& t);  // left/right → substr, charindex → instr
void temp_tables(Tokens& t);           // #t → "#t"; CREATE TABLE #t → CREATE TEMP TABLE "#t"

// Typing of '+': string concatenation becomes (a)||(b), numeric addition stays, the undecidable
// becomes tsql_add(a, b). `expression`: the tokens are an expression list, not a statement.
void type_additions(Tokens& t, const Catalog* catalog, bool expression);

// The server's arithmetic and comparison.
void date_arithmetic(Tokens& t);  // getdate() - 1 → dateadd('day', -(1), getdate())
void guard_division(Tokens& t);  // a / b → a / tsql_divisor(b) unless b is a literal other than 0
void collate_literals(Tokens& t);  // 'abc' = f(x) → 'abc' COLLATE PL_CI_AS = f(x)

// Statement-level passes.
void top_to_limit(Tokens& t);  // SELECT TOP n ... → SELECT ... LIMIT n
void collate_new_columns(
    Tokens& t);                   // CREATE TABLE t (a varchar(5)) → a varchar(5) COLLATE PL_CI_AS
void complete_insert(Tokens& t);  // INSERT t → INSERT INTO t; TRUNCATE TABLE t → DELETE FROM t
void rewrite_delete(Tokens& t);   // DELETE T WHERE, DELETE T FROM T x ..., joined forms
void rewrite_update_from(Tokens& t);  // UPDATE T SET ... FROM T w, ... binds T to w

// INSERT and UPDATE into int, smallint, tinyint and bigint columns: a value that may not fit goes
// through tsql_store(type, v), which fails as the server does when it does not.
void check_stored_integers(Tokens& t, const Catalog* catalog);
// The server's integer type a declared column type stands for ("INTEGER" is int), "" for others.
std::string integer_type(std::string_view declared);

// Every pass in order; throws DialectError for what SQL Server would refuse.
void rewrite(Tokens& t, const Catalog* catalog, bool expression);

}  // namespace orv::sql::dialect
