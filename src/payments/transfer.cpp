// Joining an account from its check digits and number.
#include "payments/transfer.hpp"

#include "platform/text/text.hpp"

namespace orv::payments {

std::string join_account(std::string_view check, std::string_view number) {
  if (text::clip(check).empty()) return std::string(number);
  std::string out;
  for (std::string_view part : {check, number}) {
    for (char c : part) {
      if (c != ' ') out += c;
    }
  }
  return out;
}

}  // namespace orv::payments
