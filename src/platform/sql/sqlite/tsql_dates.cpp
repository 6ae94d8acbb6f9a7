// T-SQL DATEPART/DATEADD/DATEDIFF/DATENAME and date texts; the calendar comes from platform/date.
#include "platform/sql/sqlite/tsql_dates.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "platform/date/date.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

constexpr int64_t kMsPerDay = 86'400'000;
// The calendar this backend handles: 1800-12-29 (the first day the library's day numbers know)
// to 9999-12-31, the server's last day.
constexpr int64_t kMinDays = -36162;
constexpr int64_t kMaxDays = 2'958'463;

int64_t day_1900() {
  static const int64_t d = date::make(1, 1, 1900);
  return d;
}

date::Civil to_civil(int64_t days) {
  return date::civil(static_cast<int32_t>(days + day_1900()));
}

std::optional<int64_t> from_civil(int y, int m, int d) {
  if (y < 1800 || y > 9999 || m < 1 || m > 12 || d < 1 || d > date::days_in_month(m, y)) {
    return std::nullopt;
  }
  int32_t n = date::make(m, d, y);
  if (n == 0) return std::nullopt;
  return n - day_1900();
}

int64_t floor_div(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

int iso_weekday(int64_t days) {
  return static_cast<int>(((days % 7) + 7) % 7) + 1;
}

int weekday_number(int64_t days, int datefirst) {
  return ((iso_weekday(days) - datefirst + 7) % 7) + 1;
}

std::optional<DateTime> make_checked(int64_t days, int64_t ms) {
  if (days < kMinDays || days > kMaxDays) return std::nullopt;
  return DateTime{days, ms};
}

// A small cursor over a date text.
struct Reader {
  std::string_view s;
  std::size_t i = 0;
  bool at_end() const { return i >= s.size(); }
  bool take(char c) {
    if (i < s.size() && s[i] == c) return ++i, true;
    return false;
  }
  // Up to `max` digits; returns the count read.
  int digits(int64_t& value, int max) {
    int n = 0;
    value = 0;
    while (i < s.size() && n < max && text::is_digit(s[i]))
      value = value * 10 + (s[i++] - '0'), ++n;
    return n;
  }
};

bool read_time(Reader& r, int64_t& ms) {
  int64_t h, mi, sec = 0, frac = 0;
  if (r.digits(h, 2) == 0 || !r.take(':') || r.digits(mi, 2) != 2) return false;
  if (r.take(':')) {
    if (r.digits(sec, 2) != 2) return false;
    if (r.take('.') || r.take(':')) {
      int n = r.digits(frac, 9);
      if (n == 0) return false;
      while (n > 3) frac /= 10, --n;
      while (n < 3) frac *= 10, ++n;
    }
  }
  if (h > 23 || mi > 59 || sec > 59) return false;
  ms = ((h * 60 + mi) * 60 + sec) * 1000 + frac;
  return true;
}

// yyyy-mm-dd, yyyy.mm.dd, yyyy/mm/dd, yyyymmdd, dd.mm.yyyy (or mm/dd/yyyy with a month-first
// style).
bool read_date(Reader& r, int style, int64_t& days) {
  int64_t a, b, c;
  int na = r.digits(a, 8);
  if (na == 8) {
    auto d = from_civil(static_cast<int>(a / 10000), static_cast<int>(a / 100 % 100),
                        static_cast<int>(a % 100));
    return d && (days = *d, true);
  }
  if (na == 0 || r.at_end()) return false;
  char sep = r.s[r.i];
  if (sep != '-' && sep != '.' && sep != '/') return false;
  ++r.i;
  if (r.digits(b, 2) == 0 || !r.take(sep)) return false;
  int nc = r.digits(c, 4);
  if (nc == 0) return false;
  int y, m, d;
  if (na == 4) {
    y = static_cast<int>(a), m = static_cast<int>(b), d = static_cast<int>(c);
  } else if (nc == 4) {
    bool month_first = style == 101 || style == 110 || style == 1 || style == 10;
    y = static_cast<int>(c);
    m = static_cast<int>(month_first ? a : b);
    d = static_cast<int>(month_first ? b : a);
  } else {
    return false;
  }
  auto n = from_civil(y, m, d);
  return n && (days = *n, true);
}

std::string two(int64_t v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(v));
  return buf;
}

std::string render(const DateTime& dt, std::string_view format) {
  date::Civil c = to_civil(dt.days);
  std::string out;
  for (char f : format) {
    switch (f) {
      case 'Y':
        out += std::to_string(c.year);
        break;
      case 'y':
        out += two(c.year % 100);
        break;
      case 'm':
        out += two(c.month);
        break;
      case 'd':
        out += two(c.day);
        break;
      case 'H':
        out += two(dt.ms / 3'600'000);
        break;
      case 'M':
        out += two(dt.ms / 60'000 % 60);
        break;
      case 'S':
        out += two(dt.ms / 1000 % 60);
        break;
      case 'f': {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%03d", static_cast<int>(dt.ms % 1000));
        out += buf;
        break;
      }
      default:
        out += f;
    }
  }
  return out;
}

struct PartName {
  std::string_view name;
  DatePart part;
};

constexpr std::array<PartName, 35> kParts = {{
    {"year", DatePart::Year},       {"yy", DatePart::Year},
    {"yyyy", DatePart::Year},       {"quarter", DatePart::Quarter},
    {"qq", DatePart::Quarter},      {"q", DatePart::Quarter},
    {"month", DatePart::Month},     {"mm", DatePart::Month},
    {"m", DatePart::Month},         {"dayofyear", DatePart::DayOfYear},
    {"dy", DatePart::DayOfYear},    {"y", DatePart::DayOfYear},
    {"day", DatePart::Day},         {"dd", DatePart::Day},
    {"d", DatePart::Day},           {"week", DatePart::Week},
    {"wk", DatePart::Week},         {"ww", DatePart::Week},
    {"weekday", DatePart::Weekday}, {"dw", DatePart::Weekday},
    {"w", DatePart::Weekday},       {"hour", DatePart::Hour},
    {"hh", DatePart::Hour},         {"minute", DatePart::Minute},
    {"mi", DatePart::Minute},       {"n", DatePart::Minute},
    {"second", DatePart::Second},   {"ss", DatePart::Second},
    {"s", DatePart::Second},        {"millisecond", DatePart::Millisecond},
    {"ms", DatePart::Millisecond},  {"microsecond", DatePart::Microsecond},
    {"mcs", DatePart::Microsecond}, {"nanosecond", DatePart::Nanosecond},
    {"ns", DatePart::Nanosecond},
}};

// Windows-1250 names a Polish login gets from DATENAME.
constexpr std::array<std::string_view, 7> kWeekdays = {
    "poniedziałek"_w1250, "wtorek", "środa"_w1250, "czwartek",
    "piątek"_w1250,       "sobota", "niedziela"};

int iso_week(int64_t days) {
  int64_t thursday = days - (iso_weekday(days) - 1) + 3;
  date::Civil c = to_civil(thursday);
  int64_t jan1 = *from_civil(c.year, 1, 1);
  return static_cast<int>((thursday - jan1) / 7 + 1);
}

std::optional<DateTime> add_months(const DateTime& dt, int64_t n) {
  date::Civil c = to_civil(dt.days);
  int64_t total = int64_t{c.year} * 12 + (c.month - 1) + n;
  int64_t y = floor_div(total, 12);
  int m = static_cast<int>(total - y * 12) + 1;
  if (y < 1800 || y > 9999) return std::nullopt;
  int d = std::min(c.day, date::days_in_month(m, static_cast<int>(y)));
  auto days = from_civil(static_cast<int>(y), m, d);
  if (!days) return std::nullopt;
  return make_checked(*days, dt.ms);
}

std::optional<DateTime> add_ms(const DateTime& dt, int64_t delta) {
  // Beyond ±10^4 years in milliseconds the result is out of range anyway; avoid overflow.
  if (delta > 400'000 * kMsPerDay || delta < -400'000 * kMsPerDay) return std::nullopt;
  int64_t total = dt.days * kMsPerDay + dt.ms + delta;
  int64_t days = floor_div(total, kMsPerDay);
  return make_checked(days, total - days * kMsPerDay);
}

int64_t total_ms(const DateTime& dt) {
  return dt.days * kMsPerDay + dt.ms;
}

}  // namespace

std::optional<DatePart> parse_date_part(std::string_view name) {
  std::string n = text::lower(text::trim(name));
  if (n.size() >= 2 && (n.front() == '\'' || n.front() == '"') && n.back() == n.front()) {
    n = n.substr(1, n.size() - 2);
  }
  if (n == "iso_week" || n == "isowk" || n == "isoww") return DatePart::IsoWeek;
  for (const auto& p : kParts) {
    if (p.name == n) return p.part;
  }
  return std::nullopt;
}

std::optional<DateTime> parse_datetime(std::string_view text_in, int style) {
  Reader r{text::trim(text_in)};
  int64_t days = 0, ms = 0;
  bool time_only = r.s.size() > 2 && (r.s[1] == ':' || r.s[2] == ':');
  if (time_only) {
    if (!read_time(r, ms) || !r.at_end()) return std::nullopt;
    return DateTime{0, ms};
  }
  if (!read_date(r, style, days)) return std::nullopt;
  if (r.take(' ') || r.take('T')) {
    while (r.take(' ')) {
    }
    if (!read_time(r, ms)) return std::nullopt;
  }
  if (!r.at_end()) return std::nullopt;
  return DateTime{days, ms};
}

std::optional<DateTime> datetime_from_days(double days) {
  if (!std::isfinite(days)) return std::nullopt;
  double whole = std::floor(days);
  auto ms = static_cast<int64_t>(std::llround((days - whole) * kMsPerDay));
  auto d = static_cast<int64_t>(whole);
  if (ms >= kMsPerDay) ++d, ms -= kMsPerDay;
  if (whole < kMinDays || whole > kMaxDays) return std::nullopt;
  return make_checked(d, ms);
}

std::string format_datetime(const DateTime& dt) {
  return render(dt, "Y-m-d H:M:S.f");
}
std::string format_date(const DateTime& dt) {
  return render(dt, "Y-m-d");
}
std::string format_time(const DateTime& dt) {
  return render(dt, "H:M:S.f");
}

std::optional<std::string> format_datetime_style(const DateTime& dt, int style) {
  static constexpr std::array<std::pair<int, std::string_view>, 26> kStyles = {{
      {1, "m/d/y"},           {101, "m/d/Y"},         {2, "y.m.d"},         {102, "Y.m.d"},
      {3, "d/m/y"},           {103, "d/m/Y"},         {4, "d.m.y"},         {104, "d.m.Y"},
      {5, "d-m-y"},           {105, "d-m-Y"},         {10, "m-d-y"},        {110, "m-d-Y"},
      {11, "y/m/d"},          {111, "Y/m/d"},         {12, "ymd"},          {112, "Ymd"},
      {8, "H:M:S"},           {108, "H:M:S"},         {24, "H:M:S"},        {14, "H:M:S:f"},
      {114, "H:M:S:f"},       {20, "Y-m-d H:M:S"},    {120, "Y-m-d H:M:S"}, {21, "Y-m-d H:M:S.f"},
      {121, "Y-m-d H:M:S.f"}, {126, "Y-m-dTH:M:S.f"},
  }};
  if (style == 23) return render(dt, "Y-m-d");
  for (const auto& [s, f] : kStyles) {
    if (s == style) return render(dt, f);
  }
  return std::nullopt;
}

double to_days(const DateTime& dt) {
  return static_cast<double>(dt.days) + static_cast<double>(dt.ms) / kMsPerDay;
}

int64_t datepart(DatePart part, const DateTime& dt, int datefirst) {
  date::Civil c = to_civil(dt.days);
  switch (part) {
    case DatePart::Year:
      return c.year;
    case DatePart::Quarter:
      return (c.month - 1) / 3 + 1;
    case DatePart::Month:
      return c.month;
    case DatePart::DayOfYear:
      return dt.days - *from_civil(c.year, 1, 1) + 1;
    case DatePart::Day:
      return c.day;
    case DatePart::Week: {
      int64_t jan1 = *from_civil(c.year, 1, 1);
      return (dt.days - jan1 + weekday_number(jan1, datefirst) - 1) / 7 + 1;
    }
    case DatePart::Weekday:
      return weekday_number(dt.days, datefirst);
    case DatePart::Hour:
      return dt.ms / 3'600'000;
    case DatePart::Minute:
      return dt.ms / 60'000 % 60;
    case DatePart::Second:
      return dt.ms / 1000 % 60;
    case DatePart::Millisecond:
      return dt.ms % 1000;
    case DatePart::Microsecond:
      return dt.ms % 1000 * 1000;
    case DatePart::Nanosecond:
      return dt.ms % 1000 * 1'000'000;
    case DatePart::IsoWeek:
      return iso_week(dt.days);
  }
  return 0;
}

std::string datename(DatePart part, const DateTime& dt, int datefirst) {
  if (part == DatePart::Month) return std::string(date::month_name(to_civil(dt.days).month));
  if (part == DatePart::Weekday) return std::string(kWeekdays[iso_weekday(dt.days) - 1]);
  return std::to_string(datepart(part, dt, datefirst));
}

std::optional<DateTime> dateadd(DatePart part, int64_t n, const DateTime& dt) {
  if (n > 4'000'000 || n < -4'000'000) {
    // Only the millisecond-sized parts take numbers this large.
    if (part != DatePart::Millisecond && part != DatePart::Second && part != DatePart::Minute &&
        part != DatePart::Microsecond && part != DatePart::Nanosecond) {
      return std::nullopt;
    }
  }
  switch (part) {
    case DatePart::Year:
      return add_months(dt, n * 12);
    case DatePart::Quarter:
      return add_months(dt, n * 3);
    case DatePart::Month:
      return add_months(dt, n);
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
      return make_checked(dt.days + n, dt.ms);
    case DatePart::Week:
    case DatePart::IsoWeek:
      return make_checked(dt.days + 7 * n, dt.ms);
    case DatePart::Hour:
      return add_ms(dt, n * 3'600'000);
    case DatePart::Minute:
      return add_ms(dt, n * 60'000);
    case DatePart::Second:
      return add_ms(dt, n * 1000);
    case DatePart::Millisecond:
      return add_ms(dt, n);
    case DatePart::Microsecond:
      return add_ms(dt, n / 1000);
    case DatePart::Nanosecond:
      return add_ms(dt, n / 1'000'000);
  }
  return std::nullopt;
}

int64_t datediff(DatePart part, const DateTime& a, const DateTime& b) {
  date::Civil ca = to_civil(a.days), cb = to_civil(b.days);
  switch (part) {
    case DatePart::Year:
      return cb.year - ca.year;
    case DatePart::Quarter:
      return (cb.year * 4 + (cb.month - 1) / 3) - (ca.year * 4 + (ca.month - 1) / 3);
    case DatePart::Month:
      return (cb.year * 12 + cb.month) - (ca.year * 12 + ca.month);
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
      return b.days - a.days;
    case DatePart::Week:
    case DatePart::IsoWeek:
      return floor_div(b.days + 1, 7) - floor_div(a.days + 1, 7);
    case DatePart::Hour:
      return floor_div(total_ms(b), 3'600'000) - floor_div(total_ms(a), 3'600'000);
    case DatePart::Minute:
      return floor_div(total_ms(b), 60'000) - floor_div(total_ms(a), 60'000);
    case DatePart::Second:
      return floor_div(total_ms(b), 1000) - floor_div(total_ms(a), 1000);
    case DatePart::Millisecond:
      return total_ms(b) - total_ms(a);
    case DatePart::Microsecond:
      return (total_ms(b) - total_ms(a)) * 1000;
    case DatePart::Nanosecond:
      return (total_ms(b) - total_ms(a)) * 1'000'000;
  }
  return 0;
}

DateTime now() {
  int32_t t = date::clock();
  return {date::today() - day_1900(), t > 0 ? int64_t{t - 1} * 10 : 0};
}

}  // namespace orv::sql::sqlite
