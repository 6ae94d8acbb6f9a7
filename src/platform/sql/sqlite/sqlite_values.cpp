// Moving values between SqlValue and the SQLite C API.
#include "platform/sql/sqlite/sqlite_values.hpp"

#include <cstdlib>
#include <string_view>

#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

std::string bytes_of(const void* p, int n) {
  return p && n > 0 ? std::string(static_cast<const char*>(p), static_cast<std::size_t>(n))
                    : std::string();
}

}  // namespace

SqlValue read_value(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      return SqlValue::of(static_cast<int64_t>(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
      return SqlValue::of(sqlite3_value_double(v));
    case SQLITE_TEXT: {
      auto* p = sqlite3_value_text(v);
      return SqlValue::of(bytes_of(p, sqlite3_value_bytes(v)));
    }
    case SQLITE_BLOB: {
      SqlValue out;
      out.type = SqlValue::Type::Blob;
      const void* p = sqlite3_value_blob(v);
      out.text = bytes_of(p, sqlite3_value_bytes(v));
      return out;
    }
    default:
      return SqlValue::null();
  }
}

SqlValue column_value(sqlite3_stmt* st, int k) {
  switch (sqlite3_column_type(st, k)) {
    case SQLITE_INTEGER:
      return SqlValue::of(static_cast<int64_t>(sqlite3_column_int64(st, k)));
    case SQLITE_FLOAT:
      return SqlValue::of(sqlite3_column_double(st, k));
    case SQLITE_TEXT: {
      auto* p = sqlite3_column_text(st, k);
      return SqlValue::of(bytes_of(p, sqlite3_column_bytes(st, k)));
    }
    case SQLITE_BLOB: {
      SqlValue out;
      out.type = SqlValue::Type::Blob;
      const void* p = sqlite3_column_blob(st, k);
      out.text = bytes_of(p, sqlite3_column_bytes(st, k));
      return out;
    }
    default:
      return SqlValue::null();
  }
}

std::vector<SqlValue> read_args(int argc, sqlite3_value** argv) {
  std::vector<SqlValue> args;
  args.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) args.push_back(read_value(argv[i]));
  return args;
}

int bind_value(sqlite3_stmt* st, int index, const SqlValue& v) {
  switch (v.type) {
    case SqlValue::Type::Integer:
      return sqlite3_bind_int64(st, index, v.integer);
    case SqlValue::Type::Real:
      return sqlite3_bind_double(st, index, v.real);
    case SqlValue::Type::Text:
      return sqlite3_bind_text64(st, index, v.text.data(), v.text.size(), SQLITE_TRANSIENT,
                                 SQLITE_UTF8);
    case SqlValue::Type::Blob:
      return sqlite3_bind_blob64(st, index, v.text.data(), v.text.size(), SQLITE_TRANSIENT);
    case SqlValue::Type::Null:
      break;
  }
  return sqlite3_bind_null(st, index);
}

void result_value(sqlite3_context* ctx, const SqlValue& v) {
  switch (v.type) {
    case SqlValue::Type::Integer:
      sqlite3_result_int64(ctx, v.integer);
      return;
    case SqlValue::Type::Real:
      sqlite3_result_double(ctx, v.real);
      return;
    case SqlValue::Type::Text:
      sqlite3_result_text64(ctx, v.text.data(), v.text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
      return;
    case SqlValue::Type::Blob:
      sqlite3_result_blob64(ctx, v.text.data(), v.text.size(), SQLITE_TRANSIENT);
      return;
    case SqlValue::Type::Null:
      sqlite3_result_null(ctx);
      return;
  }
}

int declared_scale(const char* decl) {
  if (!decl) return -1;
  std::string t = text::lower(decl);
  std::string_view s = text::trim(t);
  if (s == "money" || s == "smallmoney") return 4;
  bool numeric = s.rfind("numeric", 0) == 0 || s.rfind("decimal", 0) == 0;
  auto open = s.find('(');
  if (!numeric || open == std::string_view::npos) return -1;
  auto comma = s.find(',', open);
  if (comma == std::string_view::npos) return 0;
  std::string digits(text::trim(s.substr(comma + 1)));
  int scale = std::atoi(digits.c_str());
  return scale >= 0 && scale <= 18 ? scale : -1;
}

std::optional<int> carried_scale(sqlite3_value* v) {
  unsigned subtype = sqlite3_value_subtype(v);
  if (subtype < kScaleSubtype || subtype > kScaleSubtype + 38) return std::nullopt;
  return static_cast<int>(subtype - kScaleSubtype);
}

}  // namespace orv::sql::sqlite
