// Whole-list marking and inversion: set-based steps, each checked, the finished ones undone.
#include "selection/list_marking.hpp"

#include <optional>
#include <string>

#include "frame/marked_channel.hpp"
#include "frame/messages.hpp"
#include "frame/progress_window.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"
#include "selection/list_statement.hpp"
#include "selection/marked_records.hpp"

namespace orv::selection {
namespace {

constexpr std::string_view kPrompt = "Prosz\xEA czeka\xE6 - trwa zaznaczanie ... ";

// One step on a channel; false when it failed (the channel has shown why).
using Step = bool (*)(const std::string&);

bool on_marked_channel(const std::string& statement) {
  frame::marked_execute(statement);
  return frame::VAXZAZ().error() == 0;
}

bool on_main_channel(const std::string& statement) {
  const bool ok = frame::ESQL(statement) == 0;
  frame::CLOSESQL();
  return ok;
}

bool in_progress_window(const std::string& statement) {
  frame::ExecOptions options;
  options.message = kPrompt;
  return frame::EXECSQLWIN(statement, options) == 1;
}

// The statements over one list and one marked set. Parked rows are the set's marked records of
// the list moved to kParkedOffset + code, so that a failed step can put them back.
class ListSet {
 public:
  static std::optional<ListSet> of(int32_t usage, std::string_view statement,
                                   std::string_view id_column) {
    std::string from = from_part(trim_list_statement(statement, Markers::Marking));
    if (from.empty()) return std::nullopt;
    return ListSet(usage, std::move(from), id_column);
  }

  std::string insert() const {
    return "insert into zaznaczone (id,uzycie,id_sesji) select distinct " + c_ + "," + u_ + "," +
           s_ + "  " + f_;
  }
  std::string park() const {
    return "update zaznaczone set uzycie=uzycie+" + std::to_string(kParkedOffset) +
           " where id_sesji=" + s_ + " and uzycie=" + u_ + " and " + in_list();
  }
  std::string unpark() const {
    return "update zaznaczone set uzycie=uzycie-" + std::to_string(kParkedOffset) +
           " where id_sesji=" + s_ + " and " + parked();
  }
  std::string drop_parked() const {
    return "delete from zaznaczone where id_sesji=" + s_ + " and " + parked();
  }
  std::string unmark_list() const {
    return "delete from zaznaczone where id_sesji=" + s_ + " and uzycie=" + u_ + " and " +
           in_list();
  }
  std::string unmark_parked() const {
    return "delete from zaznaczone where id_sesji=" + s_ + " and uzycie=" + u_ + " and id in (" +
           "select id from zaznaczone where id_sesji=" + s_ + " and " + parked() + ")";
  }

 private:
  ListSet(int32_t usage, std::string from, std::string_view id_column)
      : s_(plain_id(dict::glo().ID_UZYTKOWNIKA)),
        u_(std::to_string(usage)),
        c_(text::clip(id_column)),
        f_(std::move(from)) {}

  std::string in_list() const { return "id in (select distinct " + c_ + "  " + f_ + ")"; }
  std::string parked() const { return "uzycie=" + std::to_string(kParkedOffset) + "+" + u_; }

  std::string s_, u_, c_, f_;
};

// The insert runs in the progress window, which refuses a longer statement; refused before any
// step runs, the marks cannot be left half replaced.
bool fits_progress_window(const std::string& statement) {
  if (statement.size() <= frame::kMaxStatement) return true;
  frame::MSG_OSTRZEZENIE("Nie mo\xBFna zaznaczy\xE6 listy: polecenie SQL ma " +
                         std::to_string(statement.size()) +
                         " znak\xF3w, a wykona\xE6 mo\xBFna "
                         "najwy\xBF"
                         "ej " +
                         std::to_string(frame::kMaxStatement) + ". Zaznaczenia nie zmieniono.");
  return false;
}

// After the insert: the list's records leave the set and the parked ones come back. Best
// effort: a failure here was shown by the channel and nothing more can be done.
void undo_insert(const ListSet& list, Step step) {
  if (step(list.unmark_list())) step(list.unpark());
}

}  // namespace

int32_t ZAZNACZALLSQL(int32_t usage, std::string_view statement, std::string_view id_column) {
  const auto list = ListSet::of(usage, statement, id_column);
  if (!list) return ILEZAZNACZONYCH(usage);
  if (!fits_progress_window(list->insert())) return kMarkingFailed;
  // Parked rows left by a crash would be taken for this call's own.
  if (!on_marked_channel(list->drop_parked())) return kMarkingFailed;
  const std::optional<int32_t> before = checked_count(usage);
  if (!before) return kMarkingFailed;
  // An empty set has nothing to keep from being marked twice: the insert alone does it.
  const bool park = *before > 0;
  if (park && !on_marked_channel(list->park())) return kMarkingFailed;
  if (!in_progress_window(list->insert())) {
    if (park) on_marked_channel(list->unpark());
    return kMarkingFailed;
  }
  if (park && !on_marked_channel(list->drop_parked())) {
    undo_insert(*list, on_marked_channel);
    return kMarkingFailed;
  }
  return ILEZAZNACZONYCH(usage);
}

int32_t INWERSJASQL(int32_t usage, std::string_view statement, std::string_view id_column) {
  const auto list = ListSet::of(usage, statement, id_column);
  if (!list) return ILEZAZNACZONYCH(usage);
  if (!fits_progress_window(list->insert())) return kMarkingFailed;
  if (!on_main_channel(list->drop_parked())) return kMarkingFailed;
  if (!on_main_channel(list->park())) return kMarkingFailed;
  if (!in_progress_window(list->insert())) {
    on_main_channel(list->unpark());
    return kMarkingFailed;
  }
  if (!in_progress_window(list->unmark_parked()) || !on_main_channel(list->drop_parked())) {
    undo_insert(*list, on_main_channel);
    return kMarkingFailed;
  }
  return ILEZAZNACZONYCH(usage);
}

}  // namespace orv::selection
