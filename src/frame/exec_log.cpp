// ZAPISZDOLOGU and ADDWATCH.
#include "frame/exec_log.hpp"

#include <string>

#include "frame/marked_channel.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"

namespace orv::frame {
namespace {

std::string replace_apostrophes(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '\'') c = '"';
  }
  return out;
}

}  // namespace

void ZAPISZDOLOGU(double object_id, std::string_view kind, uint8_t event,
                  std::string_view description) {
  const dict::Context& g = dict::glo();
  std::string statement = "call AP_ZapiszDoLogu(" + plain_id(g.ID_FIRMY) + "," +
                          plain_id(g.ID_MAGAZYNU) + "," + plain_id(g.ID_UZYTKOWNIKA) + "," +
                          plain_id(object_id) + ",'" + text::double_apostrophes(text::clip(kind)) +
                          "'," + std::to_string(event) + ",'" +
                          replace_apostrophes(text::clip(description)) + "',3)";
  marked_execute(statement);
}

void ADDWATCH(std::string_view procedure) {
  sql::ScratchTable& table = VAX2();
  table.close();
  table.open();
  // The name is the caller's text: unescaped, it could close the literal and run anything.
  std::string statement = "call JL_AddWatchProcedure('" +
                          text::double_apostrophes(text::clip(procedure)) + "'," +
                          plain_id(dict::glo().ID_UZYTKOWNIKA) + ")";
  if (table.send(statement) != sql::kOk) STOP(table.message());
  table.close();
}

}  // namespace orv::frame
