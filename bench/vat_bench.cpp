// VAT arithmetic speed: lookups, gross and net per call, against plain double rounding as baseline.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "calc/vat.hpp"
#include "platform/dict/context.hpp"

namespace {

std::vector<double> amounts() {
  std::mt19937_64 rng(20260105);
  std::uniform_int_distribution<long> cents(0, 100'000'000'00L);
  std::vector<double> out(1000);
  for (auto& a : out) a = static_cast<double>(cents(rng)) / 100.0;
  return out;
}

void fill_rates() {
  std::vector<orv::dict::VatRow> rows;
  for (const char* s : {"23", "8", "5", "0", "zw", "np", "oo"}) {
    orv::Decimal rate;
    orv::Decimal::parse(s[0] >= '0' && s[0] <= '9' ? s : "0", rate);
    rows.push_back({s, rate});
  }
  orv::calc::fill_vatq(rows);
}

void BM_POBIERZSTAWKEVAT(benchmark::State& state) {
  fill_rates();
  for (auto _ : state) benchmark::DoNotOptimize(orv::calc::POBIERZSTAWKEVAT("np"));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_POBIERZSTAWKEVAT);

void BM_OBLICZBRUTTO(benchmark::State& state) {
  fill_rates();
  const auto in = amounts();
  for (auto _ : state) {
    for (double a : in) benchmark::DoNotOptimize(orv::calc::OBLICZBRUTTO(a, "23"));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_OBLICZBRUTTO);

void BM_OBLICZNETTO(benchmark::State& state) {
  fill_rates();
  const auto in = amounts();
  for (auto _ : state) {
    for (double a : in) benchmark::DoNotOptimize(orv::calc::OBLICZNETTO(a, "23", {}, 10.0));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_OBLICZNETTO);

// Baseline: binary rounding of the product, which gets the 0.005 cases wrong but costs nothing.
void BM_BaselineDoubleGross(benchmark::State& state) {
  const auto in = amounts();
  for (auto _ : state) {
    for (double a : in) benchmark::DoNotOptimize(std::round(a * 1.23 * 100.0) / 100.0);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_BaselineDoubleGross);

}  // namespace

BENCHMARK_MAIN();
