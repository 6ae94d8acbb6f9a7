// Attachments: a CSV import into the buffer table against a prepared insert of the same rows,
// and a 10 MB photo stored and read back against raw sqlite3_blob calls.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "attachments/csv_import.hpp"
#include "attachments/csv_reader.hpp"
#include "frame/blob_channel.hpp"
#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/text.hpp"
#include "server/server.hpp"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kRows = 100000;
constexpr std::size_t kPhoto = 10u << 20;

// The demo database as the current driver, and a raw connection with the same registrations.
class Database {
 public:
  explicit Database(const char* name) : path_(fs::temp_directory_path() / name) {
    fs::remove(path_);
    std::string error;
    orv::server::create_database(path_.string(), /*demo=*/true, error);
    driver_ = std::make_unique<orv::sql::sqlite::SqliteDriver>(path_.string());
    orv::frame::reset_channels();
    orv::sql::set_current_driver(driver_.get());
    orv::dict::glo().ID_FIRMY = 5;
    orv::dict::glo().ID_UZYTKOWNIKA = 7;
    raw_ = orv::sql::sqlite::open_database(path_.string(), {}, nullptr, error);
  }
  ~Database() {
    sqlite3_close_v2(raw_);
    orv::frame::reset_channels();
    orv::sql::set_current_driver(nullptr);
    fs::remove(path_);
  }
  sqlite3* raw() { return raw_; }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
  std::unique_ptr<orv::sql::Driver> driver_;
  sqlite3* raw_ = nullptr;
};

std::string csv_file() {
  std::string text = orv::attachments::sample_header() + "\r\n";
  for (int i = 0; i < kRows; ++i) {
    std::string n = std::to_string(i);
    for (const std::string& part :
         {std::string("Artyku\xB3 O'Brien nr "), n, std::string(";;;Akcesoria;;szt;T;23;23;IMP-"),
          n, std::string(";;;;0;;;590"), n, std::string(";1,5;10;0;;opis "), n,
          std::string(";;;PL;Producent;;;kg;0,25;;0;0;0;12,34;15,18;PLN;0;0;0;0;0;0;0;0"),
          std::string(";;;;;;;;;;\r\n")}) {
      text += part;
    }
  }
  return text;
}

// The same rows as the import buffers them, inserted through one prepared statement in one
// transaction: what a hand-written loader would do.
void prepared_insert(sqlite3* db, const orv::attachments::ImportFile& file) {
  std::string sql = "insert into artykul_imp (ID_BLOBA,ID_FIRMY,ID_UZYTKOWNIKA,status,uwagi_imp";
  std::string marks = "?,?,?,?,?";
  for (const auto& f : orv::attachments::import_fields()) {
    sql += std::string(",") + f.column;
    marks += ",?";
  }
  sql += ") values (" + marks + ")";
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
  sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
  for (const auto& r : file.records) {
    int k = 1;
    for (double v : {999.0, 5.0, 7.0, 0.0}) sqlite3_bind_double(st, k++, v);
    sqlite3_bind_text(st, k++, "", 0, SQLITE_STATIC);
    for (const auto& v : r.values) {
      if (v.number) {
        sqlite3_bind_double(st, k++, v.n);
      } else {
        sqlite3_bind_text(st, k++, orv::text::to_utf8(v.text).c_str(), -1, SQLITE_TRANSIENT);
      }
    }
    sqlite3_step(st);
    sqlite3_reset(st);
  }
  sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
  sqlite3_finalize(st);
}

void BM_ImportCsvVsPreparedInsert(benchmark::State& state) {
  Database db("orv_import_bench.db");
  std::string text = csv_file();
  fs::path file = fs::temp_directory_path() / "orv_import_bench.csv";
  std::ofstream(file, std::ios::binary) << text;
  auto parsed = orv::attachments::read_import_file(text);
  Clock::duration import{}, raw{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    auto id = orv::attachments::import_csv_file(file.string(), "ARTYKUL");
    auto t1 = Clock::now();
    prepared_insert(db.raw(), parsed);
    raw += Clock::now() - t1;
    import += t1 - t0;
    if (!id) state.SkipWithError("the import failed");
  }
  fs::remove(file);
  state.counters["import_s"] = std::chrono::duration<double>(import).count() / state.iterations();
  state.counters["prepared_s"] = std::chrono::duration<double>(raw).count() / state.iterations();
  state.counters["ratio"] =
      std::chrono::duration<double>(import) / std::chrono::duration<double>(raw);
}
BENCHMARK(BM_ImportCsvVsPreparedInsert)->Iterations(3)->Unit(benchmark::kMillisecond);

void raw_blob_round_trip(sqlite3* db, const std::vector<unsigned char>& bytes,
                         std::vector<unsigned char>& back) {
  sqlite3_exec(db, "update artykul_blob set zdjecie = zeroblob(10485760) where id_bloba = 3",
               nullptr, nullptr, nullptr);
  sqlite3_blob* b = nullptr;
  sqlite3_blob_open(db, "main", "artykul_blob", "zdjecie", 3, 1, &b);
  sqlite3_blob_write(b, bytes.data(), static_cast<int>(bytes.size()), 0);
  sqlite3_blob_close(b);
  sqlite3_blob_open(db, "main", "artykul_blob", "zdjecie", 3, 0, &b);
  back.resize(static_cast<std::size_t>(sqlite3_blob_bytes(b)));
  sqlite3_blob_read(b, back.data(), static_cast<int>(back.size()), 0);
  sqlite3_blob_close(b);
}

void BM_PhotoVsRawBlob(benchmark::State& state) {
  Database db("orv_photo_bench.db");
  std::vector<unsigned char> bytes(kPhoto);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 31);
  std::vector<unsigned char> back;
  Clock::duration channel{}, raw{};
  std::string error;
  for (auto _ : state) {
    auto t0 = Clock::now();
    orv::frame::write_blob({"artykul_blob", "zdjecie", "id_bloba", 1}, bytes, error);
    orv::sql::Blob read;
    orv::frame::read_blob({"artykul_blob", "zdjecie", "id_bloba", 1}, read, error);
    auto t1 = Clock::now();
    raw_blob_round_trip(db.raw(), bytes, back);
    raw += Clock::now() - t1;
    channel += t1 - t0;
    if (read.bytes != bytes || back != bytes) state.SkipWithError("a photo came back changed");
  }
  state.counters["ratio"] =
      std::chrono::duration<double>(channel) / std::chrono::duration<double>(raw);
}
BENCHMARK(BM_PhotoVsRawBlob)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
