// C entry points of configuration values, permissions, function passwords, preferences and
// window geometry.
#include "boundary.hpp"
#include "config/function_password.hpp"
#include "config/parameters.hpp"
#include "config/permissions.hpp"
#include "config/preferences.hpp"
#include "config/window_geometry.hpp"
#include "table.hpp"

using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;
using orv::exports::optional_of;

extern "C" {

char* POBIERZPARAMKONF(const char* scope, const char* code) noexcept {
  return guard_text(__func__, [&] {
    const orv::dict::ParamKonfRow* row = orv::config::find_parameter(in(scope), in(code));
    return row ? std::string_view(row->value) : std::string_view();
  });
}
char* MASKAPARAMKONF(const char* scope, const char* code) noexcept {
  return guard_text(__func__, [&] { return orv::config::MASKAPARAMKONF(in(scope), in(code)); });
}
void USTAWPARAMKONF(const char* scope, const char* code, const char* value) noexcept {
  guard(__func__, [&] { orv::config::USTAWPARAMKONF(in(scope), in(code), in(value)); });
}
char* POBIERZPARAMKONFZBAZY(const char* scope, const char* code) noexcept {
  return guard_text(__func__,
                    [&] { return orv::config::POBIERZPARAMKONFZBAZY(in(scope), in(code)); });
}

void LADUJUPRAWNIENIA(void) noexcept {
  guard(__func__, [] { orv::config::LADUJUPRAWNIENIA(); });
}
void LADUJUPRAWNIENIARAPORTU(void) noexcept {
  guard(__func__, [] { orv::config::LADUJUPRAWNIENIARAPORTU(); });
}
uint8_t POBIERZUPRAWNIENIE(const char* code, const int32_t* warehouse, const int32_t* second,
                           const int32_t*, const int32_t*, const int32_t*) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    return orv::config::POBIERZUPRAWNIENIE(in(code), optional_of(warehouse), optional_of(second));
  });
}
char* POBIERZFLAGEUPRAWNIENIA(const char* code, const int32_t*, const int32_t*, const int32_t*,
                              const int32_t*, const int32_t*) noexcept {
  return guard_text(__func__, [&] { return orv::config::POBIERZFLAGEUPRAWNIENIA(in(code)); });
}
uint8_t DOSTEPDOWLASNYCHDOKUMENTOW(const char* code) noexcept {
  return guard(__func__, uint8_t{0},
               [&] { return orv::config::DOSTEPDOWLASNYCHDOKUMENTOW(in(code)); });
}
uint8_t DOSTEPDORAPORTUOK(int32_t report) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::config::DOSTEPDORAPORTUOK(report); });
}
uint8_t HASLOFUNKCJI(const char* function_code) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return orv::config::HASLOFUNKCJI(in(function_code)); });
}

char* POBIERZPARAMETROKNA(const char* window, const char* parameter) noexcept {
  return guard_text(__func__,
                    [&] { return orv::config::POBIERZPARAMETROKNA(in(window), in(parameter)); });
}
uint8_t ZAPISZPARAMETROKNA(const char* window, const char* parameter, const char* value) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    return orv::config::ZAPISZPARAMETROKNA(in(window), in(parameter), in(value));
  });
}
void ZAPISZPREFERENCJEUZYTKOWNIKA(double user) noexcept {
  guard(__func__, [&] { orv::config::ZAPISZPREFERENCJEUZYTKOWNIKA(user); });
}

uint8_t MAKSYMALIZUJ(void) noexcept {
  return guard(__func__, uint8_t{0}, [] { return orv::config::MAKSYMALIZUJ(); });
}
void USTAWSPLIT(int32_t left, int32_t splitter, int32_t right, int32_t distance) noexcept {
  guard(__func__, [&] { orv::config::USTAWSPLIT(left, splitter, right, distance); });
}

}  // extern "C"

ORV_EXPORT(POBIERZPARAMKONF, "a configuration value from memory (scope s or u)", "scope", "code");
ORV_EXPORT(MASKAPARAMKONF, "a configuration value's mask from memory (scope s or u)", "scope",
           "code");
ORV_EXPORT(USTAWPARAMKONF, "change a loaded configuration value, in memory and on the server",
           "scope", "code", "value");
ORV_EXPORT(POBIERZPARAMKONFZBAZY, "a configuration value read from the server, formatted", "scope",
           "code");
ORV_EXPORT(LADUJUPRAWNIENIA, "load the current user's grants, functions and report grants");
ORV_EXPORT(LADUJUPRAWNIENIARAPORTU, "load the current user's report grants");
ORV_EXPORT(POBIERZUPRAWNIENIE, "access to a function: 0 none, 1 full, 2 restricted", "code",
           "warehouse?", "second?", "id4?", "id5?", "id6?");
ORV_EXPORT(POBIERZFLAGEUPRAWNIENIA, "state flags of a restricted grant", "code", "id2?", "id3?",
           "id4?", "id5?", "id6?");
ORV_EXPORT(DOSTEPDOWLASNYCHDOKUMENTOW, "1 when the user may see only his own documents", "code");
ORV_EXPORT(DOSTEPDORAPORTUOK, "access level of a report, 0 without a grant", "report");
ORV_EXPORT(HASLOFUNKCJI, "password prompt of a protected function: 1 may run, 0 not", "code");
ORV_EXPORT(POBIERZPARAMETROKNA, "a window parameter from memory", "window", "parameter");
ORV_EXPORT(ZAPISZPARAMETROKNA, "change a loaded window parameter in memory: 1 done, 0 no such row",
           "window", "parameter", "value");
ORV_EXPORT(ZAPISZPREFERENCJEUZYTKOWNIKA, "write the user's preferences back to the server", "user");
ORV_EXPORT(MAKSYMALIZUJ, "fit the current window to the host frame: 1 moved, 0 already there");
ORV_EXPORT(USTAWSPLIT, "move a splitter in the current window", "left", "splitter", "right",
           "distance");
