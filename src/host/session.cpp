// Opening the database, creating one, and the sign-in and sign-out a host does around its work.
#include "host/session.hpp"

#include <memory>
#include <mutex>
#include <vector>

#include "calc/vat.hpp"
#include "config/parameters.hpp"
#include "config/permissions.hpp"
#include "config/preferences.hpp"
#include "frame/sql_channels.hpp"
#include "lists/column_settings.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/odbc/odbc_driver.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/headless/headless.hpp"
#include "server/server.hpp"

namespace orv::host {
namespace {

using Row = std::vector<std::string>;

// The preferences a call may change in memory; written back when they differ at sign-out.
struct Preferences {
  struct Column {
    double id;
    int width;
    int position;
    std::string format;
    friend bool operator==(const Column&, const Column&) = default;
  };
  struct Parameter {
    std::string window, parameter, value;
    friend bool operator==(const Parameter&, const Parameter&) = default;
  };
  std::vector<Column> columns;
  std::vector<Parameter> window_parameters;
  std::string range;
  int date_from = 0;
  int date_to = 0;
  friend bool operator==(const Preferences&, const Preferences&) = default;
};

// A failed statement of the sign-in, kept for its error message.
struct Failure {
  std::string statement;
  std::string message;
};

// Wraps the opened driver so that the sign-in sees every statement that fails, those the
// library's loaders send without a word (EXECSQL) included.
class WatchedDriver : public sql::Driver {
 public:
  explicit WatchedDriver(std::unique_ptr<sql::Driver> inner) : inner_(std::move(inner)) {}
  std::unique_ptr<sql::Connection> connect(std::string& error) override;
  std::string describe() const override { return inner_->describe(); }

  void watch(bool on) {
    std::lock_guard lock(mutex_);
    watching_ = on;
    first_.reset();
  }
  std::optional<Failure> first_failure() const {
    std::lock_guard lock(mutex_);
    return first_;
  }
  void failed(std::string_view statement, std::string message) {
    std::lock_guard lock(mutex_);
    if (watching_ && !first_) first_ = Failure{std::string(statement), std::move(message)};
  }

 private:
  std::unique_ptr<sql::Driver> inner_;
  mutable std::mutex mutex_;
  bool watching_ = false;
  std::optional<Failure> first_;
};

class WatchedConnection : public sql::ForwardingConnection {
 public:
  WatchedConnection(std::unique_ptr<sql::Connection> inner, WatchedDriver& driver)
      : ForwardingConnection(std::move(inner)), driver_(driver) {}
  int send(std::string_view statement) override {
    int code = inner_->send(statement);
    if (code != sql::kOk) driver_.failed(statement, inner_->message());
    return code;
  }

 private:
  WatchedDriver& driver_;
};

std::unique_ptr<sql::Connection> WatchedDriver::connect(std::string& error) {
  auto c = inner_->connect(error);
  if (!c) return nullptr;
  return std::make_unique<WatchedConnection>(std::move(c), *this);
}

struct Session {
  std::unique_ptr<WatchedDriver> driver;
  sql::Driver* previous = nullptr;
  std::optional<Preferences> signed_in;
};

Session& session() {
  static Session s;
  return s;
}

Preferences current_preferences() {
  const dict::Context& g = dict::glo();
  Preferences p;
  for (const auto& c : g.tables.INI_KOL_BRO) {
    p.columns.push_back({c.column_id, c.width, c.position, c.format});
  }
  for (const auto& w : g.tables.INI_PAR_OKNO) {
    p.window_parameters.push_back({w.window, w.parameter, w.value});
  }
  p.range = g.ZAKRES;
  p.date_from = g.DATA_OD;
  p.date_to = g.DATA_DO;
  return p;
}

// The rows of a quiet query on the main channel; a failure is recorded in `failure`.
std::vector<Row> rows_of(const std::string& statement, std::size_t columns,
                         std::optional<Failure>& failure) {
  std::vector<Row> rows;
  if (frame::ESQL(statement, /*quiet=*/1) != 0) {
    if (!failure) failure = Failure{statement, frame::VAX().message()};
  } else {
    while (frame::VAX().next()) {
      Row r;
      for (std::size_t k = 1; k <= columns; ++k) r.push_back(frame::VAX().field(k));
      rows.push_back(std::move(r));
    }
  }
  frame::CLOSESQL();
  return rows;
}

double number(const std::string& s) {
  Decimal d;
  return Decimal::parse(text::trim(s), d) ? d.to_double() : 0;
}

bool exists(const char* table, const char* key, double id, std::optional<Failure>& failure) {
  return !rows_of(std::string("select 1 from ") + table + " where " + key + " = " + plain_id(id), 1,
                  failure)
              .empty();
}

// The identifiers the host named must be in the database.
bool check_identity(const Identity& who, std::optional<Failure>& failure, std::string& error) {
  struct Check {
    const std::optional<double>& id;
    const char* table;
    const char* key;
    const char* what;
  };
  const Check checks[] = {{who.user, "uzytkownik", "id_uzytkownika", "user"},
                          {who.company, "firma", "id_firmy", "company"},
                          {who.warehouse, "magazyn", "id_magazynu", "warehouse"}};
  for (const Check& c : checks) {
    if (!c.id || exists(c.table, c.key, *c.id, failure) || failure) continue;
    error = "there is no " + std::string(c.what) + " " + plain_id(*c.id) + " in the database";
    return false;
  }
  return true;
}

bool has_users() {
  std::optional<Failure> failure;
  rows_of("select 1 from uzytkownik where 1 = 0", 1, failure);
  return !failure;
}

void apply(const Identity& who) {
  dict::Context& g = dict::glo();
  if (who.user) g.ID_UZYTKOWNIKA = *who.user;
  if (who.company) g.ID_FIRMY = *who.company;
  if (who.warehouse) g.ID_MAGAZYNU = *who.warehouse;
}

void set_context(const Identity& who, std::optional<Failure>& failure) {
  dict::Context& g = dict::glo();
  if (who.user) g.ID_UZYTKOWNIKA = *who.user;
  auto own = rows_of("select id_firmy, id_magazynu from uzytkownik where id_uzytkownika = " +
                         plain_id(g.ID_UZYTKOWNIKA),
                     2, failure);
  bool known = !own.empty() && number(own[0][0]) != 0;
  g.ID_FIRMY = who.company.value_or(known ? number(own[0][0]) : g.ID_FIRMY);
  g.ID_MAGAZYNU = who.warehouse.value_or(known ? number(own[0][1]) : g.ID_MAGAZYNU);
}

void load_vat(std::optional<Failure>& failure) {
  std::vector<dict::VatRow> rates;
  for (const Row& r : rows_of("select symbol, stawka from stawka_vat", 2, failure)) {
    Decimal rate;
    if (!Decimal::parse(r[1], rate)) continue;
    rates.push_back({r[0], rate});
  }
  calc::fill_vatq(rates);
}

void load_parameters(dict::Queue<dict::ParamKonfRow>& q, const std::string& values_table,
                     const std::string& owner, std::optional<Failure>& failure) {
  q.clear();
  std::string statement = "select p.kod, p.maska, i.wartosc from pozycjakonfig p join ";
  statement += values_table;
  statement += " i on i.id_pozycji = p.id_pozycji where ";
  statement += owner;
  statement += " order by p.id_pozycji";
  for (const Row& r : rows_of(statement, 3, failure)) {
    q.add({text::upper(text::clip(r[0])).substr(0, 20), r[1].substr(0, 20), r[2].substr(0, 249)});
  }
}

void load_window_parameters(double user, std::optional<Failure>& failure) {
  auto& q = dict::glo().tables.INI_PAR_OKNO;
  q.clear();
  for (const Row& r : rows_of("select o.nazwa, p.nazwa, i.wartosc from inter_parametr_uzytkownik "
                              "i join ini_parametr p on p.id_parametru = i.id_parametru join "
                              "ini_okno o on o.id_okna = p.id_okna where i.id_uzytkownika = " +
                                  plain_id(user) + " order by p.id_okna, p.id_parametru",
                              3, failure)) {
    q.add({r[0].substr(0, 50), r[1].substr(0, 50), r[2].substr(0, 50)});
  }
}

void load_classifier_rows(std::optional<Failure>& failure) {
  auto& q = dict::glo().tables.KOL_KLASYFIKATOROW;
  q.clear();
  for (const Row& r :
       rows_of("select kod_klas_grupy, etykieta, nazwa_pola_map, nr_pola, maska, rodzaj, "
               "lista_wartosci, typ_danych, wartosc_domyslna, czy_aktywne, wymagane, funkcja, "
               "przekaz_id, id_slownika, program from klasyfikator_pole order by kod_klas_grupy, "
               "nr_pola",
               15, failure)) {
    dict::KlasyfikatorRow k;
    k.group = r[0].substr(0, 30);
    k.label = r[1];
    k.column = r[2];
    k.number = text::long_of(r[3]);
    k.picture = r[4];
    k.kind = text::byte_of(r[5]);
    k.allowed = r[6];
    k.data_type = r[7];
    k.default_value = r[8];
    k.active = text::byte_of(r[9]);
    k.required = text::byte_of(r[10]);
    k.function = r[11];
    k.pass_object_id = text::byte_of(r[12]);
    k.dictionary_id = text::long_of(r[13]);
    k.opener = r[14];
    q.add(std::move(k));
  }
}

void restore_date_range() {
  dict::Context& g = dict::glo();
  g.ZAKRES = std::string(text::clip(config::POBIERZPARAMKONF("u", "ZakrWys"))).substr(0, 20);
  g.DATA_OD = std::atoi(config::POBIERZPARAMKONF("u", "Data_Od").c_str());
  g.DATA_DO = std::atoi(config::POBIERZPARAMKONF("u", "Data_Do").c_str());
}

// The loaders the library exports may show a failed statement in the SQL error window; during
// the sign-in it is kept from the host's screen, and the watched driver reports the failure.
void run_loaders(std::optional<Failure>& failure) {
  const dict::Context& g = dict::glo();
  load_vat(failure);
  load_parameters(dict::glo().tables.S_PARAMKONFQ, "interfirmapozycja",
                  "i.id_firmy = " + plain_id(g.ID_FIRMY), failure);
  load_parameters(dict::glo().tables.U_PARAMKONFQ, "interuzytkownikpozycja",
                  "i.id_uzytkownika = " + plain_id(g.ID_UZYTKOWNIKA), failure);
  load_window_parameters(g.ID_UZYTKOWNIKA, failure);
  ui::HeadlessBackend catcher;
  ui::Backend* previous = ui::set_backend(&catcher);
  config::LADUJUPRAWNIENIA();
  lists::LADUJUSTAWIENIAKOLUMN();
  ui::set_backend(previous);
  restore_date_range();
  // Last, as the host loads them after the grants: a failure here is named by the watching
  // driver only when nothing failed before it.
  std::optional<Failure> later;
  load_classifier_rows(later);
}

}  // namespace

// The library's database at `path` (or, when `foreign`, any sound SQLite database).
std::unique_ptr<sql::Driver> sqlite_driver(const std::string& path, bool foreign,
                                           std::string& error) {
  server::OpenedDatabase opened = server::open_library_database(path);
  if (opened.driver) return std::move(opened.driver);
  if (foreign && opened.check.state == sql::sqlite::DatabaseState::NotOurs) {
    return std::make_unique<sql::sqlite::SqliteDriver>(path);
  }
  error = opened.check.error;
  return nullptr;
}

bool open_database(std::string_view target, Target kind, bool foreign, std::string& error) {
  close_database();
  std::unique_ptr<sql::Driver> driver;
  if (kind == Target::Odbc) {
    driver = std::make_unique<sql::odbc::OdbcDriver>(std::string(target));
  } else {
    driver = sqlite_driver(std::string(target), foreign, error);
    if (!driver) return false;
  }
  if (!driver->connect(error)) return false;
  Session& s = session();
  s.driver = std::make_unique<WatchedDriver>(std::move(driver));
  frame::reset_channels();
  s.previous = sql::set_current_driver(s.driver.get());
  return true;
}

void close_database() {
  Session& s = session();
  s.signed_in.reset();
  if (!s.driver) return;
  frame::reset_channels();
  sql::set_current_driver(s.previous);
  s.driver.reset();
  s.previous = nullptr;
}

bool database_open() {
  return session().driver != nullptr;
}

bool create_database(const std::string& path, bool demo, bool force, std::string& error) {
  if (force && !server::remove_database(path, error)) return false;
  if (server::create_database(path, demo, error)) return true;
  if (!force) error += " (--force replaces it)";
  return false;
}

bool sign_in(const Identity& who, std::string& error) {
  if (!database_open()) {
    error = "no database is open";
    return false;
  }
  std::optional<Failure> failure;
  if (!has_users()) {
    // A database without the library's tables (refused at open once the schema is checked
    // there) has nothing to load: the context is the host's alone, as before any sign-in.
    apply(who);
    session().signed_in = current_preferences();
    return true;
  }
  session().driver->watch(true);
  bool known = check_identity(who, failure, error);
  if (known && !failure) set_context(who, failure);
  if (known && !failure) run_loaders(failure);
  if (!failure) failure = session().driver->first_failure();
  session().driver->watch(false);
  if (!known && !failure) return false;
  if (failure) {
    error = "the sign-in statement \"" + failure->statement + "\" failed: " + failure->message;
    return false;
  }
  session().signed_in = current_preferences();
  return true;
}

bool load_classifiers() {
  std::optional<Failure> failure;
  load_classifier_rows(failure);
  return !failure;
}

bool sign_out(std::string& error) {
  Session& s = session();
  if (!s.signed_in || !s.driver || current_preferences() == *s.signed_in) return true;
  ui::HeadlessBackend catcher;
  ui::Backend* previous = ui::set_backend(&catcher);
  s.driver->watch(true);
  config::ZAPISZPREFERENCJEUZYTKOWNIKA(dict::glo().ID_UZYTKOWNIKA);
  auto failure = s.driver->first_failure();
  s.driver->watch(false);
  ui::set_backend(previous);
  if (failure) {
    error =
        "writing the preferences back failed: \"" + failure->statement + "\": " + failure->message;
    return false;
  }
  s.signed_in = current_preferences();
  return true;
}

}  // namespace orv::host
