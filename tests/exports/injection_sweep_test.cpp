// Every text a host can pass, made hostile: the database changes only where the procedure's
// purpose says, and no statement breaks on the text.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "exports/table.hpp"
#include "exports_support.hpp"
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

// A connection of the test's own to the database the procedures use.
struct Raw {
  explicit Raw(const std::string& path) : driver(path) {
    std::string error;
    c = driver.connect(error);
    if (!c) throw std::runtime_error(error);
  }
  sql::sqlite::SqliteDriver driver;
  std::unique_ptr<sql::Connection> c;
};

const Snapshot& fresh() {
  static const Snapshot s = [] {
    test::DemoDb db;
    Raw raw(db.path());
    return snapshot(*raw.c);
  }();
  return s;
}

struct Finding {
  std::string where;
  std::string what;
};

// One call of `p` with its text parameter `target` holding `value`, on a fresh database.
void sweep_call(const Procedure& p, std::size_t target, const std::string& value,
                std::vector<Finding>& findings) {
  test::DemoDb db;
  Raw raw(db.path());
  std::string version = data_version(*raw.c);
  test::ScopedUi ui({}, /*strict=*/false);
  std::vector<Arg> args = test::arguments_for(p, "A");
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (p.params[i].sql) args[i].text = sql_argument(p.params[i], value);
  }
  args[target] = test::arguments_for(p, value)[target];
  p.invoke(args);

  std::string where = p.name + "(" + p.params[target].name + " = " + value.substr(0, 30) + ")";
  // Showing the error window is what ERRORWIN is for.
  if (p.name == "ERRORWIN") return;
  for (const ui::ErrorWindowRecord& e : ui.ui().error_windows()) {
    findings.push_back(
        {where, "statement failed: " + e.message + " | " + e.statement.substr(0, 200)});
  }
  for (const ui::BoxRecord& b : ui.boxes()) {
    if (b.box.icon == ui::Icon::Hand) findings.push_back({where, "stop box: " + b.box.text});
  }
  // Comparing every table takes long; SQLite tells whether anyone committed since.
  if (data_version(*raw.c) == version) return;
  Snapshot now = snapshot(*raw.c);
  const auto allowed = purposes().find(p.name);
  for (const auto& [table, rows] : fresh()) {
    if (allowed != purposes().end() && allowed->second.count(table)) continue;
    auto it = now.find(table);
    if (it == now.end()) {
      findings.push_back({where, "table " + table + " is gone"});
    } else if (it->second != rows) {
      findings.push_back({where, "table " + table + " changed"});
    }
  }
}

// 1. Every procedure, every text parameter (SQL fragments excepted), every hostile value.
TEST(InjectionSweep, HostileTextsChangeOnlyWhatTheProcedureIsFor) {
  fresh();
  std::vector<Finding> findings;
  for (const Procedure& p : procedures()) {
    for (std::size_t i = 0; i < p.params.size(); ++i) {
      if (p.params[i].kind != Kind::Text || p.params[i].sql) continue;
      for (const std::string& v : hostile_values()) sweep_call(p, i, v, findings);
    }
  }
  for (const Finding& f : findings) ADD_FAILURE() << f.where << ": " << f.what;
}

}  // namespace
}  // namespace orv::exports
