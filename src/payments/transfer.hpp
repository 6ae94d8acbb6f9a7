// A transfer order as the payment-file writer reads it, and the company's own data it prints.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/decimal/decimal.hpp"

namespace orv::payments {

// One marked transfer document. Texts are kept whole (the writer refuses what it would have to
// cut); a missing address line (a counterparty kind without one, an employee without an address
// on the day) is told apart from a blank one.
struct Transfer {
  std::string name;  // the counterparty's name, double quotes removed
  std::string city_line;
  std::string street_line;
  bool city_missing = false;
  bool street_missing = false;
  std::string account;          // the counterparty's check digits and number, joined
  std::string company_account;  // the company's, joined the same way
  std::string company_check;    // the company account's check digits (rf.lk)
  std::string title;
  Decimal amount;    // two places
  int32_t date = 0;  // day number
};

// The company's name and its registered office's lines, read once per export.
struct Company {
  std::string name;
  std::string street_line;
  std::string city_line;
};

// An account joined from check digits K and number A: K & A without any blank when K is not
// blank, else A as it is.
std::string join_account(std::string_view check, std::string_view number);

}  // namespace orv::payments
