// Opening the library's database for the channels: refused unless it is ours, read-only when the
// user may only read it.
#include <sys/stat.h>

#include <cctype>
#include <memory>

#include "server/server.hpp"

namespace orv::server {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The word after `at` (an identifier: letters, digits, underscores).
std::string word_at(std::string_view s, std::size_t at) {
  while (at < s.size() && s[at] == ' ') ++at;
  std::size_t end = at;
  while (end < s.size() && (std::isalnum(static_cast<unsigned char>(s[end])) || s[end] == '_')) {
    ++end;
  }
  return std::string(s.substr(at, end - at));
}

}  // namespace

sql::sqlite::SchemaExpectation schema_expectation() {
  static const sql::sqlite::SchemaExpectation expected = [] {
    sql::sqlite::SchemaExpectation e;
    std::string script = lower(schema_sql());
    std::string_view s = script;
    const std::string_view version = "pragma user_version =";
    if (auto at = s.find(version); at != std::string_view::npos) {
      e.user_version = std::stoi(word_at(s, at + version.size()));
    }
    const std::string_view create = "\ncreate table ";
    for (auto at = s.find(create); at != std::string_view::npos; at = s.find(create, at + 1)) {
      e.tables.push_back(word_at(s, at + create.size()));
    }
    return e;
  }();
  return expected;
}

OpenedDatabase open_library_database(const std::string& path, sql::sqlite::SqliteOptions options) {
  OpenedDatabase opened;
  opened.check = sql::sqlite::check_database(path, schema_expectation());
  if (!opened.check.ok()) return opened;
  opened.driver = std::make_unique<sql::sqlite::SqliteDriver>(
      path, sql::sqlite::options_for(opened.check.mode, options));
  return opened;
}

}  // namespace orv::server
