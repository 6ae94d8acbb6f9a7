// Cells handed one by one to the utility library, which keeps the workbook.
#include "lists/xlsx_export.hpp"

#include <algorithm>
#include <array>

#include "frame/messages.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::lists {
namespace {

using Answer = const char*;
using Fn0 = Answer (*)();
using Fn1 = Answer (*)(const char*);
using Fn3 = Answer (*)(const char*, const char*, const char*);
using Fn4 = Answer (*)(const char*, const char*, const char*, const char*);
using Fn5 = Answer (*)(const char*, const char*, const char*, const char*, const char*);

constexpr const char* kSheetName = "eksport z ORVEX";
constexpr const char* kDateFormat = "yyyy-mm-dd";
constexpr int kMaxPlaces = 10;

struct Functions {
  Fn4 text = nullptr;
  Fn5 number = nullptr;
  Fn3 fill = nullptr;
  Fn3 font = nullptr;
};

// An answer other than "" is the library saying why it could not.
bool failed(Answer a, std::string& error) {
  if (!a || !*a) return false;
  error = a;
  return true;
}

// Numbers go to the library as plain decimal text with the places the list shows: no grouping,
// a point for the decimal sign, so no reader can take a thousands separator for decimals.
class NumberText {
 public:
  NumberText() {
    for (int p = 0; p <= kMaxPlaces; ++p) {
      pictures_[p] = picture::parse("@n-_30" + (p ? "." + std::to_string(p) : std::string()));
    }
  }
  const char* operator()(double v, int places) {
    const picture::Picture& pic = pictures_[std::clamp(places, 0, kMaxPlaces)];
    std::size_t n = picture::format_number(v, pic, buffer_.data());
    std::size_t start = 0;
    while (start < n && buffer_[start] == ' ') ++start;
    text_.assign(buffer_.data() + start, n - start);
    return text_.c_str();
  }

 private:
  std::array<picture::Picture, kMaxPlaces + 1> pictures_;
  std::array<char, 64> buffer_{};
  std::string text_;
};

class Writer {
 public:
  Writer(const Functions& f, bool colours) : f_(f), colours_(colours) {}

  bool header(const std::vector<ExportColumn>& columns, std::string& error) {
    for (std::size_t k = 0; k < columns.size(); ++k) {
      cols_.push_back(std::to_string(k + 1));
      if (failed(f_.text("1", cols_[k].c_str(), columns[k].source->title.c_str(), "1"), error))
        return false;
    }
    return true;
  }

  bool row(const std::vector<ExportColumn>& columns, const Row& r, std::size_t n,
           std::string& error) {
    row_ = std::to_string(n + 1);
    Cell scratch;
    for (std::size_t k = 0; k < columns.size(); ++k) {
      const ExportColumn& c = columns[k];
      if (!cell(k, sheet_cell(c, value_of(c, r, n, scratch)), error)) return false;
      if (colours_ && c.source->colours && !paint(k, r, c.source->field, error)) return false;
    }
    return true;
  }

 private:
  bool cell(std::size_t k, const SheetCell& s, std::string& error) {
    const char* col = cols_[k].c_str();
    switch (s.kind) {
      case SheetCell::Kind::Text:
        return !failed(f_.text(row_.c_str(), col, s.text.c_str(), "0"), error);
      case SheetCell::Kind::Number:
        format_ = number_format(s.places);
        return !failed(
            f_.number(row_.c_str(), col, number_(s.number, s.places), format_.c_str(), "0"), error);
      case SheetCell::Kind::Date:
        return !failed(f_.number(row_.c_str(), col, number_(s.number, 0), kDateFormat, "0"), error);
      case SheetCell::Kind::Empty:
        break;
    }
    return true;
  }

  // The row's colour fields follow the value field: foreground, then background.
  bool paint(std::size_t k, const Row& r, int32_t field, std::string& error) {
    const Cell& fg = ListObject::field_of(r, field + 1);
    const Cell& bg = ListObject::field_of(r, field + 2);
    const char* col = cols_[k].c_str();
    if (fg.numeric() && fg.number > 0 &&
        failed(f_.font(row_.c_str(), col, rgb_hex(static_cast<int32_t>(fg.number)).c_str()), error))
      return false;
    if (bg.numeric() && bg.number >= 1 &&
        failed(f_.fill(row_.c_str(), col, rgb_hex(static_cast<int32_t>(bg.number)).c_str()), error))
      return false;
    return true;
  }

  const Functions& f_;
  bool colours_;
  std::vector<std::string> cols_;
  std::string row_;
  std::string format_;
  NumberText number_;
};

bool look_up(FunctionSource& lib, Functions& f) {
  f.text = reinterpret_cast<Fn4>(lib.find("ZapiszDaneDoKomorkiTekst"));
  f.number = reinterpret_cast<Fn5>(lib.find("ZapiszDaneDoKomorkiLiczba"));
  f.fill = reinterpret_cast<Fn3>(lib.find("UstawKolorTlaNaKomorce"));
  f.font = reinterpret_cast<Fn3>(lib.find("UstawKolorCzcionkiNaKomorce"));
  return f.text && f.number && f.fill && f.font;
}

XlsxOutcome refuse(const char* warning) {
  frame::MSG_OSTRZEZENIE(warning);
  return XlsxOutcome::Refused;
}

XlsxOutcome write_rows(const Functions& f, const ListObject& list,
                       const std::vector<ExportColumn>& columns, bool colours, std::string& error) {
  Writer w(f, colours);
  if (!w.header(columns, error)) return XlsxOutcome::Failed;
  for (std::size_t n = 0; n < list.row_count(); ++n) {
    const Row* r = list.shown_row(n);
    if (r && !w.row(columns, *r, n + 1, error)) return XlsxOutcome::Failed;
  }
  return XlsxOutcome::Written;
}

}  // namespace

XlsxOutcome write_xlsx(FunctionSource& lib, const ListObject& list,
                       const std::vector<ExportColumn>& columns, bool colours,
                       const std::string& path, std::string& error) {
  auto create = reinterpret_cast<Fn1>(lib.find("UtworzPlikExcel"));
  if (!create)
    return refuse("Wystąpił błąd podczas uruchamiania funkcji utworzenia pliku XLSX."_w1250);
  if (failed(create(path.c_str()), error)) return XlsxOutcome::Failed;
  auto sheet = reinterpret_cast<Fn1>(lib.find("UtworzArkuszExcel"));
  auto save = reinterpret_cast<Fn0>(lib.find("ZapiszArkuszExcel"));
  Functions f;
  XlsxOutcome outcome = XlsxOutcome::Written;
  if (!sheet) {
    outcome = refuse("Wystąpił błąd podczas uruchamiania funkcji utworzenia arkusza XLSX."_w1250);
  } else if (failed(sheet(kSheetName), error)) {
    outcome = XlsxOutcome::Failed;
  } else if (!look_up(lib, f) || !save) {
    outcome = refuse("Wystąpił błąd podczas uruchamiania funkcji zapisu arkusza XLSX."_w1250);
  } else {
    outcome = write_rows(f, list, columns, colours, error);
  }
  // The workbook is closed whatever happened, so the library holds nothing open; a write that
  // failed or stopped leaves a file the caller removes.
  std::string closing;
  if (save && failed(save(), closing) && outcome == XlsxOutcome::Written) {
    error = closing;
    outcome = XlsxOutcome::Failed;
  }
  return outcome;
}

}  // namespace orv::lists
