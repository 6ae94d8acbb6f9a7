// The count query of a list and its step.
#include "selection/list_count.hpp"

#include <string>

#include "frame/sql_channels.hpp"
#include "platform/text/numbers.hpp"
#include "selection/list_statement.hpp"
#include "selection/marked_records.hpp"

namespace orv::selection {

int32_t counting_step(int32_t count) {
  if (count < 0 || count > 100000) return 10000;
  if (count > 10000) return 1000;
  if (count > 1000) return 100;
  return 10;
}

int32_t POLICZREKORDYBROWSERA(std::string_view statement, int32_t* step) {
  int32_t count = 0;
  if (const std::string query = count_statement(statement); !query.empty()) {
    count = text::long_of(frame::FUNCSQL(query, 0));
    frame::CLOSESQL();
  }
  if (step) *step = counting_step(count);
  return count;
}

}  // namespace orv::selection
