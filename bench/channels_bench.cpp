// Channel overhead: scalar queries and single marks through the channels against raw SQLite.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "selection/marked_records.hpp"
#include "testing/fake_driver.hpp"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kCount = "select count(*) from zaznaczone where uzycie=1 and id_sesji=5";

// A database file with 100,000 marks spread over 10 users and 10 usage codes.
class MarksDatabase {
 public:
  MarksDatabase() : path_(std::filesystem::temp_directory_path() / "orv_channels_bench.db") {
    std::filesystem::remove(path_);
    sqlite3_open(path_.c_str(), &db_);
    sqlite3_exec(db_,
                 "pragma journal_mode=wal;"
                 "create table zaznaczone (id_sesji numeric(15,0), uzycie integer, "
                 "id numeric(15,0), id2 numeric(15,0));"
                 "create index zaznaczone_set on zaznaczone (id_sesji, uzycie, id);"
                 "with recursive n(i) as (select 0 union all select i + 1 from n where i < 99999) "
                 "insert into zaznaczone select i % 10, (i / 10) % 10, i, 0 from n;",
                 nullptr, nullptr, nullptr);
    driver_ = std::make_unique<orv::sql::sqlite::SqliteDriver>(path_.string());
    orv::frame::reset_channels();
    orv::sql::set_current_driver(driver_.get());
  }
  ~MarksDatabase() {
    orv::frame::reset_channels();
    orv::sql::set_current_driver(nullptr);
    sqlite3_close(db_);
    std::filesystem::remove(path_);
  }
  sqlite3* raw() { return db_; }

 private:
  std::filesystem::path path_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<orv::sql::Driver> driver_;
};

std::string raw_scalar(sqlite3* db, const char* sql) {
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
  std::string out;
  if (sqlite3_step(stmt) == SQLITE_ROW) {
    out = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  }
  sqlite3_finalize(stmt);
  return out;
}

// FUNCSQL of the count through the current SQLite backend, and the same query through
// sqlite3_prepare_v2/step, alternating in one loop so both see the same cache state.
void BM_FuncsqlCountVsRaw(benchmark::State& state) {
  MarksDatabase db;
  Clock::duration channel{}, raw{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    benchmark::DoNotOptimize(orv::frame::FUNCSQL(kCount));
    auto t1 = Clock::now();
    benchmark::DoNotOptimize(raw_scalar(db.raw(), kCount));
    raw += Clock::now() - t1;
    channel += t1 - t0;
  }
  auto us = [&](Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count() /
           static_cast<double>(state.iterations());
  };
  state.counters["channel_us"] = us(channel);
  state.counters["raw_us"] = us(raw);
  state.counters["ratio"] = us(channel) / us(raw);
}
BENCHMARK(BM_FuncsqlCountVsRaw)->Unit(benchmark::kMicrosecond);

// What the channel itself costs per scalar query: the fake driver answers at once.
void BM_FuncsqlOnFakeDriver(benchmark::State& state) {
  orv::sql::FakeDriver fake;
  fake.answer(kCount, orv::sql::FakeAnswer::value("10000"));
  orv::frame::reset_channels();
  orv::sql::set_current_driver(&fake);
  for (auto _ : state) benchmark::DoNotOptimize(orv::frame::FUNCSQL(kCount));
  orv::frame::reset_channels();
  orv::sql::set_current_driver(nullptr);
}
BENCHMARK(BM_FuncsqlOnFakeDriver);

// ZAZNACZSQL of new ids against a raw insert of the same rows. Needs the T-SQL backend and the
// server's JL_Zaznacz; with the plain SQLite driver the case reports that and stops.
void BM_MarkVsRawInsert(benchmark::State& state) {
  MarksDatabase db;
  orv::dict::glo().ID_UZYTKOWNIKA = 77;
  orv::selection::ZAZNACZSQL(1, 1);
  if (orv::frame::FUNCSQL("select count(*) from zaznaczone where id_sesji=77", 1) != "1") {
    state.SkipWithError("needs the T-SQL backend with JL_Zaznacz");
    return;
  }
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db.raw(), "insert into zaznaczone (id_sesji,uzycie,id) values (78,1,?)", -1,
                     &insert, nullptr);
  Clock::duration channel{}, raw{};
  int64_t id = 2;
  for (auto _ : state) {
    auto t0 = Clock::now();
    orv::selection::ZAZNACZSQL(1, static_cast<double>(id));
    auto t1 = Clock::now();
    sqlite3_bind_int64(insert, 1, id++);
    sqlite3_step(insert);
    sqlite3_reset(insert);
    raw += Clock::now() - t1;
    channel += t1 - t0;
  }
  sqlite3_finalize(insert);
  state.counters["ratio"] =
      std::chrono::duration<double>(channel) / std::chrono::duration<double>(raw);
}
BENCHMARK(BM_MarkVsRawInsert)->Iterations(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
