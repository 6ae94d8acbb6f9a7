// Every text a host can pass, made hostile: the database changes only where the procedure's
// purpose says, and no statement breaks on the text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>

#include "exports/table.hpp"
#include "exports_support.hpp"
#include "frame/sql_channels.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/text.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::exports {
namespace {

// Values a user could type or a file could bring, each aimed at a way of building SQL badly.
const std::vector<std::string>& hostile_values() {
  static const std::vector<std::string> kValues = {
      "O'Brien",                         // 1. a plain apostrophe
      "x'; drop table artykul; --",      // 2. closes the literal, runs a statement
      "x' or '1'='1",                    // 3. widens a condition
      "x'/*",                            // 4. comments out the rest
      "x]; drop table artykul; --",      // 5. closes a bracketed name
      "#1#",                             // 6. a marker of the progress window
      "x\"; drop table artykul; --",     // 7. closes a double-quoted name
      std::string(6000, '\'') + "; --",  // 8. very long, every character a quote
  };
  return kValues;
}

// Tables a procedure may change because that is what it is for.
const std::map<std::string, std::set<std::string>>& purposes() {
  static const std::map<std::string, std::set<std::string>> kWrites = {
      {"ADDWATCH", {"jl_obserwowana_procedura"}},
      {"ZAPISZDOLOGU", {"log_zdarzen"}},
      {"ZAPISZXMLFILTRUZYTKOWNIKA", {"orv_filtr_uzytkownika"}},
  };
  return kWrites;
}

// The SQL texts a host writes: a statement that only reads unless a value breaks out of its
// literal, a driving query whose rows bring the hostile value.
std::string sql_argument(const Param& q, const std::string& value) {
  if (q.name == "query")
    return "select v from (select '" + text::double_apostrophes(value) + "' as v) t";
  if (q.name == "script") return "select 1";
  return "select count(*) from artykul where nazwa = '#1#'";
}

using Snapshot = std::map<std::string, std::vector<std::string>>;

// Every row of every table, as text, sorted per table.
Snapshot snapshot(sql::Connection& c) {
  std::vector<std::string> tables;
  c.send("select name from sqlite_master where type = 'table' and name not like 'sqlite%'");
  while (c.next()) tables.push_back(c.column(0));
  c.clear();
  Snapshot s;
  for (const std::string& t : tables) {
    std::vector<std::string>& rows = s[t];
    c.send("select * from \"" + t + "\"");
    while (c.next()) {
      std::string row;
      for (std::size_t k = 0; k < c.columns(); ++k) row += c.column(k) + '\x1f';
      rows.push_back(std::move(row));
    }
    c.clear();
    std::sort(rows.begin(), rows.end());
  }
  return s;
}

std::string data_version(sql::Connection& c) {
  std::string v = c.send("pragma data_version") == sql::kOk && c.next() ? c.column(0) : "";
  c.clear();
  if (v.empty()) throw std::runtime_error("pragma data_version: " + c.message());
  return v;
}

// The database the sweep calls procedures on: a copy of the demo database, copied afresh only
// after a call that committed something (most calls only read), and a freshly signed-in session
// before every call.
class SweepDb {
 public:
  SweepDb() {
    {
      test::DemoDb demo;
      std::filesystem::copy_file(demo.path(), prepared_);
    }
    reopen();
    fresh_ = snapshot(*raw_);
  }
  ~SweepDb() {
    close();
    dict::reset_context();
    date::set_now(std::nullopt);
  }

  // Before a call: the session as the CLI signs in, today the demo's today.
  void begin() {
    if (dirty_) reopen();
    frame::reset_channels();
    dict::reset_context();
    dict::glo().ID_UZYTKOWNIKA = test::kDemoUser;
    dict::glo().ID_FIRMY = test::kDemoCompany;
    dict::glo().ID_MAGAZYNU = 1;
    date::set_now(date::Moment{test::kDemoToday, date::make_time(10, 30, 0)});
    version_ = data_version(*raw_);
  }
  // After a call: the tables that differ from the prepared copy, if anyone committed since.
  std::vector<std::string> changed() {
    std::vector<std::string> out;
    if (data_version(*raw_) == version_) return out;
    dirty_ = true;
    Snapshot now = snapshot(*raw_);
    for (const auto& [table, rows] : fresh_) {
      auto it = now.find(table);
      if (it == now.end() || it->second != rows) out.push_back(table);
    }
    return out;
  }

 private:
  // A new file each time, so no connection left open anywhere sees its file rewritten.
  void reopen() {
    close();
    std::string path = dir_.file("sweep" + std::to_string(++copies_) + ".db");
    std::filesystem::copy_file(prepared_, path);
    driver_ = std::make_unique<sql::sqlite::SqliteDriver>(path);
    std::string error;
    raw_ = driver_->connect(error);
    if (!raw_) throw std::runtime_error(error);
    previous_ = sql::set_current_driver(driver_.get());
    dirty_ = false;
  }
  void close() {
    if (!driver_) return;
    frame::reset_channels();
    sql::set_current_driver(previous_);
    raw_.reset();
    driver_.reset();
  }

  test::TempDir dir_;
  std::string prepared_ = dir_.file("prepared.db");
  std::unique_ptr<sql::Driver> driver_;
  std::unique_ptr<sql::Connection> raw_;
  sql::Driver* previous_ = nullptr;
  Snapshot fresh_;
  std::string version_;
  int copies_ = 0;
  bool dirty_ = false;
};

struct Finding {
  std::string where;
  std::string what;
};

// One call of `p` with its text parameter `target` holding `value`, on the prepared database.
void sweep_call(SweepDb& db, const Procedure& p, std::size_t target, const std::string& value,
                std::vector<Finding>& findings) {
  db.begin();
  test::ScopedUi ui({}, /*strict=*/false);
  std::vector<Arg> args = test::arguments_for(p, "A");
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (p.params[i].sql) args[i].text = sql_argument(p.params[i], value);
  }
  args[target] = test::arguments_for(p, value)[target];
  p.invoke(args);

  std::string where = p.name + "(" + p.params[target].name + " = " + value.substr(0, 30) + ")";
  // Showing the error window is what ERRORWIN is for.
  for (const ui::ErrorWindowRecord& e : ui.ui().error_windows()) {
    if (p.name == "ERRORWIN") break;
    findings.push_back(
        {where, "statement failed: " + e.message + " | " + e.statement.substr(0, 200)});
  }
  for (const ui::BoxRecord& b : ui.boxes()) {
    if (b.box.icon == ui::Icon::Hand) findings.push_back({where, "stop box: " + b.box.text});
  }
  const auto allowed = purposes().find(p.name);
  for (const std::string& table : db.changed()) {
    if (allowed == purposes().end() || !allowed->second.count(table))
      findings.push_back({where, "table " + table + " changed"});
  }
}

// 1. Every procedure, every text parameter (SQL fragments excepted; arrays of texts and records
// holding the value included), every hostile value.
TEST(InjectionSweep, HostileTextsChangeOnlyWhatTheProcedureIsFor) {
  SweepDb db;
  std::vector<Finding> findings;
  for (const Procedure& p : procedures()) {
    for (std::size_t i = 0; i < p.params.size(); ++i) {
      const Kind k = p.params[i].kind;
      if ((k != Kind::Text && k != Kind::Texts && k != Kind::Group) || p.params[i].sql) continue;
      for (const std::string& v : hostile_values()) sweep_call(db, p, i, v, findings);
    }
  }
  for (const Finding& f : findings) ADD_FAILURE() << f.where << ": " << f.what;
}

}  // namespace
}  // namespace orv::exports
