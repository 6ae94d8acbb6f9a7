// Amounts in words through the C ABI: calls per second on a fixed table of varied amounts.
#include <benchmark/benchmark.h>

#include <cstddef>

#include <cstdlib>
#include <string>
#include <vector>

#include "exports/orvrun.h"
#include "peer_inputs.hpp"

namespace {

// Everyday invoice totals, boundaries of the declension groups, negatives, and the odd amounts
// that take the exact rounding path (halves) or overflow.
constexpr double kAmounts[] = {
    0.0,    0.01,  0.5,   1,        2,        5,         12,         21,       22,
    101,    1000,  1001,  22000,    101000,   1000000,   1234567.89, -15.5,    1234.56,
    2.675,  0.005, 99.99, 4567.12,  12345.67, 998877.66, 2000000000, 24000000, 999999999999.99,
    -0.001, 731.4, 88.08, 19999.99, 1e15};
constexpr std::size_t kCount = sizeof kAmounts / sizeof kAmounts[0];

// The peer library's published rate for the same call; x_peer reports how many times faster.
constexpr double kPeerCallsPerSecond = 0.85e6;

void report(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations());
  state.counters["x_peer"] = benchmark::Counter(
      static_cast<double>(state.iterations()) / kPeerCallsPerSecond, benchmark::Counter::kIsRate);
}

// The peer comparison's amounts, the same ones the peers write out.
void BM_SLOWNIE_peer_inputs(benchmark::State& state) {
  std::vector<double> amounts;
  for (const auto& a : orv::bench::peer_inputs("amount")) amounts.push_back(std::atof(a.c_str()));
  if (amounts.empty()) {
    state.SkipWithError("ORV_PEER_INPUTS names no amounts");
    return;
  }
  std::size_t i = 0;
  for (auto _ : state) {
    char* words = SLOWNIE(amounts[i], nullptr);
    benchmark::DoNotOptimize(words);
    ORVRUN_FREE(words);
    if (++i == amounts.size()) i = 0;
  }
  report(state);
}
BENCHMARK(BM_SLOWNIE_peer_inputs);

void BM_Slownie(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    char* words = SLOWNIE(kAmounts[i], nullptr);
    benchmark::DoNotOptimize(words);
    ORVRUN_FREE(words);
    if (++i == kCount) i = 0;
  }
  report(state);
}
BENCHMARK(BM_Slownie);

void BM_SlownieForeignCurrency(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    char* words = SLOWNIE(kAmounts[i], "EUR");
    benchmark::DoNotOptimize(words);
    ORVRUN_FREE(words);
    if (++i == kCount) i = 0;
  }
  report(state);
}
BENCHMARK(BM_SlownieForeignCurrency);

void BM_Slowniekrotko(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    char* words = SLOWNIEKROTKO(kAmounts[i]);
    benchmark::DoNotOptimize(words);
    ORVRUN_FREE(words);
    if (++i == kCount) i = 0;
  }
  report(state);
}
BENCHMARK(BM_Slowniekrotko);

}  // namespace

ORV_BENCHMARK_MAIN_WITH_PEER_INPUTS()
