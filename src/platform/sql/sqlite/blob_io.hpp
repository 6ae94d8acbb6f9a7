// One binary cell of an SQLite database read and written with incremental blob I/O.
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

}  // namespace orv::sql::sqlite
