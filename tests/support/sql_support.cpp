// The scripted driver stack for SQL tests.
#include "support/sql_support.hpp"

#include "frame/sql_channels.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"

namespace orv::test {

SqlStack::SqlStack() {
  frame::reset_channels();
  dict::reset_context();
  previous_ = sql::set_current_driver(&recording);
}

SqlStack::~SqlStack() {
  frame::reset_channels();
  sql::set_current_driver(previous_);
  dict::reset_context();
  date::set_now(std::nullopt);
}

}  // namespace orv::test
