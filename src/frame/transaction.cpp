// Transactions on the main channel: the one place that opens, commits and rolls them back.
#include "frame/transaction.hpp"

#include "frame/sql_channels.hpp"
#include "platform/text/text.hpp"

namespace orv::frame {
namespace {

// Rolls back unless committed, also when the change is left by an exception (a script that
// cannot go on), so the main channel's connection never stays inside an open transaction.
class Open {
 public:
  Open() = default;
  Open(const Open&) = delete;
  Open& operator=(const Open&) = delete;
  ~Open() {
    try {
      if (!committed_) EXECSQL("rollback transaction");
      CLOSESQL();
    } catch (...) {  // a destructor runs during unwinding too; the connection drops then anyway
    }
  }
  bool commit() { return committed_ = ESQL("commit transaction") == 0; }

 private:
  bool committed_ = false;
};

}  // namespace

bool in_transaction(const std::function<bool()>& change) {
  if (ESQL("begin transaction") != 0) {
    CLOSESQL();
    return false;
  }
  Open open;
  return change() && open.commit();
}

std::string inserted_id(std::string_view insert) {
  std::string id;
  if (ESQL(std::string(insert) + " select scope_identity()") == 0 && VAX().next()) {
    id = text::clip(VAX().field(1));
  }
  CLOSESQL();
  return id;
}

}  // namespace orv::frame
