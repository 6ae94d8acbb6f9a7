// The extension's text work on arbitrary bytes: consistent order, no crash, no hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/sql/sqlite/collation.hpp"
#include "platform/sql/sqlite/tsql_dates.hpp"
#include "platform/sql/sqlite/tsql_functions.hpp"
#include "platform/sql/sqlite/tsql_like.hpp"
#include "platform/sql/sqlite/tsql_values.hpp"

using namespace orv::sql::sqlite;

namespace {

int sign(int v) {
  return (v > 0) - (v < 0);
}

void check_order(std::string_view a, std::string_view b, std::string_view c) {
  if (sign(compare_pl_ci_as(a, b)) != -sign(compare_pl_ci_as(b, a))) std::abort();
  if (compare_pl_ci_as(a, a) != 0) std::abort();
  // Case never matters, so folding either way compares equal.
  if (compare_pl_ci_as(upper_utf8(a), lower_utf8(a)) != 0) std::abort();
  if (compare_pl_ci_as(a, b) <= 0 && compare_pl_ci_as(b, c) <= 0 && compare_pl_ci_as(a, c) > 0) {
    std::abort();
  }
}

void check_dates(std::string_view a, std::string_view b) {
  for (int style : {0, 101, 104}) {
    auto dt = parse_datetime(a, style);
    if (!dt) continue;
    std::string again = format_datetime(*dt);
    auto back = parse_datetime(again);
    if (!back || back->days != dt->days || back->ms != dt->ms) std::abort();
    int64_t n = static_cast<int64_t>(b.size()) * (b.empty() ? 1 : static_cast<unsigned char>(b[0]));
    for (auto part : {DatePart::Year, DatePart::Month, DatePart::Day, DatePart::Week,
                      DatePart::Hour, DatePart::Millisecond}) {
      (void)datepart(part, *dt, 1 + static_cast<int>(n % 7));
      if (auto moved = dateadd(part, n - 128, *dt)) (void)datediff(part, *dt, *moved);
    }
  }
}

// The server's string and number functions: any text, any position, never a crash.
void check_functions(std::string_view a, std::string_view b) {
  using orv::sql::SqlValue;
  int64_t n = b.empty() ? 0 : static_cast<signed char>(b[0]);
  int64_t m = b.size() > 1 ? static_cast<signed char>(b[1]) : 3;
  SqlValue text = SqlValue::of(std::string(a));
  try {
    (void)tsql_substring(text, SqlValue::of(n), SqlValue::of(m));
    (void)tsql_stuff(text, SqlValue::of(n), SqlValue::of(m), SqlValue::of(std::string(b)));
    (void)tsql_str(SqlValue::of(static_cast<double>(n) * 1e15 / (m ? m : 1)), m, n);
    (void)tsql_format(SqlValue::of(static_cast<double>(n) / 7), b, "");
    (void)tsql_format(text, b, "en-US");
    (void)tsql_divisor(text);
    (void)tsql_checked_integer(SqlValue::of(n * m * 0x1000000), m % 2 == 0);
    (void)tsql_stored_integer(a, SqlValue::of(n * m * 0x100));
    (void)tsql_stored_integer(a, SqlValue::of(static_cast<double>(n) * 1e17 * m));
  } catch (const TsqlError&) {
  }
  // A decimal's places carried into text: any type, any places, never a crash.
  try {
    (void)tsql_convert(a, SqlValue::of(static_cast<double>(n) / 7), std::nullopt,
                       static_cast<int>(m & 0x3f));
    (void)tsql_decimal_scale(a);
  } catch (const TsqlError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  auto cut = in.find('\n');
  std::string_view a = in.substr(0, cut);
  std::string_view b = cut == std::string_view::npos ? std::string_view() : in.substr(cut + 1);
  auto cut2 = b.find('\n');
  std::string_view c = cut2 == std::string_view::npos ? std::string_view() : b.substr(cut2 + 1);
  check_order(a, b.substr(0, cut2), c);
  (void)LikePattern(a).matches(b);
  (void)LikePattern(a, U'!').matches(b);
  check_dates(a, b);
  try {
    (void)tsql_convert(a, orv::sql::SqlValue::of(std::string(b)), std::nullopt);
    (void)tsql_add(orv::sql::SqlValue::of(std::string(a)), orv::sql::SqlValue::of(int64_t{1}));
  } catch (const TsqlError&) {
  }
  check_functions(a, b);
  return 0;
}
