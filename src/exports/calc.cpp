// C entry points of the business calculations: identifiers, bank accounts, amounts in words, code
// pages, VAT, currency and units, text utilities, discounts and change, credit limits.
#include <cstdlib>
#include <cstring>
#include <string>

#include "boundary.hpp"
#include "calc/amount_words.hpp"
#include "calc/code_pages.hpp"
#include "calc/credit_limit.hpp"
#include "calc/currency.hpp"
#include "calc/discount.hpp"
#include "calc/iban.hpp"
#include "calc/identifiers.hpp"
#include "calc/library_services.hpp"
#include "calc/text_lines.hpp"
#include "calc/text_replace.hpp"
#include "calc/text_utils.hpp"
#include "calc/vat.hpp"
#include "calc/working_days.hpp"
#include "table.hpp"

using orv::Decimal;
using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;
using orv::exports::optional_of;
using orv::exports::put_text;

namespace {

// A caller's reference buffer read as far as its NUL, never past its size.
std::string_view ref_text(const ORVRUN_TEXT* ref) {
  if (!ref || !ref->data) return {};
  return {ref->data, strnlen(ref->data, ref->size)};
}

// The working text goes straight into the caller's allocation: one allocation per call.
template <class Write>
char* give_words(Write write) {
  auto* out = static_cast<char*>(std::malloc(orv::calc::kWordsWidth + 1));
  if (!out) return nullptr;
  write(out);
  out[orv::calc::kWordsWidth] = '\0';
  return out;
}

Decimal read(const double* v) {
  return v ? Decimal::from_double(*v) : Decimal();
}

void write(double* to, const Decimal& v) {
  if (to) *to = v.to_double();
}

}  // namespace

extern "C" {

char* TYLKOZNAKINUMERYCZNE(const char* text) noexcept {
  return guard_text(__func__, [&] { return orv::calc::TYLKOZNAKINUMERYCZNE(in(text)); });
}
uint8_t NIPOK(const char* text) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::calc::NIPOK(in(text)); });
}
uint8_t PESELOK(const char* text) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::calc::PESELOK(in(text)); });
}
uint8_t REGONOK(const char* text) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::calc::REGONOK(in(text)); });
}
char* NIPUE(const char* number, const char* second, const uint8_t* flag) noexcept {
  return guard_text(__func__,
                    [&] { return orv::calc::NIPUE(in(number), in(second), flag ? *flag : 0); });
}

char* IBAN_OBLICZSUMEKONTROLNA(const char* domestic) noexcept {
  return guard_text(__func__, [&] { return orv::calc::IBAN_OBLICZSUMEKONTROLNA(in(domestic)); });
}
char* IBAN_KONWERSJA(const char* number) noexcept {
  return guard_text(__func__, [&] { return orv::calc::IBAN_KONWERSJA(in(number)); });
}
uint8_t IBAN_CZYPOPRAWNY(const char* number) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::calc::IBAN_CZYPOPRAWNY(in(number)); });
}

char* MAZOVIATOWINDOWS(const char* text) noexcept {
  return guard_text(__func__, [&] { return orv::calc::MAZOVIATOWINDOWS(in(text)); });
}
char* WINDOWSTOMAZOVIA(const char* text) noexcept {
  return guard_text(__func__, [&] { return orv::calc::WINDOWSTOMAZOVIA(in(text)); });
}
char* TEKSTZPOLNAANG(const char* text) noexcept {
  return guard_text(__func__, [&] { return orv::calc::TEKSTZPOLNAANG(in(text)); });
}
char* BEZPL(const char* text) noexcept {
  return guard_text(__func__, [&] { return orv::calc::BEZPL(in(text)); });
}

uint8_t POBIERZLINIE(const char* text, ORVRUN_TEXT* line, int32_t n) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    orv::calc::LineAt r = orv::calc::line_at(in(text), n);
    if (r.line) put_text(line, *r.line);
    return r.found;
  });
}
char* PODZIELLINIE(const char* text, int32_t* position, int32_t width) noexcept {
  return guard_text(__func__, [&] {
    int32_t p = position ? *position : 0;
    std::string piece = orv::calc::PODZIELLINIE(in(text), p, width);
    if (position) *position = p;
    return piece;
  });
}
char* SPLITSTRING(const char* text, int32_t n, const char* separator) noexcept {
  return guard_text(__func__, [&] { return orv::calc::SPLITSTRING(in(text), n, in(separator)); });
}

char* REPLACEPROC(const char* text, const char* find, const char* replacement) noexcept {
  return guard_text(__func__,
                    [&] { return orv::calc::REPLACEPROC(in(text), in(find), in(replacement)); });
}
char* REPLACEPROC2(const char* text, const char* find, const char* replacement) noexcept {
  return guard_text(__func__,
                    [&] { return orv::calc::REPLACEPROC2(in(text), in(find), in(replacement)); });
}
void REPLACETEXT(ORVRUN_TEXT* text, ORVRUN_TEXT* find, ORVRUN_TEXT* replacement,
                 const uint8_t* case_sensitive) noexcept {
  if (!text || !text->data || text->size == 0) return;
  guard(__func__, [&] {
    std::string value(ref_text(text));
    orv::calc::REPLACETEXT(value, ref_text(find), ref_text(replacement),
                           case_sensitive ? *case_sensitive : 0);
    put_text(text, value);
  });
}
char* REPLACEALLSPACE(const char* text) noexcept {
  return guard_text(__func__, [&] { return orv::calc::REPLACEALLSPACE(in(text)); });
}
char* WYTNIJZNAKIZOPISU(const char* text) noexcept {
  return guard_text(__func__, [&] { return orv::calc::WYTNIJZNAKIZOPISU(in(text)); });
}

char* WALIDUJNAZWEPLIKU(const char* name) noexcept {
  return guard_text(__func__, [&] { return orv::calc::WALIDUJNAZWEPLIKU(in(name)); });
}
char* BYTETOHEX(uint8_t value) noexcept {
  return guard_text(__func__, [&] { return orv::calc::BYTETOHEX(value); });
}
char* LONGTOHEX(int32_t value) noexcept {
  return guard_text(__func__, [&] { return orv::calc::LONGTOHEX(value); });
}
char* PODAJADRES(const char* street, const char* number, const char* flat) noexcept {
  return guard_text(__func__,
                    [&] { return orv::calc::PODAJADRES(in(street), in(number), in(flat)); });
}

char* SLOWNIE(double amount, const char* currency) noexcept {
  return guard_text(__func__, [&] {
    return give_words([&](char* out) { orv::calc::write_slownie(amount, in(currency), out); });
  });
}
char* SLOWNIEKROTKO(double amount) noexcept {
  return guard_text(__func__, [&] {
    return give_words([&](char* out) { orv::calc::write_slowniekrotko(amount, out); });
  });
}

double POBIERZSTAWKEVAT(const char* symbol) noexcept {
  return guard(__func__, -3.0, [&] { return orv::calc::POBIERZSTAWKEVAT(in(symbol)); });
}
double OBLICZBRUTTO(double net, const char* symbol, const double* step) noexcept {
  return guard(__func__, 0.0,
               [&] { return orv::calc::OBLICZBRUTTO(net, in(symbol), optional_of(step)); });
}
double OBLICZNETTO(double gross, const char* symbol, const double* step,
                   const double* vat_free) noexcept {
  return guard(__func__, 0.0, [&] {
    return orv::calc::OBLICZNETTO(gross, in(symbol), optional_of(step), vat_free ? *vat_free : 0.0);
  });
}
int32_t PODAJOSTATNIDZIENROBOCZY(int32_t date) noexcept {
  return guard(__func__, int32_t{0}, [&] { return orv::calc::PODAJOSTATNIDZIENROBOCZY(date); });
}

void PRZELICZNIKRABATU(double* percentage, double* price, const char* kind,
                       const char* subject) noexcept {
  guard(__func__, [&] {
    Decimal p = read(percentage), c = read(price);
    if (!orv::calc::PRZELICZNIKRABATU(p, c, in(kind), in(subject))) return;
    write(percentage, p);
    write(price, c);
  });
}
uint8_t WYDAWANIERESZTY(double* due, double* paid, double* change) noexcept {
  Decimal d = read(due), p = read(paid), c = read(change);
  uint8_t r = guard(__func__, uint8_t{1}, [&] { return orv::calc::WYDAWANIERESZTY(d, p, c); });
  write(due, d);
  write(paid, p);
  write(change, c);
  return r;
}

double WAL_POBIERZPRZELICZNIK(const char* currency1, const char* currency2, const int32_t* date,
                              const double* divisor, int32_t* kind) noexcept {
  return guard(__func__, 1.0, [&] {
    return orv::calc::WAL_POBIERZPRZELICZNIK(in(currency1), in(currency2), optional_of(date),
                                             optional_of(divisor), kind);
  });
}
double WAL_WYLICZCENEZAKUPU(const char* currency1, double price1, double price2,
                            const char* currency2, double rate, uint8_t direction) noexcept {
  return guard(__func__, 0.0, [&] {
    return orv::calc::WAL_WYLICZCENEZAKUPU(in(currency1), price1, price2, in(currency2), rate,
                                           direction);
  });
}
uint8_t AKTUALIZACJAKURSUWAL(const char* currency, double rate, const int32_t* date,
                             const int32_t* kind) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    return orv::calc::AKTUALIZACJAKURSUWAL(in(currency), rate, optional_of(date),
                                           optional_of(kind));
  });
}
void JEDDOKNAJEDMAG(double article_id, const char* unit, double quantity, ORVRUN_TEXT* base_unit,
                    double* base_quantity) noexcept {
  guard(__func__, [&] {
    std::string base;
    orv::calc::JEDDOKNAJEDMAG(article_id, in(unit), quantity, base_unit ? &base : nullptr,
                              base_quantity);
    put_text(base_unit, base);
  });
}
char* DODAJTEKSTJESLINIEMA(const char* addition, const char* text) noexcept {
  return guard_text(__func__,
                    [&] { return orv::calc::DODAJTEKSTJESLINIEMA(in(addition), in(text)); });
}
uint8_t WALIDACJALIMITU(double customer_id, double payer_id, uint8_t mode, double payer_limit,
                        double deduction) noexcept {
  // A run that cannot go on leaves the sale stopped.
  return guard(__func__, uint8_t{1}, [&] {
    return orv::calc::WALIDACJALIMITU(customer_id, payer_id, mode, payer_limit, deduction);
  });
}
uint8_t LIMITKUPIECKI(uint8_t window_mode, double customer_id, double payer_id, double sale_amount,
                      double document_id, const int32_t* date) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    return orv::calc::LIMITKUPIECKI(window_mode, customer_id, payer_id, sale_amount, document_id,
                                    optional_of(date));
  });
}

uint8_t POBIERZKURSYNBP(int32_t* date, int32_t* notice) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::calc::POBIERZKURSYNBP(date, notice); });
}
uint8_t POBIERZKURSYECB(int32_t* date, int32_t* notice) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::calc::POBIERZKURSYECB(date, notice); });
}
char* POBIERZSYSTEMLISTSEPARATOR() noexcept {
  return guard_text(__func__, [&] { return orv::calc::POBIERZSYSTEMLISTSEPARATOR(); });
}
uint8_t UTWORZPLIK(const char* name) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::calc::UTWORZPLIK(in(name)); });
}
uint8_t ISINTERNETCONNECTION() noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::calc::ISINTERNETCONNECTION(); });
}

}  // extern "C"
