// A compound document (the OLE2 container of .xls files) holding one stream, written as it grows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files/files.hpp"

namespace orv::lists {

// Version 3 (512-byte sectors): the header, the stream's sectors in one run, then the allocation
// table, its index sectors when the table outgrows the header, and one directory sector. Nothing
// but the stream being written is held in memory.
class CompoundFile {
 public:
  explicit CompoundFile(files::OutputFile& out) : out_(out) {}

  // The stream's name ("Workbook") and the header's place, before any data.
  bool begin(std::string_view stream_name);
  bool write(std::string_view bytes);
  // Overwrites bytes of the stream already written.
  bool patch(std::uint64_t stream_offset, std::string_view bytes);
  std::uint64_t stream_size() const { return size_; }
  // Pads the stream, writes the tables and the directory, completes the header.
  bool finish();

 private:
  bool write_table(std::uint32_t data, std::uint32_t fat, std::uint32_t difat);
  bool write_difat(std::uint32_t data, std::uint32_t fat, std::uint32_t difat);
  bool write_directory();
  std::string header(std::uint32_t data, std::uint32_t fat, std::uint32_t difat) const;

  files::OutputFile& out_;
  std::string name_;
  std::uint64_t size_ = 0;
};

}  // namespace orv::lists
