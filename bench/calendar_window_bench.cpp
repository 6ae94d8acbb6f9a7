// The calendar opened and closed 1,000 times on the Qt backend offscreen, against headless.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "dialogs/calendar.hpp"
#include "platform/ui/backends.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWindows = 1000;
const bool kOffscreen = (setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0), true);

// Milliseconds per calendar, each opened, drawn, closed by Esc.
double per_window(orv::ui::UiSession& session) {
  orv::ui::Backend* previous = orv::ui::set_backend(&session.backend());
  auto t0 = Clock::now();
  for (int i = 0; i < kWindows; ++i) {
    session.engine().add_script("key Esc");
    benchmark::DoNotOptimize(orv::dialogs::KALENDARZ(100, 100, 80000 + i));
    session.engine().clear_records();
  }
  auto spent = Clock::now() - t0;
  orv::ui::set_backend(previous);
  return std::chrono::duration<double, std::milli>(spent).count() / kWindows;
}

void BM_CalendarQtVsHeadless(benchmark::State& state) {
  auto qt = orv::ui::make_ui("qt");
  auto headless = orv::ui::make_ui("headless");
  if (!qt) {
    state.SkipWithError("built without Qt");
    return;
  }
  double qt_ms = 0, headless_ms = 0;
  for (auto _ : state) {
    qt_ms = per_window(*qt);
    headless_ms = per_window(*headless);
  }
  state.counters["qt_ms_per_window"] = qt_ms;
  state.counters["headless_ms_per_window"] = headless_ms;
  state.counters["ratio"] = qt_ms / headless_ms;
}
BENCHMARK(BM_CalendarQtVsHeadless)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
