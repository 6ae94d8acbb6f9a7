// A scalar query through a backend Connection against raw SQLite on the same file, same run.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "platform/sql/sqlite/sqlite_backend.hpp"

namespace {

const char* kQuery = "select count(*) from zaznaczone where uzycie=1 and id_sesji=5";
std::string g_path;

// ~100,000 marks: 20 owners x 5 usages x 1,000 ids, keyed as the marked-record table is.
void create_database(const std::string& path) {
  std::string error;
  bool ok = orv::sql::sqlite::execute_script(
      path,
      "create table zaznaczone (id_sesji INTEGER, uzycie INTEGER, id INTEGER, id2 INTEGER "
      "DEFAULT 0);"
      "create index zaznaczone_klucz on zaznaczone (id_sesji, uzycie, id);"
      "with recursive n(i) as (select 0 union all select i+1 from n where i<99999) "
      "insert into zaznaczone (id_sesji, uzycie, id) select i % 20 + 1, (i / 20) % 5 + 1, i from "
      "n;",
      error);
  if (!ok) {
    std::fprintf(stderr, "cannot create %s: %s\n", path.c_str(), error.c_str());
    std::exit(1);
  }
}

void BM_RawPrepareStep(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(g_path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  for (auto _ : state) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, kQuery, -1, &st, nullptr);
    sqlite3_step(st);
    benchmark::DoNotOptimize(sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
  }
  sqlite3_close_v2(db);
}
BENCHMARK(BM_RawPrepareStep);

// The floor: one statement prepared once and reset, as the backend's statement cache does.
void BM_RawReusedStatement(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(g_path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, kQuery, -1, &st, nullptr);
  for (auto _ : state) {
    sqlite3_step(st);
    benchmark::DoNotOptimize(sqlite3_column_int64(st, 0));
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
  sqlite3_close_v2(db);
}
BENCHMARK(BM_RawReusedStatement);

void BM_ConnectionFuncsql(benchmark::State& state) {
  orv::sql::sqlite::SqliteDriver driver(g_path);
  std::string error;
  auto conn = driver.connect(error);
  if (!conn) return state.SkipWithError(error.c_str());
  for (auto _ : state) {
    conn->send(kQuery);
    conn->next();
    benchmark::DoNotOptimize(conn->column(0));
    conn->clear();
  }
  if (conn->send(kQuery) != 0 || !conn->next() || conn->column(0) != "1000") {
    state.SkipWithError("wrong count");
  }
}
BENCHMARK(BM_ConnectionFuncsql);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& r : runs) {
      // With repetitions only the mean stands for the benchmark.
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "mean") continue;
      real[r.run_name.function_name] = r.GetAdjustedRealTime();
      cpu[r.run_name.function_name] = r.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> real, cpu;

  void print_ratio(const char* label, const std::string& ours, const std::string& base) const {
    if (!real.count(ours) || !real.count(base) || real.at(base) <= 0 || cpu.at(base) <= 0) return;
    std::printf("%s: %.2fx real time, %.2fx CPU time\n", label, real.at(ours) / real.at(base),
                cpu.at(ours) / cpu.at(base));
  }
};

}  // namespace

int main(int argc, char** argv) {
  auto dir =
      std::filesystem::temp_directory_path() / ("orv_sqlite_bench_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  g_path = (dir / "bench.db").string();
  create_database(g_path);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.print_ratio("Connection / raw prepare+step (target <= 1.5x)", "BM_ConnectionFuncsql",
                       "BM_RawPrepareStep");
  reporter.print_ratio("Connection / raw reused statement", "BM_ConnectionFuncsql",
                       "BM_RawReusedStatement");
  std::filesystem::remove_all(dir);
  return 0;
}
