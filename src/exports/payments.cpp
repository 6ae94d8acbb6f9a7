// C entry points of the payments subsystem: scheme editors, the payment-file writer, the checker.
#include "boundary.hpp"
#include "payments/error_window.hpp"
#include "payments/export_window.hpp"
#include "table.hpp"

using orv::exports::guard;

extern "C" {

// Schemes.

// The writer.

void EXPORT_TXT_MC(int32_t usage) noexcept {
  guard(__func__, [&] { orv::payments::EXPORT_TXT_MC(usage); });
}

void BLEDY_EXPORTU_MC() noexcept {
  guard(__func__, [] { orv::payments::BLEDY_EXPORTU_MC(); });
}

// The checker.

}  // extern "C"
