// Readers of the column tables on several threads while other threads change the layout.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "lists/column_dialog.hpp"
#include "lists/column_settings.hpp"
#include "platform/dict/context.hpp"

namespace orv::lists {
namespace {

constexpr int kColumns = 24;
const std::string kWindows[] = {"Artykul_Brw", "Kontrahent_Brw", "Rozrachunek_Brw"};

// Long enough to live outside the string's own buffer, so a torn copy would show.
std::string format_for(int width) {
  std::string f = "fmt:" + std::to_string(width) + ":";
  return f + std::string(60 - f.size(), '.');
}

bool well_formed(const std::string& f) {
  if (f.size() != 60 || !f.starts_with("fmt:")) return false;
  return f.find_first_not_of('.', f.find(':', 4) + 1) == std::string::npos;
}

void fill_tables() {
  dict::reset_context();
  auto& t = dict::glo().tables;
  double id = 0;
  for (const auto& w : kWindows) {
    t.INI_BRO.add({w, ++id, 1, kColumns});
    for (int n = 1; n <= kColumns; ++n) {
      dict::IniKolBroRow r;
      r.window = w;
      r.number = n;
      r.position = n;
      r.width = r.default_width = 10 + n;
      r.format = format_for(r.width);
      r.column_id = id * 100 + n;
      t.INI_KOL_BRO.add(r);
    }
  }
}

std::vector<int32_t> all_numbers() {
  std::vector<int32_t> numbers;
  for (int n = 1; n <= kColumns; ++n) numbers.push_back(n);
  return numbers;
}

TEST(ColumnThreads, ReadersSeeWholeRowsWhileTheLayoutChanges) {
  fill_tables();
  std::atomic<bool> stop{false};
  std::atomic<long> reads{0}, bad{0};
  auto reader = [&] {
    while (!stop.load()) {
      for (const auto& w : kWindows) {
        int32_t first = 0, last = 0;
        POBIERZZAKRESKOLUMNBROWSERA(w, first, last);
        if (first != 1 || last != kColumns) ++bad;
        for (int p = first; p <= last; ++p) {
          std::string f = POBIERZKOLUMNEFORMAT(w, p);
          int32_t width = POBIERZKOLUMNEROZMIAR(w, p);
          if (!well_formed(f) || width < 0) ++bad;
          ++reads;
        }
      }
    }
  };
  auto setter = [&] {
    for (int i = 0; i < 300; ++i) {
      int width = 20 + i % 50;
      if (USTAWKOLUMNE(kWindows[0], 1 + i % kColumns, format_for(width), width) != 1) ++bad;
    }
  };
  auto rearranger = [&] {
    for (int i = 0; i < 150; ++i) {
      DialogColumns rows = rows_for_dialog(kWindows[1], 1, kColumns, all_numbers());
      move_to_top(rows, kColumns - i % 5);
      if (i % 2) hide_column(rows, 2);
      write_back(kWindows[1], rows, 1, kColumns);
    }
  };
  std::vector<std::thread> threads;
  for (int i = 0; i < 3; ++i) threads.emplace_back(reader);
  std::thread s(setter), r(rearranger);
  s.join();
  r.join();
  stop = true;
  for (auto& t : threads) t.join();

  EXPECT_GT(reads.load(), 0);
  EXPECT_EQ(bad.load(), 0);
  std::set<int32_t> positions;
  for (const auto& row : dict::glo().tables.INI_KOL_BRO) {
    if (row.window == kWindows[1]) positions.insert(row.position);
  }
  EXPECT_EQ(positions.size(), std::size_t(kColumns)) << "positions stay unique";
  dict::reset_context();
}

}  // namespace
}  // namespace orv::lists
