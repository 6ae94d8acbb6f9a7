// Writing the payment file: one pass over the selection's rows, each transfer built, checked
// and written at once, so memory does not grow with the number of transfers.
#include "payments/payment_writer.hpp"

#include <optional>

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "payments/error_list.hpp"
#include "payments/error_window.hpp"
#include "payments/export_scheme.hpp"
#include "payments/transfer_source.hpp"
#include "payments/transfer_text.hpp"
#include "payments/write_progress.hpp"
#include "platform/dict/context.hpp"
#include "platform/files/files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"

namespace orv::payments {
namespace {

// One export's file and counts; `failure` is the warning that stopped it.
struct Run {
  files::OutputFile out;
  ExportOutcome outcome;
  std::string failure;
  OnceRegister once;
};

// A record of the file: the text without its trailing blanks, ended by CR LF.
std::string record_of(std::string_view text) {
  std::string r(text::clip(text));
  r += "\r\n";
  return r;
}

bool write_one(const TextBuilder& builder, const Transfer& t, Run& run) {
  TransferText tt = builder.build(t, run.once);
  export_errors().add_refusals(tt.refusals, t);
  if (tt.text.empty()) return true;
  if (!run.out.write(record_of(tt.text))) {
    run.failure = "Wystapił błąd dodawania linii "_w1250 + std::to_string(run.outcome.written + 1) +
                  "|" + text::from_utf8(run.out.error());
    return false;
  }
  ++run.outcome.written;
  run.once.insert(tt.once_written.begin(), tt.once_written.end());
  return true;
}

void write_transfers(int32_t usage, double scheme_id, Run& run) {
  ui::BusyCursor busy;
  const Company company = read_company(dict::glo().ID_FIRMY);
  const ExportScheme scheme = read_scheme(scheme_id);
  const TextBuilder builder(scheme.positions, scheme.page, company);
  const double user = dict::glo().ID_UZYTKOWNIKA;
  // Counted on channel 2, whose connection then reads the selection: one page cache, not two.
  const int64_t total = text::long_of(frame::FUNCSQL2(count_statement(usage, user)));
  std::optional<WriteProgress> progress;
  if (frame::ESQL2(selection_statement(usage, user)) == 0) {
    while (frame::VAX2().next()) {
      if (!progress) progress.emplace(total);
      const Transfer t = transfer_of_row(frame::VAX2());
      ++run.outcome.read;
      if (!write_one(builder, t, run)) break;
      progress->advance();
    }
  }
  frame::CLOSESQL2();
}

void summary(const ExportOutcome& o, const std::string& name) {
  std::string text =
      "Ilość poprawnie utworzonych poleceń przelewu: "_w1250 + std::to_string(o.written);
  if (o.read > o.written) {
    text += "|Ilość pominiętych dokumentów: "_w1250 + std::to_string(o.read - o.written);
  }
  if (o.written > 0) text += "|Utworzono plik: " + name;
  frame::MSG_INFORMACJA(text);
}

// The file whole under its name, or nothing of it: a failed write or a failed close is
// reported and the summary, which would claim a file, is not shown. Without a record there is
// no payment file to make (a bank refuses an empty one): the summary says 0 and names no file.
void finish(Run& run, const std::string& name) {
  if (run.failure.empty() && run.outcome.written == 0) {
    run.out.discard();
    return summary(run.outcome, name);
  }
  if (run.failure.empty() && !run.out.commit()) {
    run.failure = "Błąd zamknięcia pliku "_w1250 + name + "|" + text::from_utf8(run.out.error());
  }
  if (run.failure.empty()) return summary(run.outcome, name);
  run.out.discard();
  run.outcome.failed = true;
  frame::MSG_OSTRZEZENIE(run.failure);
}

}  // namespace

ExportOutcome write_payment_file(int32_t usage, double scheme_id, const std::string& file_name) {
  const std::string name(text::clip(file_name));
  ErrorList& errors = export_errors();
  errors.clear();
  Run run;
  if (!run.out.open(text::to_utf8(name))) {
    frame::MSG_OSTRZEZENIE("Błąd utworzenia pliku "_w1250 + name + "|" +
                           text::from_utf8(run.out.error()));
    run.outcome.failed = true;
    return run.outcome;
  }
  write_transfers(usage, scheme_id, run);
  finish(run, name);
  if (!errors.empty()) BLEDY_EXPORTU_MC();
  errors.clear();
  return run.outcome;
}

}  // namespace orv::payments
