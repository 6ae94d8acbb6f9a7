// orvrun sql: one statement through a channel's own operations; rows as TSV or JSON.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "commands.hpp"
#include "frame/marked_channel.hpp"
#include "frame/sql_channels.hpp"
#include "host.hpp"
#include "json.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/headless/headless.hpp"

namespace orv::cli {
namespace {

using Rows = std::vector<std::vector<std::string>>;  // Windows-1250

struct Outcome {
  Rows rows;
  int code = 0;
  std::string message;
};

Rows read_rows(sql::ScratchTable& table) {
  Rows rows;
  while (table.next()) {
    std::vector<std::string> row;
    for (std::size_t k = 1; k <= table.fields(); ++k) row.push_back(table.field(k));
    rows.push_back(std::move(row));
  }
  return rows;
}

void take_error(sql::ScratchTable& table, Outcome& out) {
  out.code = table.error();
  out.message = table.message();
}

// A result-set channel: its quiet ESQL, the rows, its close.
Outcome result_set(uint8_t (*esql)(std::string_view, uint8_t), sql::ScratchTable& (*table)(),
                   void (*close)(), std::string_view statement) {
  Outcome out;
  if (esql(statement, /*quiet=*/1) != 0) {
    take_error(table(), out);
  } else {
    out.rows = read_rows(table());
  }
  close();
  return out;
}

// A scalar operation: one row of one column when the statement gave a row.
Outcome scalar(std::string value, sql::ScratchTable& table) {
  Outcome out;
  if (table.error() != 0) {
    take_error(table, out);
  } else if (table.has_row()) {
    out.rows.push_back({std::move(value)});
  }
  return out;
}

std::optional<Outcome> run(const std::string& channel, std::string_view statement) {
  if (channel == "main") return result_set(frame::ESQL, frame::VAX, frame::CLOSESQL, statement);
  if (channel == "2") return result_set(frame::ESQL2, frame::VAX2, frame::CLOSESQL2, statement);
  if (channel == "3") return result_set(frame::ESQL3, frame::VAX3, frame::CLOSESQL3, statement);
  if (channel == "crm") {
    Outcome out;
    frame::EXECSQLCRM(statement);
    if (frame::VAXCRM().error() != 0) {
      take_error(frame::VAXCRM(), out);
    } else {
      out.rows = read_rows(frame::VAXCRM());
    }
    frame::CLOSESQLCRM();
    return out;
  }
  if (channel == "scalar") return scalar(frame::FUNCSQL(statement, 1), frame::VAXFSQL());
  if (channel == "marked") return scalar(frame::marked_query(statement, 1), frame::VAXZAZ());
  return std::nullopt;
}

// TSV: fields joined by tabs; a backslash, tab, line feed or carriage return inside a field is
// written as \\, \t, \n, \r so that every row stays one line.
std::string tsv_field(const std::string& cp1250) {
  std::string out;
  for (char c : text::to_utf8(cp1250)) {
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
    std::fprintf(stderr, "orvrun: sql: error %d: %s\n", out.code,
                 text::to_utf8(out.message).c_str());
  }
}

void print_json(const Outcome& out) {
  std::string s = "{\"rows\": [";
  for (std::size_t r = 0; r < out.rows.size(); ++r) {
    s += r ? ", [" : "[";
    for (std::size_t k = 0; k < out.rows[r].size(); ++k) {
      if (k) s += ", ";
      s += json_string(text::to_utf8(out.rows[r][k]));
    }
    s += "]";
  }
  s += "], \"error\": ";
  s += out.code == 0 ? std::string("null")
                     : "{\"code\": " + std::to_string(out.code) +
                           ", \"message\": " + json_string(text::to_utf8(out.message)) + "}";
  std::printf("%s}\n", s.c_str());
}

}  // namespace

int cmd_sql(const Words& words) {
  bool json = false;
  std::string channel = "main";
  std::size_t i = 0;
  std::string error;
  while (i < words.size() && words[i].starts_with("--")) {
    if (take_host_option(words, i, error)) continue;
    if (!error.empty()) return usage_error("sql: " + error);
    if (words[i] == "--json") {
      json = true;
      ++i;
    } else if (words[i] == "--channel" && i + 1 < words.size()) {
      channel = words[i + 1];
      i += 2;
    } else {
      return usage_error("sql: unknown option \"" + words[i] + "\"");
    }
  }
  if (i + 1 != words.size()) return usage_error("sql: give exactly one statement");
  static const char* const kChannels[] = {"main", "2", "3", "crm", "scalar", "marked"};
  bool known = false;
  for (const char* c : kChannels) known = known || channel == c;
  if (!known) return usage_error("sql: unknown channel \"" + channel + "\"");

  HostSession session;
  if (!session.open(/*required=*/true, error)) return usage_error("sql: " + error);
  // Quiet operations show nothing; a box the driver's path might still show is answered with its
  // default rather than waiting for a user the command does not have.
  ui::HeadlessBackend headless;
  ui::Backend* previous = ui::set_backend(&headless);
  Outcome out = *run(channel, text::from_utf8(words[i]));
  ui::set_backend(previous);
  json ? print_json(out) : print_tsv(out);
  return out.code == 0 ? 0 : 1;
}

}  // namespace orv::cli
