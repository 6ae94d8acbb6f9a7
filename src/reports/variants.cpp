// Report variants over PARAMETRYWARIANTUQ, the module's variant cache and the WARIANT table.
#include "reports/variants.hpp"

#include <algorithm>
#include <optional>
#include <tuple>

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"

namespace orv::reports {
namespace {

using dict::ParametrWariantuRow;

constexpr std::size_t kNameCapacity = 50;
constexpr std::size_t kValueCapacity = 200;
constexpr std::size_t kVariantNameCapacity = 51;

constexpr const char* kNameTaken = "Wariant o podanej nazwie już istnieje!"_w1250;
constexpr const char* kNameTooLong = "Nazwa wariantu może mieć najwyżej 50 znaków!"_w1250;

// Every variant loaded while the module lives, kept in (report, variant, ordinal) order.
std::vector<CachedParameter>& cache() {
  static std::vector<CachedParameter> entries;
  return entries;
}

bool cache_order(const CachedParameter& a, const CachedParameter& b) {
  return std::tie(a.report_id, a.variant_id, a.ordinal) <
         std::tie(b.report_id, b.variant_id, b.ordinal);
}

// The name as the 50-byte key field holds it.
std::string key_of(std::string_view name) {
  return std::string(text::clip(text::fit(name, kNameCapacity)));
}

bool by_name(const ParametrWariantuRow& a, const ParametrWariantuRow& b) {
  return text::clip(a.name) < text::clip(b.name);
}

ParametrWariantuRow* loaded(std::string_view name) {
  std::string key = key_of(name);
  return dict::glo().tables.PARAMETRYWARIANTUQ.find(
      [&](const ParametrWariantuRow& r) { return text::clip(r.name) == key; });
}

std::string sql_text(std::string_view value) {
  return "'" + text::double_apostrophes(value) + "'";
}

bool from_cache(double report_id, double variant_id) {
  auto& entries = cache();
  CachedParameter first{{}, {}, 0, variant_id, report_id, 1};
  auto at = std::lower_bound(entries.begin(), entries.end(), first, cache_order);
  if (at == entries.end() || at->report_id != report_id || at->variant_id != variant_id ||
      at->ordinal != 1) {
    return false;
  }
  auto& queue = dict::glo().tables.PARAMETRYWARIANTUQ;
  for (; at != entries.end() && at->report_id == report_id && at->variant_id == variant_id; ++at) {
    queue.add_sorted({at->name, at->value, at->parameter_id, at->variant_id}, by_name);
  }
  return true;
}

void from_database(double report_id, double variant_id) {
  std::string statement =
      "select p.nazwa, w.wartosc, p.id_parametru from PARAMETR_RAPORTU p with (nolock) LEFT "
      "OUTER JOIN WARTOSC_PARAMETRU w  with (nolock) ON (p.id_parametru=w.id_parametru and "
      "w.id_wariantu=" +
      plain_id(variant_id) + " and w.id_uzytkownika=" + plain_id(dict::glo().ID_UZYTKOWNIKA) +
      ") where p.id_raportu = " + plain_id(report_id);
  if (frame::ESQL2(statement, /*quiet=*/1) != 0) {
    frame::STOP(frame::VAX2().message());
  } else {
    std::vector<CachedParameter> rows;
    while (frame::VAX2().next()) {
      rows.push_back({text::fit(frame::VAX2().field(1), kNameCapacity),
                      text::fit(frame::VAX2().field(2), kValueCapacity),
                      frame::VAX2().real_field(3), variant_id, report_id,
                      static_cast<int32_t>(rows.size() + 1)});
    }
    auto& queue = dict::glo().tables.PARAMETRYWARIANTUQ;
    for (const CachedParameter& p : rows) {
      queue.add_sorted({p.name, p.value, p.parameter_id, p.variant_id}, by_name);
    }
    auto& entries = cache();
    entries.insert(entries.end(), rows.begin(), rows.end());
    std::stable_sort(entries.begin(), entries.end(), cache_order);
  }
  frame::CLOSESQL2();
}

void forget_variant(double report_id, double variant_id) {
  std::erase_if(cache(), [&](const CachedParameter& p) {
    return p.report_id == report_id && p.variant_id == variant_id;
  });
}

std::string save_statement(const ParametrWariantuRow& row, double variant_id) {
  return "Call JL_ZapiszParametrRaportu (" + plain_id(row.parameter_id) + "," +
         plain_id(variant_id) + "," + plain_id(dict::glo().ID_UZYTKOWNIKA) + "," +
         sql_text(row.value) + ")";
}

}  // namespace

void INICJUJWARIANT(double report_id, double variant_id) {
  dict::glo().tables.PARAMETRYWARIANTUQ.clear();
  if (from_cache(report_id, variant_id)) return;
  from_database(report_id, variant_id);
}

std::string WARTOSCPARAMETRU(std::string_view name) {
  const ParametrWariantuRow* row = loaded(name);
  return row ? row->value : std::string();
}

void ZAPISZWARTOSCPARAMETRU(std::string_view name, std::string_view value) {
  ParametrWariantuRow* row = loaded(name);
  if (!row) return;
  row->value = text::fit(value, kValueCapacity);
  const dict::Records& buffers = dict::glo().records;
  std::string key = key_of(name);
  for (CachedParameter& p : cache()) {
    if (p.report_id == buffers.RAPORT.ID_RAPORTU && p.variant_id == buffers.WARIANT.ID_WARIANTU &&
        text::clip(p.name) == key) {
      p.value = row->value;
      break;
    }
  }
}

void ZAPISZWARTOSCPARAMETRUDOBAZY(std::string_view name, std::string_view value) {
  ZAPISZWARTOSCPARAMETRU(name, value);
  // An unknown name has nothing of its own to store.
  const ParametrWariantuRow* row = loaded(name);
  if (!row) return;
  frame::EXECSQL(save_statement(*row, row->variant_id));
  bool failed = frame::VAX().error() != 0;
  frame::CLOSESQL();
  if (failed) frame::MSG_OSTRZEZENIE("Błąd zapisu parametru raportu!"_w1250);
}

namespace {

// The WARIANT file as the data-dictionary layer reaches it: by its alternate key
// (ID_RAPORTU, NAZWA), inserted with a server-assigned id, deleted with its values.
bool name_taken(double report_id, std::string_view name) {
  return frame::FUNCSQL("select 1 from wariant with (nolock) where id_raportu=" +
                        plain_id(report_id) + " and nazwa=" + sql_text(name)) == "1";
}

bool read_by_key(dict::WariantRecord& rec) {
  bool found = frame::ESQL("select id_wariantu from wariant with (nolock) where id_raportu=" +
                           plain_id(rec.ID_RAPORTU) +
                           " and nazwa=" + sql_text(text::clip(rec.NAZWA))) == 0 &&
               frame::VAX().next();
  if (found) rec.ID_WARIANTU = frame::VAX().real_field(1);
  frame::CLOSESQL();
  return found;
}

bool insert_variant(const dict::WariantRecord& rec) {
  bool ok =
      frame::ESQL("insert into wariant (id_raportu, nazwa) values (" + plain_id(rec.ID_RAPORTU) +
                  "," + sql_text(text::clip(rec.NAZWA)) + ")") == 0;
  frame::CLOSESQL();
  return ok;
}

void delete_variant(const dict::WariantRecord& rec) {
  std::string id = plain_id(rec.ID_WARIANTU);
  if (frame::ESQL("delete from wartosc_parametru where id_wariantu=" + id) == 0) {
    frame::ESQL("delete from wariant where id_wariantu=" + id);
  }
  frame::CLOSESQL();
  forget_variant(rec.ID_RAPORTU, rec.ID_WARIANTU);
}

// The name column holds 50 characters. A longer name would be checked whole but stored cut,
// where it could meet another variant's name: the insert then fails and the values would go to
// the variant passed in. It is refused instead.
bool refused_as_too_long(const std::string& name) {
  if (name.size() < kVariantNameCapacity) return false;
  frame::MSG_OSTRZEZENIE(kNameTooLong);
  return true;
}

enum class Choice { Rename, Create, Delete, Cancel };

Choice ask_choice() {
  ui::MessageBox box;
  box.title = "ORVEX: Pytanie";
  box.icon = ui::Icon::Exclamation;
  box.text =
      "Czy zmienić nazwę istniejącego wariantu, |czy utworzyć nowy o "
      "wprowadzonej nazwie, |czy może usunąć wprowadzony wariant?"_w1250;
  box.buttons = ui::kOk | ui::kYes | ui::kNo | ui::kCancel;
  box.default_button = ui::kOk;
  box.captions = {"Zapisz zmianę"_w1250, "Nowy wariant", "Usuń wariant"_w1250, "Anuluj"};
  switch (ui::backend().message(box)) {
    case ui::kOk:
      return Choice::Rename;
    case ui::kYes:
      return Choice::Create;
    case ui::kNo:
      return Choice::Delete;
    default:
      return Choice::Cancel;
  }
}

// Creates the variant named `name` in the WARIANT buffer; the new id, or nullopt when the name
// is taken (after the warning) or the row could not be made or read back.
std::optional<double> create(double report_id, const std::string& name, bool& taken) {
  dict::WariantRecord& rec = dict::glo().records.WARIANT;
  rec = dict::WariantRecord{};
  rec.NAZWA = name;
  rec.ID_RAPORTU = report_id;
  taken = name_taken(report_id, name);
  if (taken) {
    frame::MSG_OSTRZEZENIE(kNameTaken);
    return std::nullopt;
  }
  if (!insert_variant(rec) || !read_by_key(rec)) return std::nullopt;
  return rec.ID_WARIANTU;
}

// false when the name is taken (after the warning).
bool rename(double report_id, const std::string& name, std::string_view old_name) {
  dict::WariantRecord& rec = dict::glo().records.WARIANT;
  rec.NAZWA = name;
  rec.ID_RAPORTU = report_id;
  if (name_taken(report_id, name)) {
    frame::MSG_OSTRZEZENIE(kNameTaken);
    return false;
  }
  frame::ESQL("update wariant  with (rowlock) set nazwa=" + sql_text(name) +
              " where id_raportu=" + plain_id(report_id) + " and nazwa=" + sql_text(old_name));
  frame::CLOSESQL();
  return true;
}

void remove(double report_id, std::string_view old_name) {
  dict::WariantRecord& rec = dict::glo().records.WARIANT;
  rec.NAZWA = text::fit(old_name, kVariantNameCapacity);
  rec.ID_RAPORTU = report_id;
  if (read_by_key(rec)) delete_variant(rec);
}

void save_values(double variant_id) {
  for (const ParametrWariantuRow& row : dict::glo().tables.PARAMETRYWARIANTUQ) {
    // A user who goes on past a failed store still gets the other values stored.
    frame::EXECSQL(save_statement(row, variant_id));
    if (frame::VAX().error() != 0) frame::STOP(frame::VAX().message());
  }
  frame::CLOSESQL();
}

}  // namespace

double ZAPISZWARIANT(double report_id, double variant_id, std::string_view new_name,
                     std::string_view old_name) {
  std::string name(text::clip(new_name));
  std::string old(text::clip(old_name));
  if (name.empty()) {
    frame::MSG_OSTRZEZENIE("Proszę wprowadzić nazwę wariantu!"_w1250);
    return 0;
  }
  double target = variant_id;
  bool taken = false;
  if (name != old && !old.empty()) {
    switch (ask_choice()) {
      case Choice::Rename:
        if (refused_as_too_long(name) || !rename(report_id, name, old)) return 0;
        break;
      case Choice::Create:
        if (refused_as_too_long(name)) return 0;
        if (auto id = create(report_id, name, taken)) target = *id;
        if (taken) return 0;
        break;
      case Choice::Delete:
        remove(report_id, old);
        return kVariantDeleted;
      case Choice::Cancel:
        return 0;
    }
  } else if (name != old) {
    if (refused_as_too_long(name)) return 0;
    if (auto id = create(report_id, name, taken)) target = *id;
  }
  save_values(target);
  return dict::glo().records.WARIANT.ID_WARIANTU;
}

std::vector<CachedParameter> variant_cache() {
  return cache();
}

void clear_variant_cache() {
  cache().clear();
}

}  // namespace orv::reports
