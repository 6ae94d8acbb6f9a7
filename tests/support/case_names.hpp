// Names of parameterised cases in gtest's and ctest's output: stable and readable, never a dump
// of the parameter's bytes.
#pragma once

#include <string>

namespace orv::test {

// After the case's `name` member.
inline constexpr auto named_case = [](const auto& info) { return std::string(info.param.name); };

// After the case's `id` member: "case12".
inline constexpr auto numbered_case = [](const auto& info) {
  return "case" + std::to_string(info.param.id);
};

}  // namespace orv::test
