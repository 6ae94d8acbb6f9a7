// Speed of the identifier checks and text conversions through the C ABI on fixed generated inputs.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "exports/orvrun.h"
#include "peer_inputs.hpp"
#include "platform/text/cp1250.hpp"

using orv::operator""_w1250;

namespace {

constexpr std::size_t kInputs = 1024;  // a power of two: the index wraps with a mask

std::string digits(std::mt19937& rng, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
  return s;
}

// Valid numbers only: the check runs to its last step on every call.
std::vector<std::string> valid_nips() {
  std::mt19937 rng(1);
  std::vector<std::string> out;
  while (out.size() < kInputs) {
    std::string s = digits(rng, 9);
    const int w[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    int sum = 0;
    for (int i = 0; i < 9; ++i) sum += (s[i] - '0') * w[i];
    if (sum % 11 == 10) continue;
    out.push_back(s + static_cast<char>('0' + sum % 11));
  }
  return out;
}

std::vector<std::string> valid_pesels() {
  std::mt19937 rng(2);
  std::vector<std::string> out;
  while (out.size() < kInputs) {
    std::string s = digits(rng, 10);
    const int w[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
    int sum = 0;
    for (int i = 0; i < 10; ++i) sum += (s[i] - '0') * w[i];
    out.push_back(s + static_cast<char>('0' + (10 - sum % 10) % 10));
  }
  return out;
}

std::vector<std::string> valid_ibans() {
  std::mt19937 rng(3);
  std::vector<std::string> out;
  while (out.size() < kInputs) {
    std::string d = digits(rng, 24);
    int r = 0;
    for (char c : d + "252100") r = (r * 10 + (c - '0')) % 97;
    const int check = 98 - r;
    out.push_back(
        std::string{static_cast<char>('0' + check / 10), static_cast<char>('0' + check % 10)} + d);
  }
  return out;
}

std::vector<std::string> polish_texts(std::size_t words_per_text) {
  static const char* const kWords[] = {"Zażółć"_w1250, "gęślą"_w1250, "jaźń"_w1250, "Faktura",
                                       "O'Neil",       "Łódź"_w1250,  "nr/2024",    "sp. z o.o."};
  std::mt19937 rng(4);
  std::vector<std::string> out;
  while (out.size() < kInputs) {
    std::string s;
    for (std::size_t i = 0; i < words_per_text; ++i) s += std::string(kWords[rng() % 8]) + " ";
    out.push_back(s);
  }
  return out;
}

template <class F>
void run_predicate(benchmark::State& state, const std::vector<std::string>& inputs, F f) {
  std::size_t i = 0;
  uint32_t accepted = 0;
  for (auto _ : state) {
    accepted += f(inputs[i++ & (kInputs - 1)].c_str());
  }
  benchmark::DoNotOptimize(accepted);
  if (accepted != state.iterations()) state.SkipWithError("a valid input was refused");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

// The peer comparison's inputs when it names them, else our own generated ones.
std::vector<std::string> inputs_for(const char* kind, std::vector<std::string> (*own)()) {
  auto shared = orv::bench::cycle_to(orv::bench::peer_inputs(kind), kInputs);
  return shared.empty() ? own() : shared;
}

void BM_NIPOK(benchmark::State& state) {
  run_predicate(state, inputs_for("nip", valid_nips), ::NIPOK);
}
void BM_PESELOK(benchmark::State& state) {
  run_predicate(state, inputs_for("pesel", valid_pesels), ::PESELOK);
}
void BM_IBAN_CZYPOPRAWNY(benchmark::State& state) {
  run_predicate(state, inputs_for("iban", valid_ibans), ::IBAN_CZYPOPRAWNY);
}

void BM_TEKSTZPOLNAANG(benchmark::State& state) {
  const auto inputs = polish_texts(6);
  std::size_t i = 0;
  for (auto _ : state) {
    char* r = ::TEKSTZPOLNAANG(inputs[i++ & (kInputs - 1)].c_str());
    benchmark::DoNotOptimize(r);
    ORVRUN_FREE(r);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

// Doubling apostrophes, the use that dominates: texts of `range(0)` words.
void BM_REPLACEPROC2(benchmark::State& state) {
  const auto inputs = polish_texts(static_cast<std::size_t>(state.range(0)));
  std::size_t i = 0, bytes = 0;
  for (auto _ : state) {
    const std::string& in = inputs[i++ & (kInputs - 1)];
    char* r = ::REPLACEPROC2(in.c_str(), "'", "''");
    benchmark::DoNotOptimize(r);
    ORVRUN_FREE(r);
    bytes += in.size();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

}  // namespace

BENCHMARK(BM_NIPOK);
BENCHMARK(BM_PESELOK);
BENCHMARK(BM_IBAN_CZYPOPRAWNY);
BENCHMARK(BM_TEKSTZPOLNAANG);
BENCHMARK(BM_REPLACEPROC2)->Arg(8)->Arg(1000);

ORV_BENCHMARK_MAIN_WITH_PEER_INPUTS()
