// The calendar opened and closed 1,000 times on the Qt backend offscreen, against headless.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "dialogs/calendar.hpp"
#include "platform/ui/backends.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWindows = 1000;
const bool kOffscreen = (setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0), true);

struct PerWindow {
  double wall_ms = 0;
  double cpu_ms = 0;  // what a loaded machine does not inflate
};

// Milliseconds per calendar, each opened, drawn, closed by Esc.
PerWindow per_window(orv::ui::UiSession& session) {
  orv::ui::Backend* previous = orv::ui::set_backend(&session.backend());
  std::clock_t c0 = std::clock();
  auto t0 = Clock::now();
  for (int i = 0; i < kWindows; ++i) {
    session.engine().add_script("key Esc");
    benchmark::DoNotOptimize(orv::dialogs::KALENDARZ(100, 100, 80000 + i));
    session.engine().clear_records();
  }
  auto spent = Clock::now() - t0;
  double cpu = 1000.0 * static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
  orv::ui::set_backend(previous);
  return {std::chrono::duration<double, std::milli>(spent).count() / kWindows, cpu / kWindows};
}

void BM_CalendarQtVsHeadless(benchmark::State& state) {
  auto qt = orv::ui::make_ui("qt");
  auto headless = orv::ui::make_ui("headless");
  if (!qt) {
    state.SkipWithError("built without Qt");
    return;
  }
  PerWindow on_qt, on_headless;
  for (auto _ : state) {
    on_qt = per_window(*qt);
    on_headless = per_window(*headless);
  }
  state.counters["qt_ms_per_window"] = on_qt.wall_ms;
  state.counters["qt_cpu_ms_per_window"] = on_qt.cpu_ms;
  state.counters["headless_ms_per_window"] = on_headless.wall_ms;
  state.counters["ratio"] = on_qt.wall_ms / on_headless.wall_ms;
}
BENCHMARK(BM_CalendarQtVsHeadless)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
