// Photo rows and pictures through the SQL channels and the binary-value channel.
#include "attachments/photos.hpp"

#include "attachments/file_blobs.hpp"
#include "config/parameters.hpp"
#include "frame/blob_channel.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/files/binary_files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::attachments {
namespace {

constexpr const char* kDamaged =
    "Uszkodzony plik graficzny lub błędny format pliku!|Zdjęcie nie zostało zapisane.";

std::string quoted(std::string_view value) {
  return "'" + text::double_apostrophes(value) + "'";
}

sql::BlobCell picture_cell(const PhotoOwner& owner, int64_t id) {
  return {owner.table.table, "zdjecie", "id_bloba", id};
}

bool name_taken(const PhotoOwner& owner, std::string_view name) {
  std::string sql = "select 1 from " + owner.table.table + " where " + owner_condition(owner) +
                    " and nazwa=" + quoted(name);
  return text::clip(frame::FUNCSQL(sql, /*quiet=*/1)) == "1";
}

// The insert and the id it produced, on one connection in one batch.
std::optional<int64_t> insert_row(const PhotoOwner& owner, std::string_view name) {
  return frame::inserted_id_on_blob_channel(
      "insert into " + owner.table.table + "(" + owner.table.key_column + ",nazwa) values(" +
      (owner.table.text_key ? quoted(owner.key) : owner.key) + "," + quoted(name) + ")");
}

// File mode: the picture is copied to folder/index/name; the row holds no picture.
bool copy_to_folder(const PhotoOwner& owner, const std::string& folder, std::string_view name,
                    const sql::Blob& picture) {
  std::string dir = folder + "/" + owner.key;
  std::string path = dir + "/" + std::string(name);
  int code = files::make_folders(dir);
  if (code == files::kFileOk) code = BLOBTOPLIK(picture.view(), path);
  if (code != files::kFileOk) {
    frame::MSG_OSTRZEZENIE("Nie udało sie utworzyć pliku ze zdjęciem!|"_w1250 + path);
    return false;
  }
  frame::MSG_INFORMACJA("Zapisano w " + path);
  return true;
}

// Database mode: the picture goes into the row; a row left without one is removed again.
bool store_picture(const PhotoOwner& owner, int64_t id, const sql::Blob& picture) {
  std::string error;
  frame::write_blob(picture_cell(owner, id), picture.view(), error);
  std::string left = "select id_bloba from " + owner.table.table +
                     " where id_bloba=" + std::to_string(id) + " and zdjecie is null";
  if (text::clip(frame::FUNCSQL(left, /*quiet=*/1)).empty() && error.empty()) return true;
  frame::MSG_OSTRZEZENIE(text::from_utf8(kDamaged));
  run_or_warn("delete " + owner.table.table + " where id_bloba=" + std::to_string(id));
  return false;
}

}  // namespace

std::optional<PhotoTable> photo_table(std::string_view name) {
  if (text::equal_ci(text::clip(name), "ARTYKUL_BLOB")) {
    return PhotoTable{"artykul_blob", "indeks_katalogowy", true, "artykuł"_w1250};
  }
  if (text::equal_ci(text::clip(name), "KONTRAHENT_BLOB")) {
    return PhotoTable{"kontrahent_blob", "id_kontrahenta", false, "kontrahent"};
  }
  return std::nullopt;
}

std::optional<PhotoOwner> photo_owner(std::string_view object_id, const PhotoTable& table) {
  auto id = text::read_real(text::trim(object_id));
  if (!id || *id <= 0) return std::nullopt;
  PhotoOwner owner{table, plain_number(*id), 0};
  if (!table.text_key) return owner;
  owner.article_id = *id;
  owner.key = text::clip(frame::FUNCSQL(
      "select indeks_katalogowy from artykul with (nolock) where id_artykulu=" + owner.key));
  if (owner.key.empty()) return std::nullopt;
  return owner;
}

std::string owner_condition(const PhotoOwner& owner) {
  return owner.table.key_column + "=" + (owner.table.text_key ? quoted(owner.key) : owner.key);
}

std::vector<Photo> list_photos(const PhotoOwner& owner) {
  std::vector<Photo> out;
  std::string sql = "select id_bloba,nazwa,domyslne from " + owner.table.table +
                    " with (nolock) where " + owner_condition(owner) + " order by id_bloba";
  if (frame::ESQL(sql, /*quiet=*/1) != 0) return out;
  sql::ScratchTable& t = frame::VAX();
  while (t.next()) {
    out.push_back({static_cast<int64_t>(t.real_field(1)), std::string(text::clip(t.field(2))),
                   t.long_field(3) == 1});
  }
  frame::CLOSESQL();
  return out;
}

std::optional<int64_t> add_photo(const PhotoOwner& owner, std::string_view name,
                                 std::string_view file) {
  std::string photo_name(text::clip(name));
  if (photo_name.empty()) {
    frame::MSG_OSTRZEZENIE("Proszę wprowadzić nazwę pliku ze zdjęciem!"_w1250);
    return std::nullopt;
  }
  if (name_taken(owner, photo_name)) {
    frame::MSG_OSTRZEZENIE("Zdjęcie o podanej nazwie jest już podpięte do artykułu!"_w1250);
    return std::nullopt;
  }
  sql::Blob picture;
  int32_t code = PLIKTOBLOB(file, picture, std::nullopt);
  if (code == 1) return std::nullopt;  // the size warning said why
  if (code != 0) {
    frame::MSG_OSTRZEZENIE(text::from_utf8(kDamaged));
    return std::nullopt;
  }
  auto id = insert_row(owner, photo_name);
  if (!id) return std::nullopt;
  std::string folder(text::clip(config::POBIERZPARAMKONF("s", "LokalSiecZdjecArt")));
  bool stored = folder.empty() ? store_picture(owner, *id, picture)
                               : copy_to_folder(owner, folder, photo_name, picture);
  if (!stored) return std::nullopt;
  refresh_photo_mark(owner);
  return id;
}

bool set_default(const PhotoOwner& owner, int64_t id) {
  std::string where = " where " + owner_condition(owner) + " and id_bloba";
  std::string table = "update " + owner.table.table + " set domyslne=";
  bool ok = run_or_warn(table + "0" + where + "<>" + std::to_string(id)) &&
            run_or_warn(table + "1" + where + "=" + std::to_string(id));
  refresh_photo_mark(owner);
  return ok;
}

bool delete_photo(const PhotoOwner& owner, int64_t id) {
  bool ok =
      run_or_warn("delete from " + owner.table.table + " where id_bloba=" + std::to_string(id));
  refresh_photo_mark(owner);
  return ok;
}

sql::Blob photo_picture(const PhotoOwner& owner, int64_t id) {
  sql::Blob out;
  std::string error;
  if (frame::read_blob(picture_cell(owner, id), out, error) != sql::kOk) out = {{}, true};
  return out;
}

void refresh_photo_mark(const PhotoOwner& owner) {
  if (!owner.table.text_key) return;
  run_or_warn("call AP_AktZnacznikFoto(" + plain_number(owner.article_id) + ",0," +
              quoted(owner.key) + ")");
}

bool run_or_warn(const std::string& statement) {
  if (frame::ESQL(statement, /*quiet=*/1) == 0) {
    frame::CLOSESQL();
    return true;
  }
  std::string message = frame::VAX().message();
  frame::CLOSESQL();
  frame::MSG_OSTRZEZENIE(message);
  return false;
}

}  // namespace orv::attachments
