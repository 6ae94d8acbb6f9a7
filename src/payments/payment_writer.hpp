// The export of marked transfer orders into a payment file by a scheme: the transfers streamed
// from the server and written one record each, the summary, the error list.
#pragma once

#include <cstdint>
#include <string>

namespace orv::payments {

struct ExportOutcome {
  int64_t read = 0;     // transfers the selection gave (R)
  int64_t written = 0;  // records written (W)
  bool failed = false;  // the file could not be made whole; nothing stands under its name
};

// Writes the file under a temporary name beside `file_name` (Windows-1250) and renames it when
// whole, so a failed export leaves no half-written file under the final name (an existing file
// of that name is then left as it was, as it is when no record was written). Shows the summary,
// or the warning that stopped it, and
// the error list when a transfer was left out; the error list is empty again afterwards.
ExportOutcome write_payment_file(int32_t usage, double scheme_id, const std::string& file_name);

}  // namespace orv::payments
