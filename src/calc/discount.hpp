// The discount converter and the change calculator: two small modal windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/decimal/decimal.hpp"

namespace orv::calc {

// The converter's fields; every step rounds to 0.01, halves away from zero.
struct DiscountFields {
  Decimal input;       // CENA: the price before the discount or mark-up
  Decimal percentage;  // NR_PROCENT
  Decimal amount;      // NR_KWOTA
  Decimal result;      // CENA_PO
};

// Opening: the input price follows from the resulting price and the percentage.
DiscountFields open_discount(const Decimal& percentage, const Decimal& result);
// A percentage entered: the amount and the resulting price follow.
void percentage_entered(DiscountFields& f);
// An amount entered: the percentage follows, and the amount becomes what that percentage gives
// back; the replacement is returned when it differs from what was entered.
std::optional<Decimal> amount_entered(DiscountFields& f);
// A resulting price entered: taken as the amount (result - input).
std::optional<Decimal> result_entered(DiscountFields& f);

// Opens the converter on the caller's percentage and resulting price; on confirmation both
// receive the new values (and it returns true), on closing without it they stay. `kind`
// "Brutto" and `subject` "wartość" change the captions.
bool PRZELICZNIKRABATU(Decimal& percentage, Decimal& price, std::string_view kind = {},
                       std::string_view subject = {});

// Opens the change calculator; on closing the three receive the window's values. Always 1.
uint8_t WYDAWANIERESZTY(Decimal& due, Decimal& paid, Decimal& change);

// A typed amount: blanks dropped, "," or "." as the point, at most `digits` digits of which 2
// after the point (more places round). nullopt when the entry cannot take it.
std::optional<Decimal> parse_entry(std::string_view typed, int digits);

}  // namespace orv::calc
