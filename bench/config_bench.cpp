// Configuration and permission look-ups as every screen asks them, and loading the grants.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "config/parameters.hpp"
#include "config/permissions.hpp"
#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "testing/fake_driver.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kParameters = 1000;
constexpr int kFunctions = 1000;
constexpr int kWarehouses = 4;  // per function: a general grant and four warehouse grants

std::string numbered(const char* prefix, int i) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%04d", prefix, i);
  return buf;
}

// 1,000 company parameters; the codes asked in mixed case, as callers write them.
std::vector<std::string> load_parameters() {
  orv::dict::reset_context();
  auto& q = orv::dict::glo().tables.S_PARAMKONFQ;
  std::vector<std::string> asked;
  for (int i = 0; i < kParameters; ++i) {
    q.add({numbered("PARAMETR", i), "@s20", numbered("v", i)});
    asked.push_back(numbered("Parametr", (i * 7919) % kParameters));
  }
  return asked;
}

void BM_PobierzParamKonf(benchmark::State& state) {
  std::vector<std::string> asked = load_parameters();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(orv::config::POBIERZPARAMKONF("s", asked[i]));
    if (++i == asked.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
  orv::dict::reset_context();
}
BENCHMARK(BM_PobierzParamKonf);

// 5,000 grants: 1,000 functions, each restricted in general and full or restricted in four
// warehouses; half of them granted per warehouse ("M"). The current user is not the
// administrator, so every look-up walks the rules.
struct Asked {
  std::string code;
  int32_t warehouse;
};

std::vector<Asked> load_grants() {
  orv::dict::reset_context();
  orv::dict::Context& g = orv::dict::glo();
  g.ID_UZYTKOWNIKA = 7;
  g.ID_MAGAZYNU = 2;
  std::vector<Asked> asked;
  for (int f = 0; f < kFunctions; ++f) {
    std::string code = numbered("FUNKCJA", f);
    g.tables.UPRAWNQ.add({code, f % 2 ? "M" : ""});
    g.tables.ACCESSQ.add({code, 0, 0, 0, 0, 2, "W"});
    for (int w = 1; w <= kWarehouses; ++w) {
      g.tables.ACCESSQ.add({code, w, 0, 0, 0, static_cast<uint8_t>(1 + (f + w) % 2), ""});
    }
    asked.push_back({numbered("Funkcja", (f * 7919) % kFunctions), f % (kWarehouses + 1)});
  }
  return asked;
}

void BM_PobierzUprawnienie(benchmark::State& state) {
  std::vector<Asked> asked = load_grants();
  std::size_t i = 0;
  for (auto _ : state) {
    const Asked& a = asked[i];
    benchmark::DoNotOptimize(orv::config::POBIERZUPRAWNIENIE(a.code, a.warehouse));
    if (++i == asked.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
  orv::dict::reset_context();
}
BENCHMARK(BM_PobierzUprawnienie);

// The same look-ups as the first rules alone would answer them: the warehouse left out.
void BM_PobierzUprawnienieGeneral(benchmark::State& state) {
  std::vector<Asked> asked = load_grants();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(orv::config::POBIERZUPRAWNIENIE(asked[i].code));
    if (++i == asked.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
  orv::dict::reset_context();
}
BENCHMARK(BM_PobierzUprawnienieGeneral);

// A database with the permission tables only: user 7 in 10 active groups of company 5, each
// group granting 500 keys (5,000 grants; groups overlap on codes, so merging has work).
class GrantsDatabase {
 public:
  GrantsDatabase() : path_(std::filesystem::temp_directory_path() / "orv_config_bench.db") {
    std::filesystem::remove(path_);
    sqlite3_open(path_.c_str(), &db_);
    sqlite3_exec(db_,
                 "pragma journal_mode=wal;"
                 "create table dostep (id_grupy integer, id_firmy integer, kod text, id2 integer,"
                 " id3 integer, id4 integer, id5 integer, rodzaj_dostepu integer,"
                 " flaga_stanu text);"
                 "create table uzytkownikgrupy (id_grupy integer, id_uzytkownika integer,"
                 " primary key (id_grupy, id_uzytkownika));"
                 "create index uzytkownikgrupy_u on uzytkownikgrupy (id_uzytkownika);"
                 "create table grupauzytkownikow (id_grupy integer primary key, id_firmy integer,"
                 " czy_aktywna integer);"
                 "create table uprawnienie (kod text primary key, rodzaj text);"
                 "create table dostepdoraportow (id_grupy integer, id_raportu integer,"
                 " rodzaj_dostepu integer);"
                 "with recursive n(i) as (select 1 union all select i + 1 from n where i < 10)"
                 " insert into grupauzytkownikow select i, 5, 1 from n;"
                 "insert into uzytkownikgrupy select id_grupy, 7 from grupauzytkownikow;"
                 "with recursive n(i) as (select 0 union all select i + 1 from n where i < 4999)"
                 " insert into dostep select 1 + i / 500, 5,"
                 " printf('FUNKCJA%04d', ((i / 500) * 137 + i % 500) % 1000), i % 5, 0, 0, 0,"
                 " 1 + (i % 3 = 0), 'W' from n;"
                 "with recursive n(i) as (select 0 union all select i + 1 from n where i < 999)"
                 " insert into uprawnienie select printf('FUNKCJA%04d', i),"
                 " case when i % 2 then 'M' else '' end from n;"
                 "insert into dostepdoraportow select id_grupy, 10 + id_grupy, 1"
                 " from grupauzytkownikow;",
                 nullptr, nullptr, nullptr);
    driver_ = std::make_unique<orv::sql::sqlite::SqliteDriver>(path_.string());
    orv::frame::reset_channels();
    orv::sql::set_current_driver(driver_.get());
    orv::dict::reset_context();
    orv::dict::glo().ID_UZYTKOWNIKA = 7;
    orv::dict::glo().ID_FIRMY = 5;
  }
  ~GrantsDatabase() {
    orv::frame::reset_channels();
    orv::sql::set_current_driver(nullptr);
    orv::dict::reset_context();
    sqlite3_close(db_);
    std::filesystem::remove(path_);
  }
  sqlite3* raw() { return db_; }

 private:
  std::filesystem::path path_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<orv::sql::Driver> driver_;
};

// The grants query as SQLite itself runs it (the server's hints left out), every row read.
std::size_t raw_grants(sqlite3* db) {
  static const char* const kQuery =
      "select distinct d.kod, d.id2, d.id3, d.id4, d.id5, d.rodzaj_dostepu,d.flaga_stanu from "
      "DOSTEP d inner join UZYTKOWNIKGRUPY ug on (ug.id_grupy = d.id_grupy and "
      "ug.id_uzytkownika = 7) inner join GRUPAUZYTKOWNIKOW g on (g.id_grupy=ug.id_grupy) where "
      "d.id_firmy = 5 and d.rodzaj_dostepu>0 and g.czy_aktywna=1";
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, kQuery, -1, &stmt, nullptr);
  std::size_t bytes = 0;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    for (int k = 0; k < 7; ++k) bytes += static_cast<std::size_t>(sqlite3_column_bytes(stmt, k));
  }
  sqlite3_finalize(stmt);
  return bytes;
}

// LADUJUPRAWNIENIA through the current SQLite backend (three statements, the grants merged into
// ACCESSQ) against the grants query alone through sqlite3, in one loop.
void BM_LadujUprawnieniaVsRawQuery(benchmark::State& state) {
  GrantsDatabase db;
  orv::config::LADUJUPRAWNIENIA();
  if (orv::dict::glo().tables.ACCESSQ.empty()) {
    state.SkipWithError("needs the T-SQL backend: the grants query did not run");
    return;
  }
  Clock::duration load{}, raw{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    orv::config::LADUJUPRAWNIENIA();
    auto t1 = Clock::now();
    benchmark::DoNotOptimize(raw_grants(db.raw()));
    raw += Clock::now() - t1;
    load += t1 - t0;
  }
  auto ms = [&](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count() /
           static_cast<double>(state.iterations());
  };
  state.counters["load_ms"] = ms(load);
  state.counters["raw_query_ms"] = ms(raw);
  state.counters["ratio"] = ms(load) / ms(raw);
  state.counters["grants"] = static_cast<double>(orv::dict::glo().tables.ACCESSQ.size());
}
BENCHMARK(BM_LadujUprawnieniaVsRawQuery)->Unit(benchmark::kMillisecond);

// What the library adds to the server's work: the same 5,000 rows answered from memory.
void BM_LadujUprawnieniaOnFakeDriver(benchmark::State& state) {
  orv::sql::FakeDriver fake;
  std::vector<std::vector<std::string>> rows;
  rows.reserve(5000);
  for (int i = 0; i < 5000; ++i) {
    rows.push_back({numbered("FUNKCJA", ((i / 500) * 137 + i % 500) % 1000), std::to_string(i % 5),
                    "0", "0", "0", i % 3 == 0 ? "2" : "1", "W"});
  }
  fake.answer("select distinct*", {0, {}, rows, {}});
  orv::frame::reset_channels();
  orv::sql::set_current_driver(&fake);
  orv::dict::reset_context();
  orv::dict::glo().ID_UZYTKOWNIKA = 7;
  for (auto _ : state) orv::config::LADUJUPRAWNIENIA();
  state.counters["grants"] = static_cast<double>(orv::dict::glo().tables.ACCESSQ.size());
  orv::frame::reset_channels();
  orv::sql::set_current_driver(nullptr);
  orv::dict::reset_context();
}
BENCHMARK(BM_LadujUprawnieniaOnFakeDriver)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
