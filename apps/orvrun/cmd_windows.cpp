// orvrun windows: every window of the library with its controls, for writing scripts.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "commands.hpp"
#include "host.hpp"
#include "json.hpp"
#include "orvrun_host.h"

namespace orv::cli {
namespace {

std::string field(int32_t window, int32_t control, const char* name) {
  return utf8_of(ORVRUN_WINDOW_DEF_GET(window, control, name));
}

int number_of(int32_t window, const char* name) {
  return std::atoi(field(window, -1, name).c_str());
}

void print_plain(int32_t w) {
  std::printf("%s  \"%s\"  (INI section %s)\n", field(w, -1, "procedure").c_str(),
              field(w, -1, "title").c_str(), field(w, -1, "name").c_str());
  for (int k = 0, n = number_of(w, "controls"); k < n; ++k) {
    std::string text = field(w, k, "text");
    std::string key = field(w, k, "key");
    std::string range = field(w, k, "range");
    std::printf(
        "  %4s  %-18s %-9s %s%s%s%s\n", field(w, k, "number").c_str(), field(w, k, "id").c_str(),
        field(w, k, "kind").c_str(), text.empty() ? "" : ("\"" + text + "\"").c_str(),
        key.empty() ? "" : ("  key " + key).c_str(), range.empty() ? "" : ("  " + range).c_str(),
        field(w, k, "hidden") == "1" ? "  (hidden)" : "");
  }
  for (int k = 0, n = number_of(w, "alert_keys"); k < n; ++k) {
    std::printf("  alert key %s\n", field(w, -1, ("alert:" + std::to_string(k)).c_str()).c_str());
  }
  if (int timer = number_of(w, "timer"); timer > 0) {
    std::printf("  timer every %d hundredths\n", timer);
  }
}

std::string json_window(int32_t w) {
  std::string out = "{\"procedure\": " + json_string(field(w, -1, "procedure")) +
                    ", \"name\": " + json_string(field(w, -1, "name")) +
                    ", \"title\": " + json_string(field(w, -1, "title")) + ", \"controls\": [";
  for (int k = 0, n = number_of(w, "controls"); k < n; ++k) {
    out +=
        std::string(k ? ", " : "") + "{\"number\": " + field(w, k, "number") +
        ", \"id\": " + json_string(field(w, k, "id")) + ", \"kind\": \"" + field(w, k, "kind") +
        "\", \"text\": " + json_string(field(w, k, "text")) +
        ", \"key\": " + json_string(field(w, k, "key")) +
        (field(w, k, "range").empty() ? "" : ", \"range\": " + json_string(field(w, k, "range"))) +
        ", \"hidden\": " + (field(w, k, "hidden") == "1" ? "true" : "false") + "}";
  }
  return out + "]}";
}

}  // namespace

int cmd_windows(const Words& words) {
  bool json = false;
  std::string only;
  for (const auto& w : words) {
    if (w == "--json") {
      json = true;
    } else if (only.empty() && !w.starts_with("--")) {
      only = w;
    } else {
      return usage_error("windows: unexpected \"" + w + "\"");
    }
  }
  int32_t first = 0;
  int32_t last = ORVRUN_WINDOW_DEF_COUNT();
  if (!only.empty()) {
    first = ORVRUN_WINDOW_DEF_FIND(only.c_str());
    if (first < 0) return usage_error("windows: no window \"" + only + "\"; see orvrun windows");
    last = first + 1;
  }
  std::string out = "[";
  for (int32_t w = first; w < last; ++w) {
    if (!json) {
      print_plain(w);
      continue;
    }
    out += (out.size() > 1 ? ", " : "") + json_window(w);
  }
  if (json) std::printf("%s]\n", out.c_str());
  return kExitOk;
}

}  // namespace orv::cli
