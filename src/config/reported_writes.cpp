// The first failed write of an operation, shown once.
#include "config/reported_writes.hpp"

#include "frame/bound_channel.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"

#include <string>

namespace orv::config {
namespace {

struct Operation {
  int depth = 0;
  bool reported = false;
};

thread_local Operation operation;

}  // namespace

ReportedWrites::ReportedWrites() {
  if (operation.depth++ == 0) operation.reported = false;
}

ReportedWrites::~ReportedWrites() {
  --operation.depth;
}

bool ReportedWrites::execute(std::string_view statement) {
  frame::EXECSQL(statement);
  sql::ScratchTable& vax = frame::VAX();
  if (vax.error() == 0) return true;
  if (!operation.reported && !frame::busy_with_other_results(vax.message())) {
    operation.reported = true;
    std::string sent = vax.sql_text();
    frame::ERRORWIN(sent.empty() ? statement : std::string_view(sent), vax.message());
  }
  return false;
}

}  // namespace orv::config
