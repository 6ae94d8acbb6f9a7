// Fuzzes the payment-file checker, aborting when a report breaks what the checker promises:
// findings in file order within the lines read, the cap kept, known rules, valid JSON.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "payments/payment_check.hpp"
#include "platform/text/json.hpp"

#include "fuzz_input.hpp"

namespace {

using orv::fuzz::require;
using orv::payments::CheckOptions;
using orv::payments::CheckResult;
using orv::payments::CodePage;

const std::set<std::string> kRules = {
    "empty",   "bom",       "line-end",    "utf8",       "code-page", "control",
    "records", "fields",    "quote",       "number",     "date",      "amount",
    "nrb",     "sort-code", "text-length", "text-lines", "character"};

void check(const CheckResult& r, const CheckOptions& options) {
  require(r.findings.size() <= options.max_findings);
  require(r.total >= r.findings.size());
  require(r.findings.size() == r.total || r.findings.size() == options.max_findings);
  std::size_t last = 0;
  for (const auto& f : r.findings) {
    require(kRules.count(f.rule) == 1);
    require(f.line <= r.lines && f.line >= last);
    require(f.field >= 0 && f.field <= 16);
    require(!f.message.empty());
    last = f.line;
  }
  std::string error;
  require(orv::text::parse_json(orv::payments::report_json(r), error).has_value());
  require(!orv::payments::report_text(r).empty());
}

}  // namespace

// The first byte picks the code page, the layout and small limits, so that caps are reached.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  CheckOptions options;
  options.code_page = static_cast<CodePage>(data[0] & 3);
  options.elixir = (data[0] & 4) == 0;
  options.max_records = (data[0] & 8) ? 3 : 5000;
  options.max_findings = (data[0] & 16) ? 5 : 1000;
  std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  check(orv::payments::check_payment_file(input, options), options);
  return 0;
}
