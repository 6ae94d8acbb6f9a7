// The demo database stack for tests that check statements and their real effect.
#include "support/demo_db.hpp"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "frame/sql_channels.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/text.hpp"
#include "server/server.hpp"

namespace orv::test {

void set_company_parameter(const std::string& code, const std::string& value) {
  dict::glo().tables.S_PARAMKONFQ.add({text::upper(code), "@s20", value});
}

const std::string& DemoDb::made_once() {
  static TempDir dir;
  static const std::string path = [] {
    std::string p = dir.file("demo.db"), error;
    if (!server::create_database(p, /*demo=*/true, error)) throw std::runtime_error(error);
    return p;
  }();
  return path;
}

DemoDb::DemoDb() : path_(dir_.file("test.db")) {
  std::filesystem::copy_file(made_once(), path_);
  sqlite_ = std::make_unique<sql::sqlite::SqliteDriver>(path_);
  faults_ = std::make_unique<sql::FaultDriver>(*sqlite_);
  recording_ = std::make_unique<sql::RecordingDriver>(*faults_);
  std::string error;
  raw_ = sqlite_->connect(error);
  if (!raw_) throw std::runtime_error(error);
  frame::reset_channels();
  dict::reset_context();
  dict::glo().ID_UZYTKOWNIKA = kDemoUser;
  dict::glo().ID_FIRMY = kDemoCompany;
  dict::glo().ID_MAGAZYNU = 1;
  date::set_now(date::Moment{kDemoToday, date::make_time(10, 30, 0)});
  tsql_ = raw_->send("select count(*) from wariant with (nolock)") == sql::kOk;
  raw_->clear();
  previous_ = sql::set_current_driver(recording_.get());
}

DemoDb::~DemoDb() {
  frame::reset_channels();
  sql::set_current_driver(previous_);
  dict::reset_context();
  date::set_now(std::nullopt);
}

std::vector<std::string> DemoDb::column(const std::string& sql) {
  std::vector<std::string> out;
  if (raw_->send(sql) != sql::kOk) throw std::runtime_error(raw_->message() + ": " + sql);
  while (raw_->next()) out.push_back(raw_->column(0));
  raw_->clear();
  return out;
}

std::string DemoDb::value(const std::string& sql) {
  std::vector<std::string> c = column(sql);
  return c.empty() ? std::string() : c.front();
}

int DemoDb::count(const std::string& from_where) {
  return std::atoi(value("select count(*) from " + from_where).c_str());
}

bool DemoDb::run(const std::string& sql) {
  bool ok = raw_->send(sql) == sql::kOk;
  raw_->clear();
  return ok;
}

}  // namespace orv::test
