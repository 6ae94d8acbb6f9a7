// Opening a database for the channels: refused with the real cause unless it is ours, untouched
// when refused, read-only when the user may only read it; init --force replaces only databases.
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "server_db.hpp"

namespace orv::test {
namespace {

namespace fs = std::filesystem;
using sql::sqlite::AccessMode;
using sql::sqlite::DatabaseState;

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> listing(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

// With the backend's collation, which the schema's indexes name.
void plain_sql(const std::string& path, const char* sql) {
  std::string error;
  sqlite3* db = sql::sqlite::open_database(path, {}, nullptr, error);
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

struct RefusalCase {
  const char* name;
  DatabaseState state;
  const char* cause;  // a fragment of the message
  void (*make)(const std::string& path);
};

const RefusalCase kRefusals[] = {
    // 1. Nothing there.
    {"Missing", DatabaseState::Missing, "no database at", [](const std::string&) {}},
    // 2. A directory under the name.
    {"Directory", DatabaseState::NotAFile, "is a directory",
     [](const std::string& p) { fs::create_directory(p); }},
    // 3. A file of 0 bytes, as a mistyped path leaves behind.
    {"EmptyFile", DatabaseState::Empty, "is an empty file",
     [](const std::string& p) { write_file(p, ""); }},
    // 4. Another program's file.
    {"TextFile", DatabaseState::NotSqlite, "is not an SQLite database",
     [](const std::string& p) { write_file(p, "id;name\n1;Śruba\n"); }},
    // 5. The demo database with a page of its tables overwritten.
    {"Damaged", DatabaseState::Damaged, "is damaged",
     [](const std::string& p) {
       fs::copy_file(ServerDb::made_once(true), p);
       std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
       f.seekp(std::streamoff{4096} * 6);
       f << std::string(4096, '\x5a');
     }},
    // 6. A sound SQLite database of another program.
    {"ForeignSchema", DatabaseState::NotOurs, "without this library's schema",
     [](const std::string& p) { plain_sql(p, "create table notes(id, text)"); }},
    // 7. Our schema version, but a table the library needs is gone.
    {"MissingTable", DatabaseState::NotOurs, "lacks tables this library needs: zaznaczone",
     [](const std::string& p) {
       fs::copy_file(ServerDb::made_once(false), p);
       plain_sql(p, "drop table zaznaczone");
     }},
};

TEST(Opening, RefusedWithTheRealCauseAndLeftUntouched) {
  for (const RefusalCase& c : kRefusals) {
    TempDir dir;
    std::string path = dir.file("x.db");
    c.make(path);
    auto before = listing(dir.path());
    std::string bytes = fs::is_regular_file(path) ? read_bytes(path) : "";
    server::OpenedDatabase opened = server::open_library_database(path);
    EXPECT_EQ(opened.check.state, c.state) << c.name;
    EXPECT_FALSE(opened.driver) << c.name;
    EXPECT_NE(opened.check.error.find(c.cause), std::string::npos)
        << c.name << ": " << opened.check.error;
    EXPECT_NE(opened.check.error.find(path), std::string::npos) << c.name;
    EXPECT_EQ(listing(dir.path()), before) << c.name;
    if (fs::is_regular_file(path)) {
      EXPECT_EQ(read_bytes(path), bytes) << c.name;
    }
  }
}

TEST(Opening, OurDatabaseOpensForWriting) {
  ServerDb db;
  server::OpenedDatabase opened = server::open_library_database(db.path());
  ASSERT_TRUE(opened.driver) << opened.check.error;
  EXPECT_EQ(opened.check.mode, AccessMode::ReadWrite);
  std::string error;
  auto c = opened.driver->connect(error);
  ASSERT_TRUE(c) << error;
  EXPECT_EQ(c->send("update firma set nazwa = 'x' where id_firmy = 5"), sql::kOk) << c->message();
}

TEST(Opening, AccessDecision) {
  struct {
    bool file_writable, dir_writable, log_present;
    AccessMode mode;
  } cases[] = {
      {true, true, false, AccessMode::ReadWrite},           // 1. the usual case
      {true, true, true, AccessMode::ReadWrite},            // 2. a writer is at work
      {false, true, false, AccessMode::ReadOnlyImmutable},  // 3. read-only file: create nothing
      {true, false, false, AccessMode::ReadOnlyImmutable},  // 4. no room for -wal/-shm
      {false, false, true, AccessMode::ReadOnly},           // 5. a writer's log stands: read it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sql::sqlite::access_mode(c.file_writable, c.dir_writable, c.log_present), c.mode)
        << c.file_writable << c.dir_writable << c.log_present;
  }
}

// Root writes through any permission, so the read-only open is driven by the decision it takes.
TEST(Opening, ReadOnlyReadsRefusesWritesAndLeavesNoFileBehind) {
  for (AccessMode mode : {AccessMode::ReadOnlyImmutable, AccessMode::ReadOnly}) {
    ServerDb db;
    std::string dir = fs::path(db.path()).parent_path().string();
    auto before = listing(dir);
    {
      sql::sqlite::SqliteDriver driver(db.path(), sql::sqlite::options_for(mode));
      std::string error;
      auto c = driver.connect(error);
      ASSERT_TRUE(c) << error;
      ASSERT_EQ(c->send("select nazwa from firma with (nolock) where id_firmy = 5"), sql::kOk)
          << c->message();
      EXPECT_TRUE(c->next());
      EXPECT_EQ(c->send("update firma set nazwa = 'x' where id_firmy = 5"), sql::kRejected);
      EXPECT_NE(c->message().find("the database was opened read-only"), std::string::npos)
          << c->message();
    }
    if (mode == AccessMode::ReadOnlyImmutable) {
      EXPECT_EQ(listing(dir), before);
    }
    // A later writer is not blocked.
    EXPECT_EQ(db.exec("update firma set nazwa = 'y' where id_firmy = 5"), 1);
  }
}

TEST(Opening, InitForceReplacesOnlyADatabase) {
  struct {
    const char* name;
    void (*make)(const std::string& path);
    bool replaced;
  } cases[] = {
      {"Missing", [](const std::string&) {}, true},                                           // 1
      {"EmptyFile", [](const std::string& p) { write_file(p, ""); }, true},                   // 2
      {"Database", [](const std::string& p) { plain_sql(p, "create table a(b)"); }, true},    // 3
      {"Directory", [](const std::string& p) { fs::create_directory(p); }, false},            // 4
      {"TextFile", [](const std::string& p) { write_file(p, "not a database"); }, false},     // 5
      {"Link", [](const std::string& p) { fs::create_symlink("/etc/hostname", p); }, false},  // 6
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::string path = dir.file("x.db"), error;
    c.make(path);
    EXPECT_EQ(server::remove_database(path, error), c.replaced) << c.name;
    EXPECT_EQ(fs::exists(fs::symlink_status(path)), !c.replaced) << c.name;
    if (!c.replaced) {
      EXPECT_NE(error.find("refusing to replace"), std::string::npos) << c.name;
    }
  }
}

}  // namespace
}  // namespace orv::test
