// Writes on the main channel whose failures reach the user instead of vanishing.
#pragma once

#include <string_view>

namespace orv::config {

// While an object lives on a thread, execute() sends statements as EXECSQL does and shows the
// first failure of the whole operation in the SQL error window (unless the driver only reports
// a busy connection, "HSTM"). Operations that nest (the preference write-back stores the date
// range through USTAWPARAMKONF) share the outermost object, so a lost connection shows one
// window, not one per statement.
class ReportedWrites {
 public:
  ReportedWrites();
  ~ReportedWrites();
  ReportedWrites(const ReportedWrites&) = delete;
  ReportedWrites& operator=(const ReportedWrites&) = delete;

  // True when the statement was taken.
  bool execute(std::string_view statement);
};

}  // namespace orv::config
