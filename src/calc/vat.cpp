// VAT arithmetic: factors in decimal, products in floating point, every result rounded in decimal.
#include "calc/vat.hpp"

#include <string>

#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

constexpr std::size_t kSymbolWidth = 10;
constexpr double kMissingSymbol = -3.0;

// The symbol as the 10-character key field holds it: clipped, cut, and clipped again because
// the cut may end inside a run of blanks that the fixed field would not tell from padding.
std::string_view key_of(std::string_view symbol) {
  return text::clip(text::clip(symbol).substr(0, kSymbolWidth));
}

// The rate of the symbol's row at 2 places; nullopt when VATQ has no such row.
std::optional<Decimal> find_rate(std::string_view symbol) {
  const std::string_view key = key_of(symbol);
  auto* row =
      dict::glo().tables.VATQ.find([&](const dict::VatRow& r) { return key_of(r.symbol) == key; });
  if (!row) return std::nullopt;
  return row->rate.rescale(2);
}

// The caller's step as the 4-place decimal it is kept in; the sign of a step does not change
// which multiples are nearest, so only its size counts.
Decimal step_of(double step) {
  return Decimal::from_double(step).rescale(4).abs();
}

// ROUND(v, step) in decimal after reading v with 15 significant digits; a zero step leaves the
// value unrounded. NaN and infinities read as 0, so garbage never reaches a document. An amount
// too large to hold at the step's places has none to round: it is carried as computed.
double round_amount(double v, const Decimal& step) {
  const Decimal rounded = Decimal::from_double(v).round(step);
  return rounded.in_range() ? rounded.to_double() : v;
}

// One grosz; a function, so that no static initialisation order is involved.
Decimal default_step() {
  return Decimal::from_units(1, 2);
}

// 1 + rate/100, formed in decimal and then converted to floating point.
double factor_of(const Decimal& rate) {
  return (Decimal::from_int(1) + Decimal::divide(rate, Decimal::from_int(100), 4)).to_double();
}

// A quotient whose divisor is 0 (a rate of -100 %) is left undefined by the rules: it gives 0.
double quotient(double a, double b) {
  return b == 0.0 ? 0.0 : a / b;
}

}  // namespace

double POBIERZSTAWKEVAT(std::string_view symbol) {
  auto rate = find_rate(symbol);
  return rate ? rate->to_double() : kMissingSymbol;
}

double OBLICZBRUTTO(double net, std::string_view symbol, std::optional<double> step) {
  const Decimal s = step ? step_of(*step) : default_step();
  auto rate = find_rate(symbol);
  if (!rate) return round_amount(net, s);
  return round_amount(net * factor_of(*rate), s);
}

double OBLICZNETTO(double gross, std::string_view symbol, std::optional<double> step,
                   double vat_free) {
  Decimal s = step ? step_of(*step) : default_step();
  if (s.is_zero()) s = default_step();
  auto rate = find_rate(symbol);
  if (!rate) return round_amount(gross, s);
  if (vat_free > 0.0) {
    const double r = rate->to_double();
    const double hundred_plus_rate = (Decimal::from_int(100) + *rate).to_double();
    const double vat = round_amount(quotient((gross - vat_free) * r, hundred_plus_rate), s);
    return round_amount(gross - vat, s);
  }
  return round_amount(quotient(gross, factor_of(*rate)), s);
}

void fill_vatq(std::span<const dict::VatRow> rows) {
  auto& q = dict::glo().tables.VATQ;
  q.clear();
  auto by_symbol = [](const dict::VatRow& a, const dict::VatRow& b) { return a.symbol < b.symbol; };
  for (const auto& row : rows) {
    dict::VatRow r{std::string(key_of(row.symbol)), row.rate.rescale(2)};
    if (q.find([&](const dict::VatRow& x) { return x.symbol == r.symbol; })) continue;
    q.add_sorted(std::move(r), by_symbol);
  }
}

}  // namespace orv::calc
