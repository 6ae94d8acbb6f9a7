// Importing a full NBP table A (33 rates): the import statement through the main channel (read by
// the server procedure and stored) against raw SQLite inserts of the same rows, in one run.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/text.hpp"
#include "server/server.hpp"

namespace {

using Clock = std::chrono::steady_clock;

struct Rate {
  const char* code;
  double mid;
};

const std::vector<Rate> kRates = {
    {"THB", 0.1119},   {"USD", 3.6133}, {"AUD", 2.4281},   {"HKD", 0.4644},     {"CAD", 2.6313},
    {"NZD", 2.0861},   {"SGD", 2.8134}, {"EUR", 4.2187},   {"HUF", 0.010956},   {"CHF", 4.5412},
    {"GBP", 4.8731},   {"UAH", 0.0855}, {"JPY", 0.023097}, {"CZK", 0.1736},     {"DKK", 0.5649},
    {"ISK", 0.028703}, {"NOK", 0.3583}, {"SEK", 0.3921},   {"RON", 0.8283},     {"BGN", 2.1570},
    {"TRY", 0.0842},   {"ILS", 1.1309}, {"CLP", 0.003964}, {"PHP", 0.0612},     {"MXN", 0.2008},
    {"ZAR", 0.2219},   {"BRL", 0.6684}, {"MYR", 0.8899},   {"IDR", 0.00021606}, {"INR", 0.040117},
    {"KRW", 0.002481}, {"CNY", 0.5176}, {"XDR", 4.9488}};

// The web service's XML of table A, as the utility library hands it over.
std::string full_table() {
  std::string t =
      "<ArrayOfExchangeRatesTable><ExchangeRatesTable><Table>A</Table><No>004/A/NBP/2026</No>"
      "<EffectiveDate>2026-01-08</EffectiveDate><Rates>";
  char mid[32];
  for (const Rate& r : kRates) {
    std::snprintf(mid, sizeof mid, "%.8g", r.mid);
    t += std::string("<Rate><Currency>waluta '") + r.code + "'</Currency><Code>" + r.code +
         "</Code><Mid>" + mid + "</Mid></Rate>";
  }
  return t + "</Rates></ExchangeRatesTable></ArrayOfExchangeRatesTable>";
}

int plain_compare(void*, int a_len, const void* a, int b_len, const void* b) {
  int c = std::memcmp(a, b, static_cast<std::size_t>(std::min(a_len, b_len)));
  return c != 0 ? c : a_len - b_len;
}

class DemoDatabase {
 public:
  DemoDatabase() : path_(std::filesystem::temp_directory_path() / "orv_rates_bench.db") {
    std::filesystem::remove(path_);
    std::string error;
    ok_ = orv::server::create_database(path_.string(), /*demo=*/true, error);
    driver_ = std::make_unique<orv::sql::sqlite::SqliteDriver>(path_.string());
    orv::frame::reset_channels();
    orv::sql::set_current_driver(driver_.get());
    sqlite3_open(path_.c_str(), &raw_);
    sqlite3_create_collation(raw_, "PL_CI_AS", SQLITE_UTF8, nullptr, &plain_compare);
  }
  ~DemoDatabase() {
    orv::frame::reset_channels();
    orv::sql::set_current_driver(nullptr);
    sqlite3_close(raw_);
    std::filesystem::remove(path_);
  }
  bool ok() const { return ok_; }
  sqlite3* raw() { return raw_; }

 private:
  std::filesystem::path path_;
  std::unique_ptr<orv::sql::Driver> driver_;
  sqlite3* raw_ = nullptr;
  bool ok_ = false;
};

// The same 33 rows written by hand: one transaction, one prepared upsert (source 99, so the two
// never touch each other's rows).
void raw_insert(sqlite3* db) {
  sqlite3_stmt* s = nullptr;
  sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
  sqlite3_prepare_v2(db,
                     "INSERT INTO kurs_waluty (rodzaj, symbol_waluty, data, czas, kurs, "
                     "przelicznik, numer_tabeli) VALUES (99,?,82205,0,?,1,'004/A/NBP/2026') "
                     "ON CONFLICT (rodzaj, symbol_waluty, data) DO UPDATE SET kurs = excluded.kurs",
                     -1, &s, nullptr);
  for (const Rate& r : kRates) {
    sqlite3_bind_text(s, 1, r.code, -1, SQLITE_STATIC);
    sqlite3_bind_double(s, 2, r.mid);
    sqlite3_step(s);
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
  sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
}

void BM_NbpTableImportVsRawInsert(benchmark::State& state) {
  DemoDatabase db;
  if (!db.ok()) {
    state.SkipWithError("the demo database could not be made");
    return;
  }
  const std::string statement =
      "call KS_ImportKusowWalutNBP('" + orv::text::double_apostrophes(full_table()) + "')";
  Clock::duration import{}, raw{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    orv::frame::EXECSQL(statement);
    benchmark::DoNotOptimize(orv::frame::VAX().next());
    orv::frame::CLOSESQL();
    auto t1 = Clock::now();
    raw_insert(db.raw());
    raw += Clock::now() - t1;
    import += t1 - t0;
  }
  if (orv::frame::FUNCSQL(
          "select count(*) from kurs_waluty where rodzaj=0 and numer_tabeli='004/A/NBP/2026'", 1) !=
      "33") {
    state.SkipWithError("the import did not store the 33 rates");
    return;
  }
  auto ms = [&](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count() /
           static_cast<double>(state.iterations());
  };
  state.counters["import_ms"] = ms(import);
  state.counters["raw_ms"] = ms(raw);
  state.counters["ratio"] = ms(import) / ms(raw);
  state.counters["under_5ms"] = ms(import) < 5.0 ? 1 : 0;
}
BENCHMARK(BM_NbpTableImportVsRawInsert)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
