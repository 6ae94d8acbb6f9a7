// The little JSON the CLI writes: strings, numbers, arrays and objects, one value at a time.
#pragma once

#include <string>
#include <string_view>

namespace orv::cli {

// A JSON string literal of UTF-8 text, quotes included.
std::string json_string(std::string_view utf8);
// A JSON number in its shortest exact form; NaN and infinities, which JSON lacks, as null.
std::string json_number(double v);

}  // namespace orv::cli
