// orvrun check-payments: a payment file read as a bank import reads it, through CHECK_PAYMENT_FILE.
#include <cstdio>
#include <optional>
#include <string>

#include "commands.hpp"
#include "host.hpp"
#include "orvrun.h"
#include "orvrun_host.h"

namespace orv::cli {
namespace {

constexpr const char* kUsage = "give FILE [--scheme ID] [--json]";

struct CheckArgs {
  std::string file;
  std::optional<int32_t> scheme;
  bool json = false;
};

// Options may stand before or after FILE; nullopt with `error` set when the words do not fit.
std::optional<CheckArgs> read_args(const Words& words, std::string& error) {
  CheckArgs args;
  bool have_file = false;
  for (std::size_t i = 0; i < words.size();) {
    if (take_host_option(words, i, error)) continue;
    if (!error.empty()) return std::nullopt;
    const std::string& w = words[i];
    double id = 0;
    if (w == "--json") {
      args.json = true;
      ++i;
    } else if (w == "--scheme" && i + 1 < words.size() &&
               ORVRUN_READ_NUMBER(words[i + 1].c_str(), ORVRUN_TYPE_LONG, &id)) {
      args.scheme = static_cast<int32_t>(id);
      i += 2;
    } else if (is_option(w) || have_file) {
      error = w == "--scheme" ? "--scheme needs a scheme id" : kUsage;
      return std::nullopt;
    } else {
      args.file = w;
      have_file = true;
      ++i;
    }
  }
  if (!have_file) error = kUsage;
  return have_file ? std::optional(args) : std::nullopt;
}

}  // namespace

int cmd_check(const Words& words) {
  std::string error;
  auto args = read_args(words, error);
  if (!args) return usage_error("check-payments: " + error);
  auto file = cp1250_of(args->file, "the file name", error);
  if (!file) return usage_error("check-payments: " + error);
  bool opened = false;
  if (args->scheme && !open_database(/*required=*/true, opened, error)) {
    return usage_error("check-payments: " + error);
  }
  int32_t findings = -1;
  const int32_t* scheme = args->scheme ? &*args->scheme : nullptr;
  std::string report =
      utf8_of(CHECK_PAYMENT_FILE(file->c_str(), args->json ? 1 : 0, &findings, scheme));
  if (opened) ORVRUN_CLOSE();
  // A file that cannot be checked is a usage error; JSON readers still get the object.
  if (findings < 0 && !args->json) {
    return usage_error("check-payments: " + report.substr(0, report.find('\n')));
  }
  std::fputs(report.c_str(), stdout);
  if (findings < 0) return kExitUsage;
  return findings > 0 ? kExitFailed : kExitOk;
}

}  // namespace orv::cli
