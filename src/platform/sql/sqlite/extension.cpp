// The T-SQL extension: collation and functions registered on a connection.
#include "platform/sql/sqlite/sqlite_backend.hpp"

#include <sqlite3.h>

#include <atomic>
#include <memory>
#include <new>
#include <optional>

#include "platform/sql/sqlite/collation.hpp"
#include "platform/sql/sqlite/sqlite_values.hpp"
#include "platform/sql/sqlite/tsql_dates.hpp"
#include "platform/sql/sqlite/tsql_functions.hpp"
#include "platform/sql/sqlite/tsql_like.hpp"
#include "platform/sql/sqlite/tsql_values.hpp"
#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

// Per-connection settings of the server session (SET DATEFIRST).
struct SessionState {
  std::atomic<int> datefirst{1};
};
using StateRef = std::shared_ptr<SessionState>;

SessionState& state(sqlite3_context* ctx) {
  return **static_cast<StateRef*>(sqlite3_user_data(ctx));
}

bool any_null(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i) {
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
  }
  return false;
}

std::string_view value_text(sqlite3_value* v) {
  auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
  return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_value_bytes(v)))
           : std::string_view();
}

void result_text(sqlite3_context* ctx, const std::string& s) {
  sqlite3_result_text64(ctx, s.data(), s.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

DatePart part_of(sqlite3_value* v) {
  std::string_view name = value_text(v);
  auto part = parse_date_part(name);
  if (!part) throw TsqlError{"'" + std::string(name) + "' is not a recognized datepart option."};
  return *part;
}

// The moment a value stands for; nullopt for NULL.
std::optional<DateTime> moment_of(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
      return std::nullopt;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      if (auto dt = datetime_from_days(sqlite3_value_double(v))) return dt;
      throw TsqlError{"Arithmetic overflow error converting expression to data type datetime."};
    default:
      if (auto dt = parse_datetime(value_text(v))) return dt;
      throw TsqlError{"Conversion failed when converting date and/or time from character string."};
  }
}

void fn_upper(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  guarded(ctx, [&] { result_text(ctx, upper_utf8(value_text(argv[0]))); });
}

void fn_lower(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  guarded(ctx, [&] { result_text(ctx, lower_utf8(value_text(argv[0]))); });
}

// The compiled pattern is kept with the statement while the pattern argument stays the same.
struct CachedPattern {
  std::optional<char32_t> escape;
  LikePattern pattern;
};

void fn_like(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  guarded(ctx, [&] {
    std::optional<char32_t> escape;
    if (argc == 3) {
      std::string_view e = value_text(argv[2]);
      std::size_t i = 0;
      if (e.empty() || (next_code_point(e, i), i != e.size())) {
        throw TsqlError{"ESCAPE expression must be a single character"};
      }
      i = 0;
      escape = next_code_point(e, i);
    }
    auto* cached = static_cast<CachedPattern*>(sqlite3_get_auxdata(ctx, 0));
    if (!cached || cached->escape != escape) {
      cached = new CachedPattern{escape, LikePattern(value_text(argv[0]), escape)};
      sqlite3_set_auxdata(ctx, 0, cached, [](void* p) { delete static_cast<CachedPattern*>(p); });
      cached = static_cast<CachedPattern*>(sqlite3_get_auxdata(ctx, 0));
      if (!cached) return sqlite3_result_error_nomem(ctx);
    }
    sqlite3_result_int(ctx, cached->pattern.matches(value_text(argv[1])) ? 1 : 0);
  });
}

void fn_len(sqlite3_context* ctx, int, sqlite3_value** argv) {
  guarded(ctx, [&] { result_value(ctx, tsql_len(read_value(argv[0]))); });
}

void fn_tsql_add(sqlite3_context* ctx, int, sqlite3_value** argv) {
  guarded(ctx, [&] { result_value(ctx, tsql_add(read_value(argv[0]), read_value(argv[1]))); });
}

void fn_convert(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  guarded(ctx, [&] {
    std::optional<int> style;
    if (argc == 3 && sqlite3_value_type(argv[2]) != SQLITE_NULL) style = sqlite3_value_int(argv[2]);
    std::string_view type = value_text(argv[0]);
    result_value(ctx, tsql_convert(type, read_value(argv[1]), style, carried_scale(argv[1])));
    if (auto scale = tsql_decimal_scale(type))
      sqlite3_result_subtype(ctx, kScaleSubtype + static_cast<unsigned>(*scale));
  });
}

void fn_datepart(sqlite3_context* ctx, int, sqlite3_value** argv) {
  guarded(ctx, [&] {
    DatePart part = part_of(argv[0]);
    auto dt = moment_of(argv[1]);
    if (!dt) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, datepart(part, *dt, state(ctx).datefirst));
  });
}

void fn_datename(sqlite3_context* ctx, int, sqlite3_value** argv) {
  guarded(ctx, [&] {
    DatePart part = part_of(argv[0]);
    auto dt = moment_of(argv[1]);
    if (!dt) return sqlite3_result_null(ctx);
    result_text(ctx, text::to_utf8(datename(part, *dt, state(ctx).datefirst)));
  });
}

void fn_dateadd(sqlite3_context* ctx, int, sqlite3_value** argv) {
  guarded(ctx, [&] {
    DatePart part = part_of(argv[0]);
    auto dt = moment_of(argv[2]);
    if (!dt || sqlite3_value_type(argv[1]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    auto out = dateadd(part, sqlite3_value_int64(argv[1]), *dt);
    if (!out) throw TsqlError{"Adding a value to a 'datetime' column caused an overflow."};
    result_text(ctx, format_datetime(*out));
  });
}

void fn_datediff(sqlite3_context* ctx, int, sqlite3_value** argv) {
  guarded(ctx, [&] {
    DatePart part = part_of(argv[0]);
    auto a = moment_of(argv[1]), b = moment_of(argv[2]);
    if (!a || !b) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, datediff(part, *a, *b));
  });
}

void fn_getdate(sqlite3_context* ctx, int, sqlite3_value**) {
  guarded(ctx, [&] { result_text(ctx, format_datetime(now())); });
}

void fn_datefirst(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (argc == 1) {
    int n = sqlite3_value_int(argv[0]);
    if (n < 1 || n > 7) {
      return sqlite3_result_error(ctx, "The DATEFIRST value must be between 1 and 7.", -1);
    }
    state(ctx).datefirst = n;
  }
  sqlite3_result_int(ctx, state(ctx).datefirst);
}

void fn_date_field(sqlite3_context* ctx, sqlite3_value* v, DatePart part) {
  guarded(ctx, [&] {
    auto dt = moment_of(v);
    if (!dt) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, datepart(part, *dt, 1));
  });
}

void fn_year(sqlite3_context* c, int, sqlite3_value** v) {
  fn_date_field(c, v[0], DatePart::Year);
}
void fn_month(sqlite3_context* c, int, sqlite3_value** v) {
  fn_date_field(c, v[0], DatePart::Month);
}
void fn_day(sqlite3_context* c, int, sqlite3_value** v) {
  fn_date_field(c, v[0], DatePart::Day);
}

// CHAR(n) of the server: 0..255 in its code page (Windows-1250), NULL outside.
void fn_char(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  int64_t n = sqlite3_value_int64(argv[0]);
  if (n < 0 || n > 255) return sqlite3_result_null(ctx);
  std::string out;
  append_code_point(out, text::code_point(static_cast<char>(n)));
  result_text(ctx, out);
}

void fn_isnull(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_result_value(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[1] : argv[0]);
}

// CHARINDEX(needle, haystack[, start]): 1-based, case-insensitive as the columns compare.
void fn_charindex(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  guarded(ctx, [&] {
    std::string needle = lower_utf8(value_text(argv[0]));
    std::string hay = lower_utf8(value_text(argv[1]));
    int64_t start = argc == 3 ? sqlite3_value_int64(argv[2]) : 1;
    std::size_t byte = 0;
    for (int64_t k = 1; k < start && byte < hay.size(); ++k) next_code_point(hay, byte);
    auto found = needle.empty() ? std::string::npos : hay.find(needle, byte);
    sqlite3_result_int64(ctx, found == std::string::npos
                                  ? 0
                                  : static_cast<int64_t>(utf8_length(hay.substr(0, found))) + 1);
  });
}

void fn_replicate(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (any_null(2, argv)) return sqlite3_result_null(ctx);
  int64_t n = sqlite3_value_int64(argv[1]);
  std::string_view s = value_text(argv[0]);
  if (n < 0) return sqlite3_result_null(ctx);
  if (n > 100'000'000 || static_cast<uint64_t>(n) * s.size() > 100'000'000) {
    return sqlite3_result_error_toobig(ctx);
  }
  guarded(ctx, [&] {
    std::string out;
    out.reserve(s.size() * static_cast<std::size_t>(n));
    for (int64_t i = 0; i < n; ++i) out += s;
    result_text(ctx, out);
  });
}

void fn_space(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  int64_t n = sqlite3_value_int64(argv[0]);
  if (n < 0) return sqlite3_result_null(ctx);
  if (n > 100'000'000) return sqlite3_result_error_toobig(ctx);
  guarded(ctx, [&] { result_text(ctx, std::string(static_cast<std::size_t>(n), ' ')); });
}

int collate_pl_ci_as(void*, int la, const void* a, int lb, const void* b) {
  return compare_pl_ci_as(
      std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(la)),
      std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(lb)));
}

using Fn = void (*)(sqlite3_context*, int, sqlite3_value**);

struct FunctionDef {
  const char* name;
  int args;
  bool pure;  // same result for the same arguments, whatever the session
  Fn fn;
};

constexpr FunctionDef kFunctions[] = {
    {"upper", 1, true, fn_upper},
    {"lower", 1, true, fn_lower},
    {"like", 2, true, fn_like},
    {"like", 3, true, fn_like},
    {"len", 1, true, fn_len},
    {"tsql_add", 2, true, fn_tsql_add},
    {"convert", 2, true, fn_convert},
    {"convert", 3, true, fn_convert},
    {"datepart", 2, false, fn_datepart},
    {"datename", 2, false, fn_datename},
    {"dateadd", 3, true, fn_dateadd},
    {"datediff", 3, true, fn_datediff},
    {"getdate", 0, false, fn_getdate},
    {"tsql_datefirst", 0, false, fn_datefirst},
    {"tsql_datefirst", 1, false, fn_datefirst},
    {"year", 1, true, fn_year},
    {"month", 1, true, fn_month},
    {"day", 1, true, fn_day},
    {"char", 1, true, fn_char},
    {"isnull", 2, true, fn_isnull},
    {"charindex", 2, true, fn_charindex},
    {"charindex", 3, true, fn_charindex},
    {"replicate", 2, true, fn_replicate},
    {"space", 1, true, fn_space},
};

}  // namespace

void register_extension(sqlite3* db) {
  sqlite3_create_collation_v2(db, "PL_CI_AS", SQLITE_UTF8, nullptr, collate_pl_ci_as, nullptr);
  auto shared = std::make_shared<SessionState>();
  for (const auto& f : kFunctions) {
    int flags = SQLITE_UTF8 | (f.pure ? SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS : 0);
    sqlite3_create_function_v2(db, f.name, f.args, flags, new StateRef(shared), f.fn, nullptr,
                               nullptr, [](void* p) { delete static_cast<StateRef*>(p); });
  }
  register_tsql_functions(db);
}

}  // namespace orv::sql::sqlite
