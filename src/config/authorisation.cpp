// The permission and password checks: installed ones (tests) first, else the configuration's own.
#include "config/authorisation.hpp"

#include "config/function_password.hpp"
#include "config/permissions.hpp"

namespace orv::config {
namespace {

// Installed once while the host starts (or by a test), before any thread asks.
Authorisation g_checks;

}  // namespace

Authorisation install_authorisation(Authorisation checks) {
  Authorisation previous = g_checks;
  g_checks = checks;
  return previous;
}

uint8_t permission(std::string_view code) {
  if (g_checks.permission) return g_checks.permission(code);
  return POBIERZUPRAWNIENIE(code);
}

uint8_t function_password(std::string_view code) {
  if (g_checks.function_password) return g_checks.function_password(code);
  return HASLOFUNKCJI(code);
}

}  // namespace orv::config
