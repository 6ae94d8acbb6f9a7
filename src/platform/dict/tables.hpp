// Row types of the global in-memory tables; each table's fields are those its users rely on.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dict/queue.hpp"
#include "platform/decimal/decimal.hpp"

namespace orv::dict {

// VAT rates, keyed by the 10-character symbol (exact match of the whole field).
struct VatRow {
  std::string symbol;  // at most 10 characters
  Decimal rate;        // percent, 2 places
};

// Open windows by name (upper-cased, clipped, at most 20 characters).
struct OknoRow {
  int32_t value = 0;
  std::string name;
};

// Open objects keyed by (name, qualifier).
struct OtwarteOknoRow {
  std::string name;       // at most 254 characters
  std::string qualifier;  // at most 99 characters
};

struct Tables {
  Queue<VatRow> VATQ;
  Queue<OknoRow> OKNAQ;
  Queue<OtwarteOknoRow> KOLEJKAOTWARTYCHOKIEN;
};

}  // namespace orv::dict
