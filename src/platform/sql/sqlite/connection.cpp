// The SQLite connection: encoding at the seam, translation through the cache, plan execution.
#include "platform/sql/sqlite/connection.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

#include "platform/decimal/decimal.hpp"
#include "platform/sql/sqlite/blob_io.hpp"
#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

// Beyond this the decimal type saturates; larger reals are written out digit by digit instead
// of collapsing to its limit.
constexpr double kDecimalRange = 1e17;

// 15 significant digits, then the exponent spelled out as zeros: 1e33 gives 1 and 33 zeros.
std::string large_number(double v, int scale) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", v);
  std::string s(buf);
  auto e = s.find('e');
  int exponent = std::atoi(s.c_str() + e + 1);
  std::string mantissa = s.substr(0, e);
  bool negative = mantissa[0] == '-';
  std::string digits;
  for (char c : mantissa)
    if (c >= '0' && c <= '9') digits += c;
  digits.resize(static_cast<std::size_t>(exponent) + 1, '0');
  if (scale > 0) digits += "." + std::string(static_cast<std::size_t>(scale), '0');
  return (negative ? "-" : "") + digits;
}

}  // namespace

std::string format_column(const SqlValue& v, int scale) {
  switch (v.type) {
    case SqlValue::Type::Null:
      return {};
    case SqlValue::Type::Integer:
      if (scale > 0) return Decimal::from_int(v.integer).rescale(scale).to_string();
      return std::to_string(v.integer);
    case SqlValue::Type::Real:
      if (std::isfinite(v.real) && std::fabs(v.real) >= kDecimalRange) {
        return large_number(v.real, scale);
      }
      if (scale >= 0) return Decimal::from_double(v.real).rescale(scale).to_string();
      return plain_number(v.real);
    case SqlValue::Type::Text:
      return text::from_utf8(v.text);
    case SqlValue::Type::Blob:
      return v.text;
  }
  return {};
}

SqliteConnection::SqliteConnection(sqlite3* db,
                                   std::shared_ptr<dialect::TranslationCache> translations)
    : db_(db), translations_(std::move(translations)), session_(db, translations_, &statements_) {}

SqliteConnection::~SqliteConnection() {
  clear();
}

int SqliteConnection::fail(std::string_view utf8_message) {
  message_ = text::from_utf8(utf8_message);
  return kRejected;
}

int SqliteConnection::send(std::string_view statement) {
  try {
    return run(statement);
  } catch (const std::bad_alloc&) {
    result_.reset();
    message_ = "out of memory";
    return kOther;
  } catch (const std::exception& e) {
    result_.reset();
    return fail(e.what());
  }
}

int SqliteConnection::run(std::string_view statement) {
  clear();
  message_.clear();
  bound_.clear();
  auto translation = translations_->get(text::to_utf8(statement), &session_.catalog());
  if (!translation->ok) return fail(translation->error);
  bool was_autocommit = sqlite3_get_autocommit(db_.get()) != 0;
  Variables vars;
  Executor executor(db_.get(), session_, &statements_, &session_.catalog());
  if (!executor.run(translation->plan, vars, result_, /*live=*/true, &more_)) {
    clear();
    // A transaction this batch opened must not outlive its failure: it would hold the write
    // lock against every other channel and process.
    if (was_autocommit && !sqlite3_get_autocommit(db_.get())) {
      sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    return fail(executor.error());
  }
  bound_ = std::move(vars);
  return kOk;
}

bool SqliteConnection::next() {
  if (!result_) return false;
  on_row_ = result_->next();
  if (!on_row_ && !result_->error().empty()) message_ = text::from_utf8(result_->error());
  return on_row_;
}

std::size_t SqliteConnection::columns() const {
  return result_ ? result_->columns() : 0;
}

std::string SqliteConnection::column(std::size_t k) const {
  if (!on_row_ || k >= columns()) return {};
  return format_column(result_->value(k), result_->scale(k));
}

bool SqliteConnection::null(std::size_t k) const {
  return on_row_ && k < columns() && result_->value(k).is_null();
}

bool SqliteConnection::next_result() {
  on_row_ = false;
  if (next_more_ >= more_.size()) return false;
  result_ = std::move(more_[next_more_++]);
  return true;
}

void SqliteConnection::clear() {
  result_.reset();
  more_.clear();
  next_more_ = 0;
  on_row_ = false;
}

std::optional<std::string> SqliteConnection::variable(std::string_view name) const {
  auto it = bound_.find(variable_key(name));
  if (it == bound_.end()) return std::nullopt;
  return format_column(it->second, -1);
}

// Names that are not plain never reach SQL text, whatever the backend.
int SqliteConnection::read_blob(const BlobCell& cell, Blob& out) {
  clear();
  message_.clear();
  out = {};
  if (!cell.valid()) return fail("not a plain name in " + cell.describe());
  std::string error;
  int rc = sqlite::read_blob(db_.get(), cell, out, error);
  return rc == kOk ? rc : fail(error);
}

int SqliteConnection::write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) {
  clear();
  message_.clear();
  if (!cell.valid()) return fail("not a plain name in " + cell.describe());
  std::string error;
  int rc = sqlite::write_blob(db_.get(), cell, bytes, error);
  return rc == kOk ? rc : fail(error);
}

int SqliteConnection::insert_rows(const BoundRows& rows) {
  clear();
  message_.clear();
  if (!rows.valid()) return fail("not a plain name, or a row of another width, in " + rows.table);
  std::string error;
  int rc = sqlite::insert_rows(db_.get(), rows, error);
  return rc == kOk ? rc : fail(error);
}

}  // namespace orv::sql::sqlite
