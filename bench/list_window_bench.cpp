// A list window over 100,000 rows opened and taken to its last row (End), headless, against a
// raw SQLite read of one page; the target is under 200 ms for the window.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "frame/sql_channels.hpp"
#include "lists/list_window.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/ui/headless/headless.hpp"
#include "platform/ui/ui.hpp"
#include "server/server.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 100000;

// The server's schema with a table of kRows named rows behind the T-SQL backend; a raw
// connection beside it reads the baseline page.
class ListDatabase {
 public:
  ListDatabase() : path_(std::filesystem::temp_directory_path() / "orv_list_window_bench.db") {
    std::filesystem::remove(path_);
    std::string error;
    if (!orv::server::create_database(path_.string(), /*demo=*/false, error)) throw error;
    driver_ = std::make_unique<orv::sql::sqlite::SqliteDriver>(path_.string());
    sqlite3_open(path_.c_str(), &db_);
    exec(
        "pragma journal_mode=wal; pragma synchronous=normal;"
        "create table pozycja (id integer primary key, nazwa text, opis text);"
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
        std::to_string(kRows) +
        ") insert into pozycja select i, printf('Pozycja %06d', (i * 7919) % 100003), "
        "'opis ' || i from n; create index pozycja_nazwa on pozycja (nazwa, id);");
    orv::frame::reset_channels();
    orv::sql::set_current_driver(driver_.get());
  }
  ~ListDatabase() {
    orv::frame::reset_channels();
    orv::sql::set_current_driver(nullptr);
    sqlite3_close(db_);
    std::filesystem::remove(path_);
  }
  void exec(const std::string& sql) { sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }
  // One page read raw: prepare, step through 20 rows, finalize.
  void raw_page() {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db_, "select id, nazwa, opis from pozycja order by nazwa, id limit 20", -1,
                       &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) benchmark::DoNotOptimize(sqlite3_column_text(st, 1));
    sqlite3_finalize(st);
  }

 private:
  std::filesystem::path path_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<orv::sql::Driver> driver_;
};

orv::lists::ListDesign design() {
  orv::lists::ListDesign s;
  s.name = "Pozycja_Brw";
  s.title = "Pozycje";
  s.fields = {{"ID", "p.id", true}, {"NAZWA", "p.nazwa", false}, {"OPIS", "p.opis", false}};
  s.from = "pozycja p with (nolock)";
  s.columns = {orv::lists::column("Nazwa", 100, 1), orv::lists::column("Opis", 100, 2)};
  s.sorts = {{"Nazwa", 1}};
  return s;
}

// Open, End, close: the window's whole life as a user who wants the last row lives it.
void BM_OpenAndEndVsRawPage(benchmark::State& state) {
  ListDatabase db;
  const orv::lists::ListDesign s = design();
  Clock::duration ours{}, raw{};
  for (auto _ : state) {
    orv::ui::HeadlessBackend ui({}, /*strict=*/true, "key End; close");
    orv::ui::Backend* previous = orv::ui::set_backend(&ui);
    auto t0 = Clock::now();
    orv::ui::Window w = orv::lists::build_list_window(s);
    orv::lists::ListWindow list(w, s);
    list.run();
    ours += Clock::now() - t0;
    orv::ui::set_backend(previous);
    if (ui.windows().empty() || ui.windows().back().controls.front().rows.size() != 20)
      state.SkipWithError("the last page was not shown");
    t0 = Clock::now();
    db.raw_page();
    raw += Clock::now() - t0;
  }
  auto per = [&](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count() /
           static_cast<double>(state.iterations());
  };
  state.counters["ours_ms"] = per(ours);
  state.counters["raw_page_ms"] = per(raw);
  state.counters["ratio"] = per(ours) / per(raw);
  state.counters["under_200ms"] = per(ours) < 200 ? 1 : 0;
}
BENCHMARK(BM_OpenAndEndVsRawPage)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
