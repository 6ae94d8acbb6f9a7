// Payment files read the way bank imports read them: what an import would reject, line by line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "payments/scheme.hpp"

namespace orv::payments {

struct CheckOptions {
  CodePage code_page = CodePage::Latin;
  // Check each line as an Elixir-0 record (comma-separated, 15 or 16 fields); false checks only
  // what holds for any line-oriented bank file: code page, UTF-8, control bytes, line ends, BOM.
  bool elixir = true;
  std::size_t max_records = 5000;   // the most records an import takes (0 = no limit)
  std::size_t max_findings = 1000;  // findings kept in detail; the rest are only counted
};

// Rule codes, stable for scripts reading the JSON report:
//   empty       the file holds no record                      (line 0)
//   bom         a byte-order mark opens the file                (line 0)
//   line-end    a line ended by LF alone, a CR without LF, the last line without CR LF
//   utf8        UTF-8 text where a single-byte code page is expected
//   code-page   a byte the expected code page does not read as meant (see payment_check.cpp)
//   control     a control byte (TAB, NUL, ...) inside a line
//   records     more records than max_records                 (on the first one too many)
//   fields      not 15 or 16 fields (the fields are then not checked one by one)
//   quote       a text field not in double quotes, a numeric one quoted, a '"' inside a text,
//               a quote never closed
//   number      a numeric field that is not its digits: order type n3, the fixed "0" of fields
//               5 and 10, classification n2 (field 15)
//   date        field 2 not a real day written YYYYMMDD
//   amount      field 3 not whole grosze: a separator, a sign, no digits, zero, over 15 digits
//   nrb         field 6 or 7 not 26 digits, or failing the mod-97 check
//   sort-code   field 4 or 11 not 8 digits, or not digits 3-10 of the account of field 6 or 7
//   text-length a line of a text field (the part between '|') over 35 characters
//   text-lines  a text field of more than four lines
//   character   a character banks refuse in a text: anything but letters, digits, blank and
//               ( ) - , . ? / (the '|' joining the lines aside)
struct Finding {
  std::size_t line = 0;  // from 1; 0 = the file as a whole
  int field = 0;         // from 1; 0 = the line as a whole
  std::string rule;
  std::string message;  // Windows-1250
};

struct CheckResult {
  std::vector<Finding> findings;  // in file order, at most max_findings
  std::size_t total = 0;          // every finding, those left out of `findings` included
  std::size_t lines = 0;          // lines read
};

// Checks a payment file's bytes. Pure: reads nothing but its arguments.
CheckResult check_payment_file(std::string_view bytes, const CheckOptions& options);

// The options a scheme implies: its STRONA_KODOWA gives the code page; it is checked as Elixir-0
// when it writes one line per transfer (no position once per file, none ending a line) whose
// values are separated by commas (at least 14 positions with the separator ","). nullopt when no
// scheme has that id or it cannot be read. Reads MC_DEF_NAG and MC_DEF_POZ on the scalar channel.
std::optional<CheckOptions> check_options_of_scheme(int64_t scheme_id);

// The report: one line per finding, "line L, field F: rule: message" (", field F" left out for
// the line as a whole), then a closing line with the totals; or the JSON object
//   {"lines": n, "total": n, "findings": [{"line": l, "field": f, "rule": "...",
//    "message": "..."}...]}
std::string report_text(const CheckResult& result);
std::string report_json(const CheckResult& result);

// The file at `file` checked with the options of `scheme` (without one: an Elixir-0 file in
// IBM 852, the code page a new scheme starts with): its report, JSON when `json`; `findings`
// gets their number, or -1 when no scheme has the id or the file cannot be read, the report then
// saying which ({"error": "..."} in JSON).
std::string CHECK_PAYMENT_FILE(std::string_view file, std::optional<int32_t> scheme, bool json,
                               int32_t& findings);

}  // namespace orv::payments
