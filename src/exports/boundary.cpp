// Where failures stopped at the C boundary go: the UI backend or the current error handler.
#include "boundary.hpp"

#include "frame/lifecycle.hpp"

namespace orv::exports::detail {

void script_failed(const char* procedure, std::string_view message) noexcept {
  try {
    ui::backend().failed(std::string(message));
  } catch (...) {
    // A backend that cannot take the failure still must not unwind into the host.
    report_failure(procedure, message);
  }
}

void report_failure(const char* procedure, std::string_view message) noexcept {
  try {
    frame::current_error_handler().report(procedure ? procedure : "", message);
  } catch (...) {
    // The host's handler failed too; the fallback result is all that is left to say.
  }
}

}  // namespace orv::exports::detail
