// Transactions on the main channel: the one place that opens, commits and rolls them back.
#include "frame/transaction.hpp"

#include "frame/sql_channels.hpp"

namespace orv::frame {

bool in_transaction(const std::function<bool()>& change) {
  if (ESQL("begin transaction") != 0) {
    CLOSESQL();
    return false;
  }
  const bool done = change() && ESQL("commit transaction") == 0;
  if (!done) EXECSQL("rollback transaction");
  CLOSESQL();
  return done;
}

}  // namespace orv::frame
