// Files into binary values and back: PLIKTOBLOB, RPTTOBLOB and BLOBTOPLIK.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/sql/blob.hpp"

namespace orv::attachments {

// The documented part size of every copy between a file and a binary value.
inline constexpr std::size_t kFilePart = 32768;

// 0 done, 1 refused as larger than "MaxRozZdjecArt" kB (after the warning), 36 blank name or
// empty file, else the runtime's file error code. `target` is replaced only when 0 is returned.
int32_t PLIKTOBLOB(std::string_view file, sql::Blob& target, std::optional<uint8_t> no_limit);
// As PLIKTOBLOB without a size limit; `size` receives the file's size in bytes.
int32_t RPTTOBLOB(std::string_view file, sql::Blob& target, int32_t& size);
// 0 done (an empty value writes no file), 36 blank name, else the file error code. The file is
// written under a temporary name and renamed when complete.
int32_t BLOBTOPLIK(std::span<const unsigned char> source, std::string_view file);

// The size warning of PLIKTOBLOB, for a file of `size` bytes and a limit of `limit_kb`.
std::string size_warning(uint64_t size, double limit_kb);

}  // namespace orv::attachments
