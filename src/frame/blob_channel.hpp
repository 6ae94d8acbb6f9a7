// Binary cells through a channel of their own, so reading a photo never drops a list's rows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/sql/blob.hpp"
#include "platform/sql/scratch_table.hpp"

namespace orv::frame {

// The scratch table binary values travel through (kept open, like the file managers the
// runtime uses for BLOB fields).
sql::ScratchTable& BLOB_CHANNEL();

// 0, or the channel's error code with `error` set to the driver's message. Quiet: callers show
// what their procedure documents.
int read_blob(const sql::BlobCell& cell, sql::Blob& out, std::string& error);
int write_blob(const sql::BlobCell& cell, std::span<const unsigned char> bytes, std::string& error);

// Rows with bound values into one table, all or nothing; 0 or the error code with `error`.
int insert_rows(const sql::BoundRows& rows, std::string& error);

// Runs `insert` with " select scope_identity()" after it, in one batch on this channel, and gives
// the id of the row it made; a failure is shown as a warning with the driver's message.
std::optional<int64_t> inserted_id_on_blob_channel(std::string_view insert);

}  // namespace orv::frame
