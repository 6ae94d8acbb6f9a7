// Function passwords: the prompt that lets a protected function run.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv::config {

// 1 when the function may run: protection is off (company parameter "BlokFuncHaslo" is not
// "Tak"), the function has no row in orv_funkcja, or a user typed an identifier and a password
// granted for it; 0 when the window was cancelled, or when the server could not say whether
// the function is protected (the failure is shown). Typed texts reach the server as data.
uint8_t HASLOFUNKCJI(std::string_view function_code);

}  // namespace orv::config
