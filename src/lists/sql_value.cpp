// Quoting of values for the list windows' statements.
#include "lists/sql_value.hpp"

#include "platform/decimal/decimal.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::lists {

std::string quote(std::string_view value, std::size_t width) {
  std::string_view v = text::clip(value);
  if (width != 0 && v.size() > width) v = v.substr(0, width);
  return "'" + text::double_apostrophes(v) + "'";
}

std::string number(std::string_view value) {
  return plain_number(text::read_real(text::trim(value)).value_or(0));
}

}  // namespace orv::lists
