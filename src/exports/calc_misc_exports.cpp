// C entry points of the VAT arithmetic and the working-day calculation.
#include "calc/vat.hpp"
#include "calc/working_days.hpp"
#include "table.hpp"

using orv::exports::in;

namespace {

std::optional<double> optional_of(const double* v) {
  return v ? std::optional<double>(*v) : std::nullopt;
}

}  // namespace

extern "C" {

double POBIERZSTAWKEVAT(const char* symbol) {
  return orv::calc::POBIERZSTAWKEVAT(in(symbol));
}

double OBLICZBRUTTO(double net, const char* symbol, const double* step) {
  return orv::calc::OBLICZBRUTTO(net, in(symbol), optional_of(step));
}

double OBLICZNETTO(double gross, const char* symbol, const double* step, const double* vat_free) {
  return orv::calc::OBLICZNETTO(gross, in(symbol), optional_of(step), vat_free ? *vat_free : 0.0);
}

int32_t PODAJOSTATNIDZIENROBOCZY(int32_t date) {
  return orv::calc::PODAJOSTATNIDZIENROBOCZY(date);
}

}  // extern "C"

ORV_EXPORT(POBIERZSTAWKEVAT, "the VAT rate in percent of a symbol, -3 when unknown", "symbol");
ORV_EXPORT(OBLICZBRUTTO, "gross from net by a VAT symbol, rounded to the step (0.01)", "net",
           "symbol", "step?");
ORV_EXPORT(OBLICZNETTO, "net from gross by a VAT symbol, rounded to the step (0.01)", "gross",
           "symbol", "step?", "vat_free?");
ORV_EXPORT(PODAJOSTATNIDZIENROBOCZY, "the last Monday-Friday strictly before a date", "date");
