// orvrun windows: every window of the library with its controls, for writing scripts.
#include <cstdio>
#include <string>

#include "commands.hpp"
#include "json.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"

namespace orv::cli {
namespace {

std::string shown_text(const ui::Control& c) {
  return text::to_utf8(c.caption.empty() ? c.prompt : c.caption);
}

void print_plain(const ui::WindowDefinition& d) {
  ui::Window w = d.build();
  std::printf("%s  \"%s\"  (INI section %s)\n", d.procedure.c_str(), text::to_utf8(w.title).c_str(),
              d.name.c_str());
  for (const auto& c : w.controls()) {
    std::printf("  %4d  %-18s %-9s %s%s%s\n", c.number, c.id.c_str(), ui::kind_name(c.kind),
                shown_text(c).empty() ? "" : ("\"" + shown_text(c) + "\"").c_str(),
                c.key.empty() ? "" : ("  key " + c.key).c_str(), c.hidden ? "  (hidden)" : "");
  }
  for (const auto& k : w.alert_keys) std::printf("  alert key %s\n", k.c_str());
  if (w.timer > 0) std::printf("  timer every %d hundredths\n", w.timer);
}

std::string json_window(const ui::WindowDefinition& d) {
  ui::Window w = d.build();
  std::string out = "{\"procedure\": " + json_string(d.procedure) +
                    ", \"name\": " + json_string(d.name) +
                    ", \"title\": " + json_string(text::to_utf8(w.title)) + ", \"controls\": [";
  bool first = true;
  for (const auto& c : w.controls()) {
    out += std::string(first ? "" : ", ") + "{\"number\": " + std::to_string(c.number) +
           ", \"id\": " + json_string(c.id) + ", \"kind\": \"" + ui::kind_name(c.kind) +
           "\", \"text\": " + json_string(shown_text(c)) + ", \"key\": " + json_string(c.key) +
           ", \"hidden\": " + (c.hidden ? "true" : "false") + "}";
    first = false;
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
  auto all = ui::window_definitions();
  if (!only.empty()) {
    const ui::WindowDefinition* d = ui::find_window_definition(only);
    if (!d) return usage_error("windows: no window \"" + only + "\"; see orvrun windows");
    all = {*d};
  }
  std::string out = "[";
  for (const auto& d : all) {
    if (!json) {
      print_plain(d);
      continue;
    }
    out += (out.size() > 1 ? ", " : "") + json_window(d);
  }
  if (json) std::printf("%s]\n", out.c_str());
  return 0;
}

}  // namespace orv::cli
