// C entry points of currency and unit conversion, the credit limit, report variants, numbering
// formats and order statuses, and of the record buffers they share with the host.
#include "calc/credit_limit.hpp"
#include "calc/currency.hpp"
#include "platform/dict/context.hpp"
#include "reports/numbering.hpp"
#include "reports/variants.hpp"
#include "table.hpp"
#include "ui_guard.hpp"

using orv::exports::give_text;
using orv::exports::in;
using orv::exports::put_text;
using orv::exports::ui_guard;

namespace {

template <class T>
std::optional<T> optional_of(const T* v) {
  return v ? std::optional<T>(*v) : std::nullopt;
}

}  // namespace

extern "C" {

double WAL_POBIERZPRZELICZNIK(const char* currency1, const char* currency2, const int32_t* date,
                              const double* divisor, int32_t* kind) {
  return ui_guard(
      [&] {
        return orv::calc::WAL_POBIERZPRZELICZNIK(in(currency1), in(currency2), optional_of(date),
                                                 optional_of(divisor), kind);
      },
      1.0);
}

double WAL_WYLICZCENEZAKUPU(const char* currency1, double price1, double price2,
                            const char* currency2, double rate, uint8_t direction) {
  return orv::calc::WAL_WYLICZCENEZAKUPU(in(currency1), price1, price2, in(currency2), rate,
                                         direction);
}

uint8_t AKTUALIZACJAKURSUWAL(const char* currency, double rate, const int32_t* date,
                             const int32_t* kind) {
  return ui_guard([&] {
    return orv::calc::AKTUALIZACJAKURSUWAL(in(currency), rate, optional_of(date),
                                           optional_of(kind));
  });
}

void JEDDOKNAJEDMAG(double article_id, const char* unit, double quantity, ORVRUN_TEXT* base_unit,
                    double* base_quantity) {
  std::string base;
  orv::calc::JEDDOKNAJEDMAG(article_id, in(unit), quantity, base_unit ? &base : nullptr,
                            base_quantity);
  put_text(base_unit, base);
}

char* DODAJTEKSTJESLINIEMA(const char* addition, const char* text) {
  return give_text(orv::calc::DODAJTEKSTJESLINIEMA(in(addition), in(text)));
}

uint8_t WALIDACJALIMITU(double customer_id, double payer_id, uint8_t mode, double payer_limit,
                        double deduction) {
  // A run that cannot go on leaves the sale stopped.
  return ui_guard(
      [&] {
        return orv::calc::WALIDACJALIMITU(customer_id, payer_id, mode, payer_limit, deduction);
      },
      uint8_t{1});
}

uint8_t LIMITKUPIECKI(uint8_t window_mode, double customer_id, double payer_id, double sale_amount,
                      double document_id, const int32_t* date) {
  return ui_guard([&] {
    return orv::calc::LIMITKUPIECKI(window_mode, customer_id, payer_id, sale_amount, document_id,
                                    optional_of(date));
  });
}

void INICJUJWARIANT(double report_id, double variant_id) {
  ui_guard([&] { orv::reports::INICJUJWARIANT(report_id, variant_id); });
}

char* WARTOSCPARAMETRU(const char* name) {
  return give_text(orv::reports::WARTOSCPARAMETRU(in(name)));
}

void ZAPISZWARTOSCPARAMETRU(const char* name, const char* value) {
  orv::reports::ZAPISZWARTOSCPARAMETRU(in(name), in(value));
}

void ZAPISZWARTOSCPARAMETRUDOBAZY(const char* name, const char* value) {
  ui_guard([&] { orv::reports::ZAPISZWARTOSCPARAMETRUDOBAZY(in(name), in(value)); });
}

double ZAPISZWARIANT(double report_id, double variant_id, const char* new_name,
                     const char* old_name) {
  return ui_guard(
      [&] {
        return orv::reports::ZAPISZWARIANT(report_id, variant_id, in(new_name), in(old_name));
      },
      0.0);
}

void LADUJFORMATYNUMERACJI(void) {
  ui_guard([] { orv::reports::LADUJFORMATYNUMERACJI(); });
}

uint8_t POBIERZFORMATNUMERACJI(uint8_t group, int32_t type_id, int32_t resource_id,
                               ORVRUN_TEXT* format, uint8_t* period, uint8_t* parameter1,
                               uint8_t* parameter2) {
  orv::reports::NumberingFormat found;
  bool ok = ui_guard(
      [&] { return orv::reports::POBIERZFORMATNUMERACJI(group, type_id, resource_id, found); });
  put_text(format, found.format);
  if (period) *period = found.period;
  if (parameter1) *parameter1 = found.parameter1;
  if (parameter2) *parameter2 = found.parameter2;
  return ok ? 1 : 0;
}

void LADUJSTATUSYZAMOWIEN(void) {
  ui_guard([] { orv::reports::LADUJSTATUSYZAMOWIEN(); });
}

char* PODAJOPISSTATUSUZAMOWIENIA(const char* code, const char* layout) {
  std::string caption;
  ui_guard([&] { caption = orv::reports::PODAJOPISSTATUSUZAMOWIENIA(in(code), in(layout)); });
  return give_text(caption);
}

void INICJUJKOLEJKESTATUSOW(const uint8_t* reload) {
  ui_guard([&] { orv::reports::INICJUJKOLEJKESTATUSOW(optional_of(reload)); });
}

uint8_t ORVRUN_RECORD_SET(const char* record, const char* field, const char* value) {
  return orv::dict::set_record_field(orv::dict::glo().records, in(record), in(field), in(value))
             ? 1
             : 0;
}

char* ORVRUN_RECORD_GET(const char* record, const char* field) {
  auto v = orv::dict::record_field(orv::dict::glo().records, in(record), in(field));
  return give_text(v ? *v : std::string());
}

}  // extern "C"

ORV_EXPORT(WAL_POBIERZPRZELICZNIK, "exchange-rate factor between two currencies on a day",
           "currency1", "currency2", "date?", "divisor?", "kind?");
ORV_EXPORT(WAL_WYLICZCENEZAKUPU, "purchase price converted with a rate, to 0.01", "currency1",
           "price1", "price2", "currency2", "rate", "direction");
ORV_EXPORT(AKTUALIZACJAKURSUWAL, "ask, then add or update one exchange rate; 1 when stored",
           "currency", "rate", "date?", "kind?");
ORV_EXPORT(JEDDOKNAJEDMAG, "quantity in an article's unit converted to its base unit", "article_id",
           "unit", "quantity", "base_unit[21]", "base_quantity");
ORV_EXPORT(DODAJTEKSTJESLINIEMA, "the text with the addition appended unless already in it",
           "addition", "text");
ORV_EXPORT(WALIDACJALIMITU, "credit-limit check of the current trade document; 1 = stop the sale",
           "customer_id", "payer_id", "mode", "payer_limit", "deduction");
ORV_EXPORT(LIMITKUPIECKI, "payer's credit-limit window; 1 when confirmed and allowed",
           "window_mode", "customer_id", "payer_id", "sale_amount", "document_id", "date?");
ORV_EXPORT(INICJUJWARIANT, "load a report variant's parameter values", "report_id", "variant_id");
ORV_EXPORT(WARTOSCPARAMETRU, "a loaded report parameter's value", "name");
ORV_EXPORT(ZAPISZWARTOSCPARAMETRU, "change a loaded report parameter's value in memory", "name",
           "value");
ORV_EXPORT(ZAPISZWARTOSCPARAMETRUDOBAZY, "change a report parameter's value and store it", "name",
           "value");
ORV_EXPORT(ZAPISZWARIANT, "save a report variant (rename, new, delete); its id", "report_id",
           "variant_id", "new_name", "old_name");
ORV_EXPORT(LADUJFORMATYNUMERACJI, "load the company's numbering formats");
ORV_EXPORT(POBIERZFORMATNUMERACJI, "numbering format of a document group, type and resource",
           "group", "type_id", "resource_id", "format[50]", "period", "parameter1", "parameter2");
ORV_EXPORT(LADUJSTATUSYZAMOWIEN, "load the order-status dictionary");
ORV_EXPORT(PODAJOPISSTATUSUZAMOWIENIA, "caption of an order status in a layout (O, SO, OS)", "code",
           "layout");
ORV_EXPORT(INICJUJKOLEJKESTATUSOW, "fill the statuses order lists filter by", "reload?");
ORV_EXPORT(ORVRUN_RECORD_SET, "set a field of a shared record buffer; 1 when set", "record",
           "field", "value");
ORV_EXPORT(ORVRUN_RECORD_GET, "a field of a shared record buffer", "record", "field");
