// Fuzzes the JSON form of records hosts pass by reference: any text is read or refused with a
// reason, never crashes, and a record read writes back to JSON that reads as the same record.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dict/group_json.hpp"

#include "fuzz_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using orv::fuzz::require;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto g = orv::dict::group_from_json(text, error);
  if (!g) {
    require(!error.empty());
    return 0;
  }
  const std::string json = orv::dict::group_to_json(*g);
  const auto back = orv::dict::group_from_json(json, error);
  require(back.has_value() && back->size() == g->size());
  for (std::size_t i = 0; i < g->size(); ++i) {
    const orv::dict::Field &a = g->at(i), &b = back->at(i);
    require(a.name == b.name && a.kind == b.kind && a.size == b.size &&
            a.dimension == b.dimension && a.values == b.values);
  }
  require(orv::dict::group_to_json(*back) == json);
  return 0;
}
