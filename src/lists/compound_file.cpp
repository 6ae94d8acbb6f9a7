// The compound-document container: sectors, allocation table, index and directory.
#include "lists/compound_file.hpp"

#include <algorithm>
#include <vector>

namespace orv::lists {
namespace {

constexpr std::uint32_t kSector = 512;
constexpr std::uint32_t kPerSector = kSector / 4;  // table entries in one sector
constexpr std::uint32_t kHeaderEntries = 109;      // table sectors the header itself lists
constexpr std::uint32_t kDifSect = 0xFFFFFFFC;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFree = 0xFFFFFFFF;
// Streams below this size would belong in the mini stream; ours is padded up to it instead.
constexpr std::uint64_t kMiniCutoff = 4096;

void put16(std::string& s, std::size_t at, std::uint16_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>(v >> 8);
}
void put32(std::string& s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t ceil_div(std::uint64_t a, std::uint64_t b) {
  return static_cast<std::uint32_t>((a + b - 1) / b);
}

// Table and index sectors for `data` sectors: the table covers itself, the index and the
// directory as well.
void table_sizes(std::uint32_t data, std::uint32_t& fat, std::uint32_t& difat) {
  fat = 1;
  difat = 0;
  for (;;) {
    std::uint32_t d = fat > kHeaderEntries ? ceil_div(fat - kHeaderEntries, kPerSector - 1) : 0;
    std::uint32_t f = ceil_div(std::uint64_t{data} + fat + d + 1, kPerSector);
    if (f == fat && d == difat) return;
    fat = f;
    difat = d;
  }
}

std::string directory_entry(std::u16string_view name, std::uint8_t type, std::uint32_t child,
                            std::uint32_t start, std::uint32_t size) {
  std::string e(128, '\0');
  for (std::size_t i = 0; i < name.size() && i < 31; ++i) put16(e, 2 * i, name[i]);
  put16(e, 64, static_cast<std::uint16_t>(name.empty() ? 0 : 2 * (name.size() + 1)));
  e[66] = static_cast<char>(type);
  e[67] = 1;  // black
  put32(e, 68, kFree);
  put32(e, 72, kFree);
  put32(e, 76, child);
  put32(e, 116, start);
  put32(e, 120, size);
  return e;
}

}  // namespace

bool CompoundFile::begin(std::string_view stream_name) {
  name_ = stream_name;
  return out_.write(std::string(kSector, '\0'));
}

bool CompoundFile::write(std::string_view bytes) {
  size_ += bytes.size();
  return out_.write(bytes);
}

bool CompoundFile::patch(std::uint64_t stream_offset, std::string_view bytes) {
  return out_.write_at(kSector + stream_offset, bytes);
}

bool CompoundFile::finish() {
  std::uint64_t padded = std::max<std::uint64_t>(size_, kMiniCutoff);
  padded = (padded + kSector - 1) / kSector * kSector;
  if (!out_.write(std::string(padded - size_, '\0'))) return false;
  size_ = std::max<std::uint64_t>(size_, kMiniCutoff);
  std::uint32_t data = static_cast<std::uint32_t>(padded / kSector);
  std::uint32_t fat = 0;
  std::uint32_t difat = 0;
  table_sizes(data, fat, difat);
  return write_table(data, fat, difat) && write_difat(data, fat, difat) && write_directory() &&
         out_.write_at(0, header(data, fat, difat));
}

bool CompoundFile::write_table(std::uint32_t data, std::uint32_t fat, std::uint32_t difat) {
  std::string sector(kSector, '\0');
  std::uint32_t total = data + fat + difat + 1;
  for (std::uint32_t s = 0; s < fat; ++s) {
    for (std::uint32_t i = 0; i < kPerSector; ++i) {
      std::uint32_t n = s * kPerSector + i;
      std::uint32_t v = n + 1 < data     ? n + 1
                        : n + 1 == data  ? kEndOfChain
                        : n < data + fat ? kFatSect
                        : n < total - 1  ? kDifSect
                        : n == total - 1 ? kEndOfChain
                                         : kFree;
      put32(sector, std::size_t{4} * i, v);
    }
    if (!out_.write(sector)) return false;
  }
  return true;
}

// Index sectors list the table sectors beyond the header's 109, each ending with the next one.
bool CompoundFile::write_difat(std::uint32_t data, std::uint32_t fat, std::uint32_t difat) {
  std::string sector(kSector, '\0');
  std::uint32_t listed = kHeaderEntries;
  for (std::uint32_t d = 0; d < difat; ++d) {
    for (std::uint32_t i = 0; i < kPerSector - 1; ++i, ++listed) {
      put32(sector, std::size_t{4} * i, listed < fat ? data + listed : kFree);
    }
    put32(sector, kSector - 4, d + 1 < difat ? data + fat + d + 1 : kEndOfChain);
    if (!out_.write(sector)) return false;
  }
  return true;
}

bool CompoundFile::write_directory() {
  std::u16string name(name_.begin(), name_.end());
  std::string sector = directory_entry(u"Root Entry", 5, 1, kEndOfChain, 0);
  sector += directory_entry(name, 2, kFree, 0, static_cast<std::uint32_t>(size_));
  for (int i = 0; i < 2; ++i) sector += directory_entry({}, 0, kFree, 0, 0);
  return out_.write(sector);
}

std::string CompoundFile::header(std::uint32_t data, std::uint32_t fat, std::uint32_t difat) const {
  static const unsigned char kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::string h(kSector, '\0');
  std::copy(std::begin(kSignature), std::end(kSignature), h.begin());
  put16(h, 24, 0x003E);  // minor version
  put16(h, 26, 0x0003);  // major version: 512-byte sectors
  put16(h, 28, 0xFFFE);  // little-endian
  put16(h, 30, 9);       // sector size 2^9
  put16(h, 32, 6);       // mini sector size 2^6
  put32(h, 44, fat);
  put32(h, 48, data + fat + difat);  // the directory's sector
  put32(h, 56, static_cast<std::uint32_t>(kMiniCutoff));
  put32(h, 60, kEndOfChain);  // no mini table
  put32(h, 68, difat ? data + fat : kEndOfChain);
  put32(h, 72, difat);
  for (std::uint32_t i = 0; i < kHeaderEntries; ++i) {
    put32(h, 76 + 4 * i, i < fat ? data + i : kFree);
  }
  return h;
}

}  // namespace orv::lists
