// C entry points of the payments subsystem: scheme editors, the payment-file writer, the checker.
#include <cstring>

#include "boundary.hpp"
#include "payments/error_window.hpp"
#include "payments/export_window.hpp"
#include "payments/payment_check.hpp"
#include "payments/scheme_editors.hpp"
#include "table.hpp"

using orv::exports::guard;

extern "C" {

// Schemes.

int32_t MULTICASH(ORVRUN_TEXT* mode) noexcept {
  return orv::exports::guard(__func__, int32_t{0}, [&] {
    const std::string_view given =
        mode && mode->data ? std::string_view(mode->data, strnlen(mode->data, mode->size))
                           : std::string_view();
    return orv::payments::MULTICASH(given);
  });
}
void UP_MULTICASH() noexcept {
  orv::exports::guard(__func__, [] { orv::payments::UP_MULTICASH(); });
}
void UP_MC_SLOWNIK() noexcept {
  orv::exports::guard(__func__, [] { orv::payments::UP_MC_SLOWNIK(); });
}
void UP_MC_POZYCJE() noexcept {
  orv::exports::guard(__func__, [] { orv::payments::UP_MC_POZYCJE(); });
}

// The writer.

void EXPORT_TXT_MC(int32_t usage) noexcept {
  guard(__func__, [&] { orv::payments::EXPORT_TXT_MC(usage); });
}

void BLEDY_EXPORTU_MC() noexcept {
  guard(__func__, [] { orv::payments::BLEDY_EXPORTU_MC(); });
}

// The checker.

char* CHECK_PAYMENT_FILE(const char* file, uint8_t json, int32_t* findings,
                         const int32_t* scheme) noexcept {
  if (findings) *findings = -1;  // what a run that cannot finish leaves
  return orv::exports::guard_text(__func__, [&] {
    int32_t found = -1;
    std::string report = orv::payments::CHECK_PAYMENT_FILE(
        orv::exports::in(file), orv::exports::optional_of(scheme), json != 0, found);
    if (findings) *findings = found;
    return report;
  });
}

}  // extern "C"
