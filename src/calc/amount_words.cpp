// Amounts in words: digits from the display pictures, words group by group, declined by the
// group's own last digits.
#include "calc/amount_words.hpp"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

// Literals are split after a hex escape that a letter would otherwise continue.
// NOLINTBEGIN(bugprone-suspicious-missing-comma)
constexpr std::string_view kUnits[] = {"",       "jeden",         "dwa",         "trzy",
                                       "cztery", "pięć"_w1250,    "sześć"_w1250, "siedem",
                                       "osiem",  "dziewięć"_w1250};
constexpr std::string_view kTeens[] = {
    "dziesięć"_w1250,    "jedenaście"_w1250,    "dwanaście"_w1250,  "trzynaście"_w1250,
    "czternaście"_w1250, "piętnaście"_w1250,    "szesnaście"_w1250, "siedemnaście"_w1250,
    "osiemnaście"_w1250, "dziewiętnaście"_w1250};
constexpr std::string_view kTens[] = {"",
                                      "",
                                      "dwadzieścia"_w1250,
                                      "trzydzieści"_w1250,
                                      "czterdzieści"_w1250,
                                      "pięćdziesiąt"_w1250,
                                      "sześćdziesiąt"_w1250,
                                      "siedemdziesiąt"_w1250,
                                      "osiemdziesiąt"_w1250,
                                      "dziewięćdziesiąt"_w1250};
constexpr std::string_view kHundreds[] = {"",
                                          "sto",
                                          "dwieście"_w1250,
                                          "trzysta",
                                          "czterysta",
                                          "pięćset"_w1250,
                                          "sześćset"_w1250,
                                          "siedemset",
                                          "osiemset",
                                          "dziewięćset"_w1250};
// Billions, millions, thousands, currency units, hundredths; forms 1, 2 and 3.
constexpr std::string_view kGroups[5][3] = {{"miliard", "miliardy", "miliardów"_w1250},
                                            {"milion", "miliony", "milionów"_w1250},
                                            {"tysiąc"_w1250, "tysiące"_w1250, "tysięcy"_w1250},
                                            {"złoty"_w1250, "złote"_w1250, "złotych"_w1250},
                                            {"grosz", "grosze", "groszy"}};
// NOLINTEND(bugprone-suspicious-missing-comma)
constexpr std::string_view kSyllables[] = {"zer*", "jed*", "dwa*", "trz*", "czt*",
                                           "pie*", "sze*", "sie*", "osi*", "dzi*"};
constexpr std::string_view kZero = "zero złotych zero groszy"_w1250;

// The working text: `len` characters so far, never ending in a blank.
struct Working {
  char* text;
  std::size_t len = 0;

  void append(std::string_view word) {
    if (len + 1 + word.size() > kWordsWidth) return;  // the longest amount uses under 300
    text[len++] = ' ';
    std::memcpy(text + len, word.data(), word.size());
    len += word.size();
  }
  void finish() { std::memset(text + len, ' ', kWordsWidth - len); }
};

int digit(char c) {
  return text::is_digit(c) ? c - '0' : 0;
}

// One group of three characters; any that is not a digit counts as 0.
void write_group(Working& w, const char* g, std::size_t group, bool& seen) {
  const int h = digit(g[0]), t = digit(g[1]), u = digit(g[2]);
  const bool nonzero = h || t || u;
  seen = seen || nonzero;
  int form = 3;
  if (h > 0) w.append(kHundreds[h]);
  if (t == 1) {
    w.append(kTeens[u]);
  } else {
    if (t > 1) w.append(kTens[t]);
    if (u > 0) {
      form = u == 1 && h == 0 && t == 0 ? 1 : u >= 2 && u <= 4 ? 2 : 3;
      w.append(kUnits[u]);
    }
  }
  // Whole thousands still end in the currency word; a zero hundredths group adds nothing.
  if (nonzero || (group == 3 && seen)) w.append(kGroups[group][form - 1]);
}

bool polish_currency(std::string_view currency) {
  std::string_view c = text::clip(currency);
  return c.empty() || c == "zł"_w1250 || c == "PLN";
}

// The first of `finds` that occurs (tried in order) is replaced at its first occurrence by
// `a` followed by `b`, in place. A long replacement pushes the rest out of the working text: it is
// cut there, never spilled; a short one leaves blanks at the end.
void replace_first_of(char* text, std::initializer_list<std::string_view> finds, std::string_view a,
                      std::string_view b = {}) {
  const std::string_view all(text, kWordsWidth);
  for (std::string_view f : finds) {
    const std::size_t at = all.find(f);
    if (at == std::string_view::npos) continue;
    const std::size_t from = at + f.size();
    const std::size_t to = at + a.size() + b.size();
    if (to < kWordsWidth) {
      const std::size_t keep = std::min(kWordsWidth - from, kWordsWidth - to);
      std::memmove(text + to, text + from, keep);
      std::memset(text + to + keep, ' ', kWordsWidth - to - keep);
    }
    const std::size_t na = std::min(a.size(), kWordsWidth - at);
    std::copy_n(a.data(), na, text + at);  // copy_n, not memcpy: an empty view may be null
    std::copy_n(b.data(), std::min(b.size(), kWordsWidth - at - na), text + at + na);
    return;
  }
}

void use_currency(std::string_view currency, char* out) {
  replace_first_of(out, {"grosze", "groszy", "grosz"}, currency, "/100");
  replace_first_of(out, {"złotych"_w1250, "złoty"_w1250, "złote"_w1250}, currency);
}

}  // namespace

void write_slownie(double amount, std::string_view currency, char* out) {
  static const picture::Picture kFull = picture::parse("N015.2");
  char digits[16];
  picture::format_number(amount, kFull, digits);
  Working w{out};
  // Twelve integer digits are all the picture holds: a larger amount shows overflow, and words
  // read from it would name a wrong amount, so the text stays blank.
  if (digits[0] == '#') return w.finish();
  if (amount < 0.0) {
    constexpr std::string_view kMinus = "minus";
    std::copy_n(kMinus.data(), kMinus.size(), out);
    w.len = kMinus.size();
  }
  bool seen = false;
  for (std::size_t group = 0; group < 5; ++group) write_group(w, &digits[3 * group], group, seen);
  if (w.len == 0 && amount == 0.0) {
    std::copy_n(kZero.data(), kZero.size(), out);
    w.len = kZero.size();
  }
  w.finish();
  if (!polish_currency(currency)) use_currency(currency, out);
}

void write_slowniekrotko(double amount, char* out) {
  static const picture::Picture kShort = picture::parse("N_15`2");
  char formatted[20];
  std::size_t n = picture::format_number(amount, kShort, formatted);
  Working w{out};
  std::size_t len = text::clip(std::string_view(formatted, n)).size();
  if (len < 4 || formatted[0] == '#') return w.finish();
  for (std::size_t i = 0; i + 3 < len; ++i) {
    if (formatted[i] != ' ') w.append(kSyllables[digit(formatted[i])]);
  }
  char cents[7] = {formatted[len - 2], formatted[len - 1], '/', '1', '0', '0', 0};
  w.append(cents);
  w.finish();
}

std::string SLOWNIE(double amount, std::string_view currency) {
  std::string out(kWordsWidth, ' ');
  write_slownie(amount, currency, out.data());
  return out;
}

std::string SLOWNIEKROTKO(double amount) {
  std::string out(kWordsWidth, ' ');
  write_slowniekrotko(amount, out.data());
  return out;
}

}  // namespace orv::calc
