// Incremental blob I/O: a value is sized once with zeroblob() and then filled or read in parts,
// so a large photo is never copied whole through a bound parameter or a result column.
#include "platform/sql/sqlite/blob_io.hpp"

#include <algorithm>
#include <memory>

#include "platform/sql/driver.hpp"

namespace orv::sql::sqlite {
namespace {

struct StmtCloser {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtCloser>;

struct BlobCloser {
  void operator()(sqlite3_blob* b) const { sqlite3_blob_close(b); }
};
using BlobHandle = std::unique_ptr<sqlite3_blob, BlobCloser>;

int failed(sqlite3* db, std::string& error) {
  error = sqlite3_errmsg(db);
  return kRejected;
}

Stmt prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &s, nullptr);
  return Stmt(s);
}

// The cell's rowid and storage type; false with `error` when there is no such row.
bool locate(sqlite3* db, const BlobCell& cell, sqlite3_int64& rowid, int& type,
            std::string& error) {
  Stmt s = prepare(db, "SELECT rowid, typeof(\"" + cell.column + "\") FROM \"" + cell.table +
                           "\" WHERE \"" + cell.key_column + "\" = ?");
  if (!s) return failed(db, error), false;
  sqlite3_bind_int64(s.get(), 1, cell.key);
  int rc = sqlite3_step(s.get());
  if (rc != SQLITE_ROW) {
    error = rc == SQLITE_DONE ? "no row of " + cell.describe() : sqlite3_errmsg(db);
    return false;
  }
  rowid = sqlite3_column_int64(s.get(), 0);
  std::string t = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 1));
  type = t == "null" ? SQLITE_NULL : t == "blob" ? SQLITE_BLOB : SQLITE_TEXT;
  return true;
}

// A value stored as text or a number (another client wrote it) is read through a column.
int read_whole(sqlite3* db, const BlobCell& cell, sqlite3_int64 rowid, Blob& out,
               std::string& error) {
  Stmt s =
      prepare(db, "SELECT \"" + cell.column + "\" FROM \"" + cell.table + "\" WHERE rowid = ?");
  if (!s) return failed(db, error);
  sqlite3_bind_int64(s.get(), 1, rowid);
  if (sqlite3_step(s.get()) != SQLITE_ROW) return failed(db, error);
  const auto* p = static_cast<const unsigned char*>(sqlite3_column_blob(s.get(), 0));
  out.bytes.assign(p, p + sqlite3_column_bytes(s.get(), 0));
  return kOk;
}

BlobHandle open_cell(sqlite3* db, const BlobCell& cell, sqlite3_int64 rowid, bool write) {
  sqlite3_blob* b = nullptr;
  sqlite3_blob_open(db, "main", cell.table.c_str(), cell.column.c_str(), rowid, write ? 1 : 0, &b);
  return BlobHandle(b);
}

int fill(sqlite3* db, const BlobCell& cell, std::span<const unsigned char> bytes,
         std::string& error) {
  sqlite3_int64 rowid = 0;
  int type = 0;
  if (!locate(db, cell, rowid, type, error)) return kRejected;
  Stmt size = prepare(db, "UPDATE \"" + cell.table + "\" SET \"" + cell.column +
                              "\" = zeroblob(?) WHERE rowid = ?");
  if (!size) return failed(db, error);
  sqlite3_bind_int64(size.get(), 1, static_cast<sqlite3_int64>(bytes.size()));
  sqlite3_bind_int64(size.get(), 2, rowid);
  if (sqlite3_step(size.get()) != SQLITE_DONE) return failed(db, error);
  if (bytes.empty()) return kOk;
  BlobHandle b = open_cell(db, cell, rowid, /*write=*/true);
  if (!b) return failed(db, error);
  for (std::size_t at = 0; at < bytes.size(); at += kBlobPart) {
    int n = static_cast<int>(std::min(kBlobPart, bytes.size() - at));
    if (sqlite3_blob_write(b.get(), bytes.data() + at, n, static_cast<int>(at)) != SQLITE_OK) {
      return failed(db, error);
    }
  }
  return kOk;
}

}  // namespace

int read_blob(sqlite3* db, const BlobCell& cell, Blob& out, std::string& error) {
  out = {};
  sqlite3_int64 rowid = 0;
  int type = 0;
  if (!locate(db, cell, rowid, type, error)) return kRejected;
  if (type == SQLITE_NULL) {
    out.null = true;
    return kOk;
  }
  if (type != SQLITE_BLOB) return read_whole(db, cell, rowid, out, error);
  BlobHandle b = open_cell(db, cell, rowid, /*write=*/false);
  if (!b) return failed(db, error);
  out.bytes.resize(static_cast<std::size_t>(sqlite3_blob_bytes(b.get())));
  for (std::size_t at = 0; at < out.bytes.size(); at += kBlobPart) {
    int n = static_cast<int>(std::min(kBlobPart, out.bytes.size() - at));
    if (sqlite3_blob_read(b.get(), out.bytes.data() + at, n, static_cast<int>(at)) != SQLITE_OK) {
      out = {};
      return failed(db, error);
    }
  }
  return kOk;
}

// Outside a transaction the write takes the write lock first (BEGIN IMMEDIATE waits for it):
// a deferred one that reads the row, then writes, fails at once when another process wrote in
// between. Inside one, a savepoint keeps the caller's transaction.
int write_blob(sqlite3* db, const BlobCell& cell, std::span<const unsigned char> bytes,
               std::string& error) {
  const bool own = sqlite3_get_autocommit(db) != 0;
  const char* begin = own ? "BEGIN IMMEDIATE" : "SAVEPOINT orv_blob";
  if (sqlite3_exec(db, begin, nullptr, nullptr, nullptr) != SQLITE_OK) return failed(db, error);
  int rc = fill(db, cell, bytes, error);
  if (own) {
    const char* end = rc == kOk ? "COMMIT" : "ROLLBACK";
    if (sqlite3_exec(db, end, nullptr, nullptr, nullptr) != SQLITE_OK && rc == kOk) {
      rc = failed(db, error);
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    return rc;
  }
  if (rc != kOk) sqlite3_exec(db, "ROLLBACK TO orv_blob", nullptr, nullptr, nullptr);
  sqlite3_exec(db, "RELEASE orv_blob", nullptr, nullptr, nullptr);
  return rc;
}

}  // namespace orv::sql::sqlite
