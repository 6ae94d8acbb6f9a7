// C entry points of identifiers, bank accounts, code pages and text utilities.
#include <cstring>
#include <string>

#include "calc/code_pages.hpp"
#include "calc/iban.hpp"
#include "calc/identifiers.hpp"
#include "calc/text_lines.hpp"
#include "calc/text_replace.hpp"
#include "calc/text_utils.hpp"
#include "table.hpp"

using orv::exports::give_text;
using orv::exports::in;
using orv::exports::put_text;

namespace {

// Nothing crosses the C boundary: a failure inside (memory, a scripted UI running dry) gives the
// procedure's neutral answer.
template <class R, class F>
R guarded(R fallback, F&& f) noexcept {
  try {
    return f();
  } catch (...) {
    return fallback;
  }
}

template <class F>
char* text_result(F&& f) noexcept {
  return guarded<char*>(nullptr, [&] { return give_text(f()); });
}

// A caller's reference buffer read as far as its NUL, never past its size.
std::string_view ref_text(const ORVRUN_TEXT* ref) {
  if (!ref || !ref->data) return {};
  return {ref->data, strnlen(ref->data, ref->size)};
}

}  // namespace

extern "C" {

char* TYLKOZNAKINUMERYCZNE(const char* text) {
  return text_result([&] { return orv::calc::TYLKOZNAKINUMERYCZNE(in(text)); });
}
uint8_t NIPOK(const char* text) {
  return orv::calc::NIPOK(in(text));
}
uint8_t PESELOK(const char* text) {
  return orv::calc::PESELOK(in(text));
}
uint8_t REGONOK(const char* text) {
  return orv::calc::REGONOK(in(text));
}
char* NIPUE(const char* number, const char* second, const uint8_t* flag) {
  return text_result([&] { return orv::calc::NIPUE(in(number), in(second), flag ? *flag : 0); });
}

char* IBAN_OBLICZSUMEKONTROLNA(const char* domestic) {
  return text_result([&] { return orv::calc::IBAN_OBLICZSUMEKONTROLNA(in(domestic)); });
}
char* IBAN_KONWERSJA(const char* number) {
  return text_result([&] { return orv::calc::IBAN_KONWERSJA(in(number)); });
}
uint8_t IBAN_CZYPOPRAWNY(const char* number) {
  return guarded<uint8_t>(0, [&] { return orv::calc::IBAN_CZYPOPRAWNY(in(number)); });
}

char* MAZOVIATOWINDOWS(const char* text) {
  return text_result([&] { return orv::calc::MAZOVIATOWINDOWS(in(text)); });
}
char* WINDOWSTOMAZOVIA(const char* text) {
  return text_result([&] { return orv::calc::WINDOWSTOMAZOVIA(in(text)); });
}
char* TEKSTZPOLNAANG(const char* text) {
  return text_result([&] { return orv::calc::TEKSTZPOLNAANG(in(text)); });
}
char* BEZPL(const char* text) {
  return text_result([&] { return orv::calc::BEZPL(in(text)); });
}

uint8_t POBIERZLINIE(const char* text, ORVRUN_TEXT* line, int32_t n) {
  return guarded<uint8_t>(0, [&] {
    orv::calc::LineAt r = orv::calc::line_at(in(text), n);
    if (r.line) put_text(line, *r.line);
    return r.found;
  });
}
char* PODZIELLINIE(const char* text, int32_t* position, int32_t width) {
  return text_result([&] {
    int32_t p = position ? *position : 0;
    std::string piece = orv::calc::PODZIELLINIE(in(text), p, width);
    if (position) *position = p;
    return piece;
  });
}
char* SPLITSTRING(const char* text, int32_t n, const char* separator) {
  return text_result([&] { return orv::calc::SPLITSTRING(in(text), n, in(separator)); });
}

char* REPLACEPROC(const char* text, const char* find, const char* replacement) {
  return text_result([&] { return orv::calc::REPLACEPROC(in(text), in(find), in(replacement)); });
}
char* REPLACEPROC2(const char* text, const char* find, const char* replacement) {
  return text_result([&] { return orv::calc::REPLACEPROC2(in(text), in(find), in(replacement)); });
}
void REPLACETEXT(ORVRUN_TEXT* text, ORVRUN_TEXT* find, ORVRUN_TEXT* replacement,
                 const uint8_t* case_sensitive) {
  if (!text || !text->data || text->size == 0) return;
  guarded<int>(0, [&] {
    std::string value(ref_text(text));
    orv::calc::REPLACETEXT(value, ref_text(find), ref_text(replacement),
                           case_sensitive ? *case_sensitive : 0);
    put_text(text, value);
    return 0;
  });
}
char* REPLACEALLSPACE(const char* text) {
  return text_result([&] { return orv::calc::REPLACEALLSPACE(in(text)); });
}
char* WYTNIJZNAKIZOPISU(const char* text) {
  return text_result([&] { return orv::calc::WYTNIJZNAKIZOPISU(in(text)); });
}

char* WALIDUJNAZWEPLIKU(const char* name) {
  return text_result([&] { return orv::calc::WALIDUJNAZWEPLIKU(in(name)); });
}
char* BYTETOHEX(uint8_t value) {
  return text_result([&] { return orv::calc::BYTETOHEX(value); });
}
char* LONGTOHEX(int32_t value) {
  return text_result([&] { return orv::calc::LONGTOHEX(value); });
}
char* PODAJADRES(const char* street, const char* number, const char* flat) {
  return text_result([&] { return orv::calc::PODAJADRES(in(street), in(number), in(flat)); });
}

}  // extern "C"

ORV_EXPORT(TYLKOZNAKINUMERYCZNE, "the digits among the first 49 characters", "text");
ORV_EXPORT(NIPOK, "1 for an acceptable NIP", "text");
ORV_EXPORT(PESELOK, "1 for a valid PESEL", "text");
ORV_EXPORT(REGONOK, "1 for every REGON", "text");
ORV_EXPORT(NIPUE, "the EU form of a NIP; flag 1 asks the server", "number", "second", "flag?");
ORV_EXPORT(IBAN_OBLICZSUMEKONTROLNA, "check digits of a 24-digit domestic account", "domestic");
ORV_EXPORT(IBAN_KONWERSJA, "the 26-digit form of a 24-digit account", "number");
ORV_EXPORT(IBAN_CZYPOPRAWNY, "1 for a correct 26-digit account, else a warning", "number");
ORV_EXPORT(MAZOVIATOWINDOWS, "Mazovia to Windows-1250, 199 characters", "text");
ORV_EXPORT(WINDOWSTOMAZOVIA, "Windows-1250 to Mazovia, 199 characters", "text");
ORV_EXPORT(TEKSTZPOLNAANG, "a plain ASCII identifier from Polish text", "text");
ORV_EXPORT(BEZPL, "the text without Polish diacritics", "text");
ORV_EXPORT(POBIERZLINIE, "the n-th CR LF line into line", "text", "line[501]", "n");
ORV_EXPORT(PODZIELLINIE, "the next piece for wrapping at width", "text", "position", "width");
ORV_EXPORT(SPLITSTRING, "the n-th field of a separated list", "text", "n", "separator");
ORV_EXPORT(REPLACEPROC, "replace the first occurrence", "text", "find", "replacement");
ORV_EXPORT(REPLACEPROC2, "replace every occurrence", "text", "find", "replacement");
ORV_EXPORT(REPLACETEXT, "replace every occurrence in place", "text[10001]", "find[1001]",
           "replacement[1001]", "case_sensitive?");
ORV_EXPORT(REPLACEALLSPACE, "collapse runs of blanks", "text");
ORV_EXPORT(WYTNIJZNAKIZOPISU, "a single-line description", "text");
ORV_EXPORT(WALIDUJNAZWEPLIKU, "a text usable as a file-name stem", "name");
ORV_EXPORT(BYTETOHEX, "two hexadecimal digits", "value");
ORV_EXPORT(LONGTOHEX, "eight hexadecimal digits", "value");
ORV_EXPORT(PODAJADRES, "street number/flat", "street", "number?", "flat?");
