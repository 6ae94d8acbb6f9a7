// The shared context's globals by name, for hosts that reach the library through its C interface.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv::host {

enum class GlobalType { Unknown, Text, Long, Byte, Real };

// "GLO:ID_UZYTKOWNIKA", "ID_UZYTKOWNIKA" and "glo:id_uzytkownika" name the same global.
GlobalType global_type(std::string_view name);

// Numbers read as doubles; a text global reads as nullopt, as does an unknown name.
std::optional<double> global_number(std::string_view name);
// Any global as text: numbers in the runtime's plain form. nullopt for an unknown name.
std::optional<std::string> global_text(std::string_view name);

// False (nothing changed) for an unknown name or a value the global's type cannot hold: a LONG
// or BYTE that is not whole or out of range, a number given to a text or a text to a number.
bool set_global_number(std::string_view name, double value);
// Texts are cut to the global's capacity; numbers given as text read strictly as decimals.
bool set_global_text(std::string_view name, std::string_view value);

// A global's or table's name without the "GLO:" the host may or may not write.
std::string_view without_glo(std::string_view name);

// The globals' names in the order they are listed, "GLO:" included where the global has it;
// empty past the end.
std::string global_name(std::size_t index);

}  // namespace orv::host
