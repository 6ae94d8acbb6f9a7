/* Exported procedures of the calc subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_CALC_H
#define ORVRUN_CALC_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* VAT rates, gross and net; the last working day before a date. A null step is left out
 * (0.01); a null vat-free part reads as 0. */
/* the VAT rate in percent of a symbol, -3 when unknown */
ORVRUN_API double POBIERZSTAWKEVAT(const char* symbol) ORVRUN_NOEXCEPT;
/* gross from net by a VAT symbol, rounded to the step (0.01) */
ORVRUN_API double OBLICZBRUTTO(double net, const char* symbol,
                               const double* step /* optional */) ORVRUN_NOEXCEPT;
/* net from gross by a VAT symbol, rounded to the step (0.01) */
ORVRUN_API double OBLICZNETTO(double gross, const char* symbol, const double* step /* optional */,
                              const double* vat_free /* optional */) ORVRUN_NOEXCEPT;
/* the last Monday-Friday strictly before a date */
ORVRUN_API int32_t PODAJOSTATNIDZIENROBOCZY(int32_t date) ORVRUN_NOEXCEPT;

/* Identifiers, bank account numbers, code pages and text utilities. */
/* the digits among the first 49 characters */
ORVRUN_API char* TYLKOZNAKINUMERYCZNE(const char* text) ORVRUN_NOEXCEPT;
/* 1 for an acceptable NIP */
ORVRUN_API uint8_t NIPOK(const char* text) ORVRUN_NOEXCEPT;
/* 1 for a valid PESEL */
ORVRUN_API uint8_t PESELOK(const char* text) ORVRUN_NOEXCEPT;
/* 1 for every REGON */
ORVRUN_API uint8_t REGONOK(const char* text) ORVRUN_NOEXCEPT;
/* the EU form of a NIP; flag 1 asks the server */
ORVRUN_API char* NIPUE(const char* number, const char* second,
                       const uint8_t* flag /* optional */) ORVRUN_NOEXCEPT;
/* check digits of a 24-digit domestic account */
ORVRUN_API char* IBAN_OBLICZSUMEKONTROLNA(const char* domestic) ORVRUN_NOEXCEPT;
/* the 26-digit form of a 24-digit account */
ORVRUN_API char* IBAN_KONWERSJA(const char* number) ORVRUN_NOEXCEPT;
/* 1 for a correct 26-digit account, else a warning */
ORVRUN_API uint8_t IBAN_CZYPOPRAWNY(const char* number) ORVRUN_NOEXCEPT;
/* Mazovia to Windows-1250, 199 characters */
ORVRUN_API char* MAZOVIATOWINDOWS(const char* text) ORVRUN_NOEXCEPT;
/* Windows-1250 to Mazovia, 199 characters */
ORVRUN_API char* WINDOWSTOMAZOVIA(const char* text) ORVRUN_NOEXCEPT;
/* a plain ASCII identifier from Polish text */
ORVRUN_API char* TEKSTZPOLNAANG(const char* text) ORVRUN_NOEXCEPT;
/* the text without Polish diacritics */
ORVRUN_API char* BEZPL(const char* text) ORVRUN_NOEXCEPT;
/* the n-th CR LF line into line */
ORVRUN_API uint8_t POBIERZLINIE(const char* text, ORVRUN_TEXT* line /* 501 bytes */,
                                int32_t n) ORVRUN_NOEXCEPT;
/* the next piece for wrapping at width */
ORVRUN_API char* PODZIELLINIE(const char* text, int32_t* position, int32_t width) ORVRUN_NOEXCEPT;
/* the n-th field of a separated list */
ORVRUN_API char* SPLITSTRING(const char* text, int32_t n, const char* separator) ORVRUN_NOEXCEPT;
/* replace the first occurrence */
ORVRUN_API char* REPLACEPROC(const char* text, const char* find,
                             const char* replacement) ORVRUN_NOEXCEPT;
/* replace every occurrence */
ORVRUN_API char* REPLACEPROC2(const char* text, const char* find,
                              const char* replacement) ORVRUN_NOEXCEPT;
/* replace every occurrence in place */
ORVRUN_API void REPLACETEXT(ORVRUN_TEXT* text /* 10001 bytes */, ORVRUN_TEXT* find /* 1001 bytes */,
                            ORVRUN_TEXT* replacement /* 1001 bytes */,
                            const uint8_t* case_sensitive /* optional */) ORVRUN_NOEXCEPT;
/* collapse runs of blanks */
ORVRUN_API char* REPLACEALLSPACE(const char* text) ORVRUN_NOEXCEPT;
/* a single-line description */
ORVRUN_API char* WYTNIJZNAKIZOPISU(const char* text) ORVRUN_NOEXCEPT;
/* a text usable as a file-name stem */
ORVRUN_API char* WALIDUJNAZWEPLIKU(const char* name) ORVRUN_NOEXCEPT;
/* two hexadecimal digits */
ORVRUN_API char* BYTETOHEX(uint8_t value) ORVRUN_NOEXCEPT;
/* eight hexadecimal digits */
ORVRUN_API char* LONGTOHEX(int32_t value) ORVRUN_NOEXCEPT;
/* street number/flat */
ORVRUN_API char* PODAJADRES(const char* street, const char* number /* optional */,
                            const char* flat /* optional */) ORVRUN_NOEXCEPT;
/* Amounts in words: 500-character blank-padded texts; currency may be null (left out). */
/* an amount in Polish words, optionally with a foreign currency */
ORVRUN_API char* SLOWNIE(double amount, const char* currency /* optional */) ORVRUN_NOEXCEPT;
/* an amount as digit syllables and hundredths */
ORVRUN_API char* SLOWNIEKROTKO(double amount) ORVRUN_NOEXCEPT;
/* Discount converter and change calculator (windows). DECIMAL values cross as REAL. */
/* discount/mark-up converter window */
ORVRUN_API void PRZELICZNIKRABATU(double* percentage, double* price,
                                  const char* kind /* optional */,
                                  const char* subject /* optional */) ORVRUN_NOEXCEPT;
/* change calculator window; always 1 */
ORVRUN_API uint8_t WYDAWANIERESZTY(double* due, double* paid, double* change) ORVRUN_NOEXCEPT;

/* Currency and unit conversion, customer credit limit. Optional numbers
 * are null when left out; the kind of WAL_POBIERZPRZELICZNIK is by reference and may be null. */
/* exchange-rate factor between two currencies on a day */
ORVRUN_API double WAL_POBIERZPRZELICZNIK(const char* currency1, const char* currency2,
                                         const int32_t* date /* optional */,
                                         const double* divisor /* optional */,
                                         int32_t* kind /* optional */) ORVRUN_NOEXCEPT;
/* purchase price converted with a rate, to 0.01 */
ORVRUN_API double WAL_WYLICZCENEZAKUPU(const char* currency1, double price1, double price2,
                                       const char* currency2, double rate,
                                       uint8_t direction) ORVRUN_NOEXCEPT;
/* ask, then add or update one exchange rate; 1 when stored */
ORVRUN_API uint8_t AKTUALIZACJAKURSUWAL(const char* currency, double rate,
                                        const int32_t* date /* optional */,
                                        const int32_t* kind /* optional */) ORVRUN_NOEXCEPT;
/* quantity in an article's unit converted to its base unit */
ORVRUN_API void JEDDOKNAJEDMAG(double article_id, const char* unit, double quantity,
                               ORVRUN_TEXT* base_unit /* 21 bytes */,
                               double* base_quantity) ORVRUN_NOEXCEPT;
/* the text with the addition appended unless already in it */
ORVRUN_API char* DODAJTEKSTJESLINIEMA(const char* addition, const char* text) ORVRUN_NOEXCEPT;
/* credit-limit check of the current trade document; 1 = stop the sale */
ORVRUN_API uint8_t WALIDACJALIMITU(double customer_id, double payer_id, uint8_t mode,
                                   double payer_limit, double deduction) ORVRUN_NOEXCEPT;
/* payer's credit-limit window; 1 when confirmed and allowed */
ORVRUN_API uint8_t LIMITKUPIECKI(uint8_t window_mode, double customer_id, double payer_id,
                                 double sale_amount, double document_id,
                                 const int32_t* date /* optional */) ORVRUN_NOEXCEPT;

/* Services of the utility library TORIXutilKS and the connection state. The date of a rate import
 * is by reference: 0 asks for the current table and receives the imported table's day. */
/* import the NBP rate table of a day (0 = current); 1 when imported */
ORVRUN_API uint8_t POBIERZKURSYNBP(int32_t* date, int32_t* notice) ORVRUN_NOEXCEPT;
/* import the ECB reference rates of a day (0 = current); 1 when imported */
ORVRUN_API uint8_t POBIERZKURSYECB(int32_t* date, int32_t* notice) ORVRUN_NOEXCEPT;
/* the regional list separator, up to 4 characters */
ORVRUN_API char* POBIERZSYSTEMLISTSEPARATOR(void) ORVRUN_NOEXCEPT;
/* file-writing test through the utility library; always 0 */
ORVRUN_API uint8_t UTWORZPLIK(const char* name) ORVRUN_NOEXCEPT;
/* kind of internet connection: 0 none, 1 modem, 2 LAN, 3 proxy */
ORVRUN_API uint8_t ISINTERNETCONNECTION(void) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
