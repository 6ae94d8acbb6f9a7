// The installed permission and password checks, failing closed when none is installed.
#include "calc/authorisation.hpp"

#include "platform/dict/context.hpp"

namespace orv::calc {
namespace {

constexpr double kAdministrator = 4100001;

// Installed once while the host starts, before any thread asks.
Authorisation g_checks;

}  // namespace

Authorisation install_authorisation(Authorisation checks) {
  Authorisation previous = g_checks;
  g_checks = checks;
  return previous;
}

uint8_t permission(std::string_view code) {
  if (g_checks.permission) return g_checks.permission(code);
  return dict::glo().ID_UZYTKOWNIKA == kAdministrator ? 1 : 0;
}

uint8_t function_password(std::string_view code) {
  if (g_checks.function_password) return g_checks.function_password(code);
  return 0;
}

}  // namespace orv::calc
