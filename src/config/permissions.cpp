// Grants of the current user: loading from the server and look-ups by key from memory.
#include "config/permissions.hpp"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/dict/queue_index.hpp"
#include "platform/text/text.hpp"

namespace orv::config {
namespace {

using dict::AccessRow;
using dict::DostepRaportRow;
using dict::UprawnRow;

constexpr std::size_t kCodeSize = 20;

void function_key(const UprawnRow& r, dict::KeyBuffer& key) {
  key.text(text::clip(r.code));
}

void grant_key(std::string_view code, int32_t id2, int32_t id3, int32_t id4, int32_t id5,
               dict::KeyBuffer& key) {
  key.text(code).number(id2).number(id3).number(id4).number(id5);
}

void grant_key_of(const AccessRow& r, dict::KeyBuffer& key) {
  grant_key(text::clip(r.code), r.id2, r.id3, r.id4, r.id5, key);
}

dict::QueueIndex<UprawnRow>& functions_index() {
  static dict::QueueIndex<UprawnRow> index(&function_key);
  return index;
}

dict::QueueIndex<AccessRow>& grants_index() {
  static dict::QueueIndex<AccessRow> index(&grant_key_of);
  return index;
}

// A function code as the tables key it: upper case, at most 20 characters, trailing blanks
// dropped. Kept on the stack: look-ups run on every screen.
class Code {
 public:
  explicit Code(std::string_view code) {
    code = text::clip(code);
    n_ = std::min(code.size(), kCodeSize);
    for (std::size_t i = 0; i < n_; ++i) bytes_[i] = text::upper(code[i]);
    n_ = text::clip(view()).size();
  }
  std::string_view view() const { return {bytes_, n_}; }

 private:
  char bytes_[kCodeSize];
  std::size_t n_ = 0;
};

const AccessRow* grant_of(std::string_view code, int32_t id2, int32_t id3) {
  auto& q = dict::glo().tables.ACCESSQ;
  dict::KeyBuffer key;
  grant_key(code, id2, id3, 0, 0, key);
  std::size_t at = grants_index().find(q, key);
  return at ? &q[at - 1] : nullptr;
}

// Beside UPRAWNQ: the position in ACCESSQ of each function's general grant (code, 0, 0, 0, 0),
// so that the look-up every screen makes costs one search, not two.
class GeneralGrants {
 public:
  // 0 when the function has no general grant.
  std::size_t of(std::size_t function_position) {
    dict::Tables& t = dict::glo().tables;
    built_.ensure({t.UPRAWNQ.version(), t.ACCESSQ.version()}, [&] { rebuild(t); });
    return positions_[function_position - 1];
  }

 private:
  void rebuild(dict::Tables& t) {
    positions_.assign(t.UPRAWNQ.size(), 0);
    for (std::size_t i = 0; i < t.UPRAWNQ.size(); ++i) {
      dict::KeyBuffer key;
      grant_key(text::clip(t.UPRAWNQ[i].code), 0, 0, 0, 0, key);
      positions_[i] = grants_index().find(t.ACCESSQ, key);
    }
  }

  dict::Derived<2> built_;
  std::vector<std::size_t> positions_;
};

struct Function {
  const UprawnRow* row = nullptr;      // nullptr: not defined
  const AccessRow* general = nullptr;  // its general grant, nullptr when none
};

Function function_of(const Code& code) {
  static GeneralGrants general_grants;
  auto& t = dict::glo().tables;
  dict::KeyBuffer key;
  key.text(code.view());
  std::size_t at = functions_index().find(t.UPRAWNQ, key);
  if (!at) return {};
  std::size_t general = general_grants.of(at);
  return {&t.UPRAWNQ[at - 1], general ? &t.ACCESSQ[general - 1] : nullptr};
}

bool administrator() {
  return dict::glo().ID_UZYTKOWNIKA == kAdministrator;
}

std::string function_code(const std::string& field) {
  return text::upper(text::clip(field)).substr(0, kCodeSize);
}

// One row of the grants query: the first row of a key stays, except that full access (1)
// replaces restricted (2) when another group grants it.
void add_grant(std::unordered_map<std::string, std::size_t>& seen) {
  sql::ScratchTable& vax = frame::VAX();
  AccessRow row;
  row.code = function_code(vax.field(1));
  row.id2 = vax.long_field(2);
  row.id3 = vax.long_field(3);
  row.id4 = vax.long_field(4);
  row.id5 = vax.long_field(5);
  row.access = vax.byte_field(6);
  dict::KeyBuffer key;
  grant_key_of(row, key);
  auto& q = dict::glo().tables.ACCESSQ;
  auto [it, added] = seen.try_emplace(std::string(key.view()), q.size());
  if (!added) {
    AccessRow& first = q[it->second];
    if (first.access == 2 && row.access == 1) first.access = 1;
    return;
  }
  row.state_flags = vax.field(7).substr(0, kCodeSize);
  q.add(std::move(row));
}

void load_grants() {
  const dict::Context& g = dict::glo();
  dict::glo().tables.ACCESSQ.clear();
  frame::EXECSQL(
      "select distinct d.kod, d.id2, d.id3, d.id4, d.id5, d.rodzaj_dostepu,d.flaga_stanu from "
      "DOSTEP d with (nolock) inner join       UZYTKOWNIKGRUPY ug with (nolock) on (ug.id_grupy "
      "= d.id_grupy and ug.id_uzytkownika = " +
      plain_id(g.ID_UZYTKOWNIKA) +
      ")       inner join GRUPAUZYTKOWNIKOW g with (nolock) on (g.id_grupy=ug.id_grupy) where "
      "d.id_firmy = " +
      plain_id(g.ID_FIRMY) + " and d.rodzaj_dostepu>0 and g.czy_aktywna=1");
  if (frame::VAX().error() != 0) return;
  std::unordered_map<std::string, std::size_t> seen;
  while (frame::VAX().next()) add_grant(seen);
}

void load_functions() {
  auto& q = dict::glo().tables.UPRAWNQ;
  q.clear();
  frame::EXECSQL("select kod, rodzaj from UPRAWNIENIE with (nolock)");
  if (frame::VAX().error() != 0) return;
  while (frame::VAX().next()) {
    q.add({function_code(frame::VAX().field(1)), frame::VAX().field(2).substr(0, kCodeSize)});
  }
}

// The warehouse a look-up asks for: the argument, or for functions granted per warehouse the
// current one when the argument was left out.
int32_t warehouse_for(const UprawnRow& function, std::optional<int32_t> warehouse) {
  int32_t w = warehouse.value_or(0);
  if (w != 0 || warehouse || function.kind.find('M') == std::string::npos) return w;
  double current = std::trunc(dict::glo().ID_MAGAZYNU);
  return std::isfinite(current)
             ? static_cast<int32_t>(std::clamp(current, -2147483648.0, 2147483647.0))
             : 0;
}

// The restricted general grant of a code, nullptr for the administrator, an undefined code or
// any other level.
const AccessRow* restricted_grant(std::string_view code) {
  if (administrator()) return nullptr;
  Function f = function_of(Code(code));
  return f.general && f.general->access == 2 ? f.general : nullptr;
}

}  // namespace

void LADUJUPRAWNIENIA() {
  load_grants();
  load_functions();
  LADUJUPRAWNIENIARAPORTU();
}

void LADUJUPRAWNIENIARAPORTU() {
  const dict::Context& g = dict::glo();
  auto& q = dict::glo().tables.DOSTEPRAPORTOWQ;
  q.clear();
  frame::EXECSQL(
      " select distinct d.id_raportu,d.rodzaj_dostepu  from DOSTEPDORAPORTOW d with (nolock)  "
      "inner join  UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy = d.id_grupy)  inner join  "
      "GRUPAUZYTKOWNIKOW g with (nolock) on (ug.id_grupy=g.id_grupy)  where g.id_firmy=" +
      plain_id(g.ID_FIRMY) + " and ug.id_uzytkownika = " + plain_id(g.ID_UZYTKOWNIKA));
  if (frame::VAX().error() == 0) {
    while (frame::VAX().next()) {
      q.add({frame::VAX().long_field(1), frame::VAX().byte_field(2)});
    }
  }
  frame::CLOSESQL();
}

uint8_t POBIERZUPRAWNIENIE(std::string_view code, std::optional<int32_t> warehouse,
                           std::optional<int32_t> second) {
  if (administrator()) return 1;
  Code c(code);
  Function f = function_of(c);
  if (!f.row || !f.general) return 0;
  if (f.general->access == 1) return 1;
  int32_t w = warehouse_for(*f.row, warehouse);
  const AccessRow* in_warehouse = grant_of(c.view(), w, 0);
  if (!in_warehouse) return 0;
  if (in_warehouse->access == 1 || !second) return in_warehouse->access;
  const AccessRow* narrow = grant_of(c.view(), w, *second);
  return narrow ? narrow->access : 0;
}

std::string POBIERZFLAGEUPRAWNIENIA(std::string_view code) {
  const AccessRow* grant = restricted_grant(code);
  return grant ? text::pad_right(grant->state_flags, kCodeSize) : std::string();
}

uint8_t DOSTEPDOWLASNYCHDOKUMENTOW(std::string_view code) {
  const AccessRow* grant = restricted_grant(code);
  return grant && grant->state_flags.find('W') != std::string::npos ? 1 : 0;
}

uint8_t DOSTEPDORAPORTUOK(int32_t report) {
  if (administrator()) return 1;
  uint8_t found = 0;
  for (const DostepRaportRow& r : dict::glo().tables.DOSTEPRAPORTOWQ) {
    if (r.report_id != report) continue;
    if (r.access == 1) return 1;
    if (found == 0) found = r.access;
  }
  return found;
}

}  // namespace orv::config
