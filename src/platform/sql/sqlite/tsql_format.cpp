// FORMAT(value, format[, culture]): .NET number and date formats as a Polish login sees them.
#include <cmath>
#include <cstdlib>

#include "platform/decimal/decimal.hpp"
#include "platform/sql/sqlite/tsql_dates.hpp"
#include "platform/sql/sqlite/tsql_functions.hpp"
#include "platform/sql/sqlite/tsql_values.hpp"
#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

struct Culture {
  std::string group;  // UTF-8
  char point;
  const char* short_date;
};

// pl-PL groups with a no-break space; en-US as its name says.
const Culture kPolish{"\xC2\xA0", ',', "dd.MM.yyyy"};
const Culture kEnglish{",", '.', "M/d/yyyy"};

std::string fixed(double v, int places) {
  if (std::fabs(v) < 1e17) return Decimal::from_double(v).rescale(places).to_string();
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", places, v);
  return buf;
}

// "-1234.50" with the culture's point, grouped by thousands when asked, whole part padded with
// zeros to `min_whole` digits.
std::string number_text(double v, int places, bool grouped, std::size_t min_whole,
                        const Culture& c) {
  std::string s = fixed(v, places);
  bool negative = !s.empty() && s[0] == '-';
  if (negative) s.erase(0, 1);
  std::size_t dot = s.find('.');
  std::string whole = s.substr(0, dot), frac = dot == std::string::npos ? "" : s.substr(dot + 1);
  if (whole == "0" && min_whole == 0) whole.clear();
  while (whole.size() < min_whole) whole.insert(0, "0");
  if (grouped) {
    for (int k = static_cast<int>(whole.size()) - 3; k > 0; k -= 3) whole.insert(k, c.group);
  }
  bool zero = whole.find_first_not_of("0") == std::string::npos &&
              frac.find_first_not_of("0") == std::string::npos;
  std::string out = (negative && !zero ? "-" : "") + whole;
  if (!frac.empty()) out += c.point + frac;
  return out;
}

std::optional<std::string> standard_number(double v, std::string_view f, const Culture& c) {
  char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(f[0])));
  std::string digits(f.substr(1));
  if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 2) {
    return std::nullopt;
  }
  int n = digits.empty() ? -1 : std::atoi(digits.c_str());
  switch (kind) {
    case 'N':
      return number_text(v, n < 0 ? 2 : n, true, 1, c);
    case 'F':
      return number_text(v, n < 0 ? 2 : n, false, 1, c);
    case 'P':
      return number_text(v * 100, n < 0 ? 2 : n, true, 1, c) + (c.point == '.' ? " %" : "%");
    case 'D':
      if (v != std::floor(v)) return std::nullopt;
      return number_text(v, 0, false, static_cast<std::size_t>(std::max(n, 1)), c);
    default:
      return std::nullopt;
  }
}

// Custom patterns of digits: "#,0.00", "0.000", "#,##0".
std::optional<std::string> custom_number(double v, std::string_view f, const Culture& c) {
  if (f.find_first_not_of("#0,.") != std::string_view::npos) return std::nullopt;
  std::size_t dot = f.find('.');
  std::string_view whole = f.substr(0, dot);
  std::string_view frac = dot == std::string_view::npos ? "" : f.substr(dot + 1);
  std::size_t zeros = 0;
  for (char ch : whole) zeros += ch == '0';
  return number_text(v, static_cast<int>(frac.size()), whole.find(',') != std::string_view::npos,
                     zeros, c);
}

std::string two(int64_t v) {
  return (v < 10 ? "0" : "") + std::to_string(v);
}

// yyyy yy MM M dd d HH H mm ss fff and 'quoted' text; other characters as they are.
std::string date_text(const DateTime& dt, std::string_view f) {
  auto part = [&](DatePart p) { return datepart(p, dt, 1); };
  std::string out;
  for (std::size_t i = 0; i < f.size();) {
    char ch = f[i];
    std::size_t run = 1;
    while (i + run < f.size() && f[i + run] == ch) ++run;
    if (ch == '\'' || ch == '"') {
      std::size_t close = f.find(ch, i + 1);
      if (close == std::string_view::npos) close = f.size();
      out += f.substr(i + 1, close - i - 1);
      i = close + 1;
      continue;
    }
    std::string piece;
    if (ch == 'y')
      piece = run >= 3 ? std::to_string(part(DatePart::Year)) : two(part(DatePart::Year) % 100);
    else if (ch == 'M')
      piece = run >= 2 ? two(part(DatePart::Month)) : std::to_string(part(DatePart::Month));
    else if (ch == 'd')
      piece = run >= 2 ? two(part(DatePart::Day)) : std::to_string(part(DatePart::Day));
    else if (ch == 'H')
      piece = run >= 2 ? two(part(DatePart::Hour)) : std::to_string(part(DatePart::Hour));
    else if (ch == 'm')
      piece = run >= 2 ? two(part(DatePart::Minute)) : std::to_string(part(DatePart::Minute));
    else if (ch == 's')
      piece = run >= 2 ? two(part(DatePart::Second)) : std::to_string(part(DatePart::Second));
    else if (ch == 'f')
      piece = std::to_string(1000 + part(DatePart::Millisecond))
                  .substr(1, std::min<std::size_t>(run, 3));
    else
      piece = std::string(run, ch);
    out += piece;
    i += run;
  }
  return out;
}

}  // namespace

SqlValue tsql_format(const SqlValue& value, std::string_view format, std::string_view culture) {
  if (value.is_null()) return SqlValue::null();
  std::string name = text::upper(std::string(text::trim(culture)));
  if (!name.empty() && name != "PL-PL" && name != "PL" && name != "EN-US" && name != "EN") {
    throw TsqlError{"The culture parameter '" + std::string(culture) +
                    "' provided in the function call is not supported."};
  }
  const Culture& c = name.starts_with("EN") ? kEnglish : kPolish;
  if (value.type == SqlValue::Type::Text) {
    auto dt = parse_datetime(value.text);
    if (!dt)
      throw TsqlError{"Argument data type varchar is invalid for argument 1 of format function."};
    if (format == "d") return SqlValue::of(date_text(*dt, c.short_date));
    return SqlValue::of(date_text(*dt, format));
  }
  if (value.type == SqlValue::Type::Blob || format.empty()) return SqlValue::null();
  double v = value.as_real();
  auto out = std::isalpha(static_cast<unsigned char>(format[0])) ? standard_number(v, format, c)
                                                                 : custom_number(v, format, c);
  // The server gives NULL for a format it cannot apply.
  return out ? SqlValue::of(*out) : SqlValue::null();
}

}  // namespace orv::sql::sqlite
