// One table of the shared context's globals: name, type, capacity and where the value lives.
#include "host/globals.hpp"

#include <cmath>
#include <variant>

#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::host {
namespace {

using dict::Context;

using Member =
    std::variant<std::string Context::*, double Context::*, int32_t Context::*, uint8_t Context::*>;

struct Global {
  const char* name;
  Member member;
  std::size_t capacity = 0;  // characters of a text, 0 = no limit
};

// The globals of the shared context (without the prefix: the data-dictionary library's too).
const Global kGlobals[] = {
    {"GLO:ID_UZYTKOWNIKA", &Context::ID_UZYTKOWNIKA},
    {"GLO:ID_FIRMY", &Context::ID_FIRMY},
    {"GLO:ID_MAGAZYNU", &Context::ID_MAGAZYNU},
    {"GLO:ID_KASY", &Context::ID_KASY},
    {"GLO:LOCALPATH", &Context::LOCALPATH},
    {"GLO:PATH_INI", &Context::PATH_INI},
    {"GLO:CUDOCUMENTS", &Context::CUDOCUMENTS},
    {"GLO:WATEKAPP", &Context::WATEKAPP},
    {"GLO:TOOLTIPTYPE", &Context::TOOLTIPTYPE},
    {"GLO:CONTR_LIST_FONT", &Context::CONTR_LIST_FONT},
    {"GLO:CONTR_LIST_FONT_SIZE", &Context::CONTR_LIST_FONT_SIZE},
    {"GLO:CONTR_LIST_HEIGHT", &Context::CONTR_LIST_HEIGHT},
    {"GLO:RIBBONOFF", &Context::RIBBONOFF},
    {"GLO:RIBBONAUTOUKRYWANIE", &Context::RIBBONAUTOUKRYWANIE},
    {"GLO:TABLEOPENTIME", &Context::TABLEOPENTIME},
    {"GLO:VAXOPENED", &Context::VAXOPENED},
    {"GLO:ISINTERNETCONNECTION", &Context::ISINTERNETCONNECTION},
    {"GLO:DATA_OD", &Context::DATA_OD},
    {"GLO:DATA_DO", &Context::DATA_DO},
    {"GLO:ZAKRES", &Context::ZAKRES, 20},
    {"GLO:ZAKRESOPIS", &Context::ZAKRESOPIS, 100},
    {"GLO:ZAKRESPOS", &Context::ZAKRESPOS},
    {"GLO:DATA_OD_LOC", &Context::DATA_OD_LOC},
    {"GLO:DATA_DO_LOC", &Context::DATA_DO_LOC},
    {"GLO:ZAKRES_LOC", &Context::ZAKRES_LOC, 20},
    {"GLO:ZAKRESOPIS_LOC", &Context::ZAKRESOPIS_LOC, 100},
    {"GLO:ZAKRESPOS_LOC", &Context::ZAKRESPOS_LOC},
    {"GLO:KONTEKST", &Context::KONTEKST, 50},
    {"GLO:TRWAODCZYTZDJECIA", &Context::TRWAODCZYTZDJECIA},
    {"GLO:SKLEPINTERNETOWY", &Context::SKLEPINTERNETOWY},
    {"GLO:MODULKONTROLIAKTYWNY", &Context::MODULKONTROLIAKTYWNY},
    {"GLO:BRWOPENING", &Context::BRWOPENING},
    {"GLO:ASYSTENTGRUPA", &Context::ASYSTENTGRUPA},
    {"GLO:LASTURL", &Context::LASTURL},
    {"GLO:ILOSCARTBEZPRZECINKA", &Context::ILOSCARTBEZPRZECINKA, 4},
    {"ROZRACH_DRZEWKO_LOADED", &Context::ROZRACH_DRZEWKO_LOADED},
    {"ZAM_DRZEWKO_LOADED", &Context::ZAM_DRZEWKO_LOADED},
    {"GLOBALREQUEST", &Context::GLOBALREQUEST},
    {"GLOBALRESPONSE", &Context::GLOBALRESPONSE},
    {"VCRREQUEST", &Context::VCRREQUEST},
};

const Global* find(std::string_view name) {
  std::string wanted = text::upper(text::trim(name));
  for (const Global& g : kGlobals) {
    if (without_glo(g.name) == without_glo(wanted)) return &g;
  }
  return nullptr;
}

GlobalType type_of(const Member& m) {
  static constexpr GlobalType kTypes[] = {GlobalType::Text, GlobalType::Real, GlobalType::Long,
                                          GlobalType::Byte};
  return kTypes[m.index()];
}

}  // namespace

std::string_view without_glo(std::string_view name) {
  return name.starts_with("GLO:") ? name.substr(4) : name;
}

GlobalType global_type(std::string_view name) {
  const Global* g = find(name);
  return g ? type_of(g->member) : GlobalType::Unknown;
}

std::optional<double> global_number(std::string_view name) {
  const Global* g = find(name);
  if (!g) return std::nullopt;
  Context& c = dict::glo();
  return std::visit(
      [&](auto m) -> std::optional<double> {
        if constexpr (std::is_same_v<decltype(m), std::string Context::*>) {
          return std::nullopt;
        } else {
          return static_cast<double>(c.*m);
        }
      },
      g->member);
}

std::optional<std::string> global_text(std::string_view name) {
  const Global* g = find(name);
  if (!g) return std::nullopt;
  if (auto* m = std::get_if<std::string Context::*>(&g->member)) return dict::glo().**m;
  return plain_number(*global_number(name));
}

bool set_global_number(std::string_view name, double value) {
  const Global* g = find(name);
  if (!g) return false;
  Context& c = dict::glo();
  if (auto* m = std::get_if<double Context::*>(&g->member)) {
    if (!std::isfinite(value)) return false;
    c.** m = value;
    return true;
  }
  if (auto* m = std::get_if<int32_t Context::*>(&g->member)) {
    auto v = text::whole_in(value, INT32_MIN, INT32_MAX);
    if (v) c.** m = static_cast<int32_t>(*v);
    return v.has_value();
  }
  if (auto* m = std::get_if<uint8_t Context::*>(&g->member)) {
    auto v = text::whole_in(value, 0, 255);
    if (v) c.** m = static_cast<uint8_t>(*v);
    return v.has_value();
  }
  return false;
}

bool set_global_text(std::string_view name, std::string_view value) {
  const Global* g = find(name);
  if (!g) return false;
  if (auto* m = std::get_if<std::string Context::*>(&g->member)) {
    dict::glo().** m = g->capacity ? text::fit(value, g->capacity + 1) : std::string(value);
    return true;
  }
  Decimal d;
  return Decimal::parse(text::trim(value), d) && set_global_number(name, d.to_double());
}

std::string global_name(std::size_t index) {
  return index < std::size(kGlobals) ? kGlobals[index].name : std::string();
}

}  // namespace orv::host
