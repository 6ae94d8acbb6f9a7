// Reading published exchange-rate tables: NBP table A/B (XML of the web service, the older XML
// files, or JSON) and the ECB daily reference rates (eurofxref XML).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::xml {

struct PublishedRate {
  std::string code;  // ISO 4217, upper case
  double value = 0;  // NBP: złoty for `units` units; ECB: units of the currency for one euro
  int units = 1;
};

struct RateTable {
  std::string number;  // "005/A/NBP/2026"; for ECB "ECB 2026-01-05"
  int year = 0, month = 0, day = 0;
  std::vector<PublishedRate> rates;
};

// False with `error` (Polish, UTF-8, for the user) when the text is not such a table, has no valid
// date or no rate. Never throws, whatever the input.
bool read_nbp_table(std::string_view text, RateTable& table, std::string& error);
bool read_ecb_table(std::string_view text, RateTable& table, std::string& error);

// The ECB reference rates of one day (`iso_day`, yyyy-mm-dd) taken out of a daily or history
// file, written as the bank writes its daily file (attributes between apostrophes); nullopt when
// the file holds no such day. `oldest` receives the oldest day the file holds (empty when none),
// so a caller can tell a day the file covers but the bank did not publish.
std::optional<std::string> ecb_day(std::string_view file, std::string_view iso_day,
                                   std::string& oldest);

}  // namespace orv::xml
