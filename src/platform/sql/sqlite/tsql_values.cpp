// CONVERT, '+' and LEN with the server's typing and error texts.
#include "platform/sql/sqlite/tsql_values.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "platform/decimal/decimal.hpp"
#include "platform/sql/sqlite/tsql_dates.hpp"
#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

enum class Family { Integer, Real, Decimal, Bit, Text, Date };

struct TargetType {
  std::string name;  // lower case, without the length
  Family family = Family::Text;
  int64_t min = 0, max = 0;  // Integer
  bool single = false;       // Real: single precision
  int precision = 18, scale = 0;
  std::optional<std::size_t> length;  // Text; nullopt = unlimited
  bool pad = false;                   // char(n), nchar(n)
};

// "numeric(15,2)" -> name "numeric", numbers {15, 2}; "varchar(max)" -> {-1}.
std::string split_type(std::string_view type, std::vector<long>& numbers) {
  std::string t = text::lower(text::trim(type));
  if (t.size() >= 2 && (t.front() == '\'' || t.front() == '"') && t.back() == t.front()) {
    t = t.substr(1, t.size() - 2);
  }
  auto open = t.find('(');
  if (open == std::string::npos) return std::string(text::trim(t));
  std::string args = t.substr(open + 1);
  for (std::size_t i = 0; i < args.size();) {
    while (i < args.size() && (args[i] == ' ' || args[i] == ',')) ++i;
    if (args.compare(i, 3, "max") == 0)
      numbers.push_back(-1), i += 3;
    else if (i < args.size() && text::is_digit(args[i]))
      numbers.push_back(std::strtol(&args[i], nullptr, 10));
    while (i < args.size() && text::is_digit(args[i])) ++i;
    if (i < args.size() && args[i] != ',' && args[i] != ' ') break;
  }
  return std::string(text::trim(std::string_view(t).substr(0, open)));
}

bool integer_type(TargetType& t) {
  static const struct {
    const char* name;
    int64_t min, max;
  } kInts[] = {{"int", INT32_MIN, INT32_MAX},
               {"integer", INT32_MIN, INT32_MAX},
               {"bigint", INT64_MIN, INT64_MAX},
               {"smallint", -32768, 32767},
               {"tinyint", 0, 255}};
  for (const auto& k : kInts) {
    if (t.name == k.name) {
      t.family = Family::Integer, t.min = k.min, t.max = k.max;
      return true;
    }
  }
  return false;
}

TargetType parse_type(std::string_view type) {
  std::vector<long> n;
  TargetType t;
  t.name = split_type(type, n);
  if (integer_type(t)) return t;
  const std::string& name = t.name;
  if (name == "real" || name == "float") {
    t.family = Family::Real;
    t.single = name == "real" || (!n.empty() && n[0] > 0 && n[0] <= 24);
  } else if (name == "numeric" || name == "decimal" || name == "money" || name == "smallmoney") {
    t.family = Family::Decimal;
    bool money = name == "money" || name == "smallmoney";
    long precision = money ? 19 : n.size() > 0 ? n[0] : 18;
    long scale = money ? 4 : n.size() > 1 ? n[1] : 0;
    if (precision < 1 || precision > 38) {
      throw TsqlError{"The size (" + std::to_string(precision) + ") given to the type '" + name +
                      "' exceeds the maximum allowed for any data type (38)."};
    }
    if (scale < 0 || scale > precision) {
      throw TsqlError{"The scale (" + std::to_string(scale) + ") for type '" + name +
                      "' must be within the range 0 to " + std::to_string(precision) + "."};
    }
    t.precision = static_cast<int>(precision);
    // Decimal keeps at most 18 places; the server's further places hold nothing we compute.
    t.scale = static_cast<int>(std::min<long>(scale, Decimal::kMaxScale));
  } else if (name == "bit") {
    t.family = Family::Bit;
  } else if (name == "varchar" || name == "nvarchar" || name == "char" || name == "nchar" ||
             name == "text" || name == "ntext" || name == "sysname") {
    t.family = Family::Text;
    t.pad = name == "char" || name == "nchar";
    // Without a length CONVERT gives 30 characters (the server's default for CAST/CONVERT).
    if (name == "text" || name == "ntext" || (!n.empty() && n[0] < 0)) {
      t.length = std::nullopt;
    } else {
      t.length = n.empty() ? 30 : static_cast<std::size_t>(n[0]);
      if (*t.length > 8000) {
        throw TsqlError{"The size (" + std::to_string(*t.length) + ") given to the type '" + name +
                        "' exceeds the maximum allowed for any data type (8000)."};
      }
    }
  } else if (name == "datetime" || name == "smalldatetime" || name == "datetime2" ||
             name == "date" || name == "time" || name == "datetimeoffset") {
    t.family = Family::Date;
  } else {
    throw TsqlError{"Type " + std::string(text::trim(type)) + " is not a defined system type."};
  }
  return t;
}

std::string quoted_value(const SqlValue& v) {
  return "'" + v.as_text() + "'";
}

// The server's integer reading of a text: blanks and a sign around digits; '' is 0.
std::optional<int64_t> text_to_integer(std::string_view s) {
  s = text::trim(s);
  if (s.empty()) return 0;
  std::size_t i = s[0] == '+' || s[0] == '-' ? 1 : 0;
  if (i == s.size()) return std::nullopt;
  for (std::size_t k = i; k < s.size(); ++k) {
    if (!text::is_digit(s[k])) return std::nullopt;
  }
  errno = 0;
  long long v = std::strtoll(std::string(s).c_str(), nullptr, 10);
  if (errno == ERANGE) return std::nullopt;
  return v;
}

// Decimal or exponent notation only: no hex, no "inf"/"nan", no decimal comma.
std::optional<double> text_to_real(std::string_view s) {
  s = text::trim(s);
  if (s.empty()) return 0.0;
  for (char c : s) {
    if (!text::is_digit(c) && c != '.' && c != '+' && c != '-' && c != 'e' && c != 'E') {
      return std::nullopt;
    }
  }
  std::string copy(s);
  char* end = nullptr;
  double v = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// A whole ISO date text as a day count: the server converts its datetimes to numbers that way.
std::optional<double> date_text_days(std::string_view s) {
  auto dt = parse_datetime(s);
  if (!dt) return std::nullopt;
  return to_days(*dt);
}

SqlValue to_integer(const TargetType& t, const SqlValue& v) {
  int64_t out = 0;
  if (v.type == SqlValue::Type::Integer) {
    out = v.integer;
  } else if (v.type == SqlValue::Type::Real) {
    double r = std::trunc(v.real);
    if (!(r >= -9.2e18 && r <= 9.2e18)) {
      throw TsqlError{"Arithmetic overflow error converting expression to data type " + t.name +
                      "."};
    }
    out = static_cast<int64_t>(r);
  } else if (auto i = text_to_integer(v.text)) {
    out = *i;
  } else if (auto d = date_text_days(v.text)) {
    out = static_cast<int64_t>(std::floor(*d + 0.5));
  } else {
    throw TsqlError{"Conversion failed when converting the varchar value " + quoted_value(v) +
                    " to data type " + t.name + "."};
  }
  if (out < t.min || out > t.max) {
    throw TsqlError{"Arithmetic overflow error converting expression to data type " + t.name + "."};
  }
  return SqlValue::of(out);
}

double text_as_real(const TargetType& t, const SqlValue& v) {
  if (auto r = text_to_real(v.text)) return *r;
  if (auto d = date_text_days(v.text)) return *d;
  throw TsqlError{"Error converting data type varchar to " + t.name + "."};
}

SqlValue to_real(const TargetType& t, const SqlValue& v) {
  double r = v.type == SqlValue::Type::Integer ? static_cast<double>(v.integer)
             : v.type == SqlValue::Type::Real  ? v.real
                                               : text_as_real(t, v);
  if (t.single) r = static_cast<double>(static_cast<float>(r));
  return SqlValue::of(r);
}

SqlValue to_decimal(const TargetType& t, const SqlValue& v) {
  Decimal d;
  std::string from = "float";
  if (v.type == SqlValue::Type::Integer) {
    d = Decimal::from_int(v.integer), from = "int";
  } else if (v.type == SqlValue::Type::Real) {
    d = Decimal::from_double(v.real);
  } else if (!Decimal::parse(v.text, d)) {
    throw TsqlError{"Error converting data type varchar to numeric."};
  }
  d = d.rescale(t.scale);
  __int128 limit = 1;
  for (int k = 0; k < t.precision; ++k) limit *= 10;
  if (d.units() >= limit || d.units() <= -limit) {
    throw TsqlError{"Arithmetic overflow error converting " + from + " to data type numeric."};
  }
  if (t.scale == 0) return SqlValue::of(static_cast<int64_t>(d.units()));
  return SqlValue::of(d.to_double());
}

SqlValue to_bit(const SqlValue& v) {
  if (v.type == SqlValue::Type::Integer) return SqlValue::of(int64_t{v.integer != 0});
  if (v.type == SqlValue::Type::Real) return SqlValue::of(int64_t{v.real != 0});
  std::string t = text::lower(text::trim(v.text));
  if (t == "true") return SqlValue::of(int64_t{1});
  if (t == "false") return SqlValue::of(int64_t{0});
  if (auto r = text_to_real(t); r && !t.empty()) return SqlValue::of(int64_t{*r != 0});
  throw TsqlError{"Conversion failed when converting the varchar value " + quoted_value(v) +
                  " to data type bit."};
}

std::string utf8_prefix(const std::string& s, std::size_t chars) {
  std::size_t i = 0;
  for (std::size_t n = 0; i < s.size() && n < chars; ++n) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return s.substr(0, i);
}

SqlValue to_text(const TargetType& t, const SqlValue& v, std::optional<int> style) {
  std::string s = v.as_text();
  if (style && v.type == SqlValue::Type::Text) {
    if (auto dt = parse_datetime(v.text)) {
      if (auto styled = format_datetime_style(*dt, *style)) s = *styled;
    }
  }
  if (t.length) {
    s = utf8_prefix(s, *t.length);
    if (t.pad) s.append(*t.length - utf8_length(s), ' ');
  }
  return SqlValue::of(std::move(s));
}

SqlValue to_date(const TargetType& t, const SqlValue& v, std::optional<int> style) {
  std::optional<DateTime> dt;
  if (v.type == SqlValue::Type::Integer)
    dt = datetime_from_days(static_cast<double>(v.integer));
  else if (v.type == SqlValue::Type::Real)
    dt = datetime_from_days(v.real);
  else
    dt = parse_datetime(v.text, style.value_or(0));
  if (!dt) {
    if (v.type == SqlValue::Type::Text) {
      throw TsqlError{"Conversion failed when converting date and/or time from character string."};
    }
    throw TsqlError{"Arithmetic overflow error converting expression to data type " + t.name + "."};
  }
  if (t.name == "date") return SqlValue::of(format_date(*dt));
  if (t.name == "time") return SqlValue::of(format_time(*dt));
  if (t.name == "smalldatetime") dt->ms = (dt->ms + 30'000) / 60'000 * 60'000;
  if (dt->ms >= 86'400'000) return SqlValue::of(format_datetime(*datetime_from_days(to_days(*dt))));
  return SqlValue::of(format_datetime(*dt));
}

bool is_text(const SqlValue& v) {
  return v.type == SqlValue::Type::Text || v.type == SqlValue::Type::Blob;
}

// The number a text stands for when added to a number: whole texts stay whole.
SqlValue text_operand(const SqlValue& text_value, const SqlValue& number) {
  if (number.type == SqlValue::Type::Integer) {
    if (auto i = text_to_integer(text_value.text)) return SqlValue::of(*i);
    if (auto r = text_to_real(text_value.text)) return SqlValue::of(*r);
    throw TsqlError{"Conversion failed when converting the varchar value " +
                    quoted_value(text_value) + " to data type int."};
  }
  if (auto r = text_to_real(text_value.text)) return SqlValue::of(*r);
  throw TsqlError{"Error converting data type varchar to float."};
}

SqlValue add_numbers(const SqlValue& a, const SqlValue& b) {
  if (a.type == SqlValue::Type::Integer && b.type == SqlValue::Type::Integer) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a.integer, b.integer, &sum)) {
      throw TsqlError{"Arithmetic overflow error converting expression to data type bigint."};
    }
    return SqlValue::of(sum);
  }
  return SqlValue::of(a.as_real() + b.as_real());
}

}  // namespace

std::size_t utf8_length(std::string_view s) {
  std::size_t n = 0;
  for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

SqlValue tsql_add(const SqlValue& a, const SqlValue& b) {
  if (a.is_null() || b.is_null()) return SqlValue::null();
  if (is_text(a) && is_text(b)) return SqlValue::of(a.text + b.text);
  if (is_text(a)) return add_numbers(text_operand(a, b), b);
  if (is_text(b)) return add_numbers(a, text_operand(b, a));
  return add_numbers(a, b);
}

SqlValue tsql_convert(std::string_view type, const SqlValue& value, std::optional<int> style,
                      std::optional<int> scale) {
  TargetType t = parse_type(type);
  if (value.is_null()) return SqlValue::null();
  bool number = value.type == SqlValue::Type::Integer || value.type == SqlValue::Type::Real;
  if (t.family == Family::Text && scale && *scale > 0 && number) {
    Decimal d = value.type == SqlValue::Type::Integer ? Decimal::from_int(value.integer)
                                                      : Decimal::from_double(value.real);
    return to_text(t, SqlValue::of(d.rescale(*scale).to_string()), std::nullopt);
  }
  switch (t.family) {
    case Family::Integer:
      return to_integer(t, value);
    case Family::Real:
      return to_real(t, value);
    case Family::Decimal:
      return to_decimal(t, value);
    case Family::Bit:
      return to_bit(value);
    case Family::Text:
      return to_text(t, value, style);
    case Family::Date:
      return to_date(t, value, style);
  }
  return value;
}

bool tsql_known_type(std::string_view type) {
  try {
    parse_type(type);
    return true;
  } catch (const TsqlError&) {
    return false;
  }
}

std::optional<int> tsql_decimal_scale(std::string_view type) {
  TargetType t = parse_type(type);
  if (t.family != Family::Decimal) return std::nullopt;
  return t.scale;
}

SqlValue tsql_len(const SqlValue& value) {
  if (value.is_null()) return SqlValue::null();
  if (value.type == SqlValue::Type::Blob)
    return SqlValue::of(static_cast<int64_t>(value.text.size()));
  std::string s = value.as_text();
  return SqlValue::of(static_cast<int64_t>(utf8_length(text::clip(s))));
}

}  // namespace orv::sql::sqlite
