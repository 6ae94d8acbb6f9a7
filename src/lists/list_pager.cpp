// Keyed page reads of a list's statement.
#include "lists/list_pager.hpp"

#include <algorithm>

#include "frame/sql_channels.hpp"
#include "lists/sql_value.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/sql/scratch_table.hpp"
#include "platform/text/numbers.hpp"

namespace orv::lists {
namespace {

// Reading every row for the export still goes page by page, in pages this large.
constexpr std::size_t kExportPage = 1000;

std::string both(std::string_view a, std::string_view b) {
  if (a.empty()) return std::string(b);
  if (b.empty()) return std::string(a);
  return "(" + std::string(a) + ") and (" + std::string(b) + ")";
}

}  // namespace

std::string ListPager::select_list() const {
  std::string out;
  for (const ListField& f : design_.fields) out += (out.empty() ? "" : ",") + f.expr;
  return out;
}

std::string ListPager::key_expr() const {
  return design_.fields[design_.sorts[sort_].field].expr;
}

std::string ListPager::id_expr() const {
  return design_.fields[0].expr;
}

std::string ListPager::key_value(const ListRow& row) const {
  const std::size_t f = design_.sorts[sort_].field;
  const std::string& v = f < row.values.size() ? row.values[f] : std::string();
  return design_.fields[f].number ? number(v) : quote(v);
}

// The rows beyond `row` in the list's order (or before it, going back).
std::string ListPager::past(const ListRow& row, bool forward, bool inclusive) const {
  const std::string k = key_expr(), v = key_value(row), id = id_expr();
  const char* beyond = forward ? " > " : " < ";
  const char* id_beyond = forward ? (inclusive ? " >= " : " > ") : (inclusive ? " <= " : " < ");
  return k + beyond + v + " or (" + k + " = " + v + " and " + id + id_beyond + plain_id(row.id) +
         ")";
}

std::string ListPager::statement(std::string_view condition, bool descending, std::size_t n) const {
  const char* dir = descending ? " desc" : "";
  std::string where = both(design_.where, condition);
  return "select top " + std::to_string(n) + " " + select_list() + " from " + design_.from +
         (where.empty() ? "" : " where " + where) + " order by " + key_expr() + dir + ", " +
         id_expr() + dir;
}

std::vector<ListRow> ListPager::read(std::string_view condition, bool descending,
                                     std::size_t n) const {
  std::vector<ListRow> rows;
  if (n == 0 || design_.fields.empty() || design_.sorts.empty()) return rows;
  if (frame::ESQL3(statement(condition, descending, n)) != 0) return rows;
  sql::ScratchTable& t = frame::VAX3();
  while (rows.size() < n && t.next()) {
    ListRow r;
    r.id = t.real_field(1);
    for (std::size_t k = 1; k <= design_.fields.size(); ++k) r.values.push_back(t.field(k));
    rows.push_back(std::move(r));
  }
  frame::CLOSESQL3();
  if (descending) std::reverse(rows.begin(), rows.end());
  return rows;
}

std::vector<ListRow> ListPager::first(std::size_t n) const {
  return read("", false, n);
}

std::vector<ListRow> ListPager::last(std::size_t n) const {
  return read("", true, n);
}

std::vector<ListRow> ListPager::after(const ListRow& row, std::size_t n) const {
  return read(past(row, true, false), false, n);
}

std::vector<ListRow> ListPager::before(const ListRow& row, std::size_t n) const {
  return read(past(row, false, false), true, n);
}

std::vector<ListRow> ListPager::from_row(const ListRow& row, std::size_t n) const {
  return read(past(row, true, true), false, n);
}

std::vector<ListRow> ListPager::from_value(std::string_view prefix, std::size_t n) const {
  const std::size_t f = design_.sorts[sort_].field;
  const std::string v = design_.fields[f].number ? number(prefix) : quote(prefix);
  return read(key_expr() + " >= " + v, false, n);
}

std::optional<ListRow> ListPager::by_id(double id) const {
  std::vector<ListRow> rows = read(id_expr() + " = " + plain_id(id), false, 1);
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

std::vector<ListRow> ListPager::all() const {
  std::vector<ListRow> out = first(kExportPage);
  for (std::size_t got = out.size(); got == kExportPage;) {
    std::vector<ListRow> more = after(out.back(), kExportPage);
    got = more.size();
    out.insert(out.end(), std::make_move_iterator(more.begin()),
               std::make_move_iterator(more.end()));
  }
  return out;
}

}  // namespace orv::lists
