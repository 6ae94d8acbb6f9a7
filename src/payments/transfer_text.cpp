// Walking a scheme's positions for one transfer; what would change the transfer's data refuses
// it instead (a number cut, a value or text over its limit, an address line that does not exist).
#include "payments/transfer_text.hpp"

#include <algorithm>

#include "payments/field_text.hpp"
#include "platform/text/text.hpp"

namespace orv::payments {

// The state of one transfer's walk over the positions.
struct TextBuilder::Walk {
  std::string text;
  std::vector<Refusal> refusals;
  std::vector<int64_t> once;
  int64_t previous = 0;
  std::size_t counter = 0;
  Pieces names;  // the counterparty's and the company's names share one remainder
  Pieces title;
};

namespace {

bool is_address_line(int64_t id) {
  return id >= field::kPostalCode && id <= field::kStreetLine;
}

bool address_missing(int64_t id, const Transfer& t) {
  if (!is_address_line(id)) return false;
  return id == field::kStreetLine ? t.street_missing : t.city_missing;
}

void drop_char_of(std::string& v, const std::string& marker) {
  if (text::clip(marker).empty()) return;
  v.erase(std::remove(v.begin(), v.end(), marker.front()), v.end());
}

std::string in_pieces(Pieces& pieces, const std::string& whole, bool fresh, const Position& p) {
  if (fresh) pieces.load(whole);
  return pieces.next(static_cast<std::size_t>(std::max(0, p.length)));
}

// The values a counterparty (Transfer) and the company share by field id 1-10 / 51-60.
struct Party {
  const std::string& city_line;
  const std::string& street_line;
  const std::string& account;
};

std::string party_value(int64_t id, const Party& party, const std::string& check) {
  switch (id) {
    case field::kPostalCode:
      return postal_code(party.city_line);
    case field::kTown:
      return town(party.city_line);
    case field::kCityLine:
      return party.city_line;
    case field::kStreetLine:
      return party.street_line;
    case field::kSortCode:
      return account_part(party.account, AccountPart::SortCode);
    case field::kAccountNumber:
      return account_part(party.account, AccountPart::Number);
    case field::kAccountNoCheck:
      return account_part(party.account, AccountPart::WithoutCheck);
    case field::kCheckDigits:
      return check;
    case field::kAccount:
      return party.account;
    default:
      return {};
  }
}

}  // namespace

std::string TextBuilder::value(const Position& p, const Transfer& t, Walk& w) const {
  if (!p.system_element) return p.constant;
  const int64_t id = p.field_id;
  const bool fresh = id != w.previous;
  if (id == field::kName) return in_pieces(w.names, t.name, fresh, p);
  if (id == field::kName + field::kCompanyOffset)
    return in_pieces(w.names, company_.name, fresh, p);
  if (id == field::kTitle) return in_pieces(w.title, t.title, fresh, p);
  if (id == field::kAmount) return amount_text(t.amount, p.format_separator);
  if (id == field::kDate) return date_text(t.date, p.date_pattern, p.format_separator);
  if (id > field::kName && id <= field::kAccount) {
    return party_value(id, {t.city_line, t.street_line, t.account}, check_digits(t.account));
  }
  const int64_t own = id - field::kCompanyOffset;
  if (own > field::kName && own <= field::kAccount) {
    return party_value(own, {company_.city_line, company_.street_line, t.company_account},
                       t.company_check);
  }
  return {};
}

void TextBuilder::add_position(const Position& p, const Transfer& t, Walk& w) const {
  auto refuse = [&](Reason r, std::string shown = {}) {
    w.refusals.push_back({p.field_id, p.field_name, r, std::move(shown)});
  };
  w.text += p.prefix;
  std::string v = value(p, t, w);
  if (v.size() > kMaxValue) refuse(Reason::ValueTooLong);
  if (p.system_element && address_missing(p.field_id, t)) refuse(Reason::NoAddress);
  drop_char_of(v, p.prefix);
  drop_char_of(v, p.suffix);
  Formatted f = format_value(v, p, page_);
  if (f.refused) refuse(Reason::NumberTooLong, f.text);
  w.text += f.text;
  w.text += p.suffix;
  w.text += p.separator;
  if (p.line_end && w.counter != positions_.size()) w.text += "\r\n";
  w.previous = p.field_id;
  if (p.required && missing_value(f.text, p, t.date)) refuse(Reason::Missing);
}

TransferText TextBuilder::build(const Transfer& t, const OnceRegister& written) const {
  Walk w;
  for (const Position& p : positions_) {
    ++w.counter;
    if (p.once_per_file) {
      const bool met = written.count(p.field_id) != 0 ||
                       std::find(w.once.begin(), w.once.end(), p.field_id) != w.once.end();
      if (met) continue;
      w.once.push_back(p.field_id);
    }
    add_position(p, t, w);
  }
  if (w.refusals.empty() && w.text.size() > kMaxText) {
    w.refusals.push_back({0, {}, Reason::TextTooLong, {}});
  }
  TransferText out;
  if (w.refusals.empty()) {
    out.text = std::move(w.text);
    out.once_written = std::move(w.once);
  }
  out.refusals = std::move(w.refusals);
  return out;
}

}  // namespace orv::payments
