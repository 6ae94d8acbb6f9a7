// Row types of the global in-memory tables; each table's fields are those its users rely on.
#pragma once

#include <cstdint>
#include <string>

#include "platform/decimal/decimal.hpp"
#include "platform/dict/queue.hpp"

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

// Configuration values of the current company (S_PARAMKONFQ) and user (U_PARAMKONFQ), filled
// by the host, keyed by the upper-case code.
struct ParamKonfRow {
  std::string code;   // at most 20 characters
  std::string mask;   // at most 20 characters
  std::string value;  // at most 249 characters
};

struct Tables {
  Queue<VatRow> VATQ;
  Queue<ParamKonfRow> S_PARAMKONFQ;
  Queue<ParamKonfRow> U_PARAMKONFQ;
  Queue<OknoRow> OKNAQ;
  Queue<OtwarteOknoRow> KOLEJKAOTWARTYCHOKIEN;
};

}  // namespace orv::dict
