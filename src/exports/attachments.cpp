// C entry points of the attachments subsystem: files and BLOBs, photos, the CSV import.
#include "attachments/csv_windows.hpp"
#include "attachments/file_blobs.hpp"
#include "attachments/photo_groups.hpp"
#include "attachments/photo_viewer.hpp"
#include "boundary.hpp"
#include "table.hpp"

using orv::exports::guard;
using orv::exports::in;
using orv::exports::optional_of;

namespace {

// A loaded value replaces the caller's; a refusal leaves it as it was.
int32_t load_into(ORVRUN_BLOB* target, int32_t code, const orv::sql::Blob& loaded) {
  if (code != 0 || !target) return code;
  ORVRUN_BLOB_FREE(target);
  orv::exports::give_blob(target, loaded.bytes.data(), loaded.size());
  return code;
}

}  // namespace

extern "C" {

int32_t PLIKTOBLOB(const char* file, ORVRUN_BLOB* target, const uint8_t* no_limit) noexcept {
  return guard(__func__, int32_t{36}, [&] {
    orv::sql::Blob loaded;
    int32_t code = orv::attachments::PLIKTOBLOB(in(file), loaded, optional_of(no_limit));
    return load_into(target, code, loaded);
  });
}

int32_t BLOBTOPLIK(const ORVRUN_BLOB* source, const char* file) noexcept {
  return guard(__func__, int32_t{36}, [&] {
    std::span<const unsigned char> bytes;
    if (source && source->data) bytes = {source->data, source->size};
    return orv::attachments::BLOBTOPLIK(bytes, in(file));
  });
}

int32_t RPTTOBLOB(const char* file, ORVRUN_BLOB* target, int32_t* size) noexcept {
  return guard(__func__, int32_t{36}, [&] {
    orv::sql::Blob loaded;
    int32_t measured = 0;
    int32_t code = orv::attachments::RPTTOBLOB(in(file), loaded, measured);
    if (size && (code == 0 || code == 36)) *size = measured;
    return load_into(target, code, loaded);
  });
}

void ZDJECIA_VIEWER(const char* object_id, const char* photo_table, const char* variant) noexcept {
  guard(__func__,
        [&] { orv::attachments::ZDJECIA_VIEWER(in(object_id), in(photo_table), in(variant)); });
}

void POPUPADDZDJECIA(const char* prefix, void* popup) noexcept {
  if (!popup) return;
  guard(__func__, [&] {
    orv::attachments::POPUPADDZDJECIA(in(prefix), *static_cast<orv::ui::PopupMenu*>(popup));
  });
}

void ZDJECIAOPERACJEGRUPOWE(const char* operation, const char* photo_table,
                            int32_t usage) noexcept {
  guard(__func__,
        [&] { orv::attachments::ZDJECIAOPERACJEGRUPOWE(in(operation), in(photo_table), usage); });
}

void IMPORTCSV_BRW(const char* kind) noexcept {
  guard(__func__, [&] { orv::attachments::IMPORTCSV_BRW(in(kind)); });
}

void IMPORTCSVART_BRW(int32_t file_id) noexcept {
  guard(__func__, [&] { orv::attachments::IMPORTCSVART_BRW(file_id); });
}

void IMPORTCSVART_UPD(void) noexcept {
  guard(__func__, [] { orv::attachments::IMPORTCSVART_UPD(); });
}

}  // extern "C"
