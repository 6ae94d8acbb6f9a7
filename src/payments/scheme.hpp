// One position of a payment-file scheme, as MC_DEF_POZ and its MC_DEF_POLA field hold it, and the
// field ids whose meaning the writer gives (the system elements of the field dictionary).
#pragma once

#include <cstdint>
#include <string>

namespace orv::payments {

// System elements: 1-10 the transfer's counterparty, 51-60 the company's own data.
namespace field {
constexpr int64_t kName = 1, kPostalCode = 2, kTown = 3, kCityLine = 4, kStreetLine = 5,
                  kSortCode = 6, kAccountNumber = 7, kAccountNoCheck = 8, kCheckDigits = 9,
                  kAccount = 10;
constexpr int64_t kCompanyOffset = 50;  // 51 is the company's name, ... 60 its whole account
constexpr int64_t kTitle = 100, kAmount = 101, kDate = 102;
}  // namespace field

// The code page of a scheme's file, as its STRONA_KODOWA names it; the writer and the checker
// share it. The order is the checker's (it indexes tables by it).
enum class CodePage {
  Latin,     // "Latin": IBM 852
  Mazovia,   // "Mazovia"
  Windows,   // "Windows" (and any other name: the writer then converts nothing): Windows-1250
  NoPolish,  // "Bez PL": Polish letters written as their base letters
};

struct Position {
  int64_t field_id = 0;
  std::string prefix, suffix, separator;
  bool once_per_file = false;    // TYP "N": written with the first transfer only
  char format_type = 'A';        // 'A' alphanumeric, 'N' numeric, 'D' date
  int32_t length = 20;           // FORMAT_ILOSC
  bool fixed = false;            // FORMAT_FIXED
  std::string date_pattern;      // FORMAT_FORMAT, for 'D'
  std::string format_separator;  // FORMAT_SEPARATOR: decimal ('N') or group ('D') separator
  bool line_end = false;         // KONIEC_LINII
  bool required = true;          // WYMAGANA_WARTOSC
  bool system_element = false;   // the field's TYP is "S"
  std::string constant;          // the field's WARTOSC, printed for a user element
  std::string field_name;        // the field's NAZWA, named in the error list
};

}  // namespace orv::payments
