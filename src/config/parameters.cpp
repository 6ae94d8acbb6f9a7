// Configuration values: look-ups over the host's two tables, changes, and reads from the server.
#include "config/parameters.hpp"

#include <cmath>
#include <cstdlib>

#include "config/reported_writes.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/dict/queue_index.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/text.hpp"

namespace orv::config {
namespace {

using dict::ParamKonfRow;

constexpr std::size_t kCodeSize = 20;
constexpr std::size_t kValueSize = 249;

enum class Scope { None, Company, User };

Scope scope_of(std::string_view scope) {
  scope = text::clip(scope);
  return scope == "s" ? Scope::Company : scope == "u" ? Scope::User : Scope::None;
}

void row_key(const ParamKonfRow& row, dict::KeyBuffer& key) {
  key.text(text::clip(row.code));
}

struct Table {
  dict::Queue<ParamKonfRow>& rows;
  dict::QueueIndex<ParamKonfRow>& index;
};

Table table_of(Scope scope) {
  static dict::QueueIndex<ParamKonfRow> company(&row_key), user(&row_key);
  auto& tables = dict::glo().tables;
  if (scope == Scope::Company) return {tables.S_PARAMKONFQ, company};
  return {tables.U_PARAMKONFQ, user};
}

// The 1-based position of the code's row, 0 when the scope or the code is unknown. The key is
// the code clipped, upper-cased and cut to 20 characters, as the host stores it.
std::size_t position_of(Scope scope, std::string_view code) {
  if (scope == Scope::None) return 0;
  code = text::clip(code);
  char upper[kCodeSize];
  std::size_t n = std::min(code.size(), kCodeSize);
  for (std::size_t i = 0; i < n; ++i) upper[i] = text::upper(code[i]);
  dict::KeyBuffer key;
  key.text(text::clip(std::string_view(upper, n)));
  Table t = table_of(scope);
  return t.index.find(t.rows, key);
}

std::string quoted(std::string_view value) {
  return text::double_apostrophes(text::clip(value));
}

// The runtime reads a text as a number by its leading numeric part; anything else is 0.
double as_number(std::string_view value) {
  std::string s(text::trim(value));
  double v = std::strtod(s.c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

bool log_change(char scope, std::string_view code, std::string_view old_value,
                std::string_view new_value, ReportedWrites& writes) {
  const dict::Context& g = dict::glo();
  return writes.execute(std::string("call AP_ZapiszDoLoguParam ('") + scope + "'," +
                        plain_id(g.ID_FIRMY) + "," + plain_id(g.ID_UZYTKOWNIKA) + ",'" +
                        quoted(text::upper(text::clip(code))) + "','" + quoted(old_value) + "','" +
                        quoted(new_value) + "')");
}

bool store(Scope scope, std::string_view code, std::string_view stored, ReportedWrites& writes) {
  const dict::Context& g = dict::glo();
  if (scope == Scope::Company) {
    return writes.execute("call RM_ZapiszParamKonf('s'," + plain_id(g.ID_FIRMY) + ",'" +
                          quoted(code) + "','" + quoted(stored) + "',0)");
  } else {
    return writes.execute("call RM_ZapiszParamKonf('u'," + plain_id(g.ID_UZYTKOWNIKA) + ",'" +
                          quoted(code) + "','" + quoted(stored) + "'," + plain_id(g.ID_FIRMY) +
                          ")");
  }
}

// The report parameter named IBAN follows the company's account number in every variant.
bool update_report_iban(std::string_view account, ReportedWrites& writes) {
  return writes.execute("update wartosc_parametru  with (rowlock)  set wartosc='" +
                        quoted(account) +
                        "' from wartosc_parametru w,parametr_raportu p where "
                        "p.id_parametru=w.id_parametru and  p.nazwa='IBAN'");
}

// The value, its mirror in the report parameters and its log entry are one change: written all
// or none, so a lock or a refusal can never leave the log saying what the value is not.
bool write_change(Scope s, std::string_view code, std::string_view old_value,
                  std::string_view new_value, std::string_view stored, ReportedWrites& writes) {
  if (!writes.execute("begin transaction")) return false;
  bool ok = (s != Scope::Company || code != "IBAN" || update_report_iban(new_value, writes)) &&
            log_change(s == Scope::Company ? 's' : 'u', code, old_value, new_value, writes) &&
            store(s, code, stored, writes);
  if (ok && writes.execute("commit transaction")) return true;
  writes.execute("rollback transaction");
  return false;
}

void user_side_effects(std::string_view code, std::string_view stored) {
  std::string upper = text::upper(text::clip(code));
  if (upper == "DOMKASA") dict::glo().ID_KASY = as_number(stored);
  if (upper == "DRZEWKOFILTRROZ") dict::glo().ROZRACH_DRZEWKO_LOADED = 0;
}

}  // namespace

const ParamKonfRow* find_parameter(std::string_view scope, std::string_view code) {
  Scope s = scope_of(scope);
  std::size_t at = position_of(s, code);
  if (at == 0) return nullptr;
  return &table_of(s).rows[at - 1];
}

std::string POBIERZPARAMKONF(std::string_view scope, std::string_view code) {
  const ParamKonfRow* r = find_parameter(scope, code);
  return r ? r->value : std::string();
}

std::string MASKAPARAMKONF(std::string_view scope, std::string_view code) {
  const ParamKonfRow* r = find_parameter(scope, code);
  return r ? r->mask : std::string();
}

void USTAWPARAMKONF(std::string_view scope, std::string_view code, std::string_view value) {
  Scope s = scope_of(scope);
  if (s == Scope::None) {
    frame::CLOSESQL();
    return;
  }
  std::size_t at = position_of(s, code);
  if (at == 0) return;
  ReportedWrites writes;
  ParamKonfRow& row = *table_of(s).rows.get(at);
  std::string old_value(text::clip(row.value));
  std::string_view new_value = text::clip(value);
  std::string stored(text::clip(new_value.substr(0, kValueSize)));
  // The cached row follows the server: a change the server did not take (shown in the SQL error
  // window) leaves the old value, as the database still has it.
  if (new_value != old_value &&
      write_change(s, text::clip(code), old_value, new_value, stored, writes)) {
    row.value = stored;
    if (s == Scope::User) user_side_effects(code, row.value);
  }
  frame::CLOSESQL();
}

std::string POBIERZPARAMKONFZBAZY(std::string_view scope, std::string_view code) {
  Scope s = scope_of(scope);
  if (s == Scope::None) return {};
  const dict::Context& g = dict::glo();
  std::string statement =
      s == Scope::Company
          ? "select i.wartosc,p.maska from interfirmapozycja i,pozycjakonfig p where i.id_firmy=" +
                plain_id(g.ID_FIRMY)
          : "select i.wartosc,p.maska from interuzytkownikpozycja i,pozycjakonfig p where "
            "i.id_uzytkownika=" +
                plain_id(g.ID_UZYTKOWNIKA);
  statement += " and p.kod='" + quoted(code) + "' and p.id_pozycji=i.id_pozycji";
  frame::EXECSQL(statement);
  sql::ScratchTable& vax = frame::VAX();
  if (vax.error() != 0 || !vax.next()) return {};
  std::string stored = vax.field(1).substr(0, 99);
  std::string mask = vax.field(2).substr(0, 19);
  return picture::format_text(stored, mask);
}

}  // namespace orv::config
