// Every procedure of the unit against hostile texts: nothing crashes, results stay within limits.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "support/support.hpp"

namespace orv {
namespace {

std::vector<std::pair<std::string, std::string>> hostile_texts() {
  std::mt19937 rng(2024);
  std::string high, random, mixed;
  for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
  for (int i = 0; i < 4000; ++i) random += static_cast<char>(1 + rng() % 255);
  const std::string pieces[] = {"\r\n", " ", "'", "@@##@@$$", "1234", "Ą"_w1250, "\n", ";", "x"};
  while (mixed.size() < 10000) mixed += pieces[rng() % std::size(pieces)];
  return {{"Empty", ""},       {"Blanks", std::string(300, ' ')},
          {"Long", mixed},     {"Digits", std::string(10000, '7')},
          {"HighBytes", high}, {"RandomBytes", random}};
}

// A text procedure's result with its limit: the result must be at most `limit(input)` long.
struct TextProcedure {
  const char* name;
  std::function<char*(const char*)> call;
  std::function<bool(const std::string& in, const std::string& out)> holds;
};

bool only_digits(const std::string& s) {
  return s.find_first_not_of("0123456789") == std::string::npos;
}

const TextProcedure kProcedures[] = {
    {"TYLKOZNAKINUMERYCZNE", ::TYLKOZNAKINUMERYCZNE,
     [](auto&, auto& o) { return o.size() <= 49 && only_digits(o); }},
    {"IBAN_OBLICZSUMEKONTROLNA", ::IBAN_OBLICZSUMEKONTROLNA,
     [](auto&, auto& o) { return o.size() == 2 && only_digits(o) && o >= "02" && o <= "98"; }},
    {"IBAN_KONWERSJA", ::IBAN_KONWERSJA,
     [](auto&, auto& o) { return o.empty() || o.size() == 50; }},
    {"MAZOVIATOWINDOWS", ::MAZOVIATOWINDOWS, [](auto&, auto& o) { return o.size() <= 199; }},
    {"WINDOWSTOMAZOVIA", ::WINDOWSTOMAZOVIA, [](auto&, auto& o) { return o.size() <= 199; }},
    {"TEKSTZPOLNAANG", ::TEKSTZPOLNAANG,
     [](auto&, auto& o) {
       return o.size() <= 999 &&
              o.find_first_not_of(
                  "0123456789_ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") ==
                  std::string::npos;
     }},
    {"BEZPL", ::BEZPL, [](auto&, auto& o) { return o.size() <= 500; }},
    {"REPLACEALLSPACE", ::REPLACEALLSPACE,
     [](auto&, auto& o) { return o.size() <= 999 && o.find("  ") == std::string::npos; }},
    {"WYTNIJZNAKIZOPISU", ::WYTNIJZNAKIZOPISU,
     [](auto& i, auto& o) {
       return o.size() == i.size() && o.find_first_of("\r\n") == std::string::npos;
     }},
    {"WALIDUJNAZWEPLIKU", ::WALIDUJNAZWEPLIKU,
     [](auto&, auto& o) {
       return o.size() <= 999 && o.find_first_of("|/\\<>*?.:\"") == std::string::npos;
     }},
    {"NIPUE", [](const char* t) { return ::NIPUE(t, t, nullptr); },
     [](auto&, auto& o) { return o.size() <= 20; }},
    {"SPLITSTRING", [](const char* t) { return ::SPLITSTRING(t, 3, t); },
     [](auto& i, auto& o) { return o.size() <= i.size(); }},
    {"REPLACEPROC2", [](const char* t) { return ::REPLACEPROC2(t, "\n", t); },
     [](auto&, auto& o) { return o.size() <= 49999; }},
    {"REPLACEPROC", [](const char* t) { return ::REPLACEPROC(t, " ", t); },
     [](auto& i, auto& o) { return o.size() <= 2 * i.size(); }},
    {"PODAJADRES", [](const char* t) { return ::PODAJADRES(t, t, t); },
     [](auto&, auto& o) { return o.size() <= 99; }},
};

TEST(BadInput, TextProceduresStayWithinTheirLimits) {
  test::ScopedUi ui;
  for (const auto& [label, input] : hostile_texts()) {
    for (const TextProcedure& p : kProcedures) {
      char* r = p.call(input.c_str());
      ASSERT_NE(r, nullptr) << p.name << " " << label;
      EXPECT_TRUE(p.holds(input, r)) << p.name << " " << label << ": " << text::to_utf8(r);
      ORVRUN_FREE(r);
    }
  }
}

TEST(BadInput, PredicatesAnswerZeroOrOne) {
  test::ScopedUi ui;
  for (const auto& [label, input] : hostile_texts()) {
    for (auto* f : {::NIPOK, ::PESELOK, ::REGONOK, ::IBAN_CZYPOPRAWNY}) {
      EXPECT_LE(f(input.c_str()), 1) << label;
    }
    char line[501];
    ORVRUN_TEXT ref{line, sizeof line};
    for (int32_t n : {INT32_MIN, -1, 0, 1, 2, 1000, INT32_MAX}) {
      EXPECT_LE(::POBIERZLINIE(input.c_str(), &ref, n), 1) << label;
    }
  }
}

TEST(BadInput, WrappingAlwaysEnds) {
  for (const auto& [label, input] : hostile_texts()) {
    for (int32_t width : {INT32_MIN, 0, 1, 100, INT32_MAX}) {
      int32_t pos = 1, steps = 0;
      while (pos != 0 && steps++ < 20000) {
        char* r = ::PODZIELLINIE(input.c_str(), &pos, width);
        ASSERT_LE(std::strlen(r), 100u);
        ORVRUN_FREE(r);
        if (pos != 0) ++pos;
      }
      EXPECT_EQ(pos, 0) << label << " width " << width;
    }
    int32_t far = INT32_MAX;
    ORVRUN_FREE(::PODZIELLINIE(input.c_str(), &far, INT32_MAX));
    EXPECT_EQ(far, 0);
  }
}

TEST(BadInput, InPlaceReplacementNeverPassesTheBuffer) {
  for (const auto& [label, input] : hostile_texts()) {
    std::vector<char> buf(input.size() + 1 + 16, '\x55');
    std::copy(input.begin(), input.end(), buf.begin());
    buf[input.size()] = '\0';
    const std::size_t size = input.size() + 1;  // the last 16 bytes are a fence
    ORVRUN_TEXT t{buf.data(), size};
    char find[] = " ", repl[] = "[blank]";
    ORVRUN_TEXT f{find, sizeof find}, r{repl, sizeof repl};
    ::REPLACETEXT(&t, &f, &r, nullptr);
    for (std::size_t i = size; i < buf.size(); ++i) ASSERT_EQ(buf[i], '\x55') << label;
  }
}

}  // namespace
}  // namespace orv
