// The picture rules of the list export, shared by its three writers.
#include "lists/export_cells.hpp"

#include <cmath>

#include "platform/decimal/decimal.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::lists {
namespace {

bool has(std::string_view s, std::string_view part) {
  return s.find(part) != std::string_view::npos;
}

int grave_places(std::string_view picture) {
  for (char d : {'4', '3', '2'}) {
    if (has(picture, std::string{'`', d})) return d - '0';
  }
  return 0;
}

ExportColumn plan(const ListColumn& source) {
  ExportColumn c;
  c.source = &source;
  c.picture = text::upper(source.picture);
  c.row_number = source.title == "Lp";
  c.as_text = has(c.picture, "@S");
  c.as_date = has(c.picture, "@D");
  c.short_date = has(c.picture, "D17");
  c.grave_places = grave_places(c.picture);
  picture::Picture own = picture::parse(c.picture);
  c.places = c.grave_places                      ? c.grave_places
             : own.kind == picture::Kind::Number ? own.number.places
                                                 : 0;
  std::string csv = c.grave_places ? "@n-16_`" + std::to_string(c.grave_places) : "@N-16";
  if (c.short_date) csv = "@d17";
  // Dates of other layouts show as the list shows them, not as their day number.
  if (c.as_date && !c.short_date) csv = source.picture;
  c.csv_picture = picture::parse(csv);
  return c;
}

// A text holding a number with a decimal comma and 2 or 4 decimals ("1 234,50", "+12,5000"):
// the decimals, else 0.
int comma_places(std::string_view v, std::string& digits) {
  v = text::clip(v);
  std::size_t comma = v.rfind(',');
  if (comma == std::string_view::npos) return 0;
  std::size_t after = v.size() - comma - 1;
  if (after != 2 && after != 4) return 0;
  digits.clear();
  for (char ch : v) {
    if (ch != '+' && ch != ' ') digits += ch == ',' ? '.' : ch;
  }
  std::size_t point = digits.find('.');
  auto whole = std::string_view(digits).substr(0, point);
  auto fraction = std::string_view(digits).substr(point + 1);
  bool ok = !fraction.empty() && fraction.find_first_not_of("0123456789") == std::string::npos &&
            (whole.empty() || whole == "-" ||
             whole.find_first_not_of("0123456789", whole[0] == '-') == std::string::npos);
  return ok ? static_cast<int>(after) : 0;
}

std::string trimmed(const std::string& s) {
  return std::string(text::trim(s));
}

}  // namespace

std::vector<ExportColumn> export_columns(const ListObject& list) {
  std::vector<ExportColumn> out;
  for (const ListColumn& c : list.columns) {
    if (c.width <= 0 || text::clip(c.title).empty()) continue;
    out.push_back(plan(c));
  }
  return out;
}

const Cell& value_of(const ExportColumn& c, const Row& row, std::size_t n, Cell& scratch) {
  if (!c.row_number) return ListObject::field_of(row, c.source->field);
  scratch = Cell::of_number(static_cast<double>(n));
  return scratch;
}

std::string csv_text(const ExportColumn& c, const Cell& v) {
  if (v.kind == Cell::Kind::Empty) return {};
  if (!v.numeric()) {
    std::string digits;
    int places = comma_places(v.text, digits);
    if (places == 0) return v.text;
    return trimmed(picture::format(text::real_of(digits), "@n-16_`" + std::to_string(places)));
  }
  if (c.as_text) return plain_number(v.number);
  if (v.kind == Cell::Kind::Date && !c.as_date) return picture::format(v.number, "@d17");
  return trimmed(picture::format(v.number, c.csv_picture));
}

SheetCell sheet_cell(const ExportColumn& c, const Cell& v) {
  SheetCell out;
  if (v.kind == Cell::Kind::Empty) return out;
  if (!v.numeric() || c.as_text) {
    out.kind = SheetCell::Kind::Text;
    out.text = v.numeric() ? plain_number(v.number) : v.text;
    return out;
  }
  if (c.as_date || v.kind == Cell::Kind::Date) {
    // A date of 0 or less is no date: its formatted text is empty.
    if (v.number <= 0) return out;
    out.kind = SheetCell::Kind::Date;
    out.number = excel_serial(static_cast<int32_t>(v.number));
    return out;
  }
  out.kind = SheetCell::Kind::Number;
  out.number = v.number;
  out.places = c.places;
  return out;
}

double excel_serial(int32_t day_number) {
  constexpr int32_t kFirstOfMarch1900 = 36222;  // day number of 1 March 1900
  return day_number >= kFirstOfMarch1900 ? day_number - 36161.0 : day_number - 36162.0;
}

std::string number_format(int places) {
  return places > 0 ? "#,##0." + std::string(static_cast<std::size_t>(places), '0') : "#,##0";
}

std::string rgb_hex(int32_t colour) {
  static const char kDigits[] = "0123456789ABCDEF";
  auto u = static_cast<uint32_t>(colour);
  unsigned bytes[] = {u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF};  // red, green, blue
  std::string out;
  for (unsigned b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

}  // namespace orv::lists
