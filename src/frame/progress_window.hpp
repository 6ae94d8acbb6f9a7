// Long statements on a worker thread while a small window shows that work goes on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::frame {

// The optional arguments; callers in the module pass at most the message.
struct ExecOptions {
  std::string_view message;    // the prompt, at most 200 characters (markers replaced per row)
  std::string_view comment;    // under the prompt, at most 300 characters; "Do schowka" copies it
  std::string_view query;      // driver query: one statement per row, "#i#" = column i
  std::string_view operation;  // the operation's name in messages, "wykonanie" when empty
  uint8_t keep_open = 0;       // 1: the window waits for "OK" also when everything succeeded
  uint8_t close_main = 0;      // 1: the main channel is closed when the window ends
  int32_t width = 0;           // > 0: the text area is width - 76 wide (not in the warning look)
};

// 1 when everything ran, 0 when a statement or the driver query failed or the user stopped.
// EXECSQLWIN stops at the first failure; EXECSQLWINASK asks after each one whether to go on.
// A statement longer than kMaxStatement characters is refused with a warning and nothing runs:
// cut short, it could change other rows than the caller meant.
uint8_t EXECSQLWIN(std::string_view statement, const ExecOptions& options = {});
uint8_t EXECSQLWINASK(std::string_view statement, const ExecOptions& options = {});

inline constexpr std::size_t kMaxStatement = 10000;

// Every "#i#" (i = 1 .. values.size()) replaced by values[i - 1] in one pass: a value is never
// searched again, so a value holding "#2#" stays as it is, and no other text of the statement
// changes: neither "#01#" nor a "@@##@@$$" already there, which a replace through that
// placeholder would fill with the first value.
std::string replace_markers(std::string_view text, const std::vector<std::string>& values);

// The driver query's column count (1 + the commas before its first "from") and the statement
// that counts its rows ("select count(*) " and the query from "from" up to "order").
struct DriverQueryShape {
  std::size_t columns = 1;
  std::string count_statement;
};
DriverQueryShape driver_query_shape(std::string_view query);

}  // namespace orv::frame
