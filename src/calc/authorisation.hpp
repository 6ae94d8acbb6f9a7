// The permission and function-password checks the calculations ask of the configuration layer.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv::calc {

// The configuration layer installs its checks here: the access level of a function
// (POBIERZUPRAWNIENIE with every optional argument left out) and the function-password prompt
// (HASLOFUNKCJI, 1 = may run). Tests install their own to reach refusals and failures.
struct Authorisation {
  uint8_t (*permission)(std::string_view code) = nullptr;
  uint8_t (*function_password)(std::string_view code) = nullptr;
};

// Installs the checks and returns the previous ones; a null member keeps the fallback below.
Authorisation install_authorisation(Authorisation checks);

// Without an installed check nothing is granted except to the administrator (4100001), and no
// password is taken: the refusal stands.
uint8_t permission(std::string_view code);
uint8_t function_password(std::string_view code);

}  // namespace orv::calc
