// The binary-value channel: opened on first use, its failures handed back as values.
#include "frame/blob_channel.hpp"

#include "frame/messages.hpp"

namespace orv::frame {
namespace {

int opened(sql::ScratchTable& t, std::string& error) {
  int code = t.open();
  if (code != sql::kOk) error = t.message();
  return code;
}

int finish(sql::ScratchTable& t, int code, std::string& error) {
  error = code == sql::kOk ? std::string() : t.message();
  return code;
}

}  // namespace

sql::ScratchTable& BLOB_CHANNEL() {
  static sql::ScratchTable table("BLOB_CHANNEL", sql::RecordLayout{});
  return table;
}

int read_blob(const sql::BlobCell& cell, sql::Blob& out, std::string& error) {
  sql::ScratchTable& t = BLOB_CHANNEL();
  if (int code = opened(t, error); code != sql::kOk) return code;
  return finish(t, t.read_blob(cell, out), error);
}

int write_blob(const sql::BlobCell& cell, std::span<const unsigned char> bytes,
               std::string& error) {
  sql::ScratchTable& t = BLOB_CHANNEL();
  if (int code = opened(t, error); code != sql::kOk) return code;
  return finish(t, t.write_blob(cell, bytes), error);
}

int insert_rows(const sql::BoundRows& rows, std::string& error) {
  sql::ScratchTable& t = BLOB_CHANNEL();
  if (int code = opened(t, error); code != sql::kOk) return code;
  return finish(t, t.insert_rows(rows), error);
}

std::optional<int64_t> inserted_id_on_blob_channel(std::string_view insert) {
  sql::ScratchTable& t = BLOB_CHANNEL();
  if (t.open() != sql::kOk ||
      t.send(std::string(insert) + " select scope_identity()") != sql::kOk || !t.next()) {
    MSG_OSTRZEZENIE(t.message());
    t.close();
    return std::nullopt;
  }
  auto id = static_cast<int64_t>(t.real_field(1));
  t.close();
  return id;
}

}  // namespace orv::frame
