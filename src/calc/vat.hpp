// VAT arithmetic over the shared VATQ table: rate lookup, gross from net, net from gross.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/dict/tables.hpp"

namespace orv::calc {

// The rate in percent of the symbol, or -3.0 when VATQ has no such symbol. Moves VATQ's
// current row to the row found.
double POBIERZSTAWKEVAT(std::string_view symbol);

// The gross value of `net`, rounded to `step` (0.01 when left out; an explicit 0 leaves the
// product unrounded). A symbol missing from VATQ means no VAT: the net rounded.
double OBLICZBRUTTO(double net, std::string_view symbol, std::optional<double> step = std::nullopt);

// The net value of `gross`, rounded to `step` (0.01 when left out or 0). A positive vat-free
// part stays inside the net untaxed; a missing symbol means no VAT.
double OBLICZNETTO(double gross, std::string_view symbol, std::optional<double> step = std::nullopt,
                   double vat_free = 0.0);

// Replaces VATQ's contents with `rows`, in key order: symbols clipped and cut to 10
// characters, rates kept at 2 places. When a symbol repeats, its first row wins.
void fill_vatq(std::span<const dict::VatRow> rows);

}  // namespace orv::calc
