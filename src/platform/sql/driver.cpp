// The process-wide current driver.
#include "platform/sql/driver.hpp"

#include <atomic>

#include "platform/decimal/decimal.hpp"
#include "platform/text/text.hpp"

namespace orv::sql {
namespace {
std::atomic<Driver*> g_driver{nullptr};
}

// A backend without binary values says so rather than pretending to store them.
int Connection::read_blob(const BlobCell& cell, Blob& out) {
  out = {};
  (void)cell;
  return kRejected;
}

int Connection::write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) {
  (void)cell;
  (void)bytes;
  return kRejected;
}

namespace {

std::string insert_text(const BoundRows& r, const std::vector<BoundValue>& row) {
  std::string sql = "insert into " + r.table + "(";
  for (std::size_t i = 0; i < r.columns.size(); ++i) sql += (i ? "," : "") + r.columns[i];
  sql += ")values(";
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i) sql += ",";
    sql +=
        row[i].number ? plain_number(row[i].n) : "'" + text::double_apostrophes(row[i].text) + "'";
  }
  return sql + ")";
}

}  // namespace

int Connection::insert_rows(const BoundRows& rows) {
  if (!rows.valid()) return kRejected;
  for (const auto& row : rows.rows) {
    if (int rc = send(insert_text(rows, row)); rc != kOk) return rc;
  }
  return kOk;
}

Driver* current_driver() {
  return g_driver.load();
}
Driver* set_current_driver(Driver* driver) {
  return g_driver.exchange(driver);
}

}  // namespace orv::sql
