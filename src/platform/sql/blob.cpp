// Checks and descriptions of binary cells.
#include "platform/sql/blob.hpp"

namespace orv::sql {

bool plain_name(const std::string& s) {
  if (s.empty() || s.size() > 128) return false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    bool digit = c >= '0' && c <= '9';
    if (!letter && !(digit && i > 0)) return false;
  }
  return true;
}

bool BlobCell::valid() const {
  return plain_name(table) && plain_name(column) && plain_name(key_column);
}

bool BoundRows::valid() const {
  if (!plain_name(table) || columns.empty()) return false;
  for (const auto& c : columns) {
    if (!plain_name(c)) return false;
  }
  for (const auto& r : rows) {
    if (r.size() != columns.size()) return false;
  }
  return true;
}

std::string BlobCell::describe() const {
  return table + "." + column + " where " + key_column + "=" + std::to_string(key);
}

}  // namespace orv::sql
