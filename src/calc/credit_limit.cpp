// The credit-limit check (WALIDACJALIMITU) and the payer's limit window (LIMITKUPIECKI).
#include "calc/credit_limit.hpp"

#include <algorithm>
#include <cstdint>

#include "config/authorisation.hpp"
#include "config/parameters.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::calc {
namespace {

using ui::ControlKind;

constexpr const char* kPasswordFunction = "LIMIT_KUPIECKI";
// The server counts days from 1 January 1900, which is day 36163 here.
constexpr int32_t kServerEpoch = 36163;
constexpr const char* kOverdueCaption = "Przeterminowane transakcje nierozliczone";
constexpr const char* kRefusalTail = "|Odmowa wystawienia faktury.";

bool configured(const char* code) {
  return text::clip(config::POBIERZPARAMKONF("s", code)) == "Tak";
}

// A column as an amount of 2 places; an empty (NULL) or unreadable one is 0.
Decimal amount(const std::string& field) {
  Decimal d;
  return Decimal::parse(field, d) ? d.rescale(2) : Decimal();
}

// The customer's row, fetched by its key; false when there is none.
bool fetch_customer(double customer_id, LimitFigures& f) {
  frame::EXECSQL("select nazwa from kontrahent with (nolock) where id_kontrahenta=" +
                 plain_id(customer_id));
  f.customer_found = frame::VAX().next();
  if (f.customer_found) f.customer_name = frame::VAX().field(1);
  frame::CLOSESQL();
  return f.customer_found;
}

void read_payer(double payer_id, LimitFigures& f) {
  frame::ESQL(
      "select nazwa,limit_kupiecki,blokowanie,dni_po_terminie from kontrahent where "
      "id_kontrahenta=" +
      plain_id(payer_id));
  frame::VAX().next();
  f.payer_name = text::fit(frame::VAX().field(1), 51);
  f.limit = amount(frame::VAX().field(2));
  f.blocking = frame::VAX().byte_field(3);
  f.days_overdue = frame::VAX().long_field(4);
}

void read_balance(double payer_id, double document_id, int32_t date, LimitFigures& f) {
  frame::ESQL("call AP_ObliczSaldoKontrahenta(" + plain_id(payer_id) + "," + plain_id(document_id) +
              "," + std::to_string(date) + "," + std::to_string(f.blocking) + ")");
  frame::VAX().next();
  f.overdue_receivables = amount(frame::VAX().field(1));
  f.overdue_payables = amount(frame::VAX().field(2));
  std::string last = frame::VAX().field(3);
  if (!text::trim(last).empty()) {
    f.last_transaction = static_cast<int32_t>(
        std::min<int64_t>(int64_t{text::long_of(last)} + kServerEpoch, INT32_MAX));
  }
  f.all_receivables = amount(frame::VAX().field(4));
  f.all_payables = amount(frame::VAX().field(5));
  f.issues = amount(frame::VAX().field(6));
  frame::CLOSESQL();
}

}  // namespace

LimitFigures load_limit_figures(double customer_id, double payer_id, double document_id,
                                int32_t date) {
  LimitFigures f;
  if (!fetch_customer(customer_id, f)) return f;
  read_payer(payer_id, f);
  read_balance(payer_id, document_id, date, f);
  const char* issues = configured("WliczajWZDoLimitu") ? "1" : "0";
  f.available =
      amount(frame::FUNCSQL("select dbo.AP_Func_PodajLimitKontrDoWykorz(" + plain_id(payer_id) +
                            ",0,0,0," + std::to_string(date) + "," + issues + ")"));
  return f;
}

std::optional<std::string> limit_refusal(const LimitFigures& f, const Decimal& sale_amount) {
  switch (f.blocking) {
    case 2:
      if (f.overdue_receivables > Decimal()) {
        return "Dla płatnika "_w1250 + std::string(text::clip(f.payer_name)) +
               " istnieją przeterminowane należności!"_w1250 + kRefusalTail;
      }
      return std::nullopt;
    case 3:
      if (sale_amount + f.overdue_receivables > f.limit) {
        return std::string(
                   "Suma przeterminowanych należności i kwoty transakcji jest "
                   "większa niż przyznany limit!"_w1250) +
               kRefusalTail;
      }
      return std::nullopt;
    case 4:
      if (sale_amount + f.all_receivables > f.limit) {
        return std::string(
                   "Suma wszystkich należności i kwoty transakcji jest "
                   "większa niż przyznany limit!"_w1250) +
               kRefusalTail;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

namespace {

enum : int {
  kCustomer = 1,
  kPayer,
  kLimit,
  kAvailable,
  kOverdueGroup,
  kOverdueReceivables,
  kOverduePayables,
  kAllGroup,
  kLastTransaction,
  kAllReceivables,
  kAllPayables,
  kIssues,
  kConfirm,
  kConfirmHint,
  kCancel,
  kCancelHint,
};

ui::Control& shown_entry(ui::Window& w, int number, const char* id, const char* prompt) {
  ui::Control& c = w.add(ControlKind::Entry, number, id, prompt);
  c.read_only = true;
  return c;
}

ui::Window limit_window() {
  ui::Window w("LimitKupiecki", "Limit kupiecki płatnika"_w1250);
  w.rect = {0, 0, 260, 200};
  shown_entry(w, kCustomer, "KONTRAHENT", "Kontrahent");
  shown_entry(w, kPayer, "PLATNIK", "Płatnik"_w1250);
  shown_entry(w, kLimit, "LIMIT", "Przyznany limit");
  shown_entry(w, kAvailable, "DO_WYKORZYSTANIA", "Do wykorzystania");
  w.add(ControlKind::Group, kOverdueGroup, "PRZETERMINOWANE", kOverdueCaption);
  shown_entry(w, kOverdueReceivables, "NALEZNOSCI_PRZET", "Należności"_w1250);
  shown_entry(w, kOverduePayables, "ZOBOWIAZANIA_PRZET", "Zobowiązania"_w1250);
  w.add(ControlKind::Group, kAllGroup, "WSZYSTKIE", "Wszystkie transakcje nierozliczone");
  shown_entry(w, kLastTransaction, "DATA_OSTATNIEJ", "Data ostatniej transakcji");
  shown_entry(w, kAllReceivables, "NALEZNOSCI", "Należności"_w1250);
  shown_entry(w, kAllPayables, "ZOBOWIAZANIA", "Zobowiązania"_w1250);
  shown_entry(w, kIssues, "KWOTA_WYDAN", "Kwota wydań"_w1250);
  w.add(ControlKind::Button, kConfirm, "ZATWIERDZ", "Zatwierdź"_w1250).key = "F10";
  w.add(ControlKind::Label, kConfirmHint, "F10", "F10");
  w.add(ControlKind::Button, kCancel, "ANULUJ", "Anuluj").key = "Esc";
  w.add(ControlKind::Label, kCancelHint, "ESC", "Esc");
  return w;
}

const ui::WindowRegistrar kLimitWindow("LimitKupiecki", "LIMITKUPIECKI", &limit_window);

std::string money(const Decimal& d) {
  return d.rescale(2).to_string();
}

void show_figures(ui::Window& w, const LimitFigures& f) {
  w.at(kCustomer).value = f.customer_name;
  w.at(kPayer).value = f.payer_name;
  w.at(kLimit).value = money(f.limit);
  w.at(kAvailable).value = money(f.available);
  if (f.days_overdue > 0) {
    w.at(kOverdueGroup).caption =
        std::string(kOverdueCaption) + " (" + std::to_string(f.days_overdue) + " dni po terminie)";
  }
  w.at(kOverdueReceivables).value = money(f.overdue_receivables);
  w.at(kOverduePayables).value = money(f.overdue_payables);
  w.at(kLastTransaction).value =
      f.last_transaction ? picture::format(static_cast<double>(f.last_transaction), "@d17") : "";
  w.at(kAllReceivables).value = money(f.all_receivables);
  w.at(kAllPayables).value = money(f.all_payables);
  w.at(kIssues).value = money(f.issues);
}

// The confirm handler's result: refusals either warn or ask the function password instead.
uint8_t confirmed(uint8_t window_mode, const LimitFigures& f, const Decimal& sale_amount) {
  if (window_mode != 2) return 1;
  std::optional<std::string> refusal = limit_refusal(f, sale_amount);
  if (!refusal) return 1;
  if (configured("BlokFuncHaslo")) return config::function_password(kPasswordFunction) == 1 ? 1 : 0;
  frame::MSG_OSTRZEZENIE(*refusal);
  return 0;
}

}  // namespace

uint8_t LIMITKUPIECKI(uint8_t window_mode, double customer_id, double payer_id, double sale_amount,
                      double document_id, std::optional<int32_t> date) {
  int32_t day = date && *date != 0 ? *date : date::today();
  LimitFigures f = load_limit_figures(customer_id, payer_id, document_id, day);
  ui::Window w = limit_window();
  show_figures(w, f);
  // A customer that cannot be read skips the rest of the opening, the view-only look included:
  // the window stays as designed and confirming passes, as it does with every value 0.
  if (window_mode == 1 && f.customer_found) {
    w.at(kConfirm).hidden = true;
    w.at(kConfirmHint).hidden = true;
    w.at(kCancel).caption = "Zamknij";
  }
  frame::open_window(w, "kar_kon.htm");
  Decimal sale = Decimal::from_double(sale_amount).rescale(4);
  uint8_t result = 0;
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancel)) break;
    if (e.accepted(kConfirm) && !w.at(kConfirm).hidden) {
      result = confirmed(window_mode, f, sale);
      break;
    }
  }
  w.close();
  return result;
}

uint8_t WALIDACJALIMITU(double customer_id, double payer_id, uint8_t mode, double payer_limit,
                        double deduction) {
  std::string name =
      frame::FUNCSQL("select nazwa from kontrahent where id_kontrahenta=" + plain_id(payer_id));
  name = text::fit(name, 50);
  if (mode == 0) return 0;
  if (mode == 1) {
    if (configured("BlokFuncHaslo") && config::function_password(kPasswordFunction) == 1) return 0;
    frame::MSG_OSTRZEZENIE("Sprzedaż dla płatnika "_w1250 + std::string(text::clip(name)) +
                           " jest zablokowana!");
    return 1;
  }
  if (mode > 4) return 0;
  const dict::DokumentHandlowyRecord& doc = dict::glo().records.DOKUMENT_HANDLOWY;
  Decimal open = doc.WARTOSC_BRUTTO - Decimal::from_double(deduction) - doc.ZAPLACONO;
  if ((mode == 3 || mode == 4) && !(payer_limit > 0.0)) return 0;
  if (!(open > Decimal())) return 0;
  uint8_t shown =
      LIMITKUPIECKI(2, customer_id, payer_id, open.to_double(), doc.ID_DOKUMENTU_HANDLOWEGO);
  return shown == 1 ? 0 : 1;
}

}  // namespace orv::calc
