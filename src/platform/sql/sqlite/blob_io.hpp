// Values that never pass through SQL text: binary cells (incremental blob I/O) and bound rows.
#pragma once

#include <sqlite3.h>

#include <span>
#include <string>

#include "platform/sql/blob.hpp"

namespace orv::sql::sqlite {

// Both return kOk or kRejected with `error` (UTF-8) set. A write is all or nothing: it runs in
// a savepoint of its own, so it also nests inside a transaction the connection has open.
int read_blob(sqlite3* db, const BlobCell& cell, Blob& out, std::string& error);
int write_blob(sqlite3* db, const BlobCell& cell, std::span<const unsigned char> bytes,
               std::string& error);

// One prepared INSERT stepped once per row inside a savepoint: all rows or none.
int insert_rows(sqlite3* db, const BoundRows& rows, std::string& error);

}  // namespace orv::sql::sqlite
