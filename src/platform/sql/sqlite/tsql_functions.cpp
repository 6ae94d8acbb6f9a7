// String, number and misc functions with the server's rules, registered on every connection.
#include "platform/sql/sqlite/tsql_functions.hpp"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <new>
#include <random>

#include "platform/decimal/decimal.hpp"
#include "platform/sql/sqlite/collation.hpp"
#include "platform/sql/sqlite/sqlite_values.hpp"
#include "platform/sql/sqlite/tsql_dates.hpp"
#include "platform/sql/sqlite/tsql_like.hpp"
#include "platform/sql/sqlite/tsql_values.hpp"
#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

// The characters of UTF-8 text, each as its bytes (views into `s`, which must outlive them).
std::vector<std::string_view> chars_of(std::string_view s) {
  std::vector<std::string_view> out;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t at = i;
    next_code_point(s, i);
    if (i <= at) i = at + 1;
    out.push_back(s.substr(at, i - at));
  }
  return out;
}

std::string join(const std::vector<std::string_view>& c, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t k = from; k < to && k < c.size(); ++k) out += c[k];
  return out;
}

std::string utf8_of(char32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6)), s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12)), s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18)), s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

std::mt19937_64& generator() {
  thread_local std::mt19937_64 g{std::random_device{}()};
  return g;
}

}  // namespace

std::string fixed_text(double v, int places) {
  places = std::clamp(places, 0, 99);
  if (std::fabs(v) < 1e17 && places <= Decimal::kMaxScale) {
    return Decimal::from_double(v).rescale(places).to_string();
  }
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*f", places, v);
  return buf;
}

SqlValue tsql_substring(const SqlValue& s, const SqlValue& start, const SqlValue& length) {
  if (s.is_null() || start.is_null() || length.is_null()) return SqlValue::null();
  int64_t from = start.as_integer(), n = length.as_integer();
  if (n < 0) throw TsqlError{"Invalid length parameter passed to the substring function."};
  // Positions before the first character count against the length, as the server counts them.
  int64_t end = from > INT64_MAX - n ? INT64_MAX : from + n;
  from = std::max<int64_t>(from, 1);
  if (end <= from) return SqlValue::of(std::string());
  if (s.type == SqlValue::Type::Blob) {
    SqlValue b = s;
    std::size_t a = std::min<std::size_t>(from - 1, s.text.size());
    b.text = s.text.substr(a, static_cast<std::size_t>(end - from));
    return b;
  }
  std::string whole = s.as_text();
  auto c = chars_of(whole);
  return SqlValue::of(join(c, static_cast<std::size_t>(from - 1),
                           static_cast<std::size_t>(std::min<int64_t>(end - 1, INT32_MAX))));
}

SqlValue tsql_str(const SqlValue& value, int64_t length, int64_t decimals) {
  if (value.is_null() || length < 1 || length > 8000 || decimals < 0) return SqlValue::null();
  double v = value.type == SqlValue::Type::Text ? std::strtod(value.text.c_str(), nullptr)
                                                : value.as_real();
  // Places give way before the whole part does; a whole part that does not fit gives stars.
  for (int d = static_cast<int>(std::min<int64_t>(decimals, 16)); d >= 0; --d) {
    std::string s = fixed_text(v, d);
    if (s.size() <= static_cast<std::size_t>(length)) {
      return SqlValue::of(std::string(static_cast<std::size_t>(length) - s.size(), ' ') + s);
    }
  }
  return SqlValue::of(std::string(static_cast<std::size_t>(length), '*'));
}

SqlValue tsql_stuff(const SqlValue& s, const SqlValue& start, const SqlValue& length,
                    const SqlValue& insert) {
  if (s.is_null() || start.is_null() || length.is_null()) return SqlValue::null();
  std::string whole = s.as_text();
  auto c = chars_of(whole);
  int64_t from = start.as_integer(), n = length.as_integer();
  if (from < 1 || from > static_cast<int64_t>(c.size()) || n < 0) return SqlValue::null();
  std::size_t cut = static_cast<std::size_t>(std::min<int64_t>(from - 1 + n, c.size()));
  return SqlValue::of(join(c, 0, from - 1) + insert.as_text() + join(c, cut, c.size()));
}

SqlValue tsql_divisor(const SqlValue& v) {
  bool zero = false;
  switch (v.type) {
    case SqlValue::Type::Integer:
      zero = v.integer == 0;
      break;
    case SqlValue::Type::Real:
      zero = v.real == 0;
      break;
    case SqlValue::Type::Text: {
      std::string t(text::trim(v.text));
      char* end = nullptr;
      double d = std::strtod(t.c_str(), &end);
      zero = !t.empty() && *end == '\0' && d == 0;
      break;
    }
    default:
      break;
  }
  if (zero) throw TsqlError{"Divide by zero error encountered."};
  return v;
}

namespace {

struct IntegerType {
  std::string_view name;
  int64_t min, max;
};

constexpr IntegerType kIntegerTypes[] = {{"int", INT32_MIN, INT32_MAX},
                                         {"bigint", INT64_MIN, INT64_MAX},
                                         {"smallint", -32768, 32767},
                                         {"tinyint", 0, 255}};

// A REAL holds an integer type's value when its whole part is within the range (2^63 itself is
// the first REAL past bigint).
bool real_fits(double r, const IntegerType& t) {
  r = std::trunc(r);
  if (t.max == INT64_MAX) return r >= -9223372036854775808.0 && r < 9223372036854775808.0;
  return r >= static_cast<double>(t.min) && r <= static_cast<double>(t.max);
}

[[noreturn]] void overflow(std::string_view type) {
  throw TsqlError{"Arithmetic overflow error converting expression to data type " +
                  std::string(type) + "."};
}

}  // namespace

SqlValue tsql_checked_integer(const SqlValue& v, bool bigint) {
  const IntegerType& t = kIntegerTypes[bigint ? 1 : 0];
  bool fits = v.type != SqlValue::Type::Real || real_fits(v.real, t);
  if (v.type == SqlValue::Type::Integer) fits = v.integer >= t.min && v.integer <= t.max;
  if (!fits) overflow(t.name);
  return v;
}

SqlValue tsql_stored_integer(std::string_view type, const SqlValue& v) {
  auto t = std::find_if(std::begin(kIntegerTypes), std::end(kIntegerTypes),
                        [&](const IntegerType& k) { return k.name == type; });
  if (t == std::end(kIntegerTypes)) return v;
  if (v.type == SqlValue::Type::Real && !real_fits(v.real, *t)) overflow(t->name);
  if (v.type != SqlValue::Type::Integer || (v.integer >= t->min && v.integer <= t->max)) return v;
  // An int value put into a narrower column is reported with the value itself.
  if (t->max < INT32_MAX && v.integer >= INT32_MIN && v.integer <= INT32_MAX) {
    throw TsqlError{"Arithmetic overflow error for data type " + std::string(t->name) +
                    ", value = " + std::to_string(v.integer) + "."};
  }
  overflow(t->name);
}

namespace {

SqlValue arg(sqlite3_value** argv, int argc, int k) {
  return k < argc ? read_value(argv[k]) : SqlValue::null();
}

void fn_substring(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  guarded(ctx, [&] {
    result_value(ctx, tsql_substring(arg(v, argc, 0), arg(v, argc, 1), arg(v, argc, 2)));
  });
}

void fn_str(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  int64_t length = argc > 1 ? sqlite3_value_int64(v[1]) : 10;
  int64_t places = argc > 2 ? sqlite3_value_int64(v[2]) : 0;
  guarded(ctx, [&] { result_value(ctx, tsql_str(arg(v, argc, 0), length, places)); });
}

void fn_stuff(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  guarded(ctx, [&] {
    result_value(ctx,
                 tsql_stuff(arg(v, argc, 0), arg(v, argc, 1), arg(v, argc, 2), arg(v, argc, 3)));
  });
}

void fn_format(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  if (sqlite3_value_type(v[1]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  guarded(ctx, [&] {
    result_value(ctx, tsql_format(arg(v, argc, 0), arg(v, argc, 1).as_text(),
                                  argc > 2 ? arg(v, argc, 2).as_text() : std::string()));
  });
}

void fn_divisor(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  guarded(ctx, [&] { result_value(ctx, tsql_divisor(arg(v, argc, 0))); });
}

void fn_int(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  guarded(ctx, [&] { result_value(ctx, tsql_checked_integer(arg(v, argc, 0), false)); });
}

void fn_bigint(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  guarded(ctx, [&] { result_value(ctx, tsql_checked_integer(arg(v, argc, 0), true)); });
}

void fn_store(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  guarded(ctx, [&] {
    result_value(ctx, tsql_stored_integer(arg(v, argc, 0).as_text(), arg(v, argc, 1)));
  });
}

// Bytes the server keeps: one per character of a varchar (Windows-1250), 4 or 8 for numbers.
void fn_datalength(sqlite3_context* ctx, int, sqlite3_value** v) {
  switch (sqlite3_value_type(v[0])) {
    case SQLITE_NULL:
      return sqlite3_result_null(ctx);
    case SQLITE_INTEGER: {
      int64_t n = sqlite3_value_int64(v[0]);
      return sqlite3_result_int(ctx, n >= INT32_MIN && n <= INT32_MAX ? 4 : 8);
    }
    case SQLITE_FLOAT:
      return sqlite3_result_int(ctx, 8);
    case SQLITE_BLOB:
      return sqlite3_result_int(ctx, sqlite3_value_bytes(v[0]));
    default:
      return sqlite3_result_int64(ctx,
                                  static_cast<int64_t>(chars_of(read_value(v[0]).text).size()));
  }
}

void fn_reverse(sqlite3_context* ctx, int, sqlite3_value** v) {
  if (sqlite3_value_type(v[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  std::string whole = read_value(v[0]).as_text();
  auto c = chars_of(whole);
  std::string out;
  for (auto it = c.rbegin(); it != c.rend(); ++it) out += *it;
  result_value(ctx, SqlValue::of(out));
}

// PATINDEX('%pattern%', text): where the first match starts, 0 when there is none.
void fn_patindex(sqlite3_context* ctx, int, sqlite3_value** v) {
  if (sqlite3_value_type(v[0]) == SQLITE_NULL || sqlite3_value_type(v[1]) == SQLITE_NULL)
    return sqlite3_result_null(ctx);
  std::string pattern = read_value(v[0]).as_text(), subject = read_value(v[1]).as_text();
  bool anywhere = !pattern.empty() && pattern[0] == '%';
  guarded(ctx, [&] {
    LikePattern p(anywhere ? std::string_view(pattern).substr(1) : std::string_view(pattern));
    auto c = chars_of(subject);
    std::size_t offset = 0;
    for (std::size_t k = 0; k < c.size() && (anywhere || k == 0); offset += c[k].size(), ++k) {
      if (p.matches(std::string_view(subject).substr(offset)))
        return sqlite3_result_int64(ctx, int64_t(k + 1));
    }
    sqlite3_result_int(ctx, 0);
  });
}

void fn_isdate(sqlite3_context* ctx, int, sqlite3_value** v) {
  if (sqlite3_value_type(v[0]) == SQLITE_NULL) return sqlite3_result_int(ctx, 0);
  sqlite3_result_int(ctx, parse_datetime(read_value(v[0]).as_text()) ? 1 : 0);
}

void fn_quotename(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  if (sqlite3_value_type(v[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  std::string s = read_value(v[0]).as_text();
  std::string q = argc > 1 ? read_value(v[1]).as_text() : "[";
  // The quote character asked for and the pair it stands for (a closing one means its pair).
  static constexpr const char* kPairs[] = {"[]", "][", "\"\"", "''", "()", ")(",
                                           "<>", "><", "{}",   "}{", "``"};
  const char* pair = nullptr;
  for (const char* p : kPairs)
    if (q.size() == 1 && q[0] == p[0]) pair = p;
  if (!pair || chars_of(s).size() > 128) return sqlite3_result_null(ctx);
  char open = pair[0], close = pair[1];
  if (open == ']' || open == ')' || open == '>' || open == '}') std::swap(open, close);
  std::string out(1, open);
  for (char ch : s) {
    out += ch;
    if (ch == close) out += ch;
  }
  result_value(ctx, SqlValue::of(out + close));
}

void fn_newid(sqlite3_context* ctx, int, sqlite3_value**) {
  uint64_t hi = generator()(), lo = generator()();
  hi = (hi & ~0xF000ull) | 0x4000ull;        // version 4
  lo = (lo & ~(3ull << 62)) | (2ull << 62);  // RFC 4122 variant
  char buf[40];
  std::snprintf(buf, sizeof buf, "%08llX-%04llX-%04llX-%04llX-%012llX",
                static_cast<unsigned long long>(hi >> 32),
                static_cast<unsigned long long>((hi >> 16) & 0xFFFF),
                static_cast<unsigned long long>(hi & 0xFFFF),
                static_cast<unsigned long long>(lo >> 48),
                static_cast<unsigned long long>(lo & 0xFFFFFFFFFFFFull));
  result_value(ctx, SqlValue::of(std::string(buf)));
}

void fn_rand(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  if (argc == 1 && sqlite3_value_type(v[0]) != SQLITE_NULL)
    generator().seed(sqlite3_value_int64(v[0]));
  sqlite3_result_double(ctx, std::uniform_real_distribution<double>(0, 1)(generator()));
}

// The Windows-1250 code of the first character.
void fn_ascii(sqlite3_context* ctx, int, sqlite3_value** v) {
  if (sqlite3_value_type(v[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  std::string whole = read_value(v[0]).as_text();
  auto c = chars_of(whole);
  if (c.empty()) return sqlite3_result_null(ctx);
  std::string b = text::from_utf8(c[0]);
  sqlite3_result_int(ctx, b.empty() ? 63 : static_cast<unsigned char>(b[0]));
}

void fn_nchar(sqlite3_context* ctx, int, sqlite3_value** v) {
  if (sqlite3_value_type(v[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  int64_t cp = sqlite3_value_int64(v[0]);
  if (cp < 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return sqlite3_result_null(ctx);
  result_value(ctx, SqlValue::of(utf8_of(static_cast<char32_t>(cp))));
}

void fn_square(sqlite3_context* ctx, int, sqlite3_value** v) {
  if (sqlite3_value_type(v[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  double x = sqlite3_value_double(v[0]);
  sqlite3_result_double(ctx, x * x);
}

// LOG is the natural logarithm on the server (SQLite's own log is base 10).
void fn_log(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  for (int k = 0; k < argc; ++k)
    if (sqlite3_value_type(v[k]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  double x = sqlite3_value_double(v[0]);
  double base = argc > 1 ? sqlite3_value_double(v[1]) : std::exp(1.0);
  if (x <= 0 || base <= 0 || base == 1) {
    return sqlite3_result_error(ctx, "An invalid floating point operation occurred.", -1);
  }
  sqlite3_result_double(ctx, std::log(x) / std::log(base));
}

// NULLs count as empty texts.
void fn_concat(sqlite3_context* ctx, int argc, sqlite3_value** v) {
  std::string out;
  for (int k = 0; k < argc; ++k) out += read_value(v[k]).as_text();
  result_value(ctx, SqlValue::of(out));
}

using Fn = void (*)(sqlite3_context*, int, sqlite3_value**);

constexpr struct {
  const char* name;
  int args;
  bool pure;
  Fn fn;
} kFunctions[] = {
    {"substring", 3, true, fn_substring},
    {"str", 1, true, fn_str},
    {"str", 2, true, fn_str},
    {"str", 3, true, fn_str},
    {"stuff", 4, true, fn_stuff},
    {"format", 2, true, fn_format},
    {"format", 3, true, fn_format},
    {"tsql_divisor", 1, true, fn_divisor},
    {"tsql_int", 1, true, fn_int},
    {"tsql_bigint", 1, true, fn_bigint},
    {"tsql_store", 2, true, fn_store},
    {"datalength", 1, true, fn_datalength},
    {"reverse", 1, true, fn_reverse},
    {"patindex", 2, true, fn_patindex},
    {"isdate", 1, true, fn_isdate},
    {"quotename", 1, true, fn_quotename},
    {"quotename", 2, true, fn_quotename},
    {"newid", 0, false, fn_newid},
    {"rand", 0, false, fn_rand},
    {"rand", 1, false, fn_rand},
    {"ascii", 1, true, fn_ascii},
    {"nchar", 1, true, fn_nchar},
    {"square", 1, true, fn_square},
    {"log", 1, true, fn_log},
    {"log", 2, true, fn_log},
    {"concat", -1, true, fn_concat},
};

}  // namespace

void register_tsql_functions(sqlite3* db) {
  for (const auto& f : kFunctions) {
    int flags = SQLITE_UTF8 | (f.pure ? SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS : 0);
    sqlite3_create_function_v2(db, f.name, f.args, flags, nullptr, f.fn, nullptr, nullptr, nullptr);
  }
}

}  // namespace orv::sql::sqlite
