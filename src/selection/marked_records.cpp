// The marked-set operations over the marked-record and main channels.
#include "selection/marked_records.hpp"

#include <string>

#include "frame/marked_channel.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/numbers.hpp"

namespace orv::selection {
namespace {

std::string user() {
  return plain_id(dict::glo().ID_UZYTKOWNIKA);
}

// "&RetCode = call <procedure>(company,user,A,B)" on the main channel; the bound 8-bit
// variable starts at 0 and receives the procedure's return value.
uint8_t call_with_return_code(const char* procedure, int32_t first, int32_t second) {
  std::string statement = std::string("&RetCode = call ") + procedure + "(" +
                          plain_id(dict::glo().ID_FIRMY) + "," + user() + "," +
                          std::to_string(first) + "," + std::to_string(second) + ")";
  frame::EXECSQL(statement);
  uint8_t ret_code = 0;
  if (frame::VAX().error() == 0) {
    if (auto value = frame::VAX().variable("RetCode")) {
      // The server's int lands in an 8-bit variable: its low byte, so a failing -1 stays 255.
      ret_code = static_cast<uint8_t>(text::long_of(*value));
    }
  }
  frame::CLOSESQL();
  return ret_code;
}

}  // namespace

void ZAZNACZSQL(int32_t usage, double id, std::optional<double> id2) {
  const std::string s = user(), u = std::to_string(usage), i = plain_id(id);
  if (id2 && *id2 != 0) {
    const std::string j = plain_id(*id2);
    frame::marked_execute("if not exists (select 1 from zaznaczone with (nolock) where id_sesji= " +
                          s + " and uzycie= " + u + " and id= " + i + " and id2= " + j +
                          ") begin  " + " insert into zaznaczone (id_sesji,uzycie,id,id2) values(" +
                          s + "," + u + "," + i + "," + j + ") end ");
    return;
  }
  frame::marked_execute("Call JL_Zaznacz (" + s + "," + u + "," + i + ")");
}

void ODZNACZSQL(int32_t usage, double id) {
  frame::marked_execute("Call JL_Odznacz (" + user() + "," + std::to_string(usage) + "," +
                        plain_id(id) + ")");
}

void ODZNACZALLSQL(int32_t usage) {
  frame::marked_execute("Call JL_OdznaczAll (" + user() + "," + std::to_string(usage) + ")");
}

std::optional<int32_t> checked_count(int32_t usage) {
  const std::string count = frame::marked_query(
      "select count(*) from zaznaczone with (nolock) where uzycie=" + std::to_string(usage) +
      " and id_sesji=" + user());
  if (frame::VAXZAZ().error() != 0) return std::nullopt;
  return text::long_of(count);
}

int32_t ILEZAZNACZONYCH(int32_t usage) {
  return checked_count(usage).value_or(0);
}

uint8_t ZACHOWAJ_TORIX_ZAZNACZONE(int32_t first, int32_t second) {
  return call_with_return_code("RM_Zachowaj_TORIX_zaznaczone", first, second);
}

uint8_t PRZYWROC_TORIX_ZAZNACZONE(int32_t first, int32_t second) {
  return call_with_return_code("RM_Przywroc_TORIX_zaznaczone", first, second);
}

}  // namespace orv::selection
