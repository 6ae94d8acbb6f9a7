/* Exported procedures of the calc subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_CALC_H
#define ORVRUN_CALC_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* VAT rates, gross and net; the last working day before a date. A null step is left out
 * (0.01); a null vat-free part reads as 0. */
ORVRUN_API double POBIERZSTAWKEVAT(const char* symbol) ORVRUN_NOEXCEPT;
ORVRUN_API double OBLICZBRUTTO(double net, const char* symbol,
                               const double* step /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API double OBLICZNETTO(double gross, const char* symbol, const double* step /* optional */,
                              const double* vat_free /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t PODAJOSTATNIDZIENROBOCZY(int32_t date) ORVRUN_NOEXCEPT;

/* Identifiers, bank account numbers, code pages and text utilities. */
ORVRUN_API char* TYLKOZNAKINUMERYCZNE(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t NIPOK(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t PESELOK(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t REGONOK(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API char* NIPUE(const char* number, const char* second,
                       const uint8_t* flag /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API char* IBAN_OBLICZSUMEKONTROLNA(const char* domestic) ORVRUN_NOEXCEPT;
ORVRUN_API char* IBAN_KONWERSJA(const char* number) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t IBAN_CZYPOPRAWNY(const char* number) ORVRUN_NOEXCEPT;
ORVRUN_API char* MAZOVIATOWINDOWS(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API char* WINDOWSTOMAZOVIA(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API char* TEKSTZPOLNAANG(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API char* BEZPL(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t POBIERZLINIE(const char* text, ORVRUN_TEXT* line, int32_t n) ORVRUN_NOEXCEPT;
ORVRUN_API char* PODZIELLINIE(const char* text, int32_t* position, int32_t width) ORVRUN_NOEXCEPT;
ORVRUN_API char* SPLITSTRING(const char* text, int32_t n, const char* separator) ORVRUN_NOEXCEPT;
ORVRUN_API char* REPLACEPROC(const char* text, const char* find,
                             const char* replacement) ORVRUN_NOEXCEPT;
ORVRUN_API char* REPLACEPROC2(const char* text, const char* find,
                              const char* replacement) ORVRUN_NOEXCEPT;
ORVRUN_API void REPLACETEXT(ORVRUN_TEXT* text, ORVRUN_TEXT* find, ORVRUN_TEXT* replacement,
                            const uint8_t* case_sensitive /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API char* REPLACEALLSPACE(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API char* WYTNIJZNAKIZOPISU(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API char* WALIDUJNAZWEPLIKU(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API char* BYTETOHEX(uint8_t value) ORVRUN_NOEXCEPT;
ORVRUN_API char* LONGTOHEX(int32_t value) ORVRUN_NOEXCEPT;
ORVRUN_API char* PODAJADRES(const char* street, const char* number /* optional */,
                            const char* flat /* optional */) ORVRUN_NOEXCEPT;
/* Amounts in words: 500-character blank-padded texts; currency may be null (left out). */
ORVRUN_API char* SLOWNIE(double amount, const char* currency) ORVRUN_NOEXCEPT;
ORVRUN_API char* SLOWNIEKROTKO(double amount) ORVRUN_NOEXCEPT;
/* Discount converter and change calculator (windows). DECIMAL values cross as REAL. */
ORVRUN_API void PRZELICZNIKRABATU(double* percentage, double* price,
                                  const char* kind /* optional */,
                                  const char* subject /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t WYDAWANIERESZTY(double* due, double* paid, double* change) ORVRUN_NOEXCEPT;

/* Currency and unit conversion, customer credit limit. Optional numbers
 * are null when left out; the kind of WAL_POBIERZPRZELICZNIK is by reference and may be null. */
ORVRUN_API double WAL_POBIERZPRZELICZNIK(const char* currency1, const char* currency2,
                                         const int32_t* date /* optional */,
                                         const double* divisor /* optional */,
                                         int32_t* kind) ORVRUN_NOEXCEPT;
ORVRUN_API double WAL_WYLICZCENEZAKUPU(const char* currency1, double price1, double price2,
                                       const char* currency2, double rate,
                                       uint8_t direction) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t AKTUALIZACJAKURSUWAL(const char* currency, double rate,
                                        const int32_t* date /* optional */,
                                        const int32_t* kind /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API void JEDDOKNAJEDMAG(double article_id, const char* unit, double quantity,
                               ORVRUN_TEXT* base_unit, double* base_quantity) ORVRUN_NOEXCEPT;
ORVRUN_API char* DODAJTEKSTJESLINIEMA(const char* addition, const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t WALIDACJALIMITU(double customer_id, double payer_id, uint8_t mode,
                                   double payer_limit, double deduction) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t LIMITKUPIECKI(uint8_t window_mode, double customer_id, double payer_id,
                                 double sale_amount, double document_id,
                                 const int32_t* date /* optional */) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
