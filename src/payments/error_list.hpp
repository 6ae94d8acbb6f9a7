// The writer's error list: the transfers left out of the file and why, in the order found; one
// entry per (transfer name, date, field). Emptied when writing starts and after every export.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "payments/transfer_text.hpp"

namespace orv::payments {

struct ExportError {
  std::string field_name;     // NAZWA of the field (up to 100)
  std::string transfer_name;  // the counterparty's name (up to 100)
  int32_t date = 0;
  int64_t field_id = 0;
  Reason reason = Reason::Missing;
  std::string value;  // the number that did not fit (NumberTooLong)
};

class ErrorList {
 public:
  // Adds the entry unless one with the same transfer name, date and field id is there.
  void add(ExportError e);
  void add_refusals(const std::vector<Refusal>& refusals, const Transfer& t);
  const std::vector<ExportError>& entries() const { return entries_; }
  bool empty() const { return entries_.empty(); }
  void clear() { entries_.clear(); }

 private:
  std::vector<ExportError> entries_;
};

// The module's one list, shared by the export and BLEDY_EXPORTU_MC.
ErrorList& export_errors();

// What the list's first column ("Brak wartości w polu...") shows: the field's name, and for a
// refusal other than a missing value the reason.
std::string shown_field(const ExportError& e);

}  // namespace orv::payments
