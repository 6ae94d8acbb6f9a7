// Fuzzes the readers of published rate tables: any text must be refused or read, never crash.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/xml/rate_tables.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  orv::xml::RateTable table;
  std::string error;
  if (orv::xml::read_nbp_table(text, table, error)) {
    if (table.rates.empty() || table.year == 0) __builtin_trap();
  }
  if (orv::xml::read_ecb_table(text, table, error)) {
    if (table.rates.empty() || table.year == 0) __builtin_trap();
  }
  // A day taken out of a history file is a daily file of that day, whatever the history held.
  std::string oldest;
  std::optional<std::string> day = orv::xml::ecb_day(text, "2026-01-05", oldest);
  if (day && day->find("currency=") != std::string::npos) {
    if (!orv::xml::read_ecb_table(*day, table, error) || table.day != 5) __builtin_trap();
  }
  return 0;
}
