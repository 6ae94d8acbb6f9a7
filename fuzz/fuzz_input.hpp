// What the fuzz targets share: splitting one input into texts, and stopping on a broken promise.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace orv::fuzz {

// Stops the run where a result breaks what the code promises, so the fuzzer keeps the input.
inline void require(bool ok) {
  if (!ok) std::abort();
}

// The input as `count` NUL-separated texts (the C ABI cannot carry a NUL inside a text); missing
// ones are empty and anything after the last is ignored.
inline std::vector<std::string> split_texts(std::string_view data, std::size_t count) {
  std::vector<std::string> parts(count);
  std::size_t k = 0;
  for (char c : data) {
    if (c == '\0') {
      if (++k == parts.size()) break;
      continue;
    }
    parts[k] += c;
  }
  return parts;
}

}  // namespace orv::fuzz
