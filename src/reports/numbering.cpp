// Numbering formats (FORMAT_NUMERACJI_Q) and order statuses (the dictionary and Q_STATUSY).
#include "reports/numbering.hpp"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::reports {
namespace {

using dict::FormatNumeracjiRow;
using dict::StatusRow;
using dict::StatusZamowieniaRow;

constexpr std::size_t kFormatCapacity = 50;
constexpr std::size_t kDescriptionCapacity = 51;
constexpr std::size_t kCodeCapacity = 2;
constexpr std::size_t kStatusCaptionCapacity = 41;
constexpr std::size_t kCaptionCapacity = 101;
// Groups above this one are the markers of documents, numbered apart.
constexpr uint8_t kLastDocumentGroup = 20;

// A LONG column; values beyond its range are held at its ends.
int32_t whole(const std::string& field) {
  Decimal d;
  if (!Decimal::parse(field, d)) return 0;
  return static_cast<int32_t>(
      std::clamp(d.rescale(0).to_double(), double{INT32_MIN}, double{INT32_MAX}));
}

// BYTE columns wrap as the runtime's assignment to a BYTE does.
uint8_t byte(const std::string& field) {
  return static_cast<uint8_t>(whole(field));
}

bool by_key(const FormatNumeracjiRow& a, const FormatNumeracjiRow& b) {
  return std::tie(a.group, a.type_id, a.resource_id) < std::tie(b.group, b.type_id, b.resource_id);
}

const FormatNumeracjiRow* definition(uint8_t group, int32_t type_id, int32_t resource_id) {
  return dict::glo().tables.FORMAT_NUMERACJI_Q.find([&](const FormatNumeracjiRow& r) {
    return r.group == group && r.type_id == type_id && r.resource_id == resource_id;
  });
}

void warn_missing(uint8_t group, const char* word) {
  if (group <= kLastDocumentGroup) {
    frame::MSG_OSTRZEZENIE(std::string("Brak definicji numeracji dla wybranego ") + word +
                           "!|Proszę uzupełnić dane o numeracji dokumentów."_w1250);
  } else {
    frame::MSG_OSTRZEZENIE(std::string("Brak definicji numeracji dla wyróżnika wybranego "_w1250) +
                           word +
                           "!|Proszę uzupełnić dane o numeracji wyróżników dokumentów."_w1250);
  }
}

// Takes each parameter that is still 0 from the row; true when both are set then.
bool fill_parameters(NumberingFormat& out, const FormatNumeracjiRow& r) {
  if (out.parameter1 == 0) out.parameter1 = r.parameter1;
  if (out.parameter2 == 0) out.parameter2 = r.parameter2;
  return out.parameter1 != 0 && out.parameter2 != 0;
}

constexpr const char* kTypeWord = "typu dokumentu";
constexpr const char* kGroupWord = "rodzaju dokumentów"_w1250;

}  // namespace

void LADUJFORMATYNUMERACJI() {
  auto& queue = dict::glo().tables.FORMAT_NUMERACJI_Q;
  queue.clear();
  // No blank between the company id and "and": the statement has always been sent this way.
  if (frame::ESQL("select DOKUMENT, ID_TYPU, ID_ZASOBU, FORMAT, OKRESNUMERACJI, PARAMETR1, "
                  "PARAMETR2 from DEFINICJA_NUMERACJI with (nolock) where ID_FIRMY = " +
                  plain_id(dict::glo().ID_FIRMY) +
                  "and (DOKUMENT<=10 or DOKUMENT>20) order by DOKUMENT, ID_TYPU, ID_ZASOBU") == 0) {
    auto& vax = frame::VAX();
    while (vax.next()) {
      FormatNumeracjiRow r;
      r.group = byte(vax.field(1));
      r.type_id = whole(vax.field(2));
      r.resource_id = whole(vax.field(3));
      r.format = text::fit(vax.field(4), kFormatCapacity);
      r.period = byte(vax.field(5));
      r.parameter1 = byte(vax.field(6));
      r.parameter2 = byte(vax.field(7));
      queue.add_sorted(std::move(r), by_key);
    }
  }
  frame::CLOSESQL();
}

bool POBIERZFORMATNUMERACJI(uint8_t group, int32_t type_id, int32_t resource_id,
                            NumberingFormat& out) {
  out = NumberingFormat{};
  if (const FormatNumeracjiRow* exact = definition(group, type_id, resource_id)) {
    out = {exact->format, exact->period, exact->parameter1, exact->parameter2};
    if (out.parameter1 != 0 && out.parameter2 != 0) return true;
  }
  const FormatNumeracjiRow* type = definition(group, type_id, 0);
  if (!type) {
    warn_missing(group, kTypeWord);
    return false;
  }
  if (text::clip(out.format).empty()) {
    out.format = type->format;
    out.period = type->period;
  }
  if (fill_parameters(out, *type)) return true;
  const FormatNumeracjiRow* whole_group = definition(group, 0, 0);
  if (whole_group && fill_parameters(out, *whole_group)) return true;
  warn_missing(group, kGroupWord);
  return false;
}

void LADUJSTATUSYZAMOWIEN() {
  auto& dictionary = dict::glo().tables.KOLEJKASTATUSOWZAMOWIEN;
  dictionary.clear();
  if (frame::ESQL("SELECT ID_STATUSU,OPIS_STATUSU,KOD_STATUSU,SYSTEMOWY,AUTOMATYCZNY,AKTYWNY FROM "
                  "ORV_SLOWNIK_STATUSOW_DOKUMENTOW WITH (NOLOCK) WHERE TYP_DOKUMENTU='Z' ORDER BY "
                  "ID_STATUSU") == 0) {
    auto& vax = frame::VAX();
    while (vax.next()) {
      StatusZamowieniaRow r;
      r.id = static_cast<double>(whole(vax.field(1)));
      r.description = text::lower(text::fit(vax.field(2), kDescriptionCapacity));
      r.code = text::fit(vax.field(3), kCodeCapacity);
      r.system = byte(vax.field(4));
      r.automatic = byte(vax.field(5));
      r.active = byte(vax.field(6));
      dictionary.add(std::move(r));
    }
  }
  frame::CLOSESQL();
}

std::string PODAJOPISSTATUSUZAMOWIENIA(std::string_view code, std::string_view layout) {
  auto& dictionary = dict::glo().tables.KOLEJKASTATUSOWZAMOWIEN;
  if (dictionary.empty()) LADUJSTATUSYZAMOWIEN();
  std::string key(text::clip(text::fit(code, kCodeCapacity)));
  const StatusZamowieniaRow* status =
      dictionary.find([&](const StatusZamowieniaRow& r) { return text::clip(r.code) == key; });
  if (!status) return {};
  std::string description(text::clip(status->description));
  std::string_view how = text::clip(layout);
  std::string caption;
  if (how == "O") caption = description;
  if (how == "SO") caption = "(" + status->code + ") " + description;
  if (how == "OS") caption = description + " (" + status->code + ")";
  return text::fit(caption, kCaptionCapacity);
}

void INICJUJKOLEJKESTATUSOW(std::optional<uint8_t> reload) {
  auto& glo = dict::glo();
  auto& statuses = glo.tables.Q_STATUSY;
  if (reload && *reload == 1) {
    statuses.clear();
    LADUJSTATUSYZAMOWIEN();
    glo.ZAM_DRZEWKO_LOADED = 0;
  } else if (!statuses.empty()) {
    return;
  }
  auto add = [&](std::string code, std::string caption) {
    statuses.add(StatusRow{std::move(code), 1, text::fit(caption, kStatusCaptionCapacity)});
  };
  add("N", "niezrealizowane (N)");
  add("C", "częściowo zrealizowane (C)"_w1250);
  add("Z", "zrealizowane całkowicie (Z)"_w1250);
  if (glo.SKLEPINTERNETOWY == 1) {
    // The shop's own statuses are those of the dictionary as the host loaded it (or a reload
    // above did); an empty one adds none.
    for (const StatusZamowieniaRow& r : glo.tables.KOLEJKASTATUSOWZAMOWIEN) {
      std::string code(text::clip(r.code));
      if (r.active == 0 ||
          (!code.empty() && std::string_view("NCZYA").find(code) != std::string_view::npos)) {
        continue;
      }
      add(code, std::string(text::clip(r.description)) + " (" + code + ")");
    }
  }
  add("Y", "zamknięte (Y)"_w1250);
  add("A", "anulowane (A)");
}

}  // namespace orv::reports
