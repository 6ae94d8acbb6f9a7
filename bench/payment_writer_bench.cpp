// The payment-file writer over 100,000 marked transfers (target: under 3 s, within 2x of the
// baseline) against the same selection read on the same channel and written with plain fprintf,
// run alongside; and the writer's extra peak memory at 10,000 and at 100,000 transfers (flat:
// the transfers are streamed, never held).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "frame/sql_channels.hpp"
#include "payments/payment_writer.hpp"
#include "payments/transfer_source.hpp"
#include "peak_memory.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/ui/headless/headless.hpp"
#include "platform/ui/ui.hpp"
#include "server/server.hpp"

namespace {

using orv::bench::peak_kib_during;

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kTransfers = 100000;
constexpr int kSmall = 10000;
constexpr int32_t kUsage = 300, kSmallUsage = 301;
constexpr double kElixir = 1;

// A scratch copy of the demo database with kTransfers more transfer orders (contractors and an
// office, each with its account), all marked by jan under kUsage, the first kSmall under
// kSmallUsage; the current driver while it lives.
class Database {
 public:
  Database() : path_(fs::temp_directory_path() / "orv_payment_writer_bench.db") {
    fs::remove(path_);
    std::string error;
    if (!orv::server::create_database(path_.string(), /*demo=*/true, error)) throw error;
    sqlite3* raw = orv::sql::sqlite::open_database(path_.string(), {}, nullptr, error);
    sqlite3_exec(raw, fill().c_str(), nullptr, nullptr, nullptr);
    sqlite3_close_v2(raw);
    driver_ = std::make_unique<orv::sql::sqlite::SqliteDriver>(path_.string());
    orv::frame::reset_channels();
    orv::sql::set_current_driver(driver_.get());
    orv::dict::glo().ID_FIRMY = 5;
    orv::dict::glo().ID_UZYTKOWNIKA = 7;
  }
  ~Database() {
    orv::frame::reset_channels();
    orv::sql::set_current_driver(nullptr);
    fs::remove(path_);
  }

 private:
  static std::string fill() {
    const std::string n = std::to_string(kTransfers);
    return "begin; delete from zaznaczone where id_sesji = 7 and uzycie = 300;"
           "with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
           n +
           ") insert into dokument_finansowy (id_dokumentu_finansowego, id_firmy, id_typu, numer, "
           "data, typ_platnika, id_platnika, tytulem, kwota, id_kasy, id_rachunku_kasy, "
           "nr_rachunku_platnika, id_uzytkownika, dok_zablokowany, do_ksiegowania) select "
           "1000 + i, 5, 1, 'PW/' || i, 82198 + i % 30, case i % 3 when 2 then 'u' else 'k' end, "
           "case i % 3 when 0 then 1 when 1 then 2 else 1 end, 'Zapłata za fakturę FZ ' || i || "
           "'/2026 zgodnie z umową', (i % 99991) + 0.37, 2, 1, case i % 3 when 0 then "
           "'1140 2004 0000 3002 0135 5387' when 1 then '1020 1026 0000 0422 7020 1111' else "
           "'1010 1010 0010 2222 3333 4444' end, 8, 0, 0 from n;"
           "insert into zaznaczone (id_sesji, uzycie, id, id2) select 7, 300, "
           "id_dokumentu_finansowego, 0 from dokument_finansowy where id_dokumentu_finansowego "
           ">= 1000;"
           "insert into zaznaczone (id_sesji, uzycie, id, id2) select 7, 301, "
           "id_dokumentu_finansowego, 0 from dokument_finansowy where id_dokumentu_finansowego "
           "between 1001 and " +
           std::to_string(1000 + kSmall) + "; commit;";
  }

  fs::path path_;
  std::unique_ptr<orv::sql::Driver> driver_;
};

// The writer as EXPORT_TXT_MC runs it after "Wykonaj": the summary box answered.
int64_t ours(int32_t usage, const std::string& path) {
  orv::ui::HeadlessBackend ui({"ok"}, /*strict=*/false);
  orv::ui::Backend* previous = orv::ui::set_backend(&ui);
  const orv::payments::ExportOutcome o = orv::payments::write_payment_file(usage, kElixir, path);
  orv::ui::set_backend(previous);
  return o.written;
}

// The same selection read on channel 2 and its eleven columns written with fprintf.
int64_t baseline(int32_t usage, const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  int64_t n = 0;
  if (orv::frame::ESQL2(orv::payments::selection_statement(usage, 7)) == 0) {
    orv::sql::ScratchTable& t = orv::frame::VAX2();
    while (t.next()) {
      std::fprintf(f, "%s,%s,\"%s\",\"%s\",\"%s\",\"%s\",%s,%s,%s,%s,%s\r\n", t.field(1).c_str(),
                   t.field(2).c_str(), t.field(3).c_str(), t.field(4).c_str(), t.field(5).c_str(),
                   t.field(6).c_str(), t.field(7).c_str(), t.field(8).c_str(), t.field(9).c_str(),
                   t.field(10).c_str(), t.field(11).c_str());
      ++n;
    }
  }
  orv::frame::CLOSESQL2();
  std::fclose(f);
  return n;
}

void BM_WriterVsFprintf(benchmark::State& state) {
  Database db;
  const std::string path = (fs::temp_directory_path() / "orv_payment_writer_bench.txt").string();
  Clock::duration writer{}, plain{};
  std::clock_t writer_cpu = 0, plain_cpu = 0;  // the process's CPU time: steadier on a busy box
  for (auto _ : state) {
    auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    const int64_t written = ours(kUsage, path);
    auto t1 = Clock::now();
    const std::clock_t c1 = std::clock();
    const int64_t read = baseline(kUsage, path + ".plain");
    auto t2 = Clock::now();
    const std::clock_t c2 = std::clock();
    writer += t1 - t0;
    plain += t2 - t1;
    writer_cpu += c1 - c0;
    plain_cpu += c2 - c1;
    if (written != kTransfers || read != kTransfers) {
      state.SkipWithError("not every transfer was written");
      break;
    }
  }
  fs::remove(path);
  fs::remove(path + ".plain");
  auto per = [&](Clock::duration d) {
    return std::chrono::duration<double>(d).count() / static_cast<double>(state.iterations());
  };
  state.counters["writer_s"] = per(writer);
  state.counters["fprintf_s"] = per(plain);
  state.counters["ratio"] = per(writer) / per(plain);
  state.counters["under_3s"] = per(writer) < 3 ? 1 : 0;
  state.counters["cpu_ratio"] = static_cast<double>(writer_cpu) / static_cast<double>(plain_cpu);
  state.SetItemsProcessed(state.iterations() * kTransfers);
}
BENCHMARK(BM_WriterVsFprintf)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_WriterMemoryAsTransfersGrow(benchmark::State& state) {
  Database db;
  const std::string path = (fs::temp_directory_path() / "orv_payment_writer_mem.txt").string();
  for (auto _ : state) {
    // One full read first: the database's page cache (SQLite's, 2 MiB) and statement cache fill
    // once per connection whatever reads them; what is left is the writer's own.
    baseline(kUsage, path);
    ours(kSmallUsage, path);
    // The progress bar's count statement alone (the server's work for its IN over the marks).
    state.counters["count_100k_kib"] = static_cast<double>(
        peak_kib_during([&] { orv::frame::FUNCSQL2(orv::payments::count_statement(kUsage, 7)); }));
    const long small = peak_kib_during([&] { ours(kSmallUsage, path); });
    const long large = peak_kib_during([&] { ours(kUsage, path); });
    state.counters["writer_10k_kib"] = static_cast<double>(small);
    state.counters["writer_100k_kib"] = static_cast<double>(large);
    // The same reads without the writer, for comparison.
    state.counters["fprintf_10k_kib"] =
        static_cast<double>(peak_kib_during([&] { baseline(kSmallUsage, path); }));
    state.counters["fprintf_100k_kib"] =
        static_cast<double>(peak_kib_during([&] { baseline(kUsage, path); }));
  }
  fs::remove(path);
}
BENCHMARK(BM_WriterMemoryAsTransfersGrow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
