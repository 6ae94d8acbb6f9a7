// The text of one transfer: the scheme's positions walked in order, each with its prefix,
// formatted value, suffix and separator. Pure: the transfer, the company and the scheme come in,
// the text and the reasons to refuse the transfer go out.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "payments/scheme.hpp"
#include "payments/transfer.hpp"
#include "payments/value_format.hpp"

namespace orv::payments {

inline constexpr std::size_t kMaxValue = 200;  // a value longer than this is not written
inline constexpr std::size_t kMaxText = 3000;  // a record of the file

// Why a transfer is not written.
enum class Reason {
  Missing,        // a required value is empty (the documented check)
  NumberTooLong,  // a number longer than its position
  ValueTooLong,   // a value longer than 200 characters
  TextTooLong,    // the whole text longer than 3,000 characters
  NoAddress,      // an address line the counterparty's kind or day does not have
};

struct Refusal {
  int64_t field_id = 0;
  std::string field_name;
  Reason reason = Reason::Missing;
  std::string value;  // what could not be written (NumberTooLong), else empty
};

// The field ids of once-per-file positions already written to the file.
using OnceRegister = std::set<int64_t>;

struct TransferText {
  std::string text;  // empty when refused or when no position gave anything
  std::vector<Refusal> refusals;
  std::vector<int64_t> once_written;  // to enter in the register when the text is written
};

class TextBuilder {
 public:
  TextBuilder(const std::vector<Position>& positions, CodePage page, const Company& company)
      : positions_(positions), page_(page), company_(company) {}

  TransferText build(const Transfer& t, const OnceRegister& written) const;

 private:
  struct Walk;
  std::string value(const Position& p, const Transfer& t, Walk& w) const;
  void add_position(const Position& p, const Transfer& t, Walk& w) const;

  const std::vector<Position>& positions_;
  CodePage page_;
  const Company& company_;
};

}  // namespace orv::payments
