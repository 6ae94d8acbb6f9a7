// The discount converter (PRZELICZNIKRABATU) and the change calculator (WYDAWANIERESZTY).
#include "calc/discount.hpp"

#include "frame/messages.hpp"
#include "frame/window_conventions.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::calc {
namespace {

using ui::ControlKind;

const Decimal kHundred = Decimal::from_int(100);

// ROUND(a * b / divisor, 0.01); a zero divisor gives 0.
Decimal times_over(const Decimal& a, const Decimal& b, const Decimal& divisor) {
  return Decimal::divide(a * b, divisor, 2);
}

std::string shown(const Decimal& d) {
  return d.rescale(2).to_string();
}

// The field's typed value; an entry that cannot take the text keeps its old value.
bool take_entry(ui::Window& w, int control, int digits, Decimal& field) {
  auto v = parse_entry(w.at(control).value, digits);
  if (!v) {
    w.at(control).value = shown(field);
    return false;
  }
  field = *v;
  return true;
}

// Converter controls.
enum : int { kGroup = 1, kInput, kPercentage, kPercentSign, kAmount, kResult, kConfirm, kClose };

ui::Window discount_window() {
  ui::Window w("PrzelicznikRabatu", "Przelicznik narzutów/rabatów"_w1250);
  w.rect = {0, 0, 220, 120};
  w.add(ControlKind::Group, kGroup, "GRUPA", "Cena netto");
  w.add(ControlKind::Entry, kInput, "CENA", "Cena wejściowa"_w1250).numeric = true;
  w.add(ControlKind::Entry, kPercentage, "NR_PROCENT", "Rabat/narzut procent [-/+]").numeric = true;
  w.add(ControlKind::Label, kPercentSign, "ZNAK_PROCENT", "%");
  w.add(ControlKind::Entry, kAmount, "NR_KWOTA", "Rabat/narzut kwota [-/+]").numeric = true;
  w.add(ControlKind::Entry, kResult, "CENA_PO", "Cena z rabatem/narzutem [-/+]").numeric = true;
  w.add(ControlKind::Button, kConfirm, "ZATWIERDZ", "Zatwierdź"_w1250).key = "F10";
  w.add(ControlKind::Button, kClose, "ZAMKNIJ", "Zamknij").key = "Esc";
  return w;
}

const ui::WindowRegistrar kDiscount("PrzelicznikRabatu", "PRZELICZNIKRABATU", &discount_window);

void label_for(ui::Window& w, std::string_view kind, std::string_view subject) {
  bool gross = text::clip(kind) == "Brutto";
  if (gross) w.at(kGroup).caption = "Cena brutto";
  if (text::clip(subject) != "wartość"_w1250) return;
  w.at(kGroup).caption = gross ? "Wartość brutto"_w1250 : "Wartość netto"_w1250;
  w.at(kInput).prompt = "Wartość wejściowa"_w1250;
  w.at(kResult).prompt = "Wartość z rabatem/narzutem [-/+]"_w1250;
}

void show_fields(ui::Window& w, const DiscountFields& f) {
  w.at(kInput).value = shown(f.input);
  w.at(kPercentage).value = shown(f.percentage);
  w.at(kAmount).value = shown(f.amount);
  w.at(kResult).value = shown(f.result);
  w.display();
}

void warn_rounded(const std::optional<Decimal>& replaced) {
  if (!replaced) return;
  frame::MSG_OSTRZEZENIE("W wyniku zaokrąglenia rabat/narzut kwotowy musi wynosić "_w1250 +
                         plain_number(replaced->to_double()));
}

// True when the window may close with the values confirmed.
bool confirmable(ui::Window& w, const DiscountFields& f) {
  if (f.result > Decimal()) return true;
  frame::MSG_OSTRZEZENIE("Cena musi być dodatnia!"_w1250);
  w.set_focus(kPercentage);
  return false;
}

// One event of the converter; true when the window is to close confirmed.
bool handle_discount(ui::Window& w, const ui::Event& e, DiscountFields& f) {
  // The input price is taken as typed; nothing is recomputed from it until another field is.
  if (e.accepted(kInput)) {
    take_entry(w, kInput, 15, f.input);
  } else if (e.accepted(kPercentage) && take_entry(w, kPercentage, 7, f.percentage)) {
    percentage_entered(f);
  } else if (e.accepted(kAmount) && take_entry(w, kAmount, 15, f.amount)) {
    warn_rounded(amount_entered(f));
  } else if (e.accepted(kResult) && take_entry(w, kResult, 15, f.result)) {
    warn_rounded(result_entered(f));
  } else if (e.accepted(kConfirm)) {
    return confirmable(w, f);
  }
  return false;
}

// Change calculator controls.
enum : int { kDue = 1, kPaid, kChange, kCloseChange };

ui::Window change_window() {
  ui::Window w("WydawanieReszty", "Wydawanie reszty");
  w.rect = {0, 0, 180, 90};
  w.add(ControlKind::Entry, kDue, "NALEZNOSC_BRUTTO", "Należność"_w1250).read_only = true;
  w.add(ControlKind::Entry, kPaid, "WPLATA", "Wpłata"_w1250).numeric = true;
  w.add(ControlKind::Entry, kChange, "RESZTA", "Reszta").read_only = true;
  w.add(ControlKind::Button, kCloseChange, "ZAMKNIJ", "Zamknij").key = "Esc";
  return w;
}

const ui::WindowRegistrar kChangeWin("WydawanieReszty", "WYDAWANIERESZTY", &change_window);

void paid_entered(ui::Window& w, const Decimal& due, Decimal& paid, Decimal& change) {
  if (!take_entry(w, kPaid, 15, paid)) return;
  if (paid < due) {
    frame::MSG_OSTRZEZENIE("Proszę wprowadzić kwotę większą od należności!"_w1250);
    w.set_focus(kPaid);
    return;
  }
  change = paid - due;
}

}  // namespace

std::optional<Decimal> parse_entry(std::string_view typed, int digits) {
  std::string plain;
  for (char c : typed) {
    if (c == ',') c = '.';
    if (c != ' ') plain += c;
  }
  if (plain.empty()) return Decimal();
  // An entry field takes digits, a sign and a point; an exponent is no amount typed by hand.
  if (plain.find_first_of("eE") != std::string::npos) return std::nullopt;
  Decimal d;
  if (!Decimal::parse(plain, d)) return std::nullopt;
  d = d.rescale(2);
  __int128 limit = 1;
  for (int i = 0; i < digits; ++i) limit *= 10;
  if (d.units() >= limit || d.units() <= -limit) return std::nullopt;
  return d;
}

DiscountFields open_discount(const Decimal& percentage, const Decimal& result) {
  DiscountFields f;
  f.result = result.rescale(2);
  f.percentage = percentage.rescale(2);
  // A percentage of -100 leaves nothing to divide by: the input price reads as 0.
  f.input = times_over(f.result, kHundred, kHundred + f.percentage);
  f.amount = times_over(f.percentage, f.input, kHundred);
  return f;
}

void percentage_entered(DiscountFields& f) {
  f.amount = times_over(f.input, f.percentage, kHundred);
  f.result = f.input + f.amount;
}

std::optional<Decimal> amount_entered(DiscountFields& f) {
  f.percentage = times_over(kHundred, f.amount, f.input);  // an input price of 0 gives 0
  Decimal check = times_over(f.input, f.percentage, kHundred);
  std::optional<Decimal> replaced;
  if (check != f.amount) {
    f.amount = check;
    replaced = check;
  }
  f.result = f.input + f.amount;
  return replaced;
}

std::optional<Decimal> result_entered(DiscountFields& f) {
  f.amount = f.result - f.input;
  return amount_entered(f);
}

bool PRZELICZNIKRABATU(Decimal& percentage, Decimal& price, std::string_view kind,
                       std::string_view subject) {
  ui::Window w = discount_window();
  label_for(w, kind, subject);
  DiscountFields f = open_discount(percentage, price);
  show_fields(w, f);
  w.set_focus(kPercentage);
  frame::open_window(w, "orv_dok_lis.htm");
  bool confirmed = false;
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kClose)) break;
    if (handle_discount(w, e, f)) {
      percentage = f.percentage;
      price = f.result;
      confirmed = true;
      break;
    }
    show_fields(w, f);
  }
  w.close();
  return confirmed;
}

uint8_t WYDAWANIERESZTY(Decimal& due, Decimal& paid, Decimal& change) {
  Decimal d = due.rescale(2), p = paid.rescale(2), c = change.rescale(2);
  ui::Window w = change_window();
  w.at(kDue).value = shown(d);
  w.at(kPaid).value = shown(p);
  w.at(kChange).value = shown(c);
  w.set_focus(kPaid);
  frame::open_window(w, "han_det.htm");
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCloseChange)) break;
    if (e.accepted(kPaid)) paid_entered(w, d, p, c);
    w.at(kPaid).value = shown(p);
    w.at(kChange).value = shown(c);
    w.display();
  }
  w.close();
  due = d;
  paid = p;
  change = c;
  return 1;
}

}  // namespace orv::calc
