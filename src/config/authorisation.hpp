// The permission and function-password checks other layers ask of the configuration, replaceable.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv::config {

// The access level of a function (POBIERZUPRAWNIENIE with every optional argument left out)
// and the function-password prompt (HASLOFUNKCJI, 1 = may run) come from this layer; tests
// install their own to reach refusals and failures.
struct Authorisation {
  uint8_t (*permission)(std::string_view code) = nullptr;
  uint8_t (*function_password)(std::string_view code) = nullptr;
};

// Installs the checks and returns the previous ones; a null member keeps this layer's own.
Authorisation install_authorisation(Authorisation checks);

uint8_t permission(std::string_view code);
uint8_t function_password(std::string_view code);

}  // namespace orv::config
