// What a bank import would reject in a payment file: the file's bytes, then each Elixir-0 field.
//
// Code pages. The writer converts the eighteen Polish letters and nothing else, so in an IBM 852,
// Mazovia or "Bez PL" file every other byte above 0x7F is a Windows-1250 character that came
// through unconverted and reaches the bank as some other letter: only those eighteen letters are
// valid there. A Windows-1250 file may hold any byte that page assigns. UTF-8 is recognised by
// the sequences Polish text and its punctuation produce (lead bytes C3-C5 and E2 80-82), which
// no Polish text in a single-byte page contains.
#include "payments/payment_check.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

#include "calc/iban.hpp"
#include "frame/sql_channels.hpp"
#include "platform/date/date.hpp"
#include "platform/files/files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/json.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::payments {
namespace {

constexpr std::size_t kTextLineWidth = 35;
constexpr std::size_t kTextLines = 4;
constexpr std::size_t kAccountDigits = 26;
constexpr std::size_t kSortCodeDigits = 8;
constexpr std::size_t kAmountDigits = 15;
constexpr int kShortRecord = 15, kLongRecord = 16;
constexpr std::size_t kMaxFields = 17;  // one over the most a record has: enough to count it off

// The Polish letters in the same order in each page: ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż.
using Letters = std::array<uint8_t, 18>;
constexpr Letters kWindowsLetters = {0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF,
                                     0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF};
constexpr Letters kLatinLetters = {0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0x8D, 0xBD,
                                   0xA5, 0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98, 0xAB, 0xBE};
constexpr Letters kMazoviaLetters = {0x8F, 0x95, 0x90, 0x9C, 0xA5, 0xA3, 0x98, 0xA0, 0xA1,
                                     0x86, 0x8D, 0x91, 0x92, 0xA4, 0xA2, 0x9E, 0xA6, 0xA7};

using ByteSet = std::array<bool, 256>;

constexpr ByteSet valid_high_bytes(CodePage page) {
  ByteSet s{};
  if (page == CodePage::Windows) {
    for (int b = 0x80; b < 0x100; ++b) s[b] = true;
    for (int b : {0x81, 0x83, 0x88, 0x90, 0x98}) s[b] = false;  // unassigned in Windows-1250
  } else if (page != CodePage::NoPolish) {
    for (uint8_t b : page == CodePage::Latin ? kLatinLetters : kMazoviaLetters) s[b] = true;
  }
  return s;
}

constexpr std::array<ByteSet, 4> kValidHigh = {
    valid_high_bytes(CodePage::Latin), valid_high_bytes(CodePage::Mazovia),
    valid_high_bytes(CodePage::Windows), valid_high_bytes(CodePage::NoPolish)};

// ASCII a text field may hold; bytes above 0x7F are the code page's matter, '"' the quoting's.
constexpr ByteSet text_bytes() {
  ByteSet s{};
  for (int c = 'A'; c <= 'Z'; ++c) s[c] = s[c + ('a' - 'A')] = true;
  for (int c = '0'; c <= '9'; ++c) s[c] = true;
  for (char c : std::string_view(" ()-,.?/|\"")) s[static_cast<uint8_t>(c)] = true;
  for (int b = 0x80; b < 0x100; ++b) s[b] = true;
  return s;
}
constexpr ByteSet kTextBytes = text_bytes();

const char* page_name(CodePage page) {
  switch (page) {
    case CodePage::Latin:
      return "IBM 852";
    case CodePage::Mazovia:
      return "Mazovia";
    case CodePage::Windows:
      return "Windows-1250";
    case CodePage::NoPolish:
      return "the page without Polish letters";
  }
  return "";
}

bool is_control(uint8_t b) {
  return b < 0x20 || b == 0x7F;
}
bool is_continuation(uint8_t b) {
  return (b & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence of Polish text starting at s[i], 0 when there is none.
std::size_t utf8_sequence(std::string_view s, std::size_t i) {
  auto at = [&](std::size_t k) { return static_cast<uint8_t>(s[k]); };
  const uint8_t b = at(i);
  if (b >= 0xC3 && b <= 0xC5 && i + 1 < s.size() && is_continuation(at(i + 1))) return 2;
  if (b == 0xE2 && i + 2 < s.size() && at(i + 1) >= 0x80 && at(i + 1) <= 0x82 &&
      is_continuation(at(i + 2)))
    return 3;
  return 0;
}

std::string hex(uint8_t b) {
  char out[8];
  std::snprintf(out, sizeof out, "0x%02X", b);
  return out;
}

// What a byte the page does not take would have been: a Polish letter of another page.
std::string letter_hint(uint8_t b, CodePage expected) {
  struct Page {
    CodePage page;
    const Letters& letters;
  };
  const Page pages[] = {{CodePage::Windows, kWindowsLetters},
                        {CodePage::Latin, kLatinLetters},
                        {CodePage::Mazovia, kMazoviaLetters}};
  for (const Page& p : pages) {
    if (p.page == expected) continue;
    const auto* hit = std::find(p.letters.begin(), p.letters.end(), b);
    if (hit == p.letters.end()) continue;
    const auto letter = static_cast<char>(kWindowsLetters[hit - p.letters.begin()]);
    return std::string(" (\"") + letter + "\" in " + page_name(p.page) + ")";
  }
  return {};
}

bool all_digits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return text::is_digit(c); });
}

// The value of a run of digits known to hold nothing else, at most nine of them.
uint32_t digits_value(std::string_view s) {
  uint32_t v = 0;
  for (char c : s) v = v * 10 + static_cast<uint32_t>(c - '0');
  return v;
}

// Findings as they come, counted beyond the cap but kept only up to it.
class Report {
 public:
  Report(CheckResult& result, std::size_t cap) : result_(result), cap_(cap) {}
  void add(std::size_t line, int field, const char* rule, std::string message) {
    ++result_.total;
    if (result_.findings.size() < cap_)
      result_.findings.push_back({line, field, rule, std::move(message)});
  }

 private:
  CheckResult& result_;
  std::size_t cap_;
};

// One field of a record as the import splits it.
struct Field {
  std::string_view text;  // inside the quotes when quoted
  bool quoted = false;
  bool closed = true;        // a quoted field's closing quote was found
  bool inner_quote = false;  // a '"' stands inside the quoted text
};

struct Record {
  std::array<Field, kMaxFields> fields;
  int count = 0;
};

// A quoted field ends at a '"' followed by a comma or the end of the line; any other '"' is
// one inside the text. Returns the position after the field.
std::size_t take_quoted(std::string_view line, std::size_t at, Field& f) {
  f.quoted = true;
  for (std::size_t q = line.find('"', at + 1); q != std::string_view::npos;
       q = line.find('"', q + 1)) {
    if (q + 1 == line.size() || line[q + 1] == ',') {
      f.text = line.substr(at + 1, q - at - 1);
      return q + 1;
    }
    f.inner_quote = true;
  }
  f.closed = false;
  f.text = line.substr(at + 1);
  return line.size();
}

Record split(std::string_view line) {
  Record r;
  std::size_t at = 0;
  for (;;) {
    Field f;
    if (at < line.size() && line[at] == '"') {
      at = take_quoted(line, at, f);
    } else {
      const std::size_t comma = std::min(line.find(',', at), line.size());
      f.text = line.substr(at, comma - at);
      at = comma;
    }
    if (r.count < static_cast<int>(kMaxFields)) r.fields[r.count] = f;
    ++r.count;
    if (at >= line.size()) return r;
    if (line[at] == ',') ++at;  // after an unclosed quote's text nothing follows
  }
}

class LineChecker {
 public:
  LineChecker(const CheckOptions& options, Report& report) : options_(options), report_(report) {}

  void check(std::size_t number, std::string_view line) {
    number_ = number;
    line_ = line;
    if (!options_.elixir) {
      check_bytes(line, 0);
      return;
    }
    if (line.empty()) {
      report_.add(number_, 0, "fields", "an empty line");
      return;
    }
    const Record r = split(line);
    if (r.count != kShortRecord && r.count != kLongRecord) {
      report_.add(number_, 0, "fields", std::to_string(r.count) + " fields; a record has 15 or 16");
      check_bytes(line, 0);
      return;
    }
    for (int i = 0; i < r.count; ++i) check_field(r, i + 1);
  }

 private:
  const Field& field(const Record& r, int n) const { return r.fields[n - 1]; }

  std::size_t column(std::string_view part, std::size_t i) const {
    return static_cast<std::size_t>(part.data() - line_.data()) + i + 1;
  }

  // The code page, UTF-8 and control bytes of one field (0: of the line); one finding of each
  // kind is enough to reject it.
  void check_bytes(std::string_view s, int field) {
    const ByteSet& valid = kValidHigh[static_cast<std::size_t>(options_.code_page)];
    bool utf8 = false, page = false, control = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
      const auto b = static_cast<uint8_t>(s[i]);
      if (b < 0x80) {
        if (is_control(b) && !control) control = bad_control(b, column(s, i), field);
        continue;
      }
      if (const std::size_t n = utf8_sequence(s, i); n > 0) {
        if (!utf8) utf8 = bad_utf8(column(s, i), field);
        i += n - 1;
        continue;
      }
      if (!valid[b] && !page) page = bad_byte(b, column(s, i), field);
    }
  }

  bool bad_control(uint8_t b, std::size_t col, int field) {
    if (b == '\r') {
      report_.add(number_, field, "line-end", "a CR without LF at column " + std::to_string(col));
    } else {
      report_.add(number_, field, "control",
                  "control byte " + hex(b) + " at column " + std::to_string(col));
    }
    return true;
  }

  bool bad_utf8(std::size_t col, int field) {
    report_.add(number_, field, "utf8",
                std::string("UTF-8 text at column ") + std::to_string(col) + "; expected " +
                    page_name(options_.code_page));
    return true;
  }

  bool bad_byte(uint8_t b, std::size_t col, int field) {
    report_.add(number_, field, "code-page",
                "byte " + hex(b) + " at column " + std::to_string(col) + " is not a letter of " +
                    page_name(options_.code_page) + letter_hint(b, options_.code_page));
    return true;
  }

  void check_field(const Record& r, int n) {
    const Field& f = field(r, n);
    check_bytes(f.text, n);
    if (!check_quoting(f, n)) return;
    switch (n) {
      case 1:
        return expect_digits(f.text, 3, n, "the order type");
      case 2:
        return check_date(f.text);
      case 3:
        return check_amount(f.text);
      case 4:
        return check_sort_code(f.text, field(r, 6).text, n);
      case 5:
      case 10:
        return expect_zero(f.text, n);
      case 6:
      case 7:
        return check_account(f.text, n);
      case 8:
      case 9:
      case 12:
        check_text_lines(f.text, n);
        break;
      case 11:
        return check_sort_code(f.text, field(r, 7).text, n);
      case 15:
        return expect_digits(f.text, 2, n, "the classification");
      default:
        break;
    }
    check_characters(f.text, n);
  }

  static bool is_numeric(int n) { return n <= 5 || n == 10 || n == 11; }

  // False when the field's text cannot be told from the rest of the line.
  bool check_quoting(const Field& f, int n) {
    if (f.quoted && !f.closed) {
      report_.add(number_, n, "quote", "the quote is never closed");
      return false;
    }
    if (f.inner_quote) report_.add(number_, n, "quote", "a '\"' inside the text");
    if (is_numeric(n) && f.quoted) report_.add(number_, n, "quote", "a numeric field in quotes");
    if (!is_numeric(n) && !f.quoted)
      report_.add(number_, n, "quote", "a text field without quotes");
    return true;
  }

  void expect_digits(std::string_view s, std::size_t width, int n, const char* what) {
    if (s.size() == width && all_digits(s)) return;
    report_.add(number_, n, "number",
                std::string(what) + " must be " + std::to_string(width) + " digits");
  }

  void expect_zero(std::string_view s, int n) {
    if (s == "0") return;
    report_.add(number_, n, "number", "the field must be 0");
  }

  void check_date(std::string_view s) {
    if (s.size() == 8 && all_digits(s)) {
      const auto y = static_cast<int>(digits_value(s.substr(0, 4)));
      const auto m = static_cast<int>(digits_value(s.substr(4, 2)));
      const auto d = static_cast<int>(digits_value(s.substr(6, 2)));
      if (y >= 1900 && m >= 1 && m <= 12 && d >= 1 && d <= date::days_in_month(m, y)) return;
    }
    report_.add(number_, 2, "date", "the execution date must be a day written YYYYMMDD");
  }

  void check_amount(std::string_view s) {
    const char* why = nullptr;
    if (s.find_first_of(".,") != std::string_view::npos) {
      why = "a decimal separator; the amount is in grosze (1500.00 PLN is 150000)";
    } else if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
      why = "a sign; the amount must be positive grosze";
    } else if (s.empty() || !all_digits(s)) {
      why = "the amount must be digits (grosze)";
    } else if (s.find_first_not_of('0') == std::string_view::npos) {
      why = "the amount must be above 0";
    } else if (s.size() > kAmountDigits) {
      why = "the amount has more than 15 digits";
    }
    if (why) report_.add(number_, 3, "amount", why);
  }

  void check_account(std::string_view s, int n) {
    if (s.size() != kAccountDigits || !all_digits(s)) {
      report_.add(number_, n, "nrb", "the account must be 26 digits, without blanks or PL");
      return;
    }
    auto block = [&](std::size_t at) { return digits_value(s.substr(at, 8)); };
    const int expected = calc::iban_check_value(block(2), block(10), block(18));
    if (expected == static_cast<int>(digits_value(s.substr(0, 2)))) return;
    report_.add(number_, n, "nrb",
                "the check digits are " + std::string(s.substr(0, 2)) + "; the number gives " +
                    (expected < 10 ? "0" : "") + std::to_string(expected));
  }

  void check_sort_code(std::string_view s, std::string_view account, int n) {
    if (s.size() != kSortCodeDigits || !all_digits(s)) {
      report_.add(number_, n, "sort-code", "the bank's sort code must be 8 digits");
      return;
    }
    if (account.size() != kAccountDigits || !all_digits(account)) return;
    if (account.substr(2, kSortCodeDigits) == s) return;
    report_.add(number_, n, "sort-code",
                "the sort code is not digits 3-10 of the account in field " +
                    std::to_string(n == 4 ? 6 : 7) + " (" +
                    std::string(account.substr(2, kSortCodeDigits)) + ")");
  }

  void check_text_lines(std::string_view s, int n) {
    std::size_t lines = 0;
    bool long_reported = false;
    for (std::size_t at = 0;; ++lines) {
      const std::size_t bar = std::min(s.find('|', at), s.size());
      if (bar - at > kTextLineWidth && !long_reported) {
        report_.add(number_, n, "text-length",
                    "line " + std::to_string(lines + 1) + " of the text has " +
                        std::to_string(bar - at) + " characters; at most 35");
        long_reported = true;
      }
      if (bar == s.size()) break;
      at = bar + 1;
    }
    if (lines + 1 > kTextLines) {
      report_.add(number_, n, "text-lines",
                  std::to_string(lines + 1) + " lines of text; at most 4 joined by '|'");
    }
  }

  void check_characters(std::string_view s, int n) {
    for (std::size_t i = 0; i < s.size(); ++i) {
      const auto b = static_cast<uint8_t>(s[i]);
      if (kTextBytes[b] || is_control(b)) continue;
      report_.add(number_, n, "character",
                  std::string("'") + s[i] + "' at column " + std::to_string(column(s, i)) +
                      "; a text holds letters, digits, blanks and ( ) - , . ? /");
      return;
    }
  }

  const CheckOptions& options_;
  Report& report_;
  std::size_t number_ = 0;
  std::string_view line_;
};

// A byte-order mark: its length, and which one.
std::size_t byte_order_mark(std::string_view bytes, const char*& which) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    which = "a UTF-8 byte-order mark opens the file";
    return 3;
  }
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    which = "a UTF-16 byte-order mark opens the file";
    return 2;
  }
  return 0;
}

}  // namespace

CheckResult check_payment_file(std::string_view bytes, const CheckOptions& options) {
  CheckResult result;
  Report report(result, options.max_findings);
  const char* bom = nullptr;
  if (const std::size_t n = byte_order_mark(bytes, bom); n > 0) {
    report.add(0, 0, "bom", bom);
    bytes.remove_prefix(n);
  }
  if (bytes.empty()) {
    report.add(0, 0, "empty", "the file holds no record");
    return result;
  }
  LineChecker checker(options, report);
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t lf = bytes.find('\n', at);
    const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
    std::string_view line = bytes.substr(at, end - at);
    const std::size_t number = ++result.lines;
    if (lf == std::string_view::npos) {
      if (line.ends_with('\r')) line.remove_suffix(1);  // one finding for one missing LF
      report.add(number, 0, "line-end", "the last line has no CR LF");
    } else if (line.ends_with('\r')) {
      line.remove_suffix(1);
    } else {
      report.add(number, 0, "line-end", "the line ends with LF alone; records end with CR LF");
    }
    if (options.max_records > 0 && number == options.max_records + 1) {
      report.add(number, 0, "records",
                 "more than " + std::to_string(options.max_records) + " records");
    }
    checker.check(number, line);
    at = end + 1;
  }
  return result;
}

std::optional<CheckOptions> check_options_of_scheme(int64_t scheme_id) {
  const std::string id = std::to_string(scheme_id);
  const std::string where = " where id_mc_def_nag=" + id;
  if (frame::FUNCSQL("select count(*) from MC_DEF_NAG" + where, 1) != "1") return std::nullopt;
  CheckOptions options;
  const std::string page =
      text::upper(text::clip(frame::FUNCSQL("select strona_kodowa from MC_DEF_NAG" + where, 1)));
  options.code_page = page == "LATIN"     ? CodePage::Latin
                      : page == "MAZOVIA" ? CodePage::Mazovia
                      : page == "BEZ PL"  ? CodePage::NoPolish
                                          : CodePage::Windows;
  const std::string commas =
      frame::FUNCSQL("select count(*) from MC_DEF_POZ" + where + " and separator=','", 1);
  const std::string breaks = frame::FUNCSQL(
      "select count(*) from MC_DEF_POZ" + where + " and (rtrim(typ)<>'' or koniec_linii=1)", 1);
  options.elixir = text::long_of(commas) >= kShortRecord - 1 && breaks == "0";
  return options;
}

std::string report_text(const CheckResult& result) {
  std::string out;
  for (const Finding& f : result.findings) {
    out += f.line == 0 ? std::string("file") : "line " + std::to_string(f.line);
    if (f.field > 0) out += ", field " + std::to_string(f.field);
    out += ": " + f.rule + ": " + f.message + "\n";
  }
  out += (result.total == 0 ? std::string("no") : std::to_string(result.total)) +
         (result.total == 1 ? " finding in " : " findings in ") + std::to_string(result.lines) +
         (result.lines == 1 ? " line" : " lines");
  if (result.total > result.findings.size())
    out += " (the first " + std::to_string(result.findings.size()) + " listed)";
  return out + "\n";
}

std::string report_json(const CheckResult& result) {
  std::string out = "{\"lines\": " + std::to_string(result.lines) +
                    ", \"total\": " + std::to_string(result.total) + ", \"findings\": [";
  for (std::size_t i = 0; i < result.findings.size(); ++i) {
    const Finding& f = result.findings[i];
    out += (i ? ", " : "") + std::string("{\"line\": ") + std::to_string(f.line) +
           ", \"field\": " + std::to_string(f.field) + ", \"rule\": " + text::json_quote(f.rule) +
           ", \"message\": " + text::json_quote(f.message) + "}";
  }
  return out + "]}\n";
}

std::string CHECK_PAYMENT_FILE(std::string_view file, std::optional<int32_t> scheme, bool json,
                               int32_t& findings) {
  findings = -1;
  auto refused = [&](const std::string& why) {
    return json ? "{\"error\": " + text::json_quote(why) + "}\n" : why + "\n";
  };
  CheckOptions options;
  if (scheme) {
    auto of_scheme = check_options_of_scheme(*scheme);
    if (!of_scheme) {
      return refused("the payment-file scheme " + std::to_string(*scheme) +
                     " does not exist or cannot be read");
    }
    options = *of_scheme;
  }
  const auto bytes = files::read_all(std::string(text::clip(file)));
  if (!bytes) return refused("cannot read the file " + std::string(file));
  const CheckResult result = check_payment_file(*bytes, options);
  findings = static_cast<int32_t>(std::min<std::size_t>(result.total, INT32_MAX));
  return json ? report_json(result) : report_text(result);
}

}  // namespace orv::payments
