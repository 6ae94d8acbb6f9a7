// A dynamic record: ordered, named, typed fields standing for the host's records.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orv::dict {

enum class FieldKind { Text, Long, Short, Byte, Real, Decimal, Date, Time, Group };

struct Field {
  std::string name;
  FieldKind kind = FieldKind::Text;
  std::size_t size = 0;            // capacity of a text field, places of a decimal
  std::size_t dimension = 0;       // 0 for a plain field, n for an array of n elements
  std::vector<std::string> values; // one value, or `dimension` values; numbers in plain text
};

// Fields are filled by position as the host's records are, or looked up by name
// (case-insensitive, as the runtime's field names are).
class Group {
 public:
  Field& add(std::string name, FieldKind kind, std::size_t size = 0, std::size_t dimension = 0);
  std::size_t size() const { return fields_.size(); }
  Field& at(std::size_t index) { return fields_.at(index); }
  const Field& at(std::size_t index) const { return fields_.at(index); }
  Field* find(std::string_view name);
  const Field* find(std::string_view name) const;
  // Sets every value of every field to the empty form of its kind ("" or "0").
  void clear();

  auto begin() const { return fields_.begin(); }
  auto end() const { return fields_.end(); }

 private:
  static void clear_field(Field& f);

  std::vector<Field> fields_;
};

}  // namespace orv::dict
