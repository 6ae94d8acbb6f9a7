// C entry points of the payments subsystem: scheme editors, the payment-file writer, the checker.
#include <cstring>

#include "boundary.hpp"
#include "payments/scheme_editors.hpp"
#include "table.hpp"

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

// The checker.

}  // extern "C"
