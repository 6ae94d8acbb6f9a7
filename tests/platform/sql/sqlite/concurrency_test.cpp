// Threads and processes writing one database file: no lost write, no duplicate mark.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "sqlite_fixture.hpp"

namespace orv::sql::sqlite {
namespace {

constexpr int kOwnRows = 150;
constexpr int kShared = 60;

// One writer's work: its own rows one statement at a time, then marking and unmarking the same
// shared set as everyone else. Returns "" or the first failure.
std::string write_marks(Driver& driver, int writer) {
  std::string error;
  auto c = driver.connect(error);
  if (!c) return error;
  auto send = [&](const std::string& sql) {
    return c->send(sql) == kOk ? std::string() : c->message() + " in " + sql;
  };
  for (int i = 0; i < kOwnRows; ++i) {
    auto e = send("insert into zaznaczone (id_sesji, uzycie, id) values (" +
                  std::to_string(writer) + ", 1, " + std::to_string(i) + ")");
    if (!e.empty()) return e;
  }
  for (int round = 0; round < 2; ++round) {
    for (int id = 0; id < kShared; ++id) {
      std::string mark = "insert into zaznaczone (id_sesji, uzycie, id) select 0, 2, " +
                         std::to_string(id) +
                         " where not exists (select 1 from zaznaczone where id_sesji=0 and "
                         "uzycie=2 and id=" +
                         std::to_string(id) + ")";
      if (auto e = send(mark); !e.empty()) return e;
      if (round == 0 && id % 3 == writer % 3) {
        auto e = send("delete from zaznaczone where id_sesji=0 and uzycie=2 and id=" +
                      std::to_string(id));
        if (!e.empty()) return e;
        if (auto again = send(mark); !again.empty()) return again;
      }
    }
  }
  return {};
}

void create_table(const std::string& path) {
  std::string error;
  ASSERT_TRUE(execute_script(path,
                             "create table zaznaczone (id_sesji INTEGER, uzycie INTEGER, id "
                             "INTEGER, id2 INTEGER DEFAULT 0)",
                             error))
      << error;
}

void expect_complete(const std::string& path, int writers) {
  auto db = orv::test::open_backend_db(path);
  EXPECT_EQ(orv::test::scalar(db.get(), "select count(*) from zaznaczone where uzycie=1"),
            std::to_string(writers * kOwnRows));
  EXPECT_EQ(orv::test::scalar(db.get(),
                              "select count(*) from (select distinct id_sesji, id from zaznaczone "
                              "where uzycie=1)"),
            std::to_string(writers * kOwnRows));
  EXPECT_EQ(orv::test::scalar(db.get(), "select count(*) from zaznaczone where uzycie=2"),
            std::to_string(kShared));
  EXPECT_EQ(orv::test::scalar(db.get(), "select count(distinct id) from zaznaczone where uzycie=2"),
            std::to_string(kShared));
}

TEST(Concurrency, ThreadsWithOwnConnections) {
  orv::test::TempDir dir;
  std::string path = dir.file("threads.db");
  create_table(path);
  SqliteDriver driver(path);
  constexpr int kThreads = 4;
  std::vector<std::string> errors(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] { errors[t] = write_marks(driver, t + 1); });
  }
  for (auto& th : threads) th.join();
  for (const auto& e : errors) EXPECT_EQ(e, "");
  expect_complete(path, kThreads);
}

// Two processes (this one and a forked child), each with two threads of its own.
TEST(Concurrency, ProcessesOnOneFile) {
  orv::test::TempDir dir;
  std::string path = dir.file("processes.db");
  create_table(path);
  auto run_two_threads = [&](int first_writer) {
    SqliteDriver driver(path);
    std::string e1, e2;
    std::thread a([&] { e1 = write_marks(driver, first_writer); });
    std::thread b([&] { e2 = write_marks(driver, first_writer + 1); });
    a.join();
    b.join();
    return e1 + e2;
  };
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(run_two_threads(10).empty() ? 0 : 1);
  std::string mine = run_two_threads(20);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(mine, "");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other process failed";
  expect_complete(path, 4);
}

}  // namespace
}  // namespace orv::sql::sqlite
