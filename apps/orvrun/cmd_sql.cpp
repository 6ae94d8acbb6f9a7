// orvrun sql: one statement through a channel's own operations; its result sets as TSV or JSON.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "commands.hpp"
#include "host.hpp"
#include "json.hpp"
#include "orvrun_host.h"

namespace orv::cli {
namespace {

// The statement's outcome, in UTF-8.
struct Outcome {
  std::vector<std::vector<std::optional<std::string>>> rows;  // nullopt: SQL NULL
  std::vector<std::size_t> sets;  // the first row of each result set after the first
  int code = 0;
  std::string message;
  int cut = 0;
};

Outcome last_outcome() {
  Outcome out;
  out.code = ORVRUN_SQL_ERRORCODE();
  out.message = utf8_of(ORVRUN_SQL_ERROR());
  out.cut = ORVRUN_SQL_CUT();
  for (int32_t r = 0, n = ORVRUN_SQL_ROWS(); r < n; ++r) {
    std::vector<std::optional<std::string>> row;
    for (int32_t k = 0, m = ORVRUN_SQL_COLUMNS(r); k < m; ++k) {
      std::string field = utf8_of(ORVRUN_SQL_FIELD(r, k));
      row.push_back(ORVRUN_SQL_IS_NULL(r, k) ? std::nullopt : std::optional(field));
    }
    out.rows.push_back(std::move(row));
  }
  for (int32_t k = 0, n = ORVRUN_SQL_MORE_SETS(); k < n; ++k)
    out.sets.push_back(static_cast<std::size_t>(ORVRUN_SQL_SET_START(k)));
  return out;
}

// TSV: fields joined by tabs; a backslash, tab, line feed or carriage return inside a field is
// written as \\, \t, \n, \r so that every row stays one line; NULL is \N, which no text gives.
std::string tsv_field(const std::optional<std::string>& utf8) {
  if (!utf8) return "\\N";
  std::string out;
  for (char c : *utf8) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void print_tsv(const Outcome& out) {
  for (const auto& row : out.rows) {
    std::string line;
    for (std::size_t k = 0; k < row.size(); ++k) {
      if (k) line += '\t';
      line += tsv_field(row[k]);
    }
    std::printf("%s\n", line.c_str());
  }
  if (out.code != 0) {
    std::fprintf(stderr, "orvrun: sql: error %d: %s\n", out.code, out.message.c_str());
  }
}

std::string json_rows(const Outcome& out, std::size_t begin, std::size_t end) {
  std::string s = "[";
  for (std::size_t r = begin; r < end; ++r) {
    s += r > begin ? ", [" : "[";
    for (std::size_t k = 0; k < out.rows[r].size(); ++k) {
      if (k) s += ", ";
      s += out.rows[r][k] ? json_string(*out.rows[r][k]) : "null";
    }
    s += "]";
  }
  return s + "]";
}

// "rows": the first result set (the one the channel reads); "more": the batch's others.
void print_json(const Outcome& out) {
  std::vector<std::size_t> bounds{0};
  bounds.insert(bounds.end(), out.sets.begin(), out.sets.end());
  bounds.push_back(out.rows.size());
  std::string s = "{\"rows\": " + json_rows(out, bounds[0], bounds[1]) + ", \"more\": [";
  for (std::size_t k = 1; k + 1 < bounds.size(); ++k)
    s += (k > 1 ? ", " : "") + json_rows(out, bounds[k], bounds[k + 1]);
  s += "], \"error\": ";
  s += out.code == 0 ? std::string("null")
                     : "{\"code\": " + std::to_string(out.code) +
                           ", \"message\": " + json_string(out.message) + "}";
  std::printf("%s}\n", s.c_str());
}

}  // namespace

int cmd_sql(const Words& words) {
  bool json = false;
  std::string channel = "main";
  std::size_t i = 0;
  std::string error;
  while (i < words.size() && is_option(words[i])) {
    if (take_host_option(words, i, error)) continue;
    if (!error.empty()) return usage_error("sql: " + error);
    if (words[i] == "--json") {
      json = true;
      ++i;
    } else if (words[i] == "--channel" && i + 1 < words.size()) {
      channel = words[i + 1];
      i += 2;
    } else if (words[i] == "--") {
      ++i;
      break;
    } else if (i + 1 == words.size()) {
      break;  // the statement itself: T-SQL comments begin with "--" too
    } else {
      return usage_error("sql: unknown option \"" + words[i] + "\"");
    }
  }
  if (i + 1 != words.size()) return usage_error("sql: give exactly one statement");
  static const char* const kChannels[] = {"main", "2", "3", "crm", "scalar", "marked"};
  bool known = false;
  for (const char* c : kChannels) known = known || channel == c;
  if (!known) return usage_error("sql: unknown channel \"" + channel + "\"");

  auto statement = cp1250_of(words[i], "the statement", error);
  if (!statement) return usage_error("sql: " + error);
  bool opened = false;
  if (!open_database(/*required=*/true, opened, error)) return usage_error("sql: " + error);
  ORVRUN_SQL_RUN(channel.c_str(), statement->c_str());
  Outcome out = last_outcome();
  ORVRUN_CLOSE();
  json ? print_json(out) : print_tsv(out);
  if (out.cut > 0) {
    std::fprintf(stderr,
                 "orvrun: sql: %d field(s) longer than the %s channel's field size were cut\n",
                 out.cut, channel.c_str());
  }
  return out.code == 0 ? kExitOk : kExitFailed;
}

}  // namespace orv::cli
