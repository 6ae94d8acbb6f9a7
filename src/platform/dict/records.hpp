// Record buffers of the host's files that the library reads and fills, shared with the host.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The buffer of a file whose rows the library's list windows hand back (ORV_LISTA_OBIEKTOW,
// UZYTKOWNIK1...): field values as text by upper-case field name. Only declared buffers and
// fields exist, so a host's misspelt name fails as with the fixed buffers.
using RowBuffer = std::map<std::string, std::string, std::less<>>;

struct Records {
  RaportRecord RAPORT;
  WariantRecord WARIANT;
  DokumentHandlowyRecord DOKUMENT_HANDLOWY;
  std::map<std::string, RowBuffer, std::less<>> rows;  // declared buffers by upper-case name
};

// Declares a row buffer and its fields once per process (list windows do so at start-up).
void declare_row_buffer(std::string_view record, const std::vector<std::string>& fields);
// The declared buffer's field, "" when never set; nullopt for an undeclared record or field.
std::optional<std::string> row_field(const Records& r, std::string_view record,
                                     std::string_view field);
// Sets every declared field of the buffer from `values` (absent fields become ""), as fetching
// a row fills the whole record.
void fill_row_buffer(Records& r, std::string_view record, const RowBuffer& values);

// A host's access to the buffers by name (case-insensitive): numbers as plain text, NAZWA cut to
// its 50 characters. False (and nothing changed) for an unknown record or field, or a number
// that does not read as one.
bool set_record_field(Records& r, std::string_view record, std::string_view field,
                      std::string_view value);
// nullopt for an unknown record or field.
std::optional<std::string> record_field(const Records& r, std::string_view record,
                                        std::string_view field);

}  // namespace orv::dict
