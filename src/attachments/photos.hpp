// The photos of one article or contractor: listing, adding from a file, default, export, delete.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sql/blob.hpp"

namespace orv::attachments {

// A photo table and how its rows name their owner.
struct PhotoTable {
  std::string table;        // "artykul_blob" or "kontrahent_blob"
  std::string key_column;   // "indeks_katalogowy" or "id_kontrahenta"
  bool text_key = true;     // an index between quotes, or a contractor's id
  std::string object_word;  // "artykuł" / "kontrahent" (Windows-1250)
};
// By the name the host passes ("ARTYKUL_BLOB", "KONTRAHENT_BLOB", any case); nullopt otherwise.
std::optional<PhotoTable> photo_table(std::string_view name);

// Whose photos: the table, the owner's key value, and for an article its id (for the photo mark).
struct PhotoOwner {
  PhotoTable table;
  std::string key;  // the catalogue index, or the contractor's id as a plain number
  double article_id = 0;
};
// The owner behind the viewer's object id: an article's index looked up, a contractor's id
// checked to be a number. nullopt when there is no such object.
std::optional<PhotoOwner> photo_owner(std::string_view object_id, const PhotoTable& table);

// "indeks_katalogowy='X'" (the index escaped) or "id_kontrahenta=5".
std::string owner_condition(const PhotoOwner& owner);

struct Photo {
  int64_t id = 0;
  std::string name;
  bool is_default = false;
};
std::vector<Photo> list_photos(const PhotoOwner& owner);

// Adds the picture of `file` as photo `name`: the size limit, a unique name, the row inserted
// and its picture stored (or, in file mode, the file copied under the photos' folder). The id
// is the one the insert produced on its own connection, never the table's largest: another
// user adding a photo at the same moment cannot swap ids. nullopt after the warning that says
// why nothing was added.
std::optional<int64_t> add_photo(const PhotoOwner& owner, std::string_view name,
                                 std::string_view file);
// Makes photo `id` the owner's only default one; false after a warning.
bool set_default(const PhotoOwner& owner, int64_t id);
// Deletes photo `id` (no question asked here); false after a warning.
bool delete_photo(const PhotoOwner& owner, int64_t id);
// The picture of photo `id`; an empty, null value when it has none.
sql::Blob photo_picture(const PhotoOwner& owner, int64_t id);
// Keeps the article's has-photo mark current (nothing for contractors).
void refresh_photo_mark(const PhotoOwner& owner);

// Runs a statement on the main channel; a server error is shown as a warning with the driver's
// text and gives false.
bool run_or_warn(const std::string& statement);

}  // namespace orv::attachments
