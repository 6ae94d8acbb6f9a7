// The customer credit limit: the check before an invoice and the payer's limit window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/decimal/decimal.hpp"

namespace orv::calc {

// What the limit window shows of a payer; amounts with 2 places.
struct LimitFigures {
  bool customer_found = false;
  std::string customer_name;
  std::string payer_name;  // at most 50 characters
  Decimal limit;
  uint8_t blocking = 0;  // the payer's blocking mode, 0..4
  int32_t days_overdue = 0;
  Decimal overdue_receivables;
  Decimal overdue_payables;
  int32_t last_transaction = 0;  // day number, 0 = none
  Decimal all_receivables;
  Decimal all_payables;
  Decimal issues;     // issue documents without a trade document
  Decimal available;  // "Do wykorzystania"
};

// Reads the figures the window opens with (the customer, the payer, the balance on `date`
// leaving out `document_id`, the available amount). An unknown customer reads nothing more.
LimitFigures load_limit_figures(double customer_id, double payer_id, double document_id,
                                int32_t date);

// The refusal a payer's blocking mode gives to a sale of `sale_amount`, nullopt when the sale may
// go on. Modes 3 and 4 add the sale amount to the receivables they compare with the limit.
std::optional<std::string> limit_refusal(const LimitFigures& f, const Decimal& sale_amount);

// Opens the window; 1 when the user confirmed and the rules allow the sale (or the function
// password of LIMIT_KUPIECKI was given), 0 otherwise. Window mode 1 only shows, 2 checks, any
// other confirms without checks. The date is today when left out or 0.
uint8_t LIMITKUPIECKI(uint8_t window_mode, double customer_id, double payer_id, double sale_amount,
                      double document_id, std::optional<int32_t> date = std::nullopt);

// 1 when the sale to the payer must stop, by the blocking mode and the open amount of the
// current trade document (its gross value less `deduction` and the amount paid).
uint8_t WALIDACJALIMITU(double customer_id, double payer_id, uint8_t mode, double payer_limit,
                        double deduction);

}  // namespace orv::calc
