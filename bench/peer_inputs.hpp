// The peer comparison's shared inputs: lines "kind<TAB>value" in the file named by ORV_PEER_INPUTS.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace orv::bench {

// The values of one kind from the shared file, or an empty list when no file is named.
inline std::vector<std::string> peer_inputs(const std::string& kind) {
  const char* path = std::getenv("ORV_PEER_INPUTS");
  if (!path || !*path) return {};
  std::ifstream in(path);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) {
    auto tab = line.find('\t');
    if (tab != std::string::npos && line.compare(0, tab, kind) == 0)
      out.push_back(line.substr(tab + 1));
  }
  return out;
}

// Names the shared file in the run's context (which is written before any benchmark runs), so
// the comparison knows both sides saw the same inputs.
inline void announce_peer_inputs() {
  const char* path = std::getenv("ORV_PEER_INPUTS");
  if (path && *path) benchmark::AddCustomContext("orv_inputs", path);
}

// Repeats `values` to exactly n entries (n a power of two, so callers wrap with a mask).
inline std::vector<std::string> cycle_to(std::vector<std::string> values, std::size_t n) {
  if (values.empty()) return values;
  std::vector<std::string> out;
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) out.push_back(values[i % values.size()]);
  return out;
}

}  // namespace orv::bench

// A benchmark main that announces the shared inputs first.
#define ORV_BENCHMARK_MAIN_WITH_PEER_INPUTS()                           \
  int main(int argc, char** argv) {                                     \
    ::benchmark::Initialize(&argc, argv);                               \
    if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1; \
    ::orv::bench::announce_peer_inputs();                               \
    ::benchmark::RunSpecifiedBenchmarks();                              \
    ::benchmark::Shutdown();                                            \
    return 0;                                                           \
  }
