// Whole-list marking and inversion of a 1,000,000-row list against their raw statements, and the
// record <-> XML round trip of a 50-field record.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <pugixml.hpp>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/ui/headless/headless.hpp"
#include "platform/ui/ui.hpp"
#include "platform/xml/group_xml.hpp"
#include "selection/list_marking.hpp"
#include "server/server.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 1000000;
const std::string kList = "select A.ID, A.GRUPA from lista A where A.GRUPA >= 0 order by A.ID";
const std::string kFrom = "FROM LISTA A WHERE A.GRUPA >= 0";
const std::string kInsert =
    "insert into zaznaczone (id,uzycie,id_sesji) select distinct A.ID,5,7  " + kFrom;

// The server's schema with a list table of kRows rows, behind the T-SQL backend, with the
// headless UI for the progress window; a raw connection beside it, with the backend's own
// settings (WAL, synchronous=normal), runs the baselines.
class ListDatabase {
 public:
  ListDatabase() : path_(std::filesystem::temp_directory_path() / "orv_selection_bench.db") {
    std::filesystem::remove(path_);
    std::string error;
    if (!orv::server::create_database(path_.string(), /*demo=*/false, error)) throw error;
    sqlite3_open(path_.c_str(), &db_);
    exec(
        "pragma journal_mode=wal; pragma synchronous=normal; pragma busy_timeout=60000;"
        "create table lista (id integer primary key, grupa integer);"
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
        std::to_string(kRows) + ") insert into lista select i, i % 7 from n;");
    driver_ = std::make_unique<orv::sql::sqlite::SqliteDriver>(path_.string());
    orv::frame::reset_channels();
    orv::sql::set_current_driver(driver_.get());
    previous_ui_ = orv::ui::set_backend(&ui_);
    orv::dict::glo().ID_UZYTKOWNIKA = 7;
  }
  ~ListDatabase() {
    orv::ui::set_backend(previous_ui_);
    orv::frame::reset_channels();
    orv::sql::set_current_driver(nullptr);
    sqlite3_close(db_);
    std::filesystem::remove(path_);
  }
  void exec(const std::string& sql) { sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }
  Clock::duration timed(const std::string& sql) {
    auto t0 = Clock::now();
    exec(sql);
    return Clock::now() - t0;
  }

 private:
  std::filesystem::path path_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<orv::sql::Driver> driver_;
  orv::ui::HeadlessBackend ui_{{}, /*strict=*/false};
  orv::ui::Backend* previous_ui_ = nullptr;
};

void report(benchmark::State& state, Clock::duration ours, Clock::duration raw) {
  auto s = [&](Clock::duration d) {
    return std::chrono::duration<double>(d).count() / static_cast<double>(state.iterations());
  };
  state.counters["ours_s"] = s(ours);
  state.counters["raw_s"] = s(raw);
  state.counters["ratio"] = s(ours) / s(raw);
}

// ZAZNACZALLSQL of the whole list into an empty set, then the same insert ... select on the raw
// connection into an empty set; the sets are emptied between, untimed.
void BM_MarkWholeListVsInsertSelect(benchmark::State& state) {
  ListDatabase db;
  Clock::duration ours{}, raw{};
  for (auto _ : state) {
    db.exec("delete from zaznaczone");
    auto t0 = Clock::now();
    if (orv::selection::ZAZNACZALLSQL(5, kList, "A.ID") != kRows) state.SkipWithError("marked");
    ours += Clock::now() - t0;
    db.exec("delete from zaznaczone");
    raw += db.timed(kInsert);
  }
  report(state, ours, raw);
}
BENCHMARK(BM_MarkWholeListVsInsertSelect)->Iterations(3)->Unit(benchmark::kSecond);

// INWERSJASQL with every other record marked, then the documented statements of an inversion
// run raw: the first inverts the set, the second inverts it back.
void BM_InvertListVsRawStatements(benchmark::State& state) {
  ListDatabase db;
  db.exec("insert into zaznaczone (id,uzycie,id_sesji) select id,5,7 from lista where id % 2 = 0");
  const std::string in_list = "id in (select distinct A.ID  " + kFrom + ")";
  Clock::duration ours{}, raw{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    if (orv::selection::INWERSJASQL(5, kList, "A.ID") != kRows / 2) state.SkipWithError("inverted");
    ours += Clock::now() - t0;
    raw += db.timed("update zaznaczone set uzycie=uzycie+25000 where id_sesji=7 and uzycie=5 and " +
                    in_list);
    raw += db.timed(kInsert);
    raw += db.timed(
        "delete from zaznaczone where id_sesji=7 and uzycie=5 and id in (select id from zaznaczone "
        "where id_sesji=7 and uzycie=25000+5)");
    raw += db.timed("delete from zaznaczone where id_sesji=7 and uzycie=25000+5");
  }
  report(state, ours, raw);
}
BENCHMARK(BM_InvertListVsRawStatements)->Iterations(3)->Unit(benchmark::kSecond);

// A filter dialog's record: 50 fields of every kind, one of them an array.
orv::dict::Group fifty_fields() {
  using orv::dict::FieldKind;
  orv::dict::Group g;
  const FieldKind kinds[] = {FieldKind::Text, FieldKind::Long, FieldKind::Date,
                             FieldKind::Byte, FieldKind::Real, FieldKind::Decimal};
  const char* values[] = {"Kowalski & syn", "12345", "82198", "1", "4.2512", "1250.50"};
  for (int i = 0; i < 49; ++i) {
    auto& f = g.add("LOC:Pole" + std::to_string(i), kinds[i % 6], i % 6 == 5 ? 2 : 30);
    f.values[0] = values[i % 6];
  }
  g.add("LOC:Przelaczniki", FieldKind::Byte, 0, 5).values = {"1", "0", "1", "1", "0"};
  return g;
}

// The baseline: the same record through pugixml's own DOM, built, written, parsed and walked.
struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void* data, size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
};

std::size_t dom_round_trip(const orv::dict::Group& record) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("GROUP");
  for (const orv::dict::Field& f : record) {
    const std::string name = f.name.substr(f.name.find(':') + 1);
    for (const std::string& v : f.values) root.append_child(name.c_str()).text().set(v.c_str());
  }
  StringWriter w;
  doc.save(w, "", pugi::format_raw);
  pugi::xml_document back;
  back.load_buffer(w.out.data(), w.out.size());
  std::size_t n = 0;
  for (const pugi::xml_node& e : back.document_element().children()) {
    n += std::string(e.name()).size() + std::string(e.child_value()).size();
  }
  return n;
}

// This thread's CPU time: the machine's other work does not count against either side.
double cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// GRUPADOXML then XMLDOGRUPY by name against the DOM baseline, in turns of 64 each; the target
// is 200,000 round trips a second.
void BM_RecordXmlRoundTrip(benchmark::State& state) {
  constexpr int kTurn = 64;
  const orv::dict::Group record = fifty_fields();
  orv::dict::Group back = fifty_fields();
  std::string error;
  double ours = 0, raw = 0;
  for (auto _ : state) {
    const double start = cpu_seconds();
    for (int i = 0; i < kTurn; ++i) {
      const std::string xml = orv::xml::group_to_xml(record, orv::xml::FieldOrder::ByName);
      if (!orv::xml::xml_to_group(xml, back, orv::xml::Matching::ByName, error)) {
        state.SkipWithError("not loaded");
      }
    }
    const double middle = cpu_seconds();
    for (int i = 0; i < kTurn; ++i) benchmark::DoNotOptimize(dom_round_trip(record));
    raw += cpu_seconds() - middle;
    ours += middle - start;
  }
  const double per_second = static_cast<double>(state.iterations()) * kTurn / ours;
  state.counters["round_trips_per_s"] = per_second;
  // Above 1 the target is met; below 1 ours is faster than the plain DOM.
  state.counters["vs_200k_target"] = per_second / 200000;
  state.counters["ratio_vs_dom"] = ours / raw;
}
BENCHMARK(BM_RecordXmlRoundTrip);

}  // namespace

BENCHMARK_MAIN();
