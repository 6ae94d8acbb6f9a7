// Test support for sweeps over the table of exported procedures: arguments from parameter kinds.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "exports/table.hpp"

namespace orv::test {

// Bytes of a by-reference text whose table entry gives no capacity.
inline constexpr std::size_t kSweepRefCapacity = 256;

// One argument per parameter, every optional one given: texts are `text` (a text by reference
// holds as much of it as its buffer takes), numbers 1, handles null.
inline std::vector<exports::Arg> arguments_for(const exports::Procedure& p,
                                               const std::string& text) {
  std::vector<exports::Arg> args(p.params.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    const exports::Param& q = p.params[i];
    exports::Arg& a = args[i];
    a.given = true;
    a.text = text;
    a.lng = 1;
    a.byte = 1;
    a.real = 1;
    if (!q.by_ref) continue;
    a.buffer.assign(q.capacity ? q.capacity : kSweepRefCapacity, '\0');
    std::copy_n(text.begin(), std::min(text.size(), a.buffer.size() - 1), a.buffer.begin());
  }
  return args;
}

}  // namespace orv::test
