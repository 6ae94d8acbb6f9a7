// Creating a database file from the embedded scripts.
#include "server/server.hpp"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "platform/sql/sqlite/sqlite_backend.hpp"

namespace orv::server {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};

void remove_quietly(const fs::path& p) {
  std::error_code ec;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    fs::remove(fs::path(p.string() + suffix), ec);
  }
}

bool occupied(const fs::path& p) {
  std::error_code ec;
  if (!fs::exists(p, ec)) return false;
  return !fs::is_regular_file(p, ec) || fs::file_size(p, ec) > 0;
}

// Only an SQLite database (sound or damaged) or an empty file may be replaced: a directory, a link
// or a file of another program is the user's and stays.
bool replaceable(const fs::path& p, std::string& error) {
  std::error_code ec;
  fs::file_status st = fs::symlink_status(p, ec);
  if (!fs::exists(st)) return true;
  const std::string refuse = "refusing to replace " + p.string() + ": ";
  if (fs::is_symlink(st)) return error = refuse + "it is a symbolic link", false;
  if (fs::is_directory(st)) return error = refuse + "it is a directory", false;
  if (!fs::is_regular_file(st)) return error = refuse + "it is not a regular file", false;
  if (fs::file_size(p, ec) == 0) return true;
  std::ifstream in(p, std::ios::binary);
  char head[16] = {};
  if (!in.read(head, sizeof head) || std::string_view(head, sizeof head) != kSqliteHeader) {
    return error = refuse + "it is not an SQLite database", false;
  }
  return true;
}

}  // namespace

bool create_database(const std::string& path, bool demo, std::string& error) {
  if (path.empty()) {
    error = "no database path given";
    return false;
  }
  fs::path target(path);
  if (occupied(target)) {
    error = "the database file already exists: " + path;
    return false;
  }
  // Built beside the target and renamed at the end, so that a failed run never leaves a
  // half-made database under the real name.
  fs::path part(path + ".part");
  remove_quietly(part);
  // One transaction for speed; a savepoint so that it nests if the runner opens its own.
  std::string script = "SAVEPOINT orv_create;\n";
  script += schema_sql();
  if (demo) script += demo_sql();
  script += "\nRELEASE orv_create;\n";
  if (!sql::sqlite::execute_script(part.string(), script, error)) {
    remove_quietly(part);
    return false;
  }
  // The script's connection is closed by now, which folds the write-ahead log into the file; a
  // log still standing would be lost by the rename, so it stops the move.
  std::error_code ec;
  fs::path wal(part.string() + "-wal");
  if (fs::exists(wal, ec) && fs::file_size(wal, ec) > 0) {
    error = "the new database was left with an unmerged write-ahead log: " + wal.string();
    return false;
  }
  fs::remove(fs::path(part.string() + "-shm"), ec);
  fs::remove(wal, ec);
  fs::rename(part, target, ec);
  if (ec) {
    error = "cannot move the new database into place: " + ec.message();
    remove_quietly(part);
    return false;
  }
  return true;
}

bool remove_database(const std::string& path, std::string& error) {
  std::error_code ec;
  if (!replaceable(fs::path(path), error)) return false;
  for (const char* suffix : {"-wal", "-shm", "-journal", ""}) {
    fs::path p(path + suffix);
    if (fs::exists(p, ec) && !fs::remove(p, ec)) {
      error = "cannot remove " + p.string() + ": " + ec.message();
      return false;
    }
  }
  return true;
}

}  // namespace orv::server
