// Pages of a list's rows read from the server by key, so a list of any length opens and moves
// at the cost of one page.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_design.hpp"

namespace orv::lists {

// Reads on channel 3 (VAX3): each page is one statement "select top n ... order by key, id"
// that starts after (or before) a row's key and id. A failing statement shows the SQL error
// window and gives no rows.
class ListPager {
 public:
  explicit ListPager(const ListDesign& design) : design_(design) {}

  void set_sort(std::size_t sort) { sort_ = sort < design_.sorts.size() ? sort : 0; }
  std::size_t sort() const { return sort_; }

  std::vector<ListRow> first(std::size_t n) const;
  std::vector<ListRow> last(std::size_t n) const;  // in list order
  std::vector<ListRow> after(const ListRow& row, std::size_t n) const;
  std::vector<ListRow> before(const ListRow& row, std::size_t n) const;  // in list order
  // The row itself (when it still exists) and those after it.
  std::vector<ListRow> from_row(const ListRow& row, std::size_t n) const;
  // Rows whose sort value is at least `prefix` (what a locator seeks).
  std::vector<ListRow> from_value(std::string_view prefix, std::size_t n) const;
  // The row with this id, if the list's filter still shows it.
  std::optional<ListRow> by_id(double id) const;
  // Every row in list order (for the export, which writes them all).
  std::vector<ListRow> all() const;

  // The statement a page is read with, for the error window and the tests.
  std::string statement(std::string_view condition, bool descending, std::size_t n) const;

 private:
  std::string select_list() const;
  std::string key_expr() const;
  std::string id_expr() const;
  std::string key_value(const ListRow& row) const;
  std::string past(const ListRow& row, bool forward, bool inclusive) const;
  std::vector<ListRow> read(std::string_view condition, bool descending, std::size_t n) const;

  const ListDesign& design_;
  std::size_t sort_ = 0;
};

}  // namespace orv::lists
