// Locking, unlocking and the posting mark of marked records, told with Polish plural endings.
#include "selection/group_operations.hpp"

#include <optional>

#include "config/permissions.hpp"
#include "frame/exec_log.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "selection/marked_records.hpp"

namespace orv::selection {
namespace {

struct ListKind {
  std::string_view name, table, id_column, permission, log_object;
};

constexpr ListKind kListKinds[] = {
    {"DOKMAG_BRW", "dokument_magazynowy", "id_dok_magazynowego", "BlokDokMag", "DOK_MAG"},
    {"DOKHAN_BRW", "dokument_handlowy", "id_dokumentu_handlowego", "BlokDokHandl", "DOK_HAN"},
    {"DOKFIN_BRW", "dokument_finansowy", "id_dokumentu_finansowego", "BlokDokFin", "DOK_FIN"},
    {"ZAM_BRW", "zamowienie", "id_zamowienia", "BlokDokZam", ""},
    {"ART_BRW", "artykul", "id_artykulu", "BlokArt", ""},
};

// New value and expected old value of the lock or posting flag.
struct Operation {
  std::string_view code;
  int new_value, old_value;
  bool posting;
};

constexpr Operation kOperations[] = {
    {"1111_000_BLOKDOK", 1, 0, false},   {"1111_000_ODBLOKDOK", 0, 1, false},
    {"1111_000_BLOKART", 1, 0, false},   {"1111_000_ODBLOKART", 0, 1, false},
    {"1111_000_DO_KSIEGOW", 1, 0, true}, {"1111_000_OD_KSIEGOW", 0, 1, true},
};

// Appended to the update so that the message counts the rows it changed, not the rows marked.
constexpr std::string_view kRowCount = " select @@ROWCOUNT";

const ListKind* find_kind(std::string_view name) {
  for (const ListKind& k : kListKinds) {
    if (k.name == text::clip(name)) return &k;
  }
  return nullptr;
}

const Operation* find_operation(std::string_view code) {
  for (const Operation& o : kOperations) {
    if (o.code == text::clip(code)) return &o;
  }
  return nullptr;
}

std::string document_ending(int32_t n) {
  return std::string(plural(n, " dokument.", " dokumenty.", " dokument\xF3w."));
}

// The count of the marked set, nothing when the query failed (the channel showed why): a failed
// count must not turn the operation on the marked set into one on the current record.
std::optional<int32_t> scalar_count(const std::string& statement) {
  const std::string value = frame::FUNCSQL(statement);
  if (frame::VAXFSQL().error() != 0) return std::nullopt;
  return text::long_of(value);
}

void mark_for_posting(const ListKind& kind, const Operation& op, const std::string& selection,
                      double current_id) {
  const std::optional<int32_t> changed = scalar_count(
      "call RM_UstawDoKsiegowania('" + std::string(kind.table) + "'," +
      std::to_string(op.new_value) + "," + std::to_string(op.old_value) + ",'" +
      std::string(kind.id_column) + "'," + std::to_string(0) + ",'" + selection + "')");
  if (changed) {
    const std::string count = " " + std::to_string(*changed) + document_ending(*changed);
    const bool marking = op.new_value == 1;
    frame::MSG_INFORMACJA((marking ? "Oznaczono do zaksi\xEAgowania" : "Odblokowano do edycji") +
                          count);
    frame::ZAPISZDOLOGU(current_id, kind.log_object, 4,
                        text::fit((marking ? "Oznaczono do zaksi\xEAgowania"
                                           : "Wycofano oznaczenie do zaksi\xEAgowania - ") +
                                      count,
                                  101));
  }
  frame::CLOSESQL();
}

// The update and the number of rows it changed; nothing when it failed (and was shown).
std::optional<int32_t> run_update(const std::string& statement) {
  frame::EXECSQL(statement + std::string(kRowCount));
  if (frame::VAX().error() != 0) {
    frame::MSG_OSTRZEZENIE(frame::VAX().message());
    frame::CLOSESQL();
    return std::nullopt;
  }
  const int32_t changed = frame::VAX().next() ? text::long_of(frame::VAX().field(1)) : 0;
  frame::CLOSESQL();
  return changed;
}

void tell_locked(bool documents, bool locking, int32_t marked, int32_t changed) {
  const std::string done = locking ? "Zablokowano" : "Odblokowano";
  if (marked > 0) {
    const std::string ending =
        documents
            ? document_ending(changed)
            : std::string(plural(changed, " artyku\xB3.", " artyku\xB3y.", " artyku\xB3\xF3w."));
    return frame::MSG_INFORMACJA(done + " " + std::to_string(changed) + ending);
  }
  const std::string noun = documents ? "Dokument" : "Artyku\xB3";
  const std::string state = locking ? "zablokowany" : "odblokowany";
  if (changed > 0) return frame::MSG_INFORMACJA(noun + " zosta\xB3 " + state + ".");
  // The single-record form skips a record already in that state or being edited by someone.
  frame::MSG_OSTRZEZENIE(noun + " nie zosta\xB3 " + state + " - jest ju\xBF " + state +
                         " lub kto\x9C go edytuje.");
}

void lock(const ListKind& kind, const Operation& op, const std::string& selection, int32_t marked,
          double current_id) {
  const bool documents = op.code.find("DOK") != std::string_view::npos;
  const bool locking = op.new_value == 1;
  const std::string noun = documents ? (marked > 0 ? "dokument\xF3w" : "dokumentu")
                                     : (marked > 0 ? "artyku\xB3\xF3w" : "artyku\xB3u");
  if (config::POBIERZUPRAWNIENIE(kind.permission) == 0) {
    return frame::MSG_OSTRZEZENIE("Brak uprawnie\xF1 na operacj\xEA blokowania/odblokowania " +
                                  noun + "!");
  }
  if (frame::MSG_PYTANIE("Czy wykona\xE6 operacj\xEA " +
                         std::string(locking ? "blokowania" : "odblokowania") + " " + noun + "?") !=
      2) {
    return;
  }
  const std::string flag = documents ? "dok_zablokowany" : "zablokowany";
  std::string statement = "update " + std::string(kind.table) + " set " + flag + "=" +
                          std::to_string(op.new_value) + " where " + flag + " =" +
                          std::to_string(op.old_value) + " and " + std::string(kind.id_column);
  statement += marked > 0 ? " in (select id " + selection + ")"
                          : "=" + plain_id(current_id) + " and semafor is null";
  if (const auto changed = run_update(statement)) tell_locked(documents, locking, marked, *changed);
}

}  // namespace

std::string_view plural(int64_t count, std::string_view one, std::string_view few,
                        std::string_view many) {
  if (count == 1) return one;
  if (count >= 2 && count <= 4) return few;
  return many;
}

void WYKONAJOPERACJE(std::string_view list_kind, std::string_view operation, int32_t usage,
                     double current_id) {
  const ListKind* kind = find_kind(list_kind);
  if (!kind) {
    return frame::MSG_OSTRZEZENIE("Nieznany rodzaj listy: \"" + std::string(text::clip(list_kind)) +
                                  "\". Operacji nie wykonano.");
  }
  const Operation* op = find_operation(operation);
  if (!op) {
    return frame::MSG_OSTRZEZENIE("Nieznana operacja: \"" + std::string(text::clip(operation)) +
                                  "\". Operacji nie wykonano.");
  }
  const std::string selection =
      text::fit(" from zaznaczone where uzycie=" + std::to_string(usage) +
                    " and id_sesji=" + plain_id(dict::glo().ID_UZYTKOWNIKA),
                100);
  const std::optional<int32_t> marked = scalar_count("select count(*) " + selection);
  if (!marked) return;
  if (op->posting) return mark_for_posting(*kind, *op, selection, current_id);
  lock(*kind, *op, selection, *marked, current_id);
}

}  // namespace orv::selection
