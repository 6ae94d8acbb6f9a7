// Binary values in the database: the buffer a BLOB is read into and the cell it lives in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orv::sql {

// The bytes of one binary value. `null` tells SQL NULL from a value of no bytes.
struct Blob {
  std::vector<unsigned char> bytes;
  bool null = false;

  std::size_t size() const { return bytes.size(); }
  std::span<const unsigned char> view() const { return bytes; }
};

// One binary column of one row: `column` of the row of `table` whose `key_column` is `key`.
// The names go into SQL text, so only plain names are accepted (see valid()).
struct BlobCell {
  std::string table;
  std::string column;
  std::string key_column;
  int64_t key = 0;

  // Every name is a plain identifier (a letter or "_", then letters, digits or "_").
  bool valid() const;
  // "artykul_blob.zdjecie where id_bloba=5": for messages, logs and the test decorators.
  std::string describe() const;
};

// One value of a bound row: a number, or a text (Windows-1250).
struct BoundValue {
  bool number = false;
  double n = 0;
  std::string text;
  static BoundValue of(double v) { return {true, v, {}}; }
  static BoundValue of(std::string v) { return {false, 0, std::move(v)}; }
};

// Rows inserted into one table with their values bound, never written into SQL text. The names
// go into SQL text, so only plain names are accepted (see valid()).
struct BoundRows {
  std::string table;
  std::vector<std::string> columns;
  std::vector<std::vector<BoundValue>> rows;  // each as many values as columns

  bool valid() const;
};

// True for a plain identifier: a letter or "_", then letters, digits or "_".
bool plain_name(const std::string& s);

// Binary values move in parts of this size through every backend: large enough to keep the
// calls few, small enough that a 10 MB photo never needs a second whole copy in flight.
inline constexpr std::size_t kBlobPart = std::size_t{256} * 1024;

}  // namespace orv::sql
