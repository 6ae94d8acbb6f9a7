// The list export against plain writers of the same cells: XLSX against libxlsxwriter called
// directly, CSV against a buffered stdio write, XLS against the CSV; and the writers' own memory
// as the list grows.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "calc/utility_library.hpp"
#include "lists/csv_export.hpp"
#include "lists/xls_export.hpp"
#include "lists/xlsx_export.hpp"
#include "peak_memory.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/headless/headless.hpp"

namespace {

using orv::bench::peak_kib_during;

using Clock = std::chrono::steady_clock;
using orv::lists::Cell;
using orv::lists::ListObject;

const std::string kDir = std::filesystem::temp_directory_path().string();

// Ten columns as an article list shows them: row number, three texts, five numbers of three
// kinds, a date.
ListObject list_of(int rows) {
  ListObject l;
  l.caption = "Artykuly";
  const char* pictures[] = {"@n_6",     "@s20",     "@s60",  "@s10",     "@n-14_`4",
                            "@n-14_`2", "@n-14_`2", "@n-14", "@n-14_`2", "@d17"};
  const char* titles[] = {"Lp",   "Indeks", "Nazwa", "Jm",    "Stan",
                          "Cena", "Brutto", "Ilosc", "Marza", "Data"};
  for (int k = 0; k < 10; ++k) l.columns.push_back({titles[k], 40, pictures[k], k + 1, false});
  l.rows.reserve(static_cast<std::size_t>(rows));
  for (int r = 0; r < rows; ++r) {
    l.rows.push_back({Cell{}, Cell::of_text("IDX-" + std::to_string(r)),
                      Cell::of_text("Wiertarka udarowa nr " + std::to_string(r)),
                      Cell::of_text("szt"), Cell::of_number(r * 0.25), Cell::of_number(r + 0.5),
                      Cell::of_number(r * 1.23), Cell::of_number(r % 1000),
                      Cell::of_number(r % 97 + 0.01), Cell::of_date(82198 + r % 365)});
  }
  return l;
}

class Functions : public orv::lists::FunctionSource {
 public:
  explicit Functions(orv::calc::UtilityLibrary& lib) : lib_(lib) {}
  void* find(std::string_view name) override { return lib_.find(name); }

 private:
  orv::calc::UtilityLibrary& lib_;
};

bool ours_xlsx(const ListObject& l, const std::string& path) {
  orv::calc::UtilityLibrary lib;
  Functions f(lib);
  std::string error;
  auto columns = orv::lists::export_columns(l);
  return orv::lists::write_xlsx(f, l, columns, false, path, error) ==
         orv::lists::XlsxOutcome::Written;
}

// The same cells written by libxlsxwriter directly, in its constant-memory mode.
void direct_xlsx(const ListObject& l, const std::string& path) {
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
  lxw_worksheet* sheet = workbook_add_worksheet(book, "eksport z ORVEX");
  lxw_format* bold = workbook_add_format(book);
  format_set_bold(bold);
  lxw_format* formats[10] = {};
  const char* numbers[] = {"#,##0",    nullptr,    nullptr, nullptr,    "#,##0.0000",
                           "#,##0.00", "#,##0.00", "#,##0", "#,##0.00", "yyyy-mm-dd"};
  for (int k = 0; k < 10; ++k) {
    if (!numbers[k]) continue;
    formats[k] = workbook_add_format(book);
    format_set_num_format(formats[k], numbers[k]);
  }
  for (int k = 0; k < 10; ++k)
    worksheet_write_string(sheet, 0, k, l.columns[k].title.c_str(), bold);
  for (std::size_t r = 0; r < l.rows.size(); ++r) {
    const auto& row = l.rows[r];
    auto at = static_cast<lxw_row_t>(r + 1);
    worksheet_write_number(sheet, at, 0, static_cast<double>(r + 1), formats[0]);
    for (int k = 1; k < 4; ++k) {
      worksheet_write_string(sheet, at, k, orv::text::to_utf8(row[k].text).c_str(), nullptr);
    }
    for (int k = 4; k < 9; ++k) worksheet_write_number(sheet, at, k, row[k].number, formats[k]);
    worksheet_write_number(sheet, at, 9, row[9].number - 36161, formats[9]);
  }
  workbook_close(book);
}

// The same lines written with snprintf into a buffered stdio file.
void plain_csv(const ListObject& l, const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  static char buffer[1 << 16];
  std::setvbuf(f, buffer, _IOFBF, sizeof buffer);
  std::fputs(
      "\"Lp\";\"Indeks\";\"Nazwa\";\"Jm\";\"Stan\";\"Cena\";\"Brutto\";\"Ilosc\";\"Marza\";"
      "\"Data\"\r\n",
      f);
  char line[1024];
  for (std::size_t r = 0; r < l.rows.size(); ++r) {
    const auto& row = l.rows[r];
    int n =
        std::snprintf(line, sizeof line,
                      "\"%zu\";\"%s\";\"%s\";\"%s\";\"%.4f\";\"%.2f\";\"%.2f\";\"%.0f\";\"%.2f\";"
                      "\"%d\"\r\n",
                      r + 1, row[1].text.c_str(), row[2].text.c_str(), row[3].text.c_str(),
                      row[4].number, row[5].number, row[6].number, row[7].number, row[8].number,
                      static_cast<int>(row[9].number));
    std::fwrite(line, 1, static_cast<std::size_t>(n), f);
  }
  std::fclose(f);
}

bool ours_csv(const ListObject& l, const std::string& path) {
  std::string error;
  return orv::lists::write_csv(l, orv::lists::export_columns(l), ';', path, error);
}

bool ours_xls(const ListObject& l, const std::string& path) {
  std::string error;
  return orv::lists::write_xls(l, orv::lists::export_columns(l), path, error);
}

double seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

template <class Ours, class Base>
void compare(benchmark::State& state, Ours ours, Base base, const char* extension) {
  ListObject l = list_of(100000);
  std::string a = kDir + "/orv_export_bench_ours." + extension;
  std::string b = kDir + "/orv_export_bench_base." + extension;
  Clock::duration mine{}, theirs{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    if (!ours(l, a)) state.SkipWithError("the export failed");
    auto t1 = Clock::now();
    base(l, b);
    theirs += Clock::now() - t1;
    mine += t1 - t0;
  }
  double n = static_cast<double>(state.iterations());
  state.counters["ours_s"] = seconds(mine) / n;
  state.counters["base_s"] = seconds(theirs) / n;
  state.counters["ratio"] = seconds(mine) / seconds(theirs);
  std::filesystem::remove(a);
  std::filesystem::remove(b);
}

// Target: ratio within 1.5.
void BM_XlsxVsLibxlsxwriterDirect(benchmark::State& state) {
  compare(state, ours_xlsx, direct_xlsx, "xlsx");
}
BENCHMARK(BM_XlsxVsLibxlsxwriterDirect)->Iterations(3)->Unit(benchmark::kMillisecond);

// Target: ratio within 1.3.
void BM_CsvVsPlainBufferedWrite(benchmark::State& state) {
  compare(state, ours_csv, plain_csv, "csv");
}
BENCHMARK(BM_CsvVsPlainBufferedWrite)->Iterations(5)->Unit(benchmark::kMillisecond);

// Target: ratio within 2 (the XLS of a list against its CSV).
void BM_XlsVsCsvExport(benchmark::State& state) {
  compare(state, ours_xls, ours_csv, "xls");
}
BENCHMARK(BM_XlsVsCsvExport)->Iterations(5)->Unit(benchmark::kMillisecond);

// Memory flat as rows grow: the writers' extra peak at 10,000 and at 100,000 rows.
void BM_WriterMemoryAsRowsGrow(benchmark::State& state) {
  ListObject small = list_of(10000);
  ListObject large = list_of(100000);
  std::string path = kDir + "/orv_export_bench_memory";
  for (auto _ : state) {
    for (const char* kind : {"csv", "xls", "xlsx"}) {
      auto run = [&](const ListObject& l) {
        std::string p = path + "." + kind;
        if (kind[0] == 'c') ours_csv(l, p);
        if (std::string(kind) == "xls") ours_xls(l, p);
        if (std::string(kind) == "xlsx") ours_xlsx(l, p);
        std::filesystem::remove(p);
      };
      ours_xlsx(small, path + ".warm.xlsx");  // the library's first load is not the writer's
      std::filesystem::remove(path + ".warm.xlsx");
      long at_10k = peak_kib_during([&] { run(small); });
      long at_100k = peak_kib_during([&] { run(large); });
      state.counters[std::string(kind) + "_10k_kib"] = static_cast<double>(at_10k);
      state.counters[std::string(kind) + "_100k_kib"] = static_cast<double>(at_100k);
    }
  }
}
BENCHMARK(BM_WriterMemoryAsRowsGrow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
