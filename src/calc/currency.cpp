// Exchange-rate factors, purchase prices, typed rates and unit conversion over the main channel.
#include "calc/currency.hpp"

#include "config/authorisation.hpp"
#include "config/parameters.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/date/date.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

constexpr double kFactorStep = 0.000001;
constexpr double kMoneyStep = 0.01;
// Quantities are kept with 4 places everywhere in the database.
constexpr double kQuantityStep = 0.0001;

std::string short_date(int32_t day) {
  return picture::format(static_cast<double>(day), "@d17");
}

// Codes are data: an apostrophe in one must not end the quoted text.
std::string quoted(std::string_view code) {
  return "'" + text::double_apostrophes(code) + "'";
}

int32_t resolve_kind(int32_t* kind) {
  if (!kind) return default_rate_kind();
  if (*kind == 1) *kind = default_rate_kind();
  return *kind;
}

// The factor of the first row (6 places), or nullopt when the server gave none.
std::optional<double> fetch_factor(std::string_view statement) {
  frame::EXECSQL(statement);
  std::optional<double> factor;
  if (frame::VAX().next()) factor = round_to(frame::VAX().real_field(1), kFactorStep);
  frame::CLOSESQL();
  return factor;
}

}  // namespace

int32_t default_rate_kind() {
  return text::clip(config::POBIERZPARAMKONF("s", "PropKursBanku")) == "ECB" ? kRatesEcb
                                                                             : kRatesNbp;
}

double WAL_POBIERZPRZELICZNIK(std::string_view currency1, std::string_view currency2,
                              std::optional<int32_t> date, std::optional<double> divisor,
                              int32_t* kind) {
  if (text::clip(currency1) == text::clip(currency2)) return 1.0;
  int32_t day = date && *date != 0 ? *date : date::today();
  // With a divisor the factor is that of currency1 alone.
  std::string_view second = divisor ? std::string_view() : currency2;
  int32_t source = resolve_kind(kind);
  std::optional<double> factor =
      fetch_factor("call AP_PobierzKursWaluty(" + quoted(currency1) + "," + quoted(second) + "," +
                   std::to_string(day) + "," + std::to_string(source) + ")");
  if (!factor) {
    // The day shown is today's whatever day was asked: the message speaks of the rate tables.
    frame::MSG_OSTRZEZENIE("Na dzień "_w1250 + short_date(date::today()) +
                           " nie zdefiniowano kursów walut!"_w1250);
    factor = 1.0;
  }
  if (!divisor) return round_to(*factor, kFactorStep);
  if (*divisor == 0) return 0;
  return round_to(*factor / *divisor, kFactorStep);
}

double WAL_WYLICZCENEZAKUPU(std::string_view currency1, double price1, double price2,
                            std::string_view currency2, double rate, uint8_t direction) {
  if (direction == 0) {
    if (text::clip(currency2).empty()) return price1;
    return rate == 0 ? 0 : round_to(price1 / rate, kMoneyStep);
  }
  if (text::clip(currency2) == text::clip(currency1)) return price2;
  return round_to(price2 * rate, kMoneyStep);
}

uint8_t AKTUALIZACJAKURSUWAL(std::string_view currency, double rate, std::optional<int32_t> date,
                             std::optional<int32_t> kind) {
  int32_t day = date ? *date : date::today();
  int32_t source = kind ? *kind : default_rate_kind();
  std::string question = "Czy dodać/zaktualizować kurs "_w1250 + plain_number(rate) +
                         " dla waluty " + std::string(text::clip(currency)) +
                         " w tabeli kursów walut na dzień "_w1250 + short_date(day) + " ?";
  if (frame::MSG_PYTANIE(question) != 2) return 0;
  if (config::permission("BankiKursWal") == 0) {
    frame::MSG_OSTRZEZENIE("Brak uprawnień na edycję kursów walut!"_w1250);
    return 0;
  }
  frame::EXECSQL("call AP_AktualizujKursWaluty(" + std::to_string(day) + "," +
                 std::to_string(date::clock()) + "," + quoted(currency) + "," + plain_number(rate) +
                 "," + std::to_string(source) + ")");
  if (frame::VAX().error() == 0) return 1;
  frame::MSG_OSTRZEZENIE(frame::VAX().message());
  return 0;
}

void JEDDOKNAJEDMAG(double article_id, std::string_view unit, double quantity,
                    std::string* base_unit, double* base_quantity) {
  std::string id = plain_number(article_id);
  frame::EXECSQL("select j.przelicznik from artykul a,jednostka j  where  a.id_artykulu=" + id +
                 " and a.id_artykulu=j.id_artykulu and j.skrot=" + quoted(text::clip(unit)));
  double converter = frame::VAX().next() ? frame::VAX().real_field(1) : 1.0;
  frame::EXECSQL(
      "select j.skrot from artykul a,jednostka j  where a.id_jednostki=j.id_jednostki and "
      "a.id_artykulu=" +
      id);
  std::string base = frame::VAX().next() ? frame::VAX().field(1) : std::string();
  frame::CLOSESQL();
  if (base_unit) *base_unit = base;
  if (base_quantity) *base_quantity = round_to(quantity * converter, kQuantityStep);
}

std::string DODAJTEKSTJESLINIEMA(std::string_view addition, std::string_view text) {
  std::string_view add = text::clip(addition);
  std::string_view base = text::clip(text);
  if (text::upper(base).find(text::upper(add)) != std::string::npos) return std::string(base);
  std::string out(base);
  if (!out.empty()) out += ' ';
  out += add;
  return out;
}

}  // namespace orv::calc
