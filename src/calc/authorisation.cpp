// The permission and password checks: installed ones first, else the configuration layer's.
#include "calc/authorisation.hpp"

#include "platform/dict/context.hpp"

// The permissions and the function-password prompt live in the configuration layer; a tree
// built without them grants nothing but the administrator's access and takes no password.
#if __has_include("config/permissions.hpp") && __has_include("config/function_password.hpp")
#include "config/function_password.hpp"
#include "config/permissions.hpp"
#define ORV_CONFIG_CHECKS 1
#else
#define ORV_CONFIG_CHECKS 0
#endif

namespace orv::calc {
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
#if ORV_CONFIG_CHECKS
  return config::POBIERZUPRAWNIENIE(code);
#else
  return dict::glo().ID_UZYTKOWNIKA == 4100001 ? 1 : 0;
#endif
}

uint8_t function_password(std::string_view code) {
  if (g_checks.function_password) return g_checks.function_password(code);
#if ORV_CONFIG_CHECKS
  return config::HASLOFUNKCJI(code);
#else
  return 0;
#endif
}

}  // namespace orv::calc
