// Rows of a host's list in the order the list shows them.
#include "lists/list_object.hpp"

namespace orv::lists {

const Row* ListObject::shown_row(std::size_t n) const {
  std::size_t at = view ? (n < view->size() ? (*view)[n] : rows.size()) : n;
  return at < rows.size() ? &rows[at] : nullptr;
}

const Cell& ListObject::field_of(const Row& row, int32_t field) {
  static const Cell kEmpty;
  if (field < 1 || static_cast<std::size_t>(field) > row.size()) return kEmpty;
  return row[static_cast<std::size_t>(field) - 1];
}

}  // namespace orv::lists
