// Fuzzes the readers of published rate tables: any text must be refused or read, never crash.
#include <cstddef>
#include <cstdint>
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
  return 0;
}
