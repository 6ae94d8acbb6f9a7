// The error list's entries and the texts its window shows for them.
#include "payments/error_list.hpp"

#include <algorithm>

#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::payments {

namespace {
constexpr std::size_t kNameWidth = 101;  // a buffer of 100 characters
}  // namespace

void ErrorList::add(ExportError e) {
  e.field_name = text::fit(e.field_name, kNameWidth);
  e.transfer_name = text::fit(e.transfer_name, kNameWidth);
  const bool known = std::any_of(entries_.begin(), entries_.end(), [&](const ExportError& x) {
    return x.transfer_name == e.transfer_name && x.date == e.date && x.field_id == e.field_id;
  });
  if (!known) entries_.push_back(std::move(e));
}

void ErrorList::add_refusals(const std::vector<Refusal>& refusals, const Transfer& t) {
  for (const Refusal& r : refusals)
    add({r.field_name, t.name, t.date, r.field_id, r.reason, r.value});
}

ErrorList& export_errors() {
  static ErrorList list;
  return list;
}

std::string shown_field(const ExportError& e) {
  std::string name(text::clip(e.field_name));
  switch (e.reason) {
    case Reason::Missing:
      return name;
    case Reason::NumberTooLong:
      return name + " (liczba " + e.value + " nie mieści się w polu)"_w1250;
    case Reason::ValueTooLong:
      return name + " (wartość dłuższa niż 200 znaków)"_w1250;
    case Reason::TextTooLong:
      return "Cały przelew (tekst dłuższy niż 3000 znaków)"_w1250;
    case Reason::NoAddress:
      return name + " (odbiorca nie ma adresu)";
  }
  return name;
}

}  // namespace orv::payments
