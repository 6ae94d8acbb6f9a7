// Checking 100,000 Elixir-0 records (target: under 0.5 s), against the floor of reading the same
// bytes: splitting them into lines and counting the fields' commas, run alongside.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>

#include "payments/payment_check.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRecords = 100'000;

// Clean records with a varying amount and title, and one bad record in a hundred, so that the
// checker also builds findings on the way.
std::string payment_file() {
  std::string out;
  for (int i = 0; i < kRecords; ++i) {
    out += "110,20260715," + std::to_string(100 + i % 99'900) +
           ",11402004,0,\"49114020040000330200112177\",\"61109010140000071219812874\","
           "\"Moja Firma|ul. W\210asna 1 Krak\242w\",\"Dostawca Sp. z o.o.|ul. Dostawcza 7 "
           "Warszawa\",0,10901014,\"FV/" +
           std::to_string(i) + (i % 100 == 0 ? " & co" : "") + "\",\"\",\"\",\"51\",\"\"\r\n";
  }
  return out;
}

// The least any reader does: every line found and its commas counted.
std::size_t baseline(std::string_view bytes) {
  std::size_t fields = 0;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t lf = std::min(bytes.find('\n', at), bytes.size());
    fields += static_cast<std::size_t>(std::count(bytes.begin() + static_cast<long>(at),
                                                  bytes.begin() + static_cast<long>(lf), ',')) +
              1;
    at = lf + 1;
  }
  return fields;
}

void BM_CheckVsLineScan(benchmark::State& state) {
  const std::string file = payment_file();
  const orv::payments::CheckOptions options{.max_records = 0};  // no import's limit on the count
  Clock::duration check{}, scan{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    const auto result = orv::payments::check_payment_file(file, options);
    auto t1 = Clock::now();
    benchmark::DoNotOptimize(baseline(file));
    auto t2 = Clock::now();
    check += t1 - t0;
    scan += t2 - t1;
    if (result.lines != kRecords || result.total != kRecords / 100) {
      state.SkipWithError("the checker's findings are not the hundredth records'");
      break;
    }
  }
  state.counters["check_s"] = std::chrono::duration<double>(check).count() / state.iterations();
  state.counters["scan_s"] = std::chrono::duration<double>(scan).count() / state.iterations();
  state.counters["ratio"] =
      std::chrono::duration<double>(check) / std::chrono::duration<double>(scan);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_CheckVsLineScan)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
