// Named access to the shared record buffers, for hosts that cannot share the structures.
#include "platform/dict/records.hpp"

#include "platform/text/text.hpp"

namespace orv::dict {
namespace {

constexpr std::size_t kNameCapacity = 51;

// One field of one buffer: either a real, a decimal or a text.
struct FieldRef {
  double* real = nullptr;
  Decimal* decimal = nullptr;
  std::string* text = nullptr;
};

FieldRef locate(Records& r, std::string_view record, std::string_view field) {
  auto is = [](std::string_view a, const char* b) { return text::equal_ci(a, b); };
  if (is(record, "RAPORT")) {
    if (is(field, "ID_RAPORTU")) return {&r.RAPORT.ID_RAPORTU};
  } else if (is(record, "WARIANT")) {
    if (is(field, "ID_RAPORTU")) return {&r.WARIANT.ID_RAPORTU};
    if (is(field, "ID_WARIANTU")) return {&r.WARIANT.ID_WARIANTU};
    if (is(field, "NAZWA")) return {nullptr, nullptr, &r.WARIANT.NAZWA};
  } else if (is(record, "DOKUMENT_HANDLOWY")) {
    auto& d = r.DOKUMENT_HANDLOWY;
    if (is(field, "ID_DOKUMENTU_HANDLOWEGO")) return {&d.ID_DOKUMENTU_HANDLOWEGO};
    if (is(field, "WARTOSC_BRUTTO")) return {nullptr, &d.WARTOSC_BRUTTO};
    if (is(field, "ZAPLACONO")) return {nullptr, &d.ZAPLACONO};
  }
  return {};
}

}  // namespace

bool set_record_field(Records& r, std::string_view record, std::string_view field,
                      std::string_view value) {
  FieldRef f = locate(r, record, field);
  if (f.text) {
    *f.text = text::fit(value, kNameCapacity);
    return true;
  }
  Decimal d;
  if (!(f.real || f.decimal) || !Decimal::parse(value, d)) return false;
  if (f.real) *f.real = d.to_double();
  if (f.decimal) *f.decimal = d.rescale(4);
  return true;
}

std::optional<std::string> record_field(const Records& r, std::string_view record,
                                        std::string_view field) {
  FieldRef f = locate(const_cast<Records&>(r), record, field);
  if (f.text) return *f.text;
  if (f.real) return plain_number(*f.real);
  if (f.decimal) return f.decimal->to_string();
  return std::nullopt;
}

}  // namespace orv::dict
