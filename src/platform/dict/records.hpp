// Record buffers of the host's files that the library reads and fills, shared with the host.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/decimal/decimal.hpp"

namespace orv::dict {

// The report the host works on.
struct RaportRecord {
  double ID_RAPORTU = 0;
};

// The variant of that report; (ID_RAPORTU, NAZWA) is its alternate key.
struct WariantRecord {
  double ID_RAPORTU = 0;
  double ID_WARIANTU = 0;  // assigned by the server
  std::string NAZWA;       // at most 50 characters
};

// The trade document being issued: its id and the two amounts of the credit check.
struct DokumentHandlowyRecord {
  double ID_DOKUMENTU_HANDLOWEGO = 0;
  Decimal WARTOSC_BRUTTO;  // 17 digits, 4 places
  Decimal ZAPLACONO;       // 15 digits, 4 places
};

struct Records {
  RaportRecord RAPORT;
  WariantRecord WARIANT;
  DokumentHandlowyRecord DOKUMENT_HANDLOWY;
};

// A host's access to the buffers by name (case-insensitive): numbers as plain text, NAZWA cut to
// its 50 characters. False (and nothing changed) for an unknown record or field, or a number
// that does not read as one.
bool set_record_field(Records& r, std::string_view record, std::string_view field,
                      std::string_view value);
// nullopt for an unknown record or field.
std::optional<std::string> record_field(const Records& r, std::string_view record,
                                        std::string_view field);

}  // namespace orv::dict
