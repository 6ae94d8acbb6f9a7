// C entry points for amounts in words.
#include <cstdlib>

#include "calc/amount_words.hpp"
#include "table.hpp"

using orv::exports::in;

namespace {

// The working text goes straight into the caller's allocation: one allocation per call.
template <class Write>
char* give_words(Write write) {
  auto* out = static_cast<char*>(std::malloc(orv::calc::kWordsWidth + 1));
  if (!out) return nullptr;
  write(out);
  out[orv::calc::kWordsWidth] = '\0';
  return out;
}

}  // namespace

extern "C" {

char* SLOWNIE(double amount, const char* currency) {
  return give_words([&](char* out) { orv::calc::write_slownie(amount, in(currency), out); });
}

char* SLOWNIEKROTKO(double amount) {
  return give_words([&](char* out) { orv::calc::write_slowniekrotko(amount, out); });
}

}  // extern "C"

ORV_EXPORT(SLOWNIE, "an amount in Polish words, optionally with a foreign currency", "amount",
           "currency?");
ORV_EXPORT(SLOWNIEKROTKO, "an amount as digit syllables and hundredths", "amount");
