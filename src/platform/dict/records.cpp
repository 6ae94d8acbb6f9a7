// Named access to the shared record buffers, for hosts that cannot share the structures.
#include "platform/dict/records.hpp"

#include <algorithm>
#include <mutex>

#include "platform/text/text.hpp"

namespace orv::dict {
namespace {

struct Declared {
  std::mutex mutex;
  std::map<std::string, std::vector<std::string>, std::less<>> fields;
};

Declared& declared() {
  static Declared d;
  return d;
}

bool is_declared(std::string_view record, std::string_view field) {
  Declared& d = declared();
  std::lock_guard lock(d.mutex);
  auto it = d.fields.find(text::upper(record));
  if (it == d.fields.end()) return false;
  const std::string f = text::upper(field);
  return std::find(it->second.begin(), it->second.end(), f) != it->second.end();
}

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

void declare_row_buffer(std::string_view record, const std::vector<std::string>& fields) {
  Declared& d = declared();
  std::lock_guard lock(d.mutex);
  std::vector<std::string>& known = d.fields[text::upper(record)];
  for (const std::string& f : fields) {
    std::string name = text::upper(f);
    if (std::find(known.begin(), known.end(), name) == known.end()) known.push_back(name);
  }
}

std::optional<std::string> row_field(const Records& r, std::string_view record,
                                     std::string_view field) {
  if (!is_declared(record, field)) return std::nullopt;
  auto buffer = r.rows.find(text::upper(record));
  if (buffer == r.rows.end()) return std::string();
  auto value = buffer->second.find(text::upper(field));
  return value == buffer->second.end() ? std::string() : value->second;
}

void fill_row_buffer(Records& r, std::string_view record, const RowBuffer& values) {
  RowBuffer& buffer = r.rows[text::upper(record)];
  buffer.clear();
  for (const auto& [name, value] : values) buffer[text::upper(name)] = value;
}

bool set_record_field(Records& r, std::string_view record, std::string_view field,
                      std::string_view value) {
  if (is_declared(record, field)) {
    r.rows[text::upper(record)][text::upper(field)] = std::string(value);
    return true;
  }
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
  if (is_declared(record, field)) return row_field(r, record, field);
  FieldRef f = locate(const_cast<Records&>(r), record, field);
  if (f.text) return *f.text;
  if (f.real) return plain_number(*f.real);
  if (f.decimal) return f.decimal->to_string();
  return std::nullopt;
}

}  // namespace orv::dict
