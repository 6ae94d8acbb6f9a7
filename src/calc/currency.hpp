// Exchange-rate factors, purchase prices in another currency, typed rates and unit conversion.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::calc {

// Sources of rates: the Polish national bank and the European Central Bank; other values pass to
// the server unchanged.
inline constexpr int32_t kRatesNbp = 0;
inline constexpr int32_t kRatesEcb = -1;

// The configured source: "PropKursBanku" of the company, "ECB" gives -1, anything else 0.
int32_t default_rate_kind();

// The factor between two currencies on a day (today when left out or 0), 6 places. Equal codes
// (trailing blanks ignored) give 1 at once. With a divisor the factor of currency1 alone is
// divided by it. `kind` holding 1 is replaced by the configured source; a null `kind` uses
// that source and writes nothing. A missing rate warns and gives 1.
double WAL_POBIERZPRZELICZNIK(std::string_view currency1, std::string_view currency2,
                              std::optional<int32_t> date = std::nullopt,
                              std::optional<double> divisor = std::nullopt,
                              int32_t* kind = nullptr);

// A purchase price converted with a given rate, to 0.01; an unconverted price is returned as
// passed. Direction 0 divides price1 by the rate, any other multiplies price2 by it.
double WAL_WYLICZCENEZAKUPU(std::string_view currency1, double price1, double price2,
                            std::string_view currency2, double rate, uint8_t direction);

// Asks, checks the permission "BankiKursWal" and stores one rate; 1 when stored.
uint8_t AKTUALIZACJAKURSUWAL(std::string_view currency, double rate,
                             std::optional<int32_t> date = std::nullopt,
                             std::optional<int32_t> kind = std::nullopt);

// The quantity in the article's base unit: the unit's converter times the quantity, to the
// quantities' 4 places. A unit the article lacks converts 1:1. Null references stay unwritten.
void JEDDOKNAJEDMAG(double article_id, std::string_view unit, double quantity,
                    std::string* base_unit, double* base_quantity);

// The clipped text with the clipped addition appended after one blank, unless the addition
// already occurs in it (compared in upper case).
std::string DODAJTEKSTJESLINIEMA(std::string_view addition, std::string_view text);

}  // namespace orv::calc
