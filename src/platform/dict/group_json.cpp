// Records from and to JSON: each value checked against its field's kind as it comes in.
#include "platform/dict/group_json.hpp"

#include <array>

#include "platform/decimal/decimal.hpp"
#include "platform/text/json.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::dict {
namespace {

using text::Json;

constexpr std::array<const char*, 9> kKindNames = {"STRING",  "LONG", "SHORT", "BYTE", "REAL",
                                                   "DECIMAL", "DATE", "TIME",  "GROUP"};

bool numeric(FieldKind k) {
  return k != FieldKind::Text && k != FieldKind::Group;
}

// A whole number in [lo, hi] as its plain text.
std::optional<std::string> whole(std::string_view v, int64_t lo, int64_t hi) {
  const auto n = text::long_argument(v);
  if (!n || *n < lo || *n > hi) return std::nullopt;
  return std::to_string(*n);
}

std::optional<std::string> number_value(const Field& f, std::string_view v) {
  switch (f.kind) {
    case FieldKind::Long:
    case FieldKind::Date:
    case FieldKind::Time:
      return whole(v, INT32_MIN, INT32_MAX);
    case FieldKind::Short:
      return whole(v, -32768, 32767);
    case FieldKind::Byte:
      return whole(v, 0, 255);
    case FieldKind::Real: {
      const auto r = text::real_argument(v);
      return r ? std::optional<std::string>(plain_number(*r)) : std::nullopt;
    }
    default: {
      Decimal d;
      if (!Decimal::parse(text::trim(v), d)) return std::nullopt;
      return d.rescale(static_cast<int>(std::min<std::size_t>(f.size, Decimal::kMaxScale)))
          .to_string();
    }
  }
}

bool set_value(const Field& f, const Json& v, std::string& slot, std::string& error) {
  const std::string where = "field " + f.name + ": ";
  if (v.is(Json::Type::Array) || v.is(Json::Type::Object) || v.is(Json::Type::Null)) {
    error = where + "a number or a text expected";
    return false;
  }
  std::string given = v.is(Json::Type::Bool) ? (v.text == "true" ? "1" : "0") : v.text;
  if (!numeric(f.kind)) {
    if (f.size > 0 && given.size() > f.size) {
      error = where + "longer than its " + std::to_string(f.size) + " characters";
      return false;
    }
    slot = std::move(given);
    return true;
  }
  const auto n = number_value(f, given);
  if (!n) {
    error = where + "\"" + given + "\" is not a " + field_kind_name(f.kind);
    return false;
  }
  slot = *n;
  return true;
}

std::optional<std::size_t> count_of(const Json* j) {
  if (!j) return std::size_t{0};
  const auto n = text::long_argument(j->text);
  if (!j->is(Json::Type::Number) || !n || *n < 0 || *n > 1000000) return std::nullopt;
  return static_cast<std::size_t>(*n);
}

bool add_field(Group& g, const Json& j, std::string& error) {
  const Json* name = j.member("name");
  const Json* type = j.member("type");
  if (!j.is(Json::Type::Object) || !name || !name->is(Json::Type::String) || !type) {
    error = "a field is an object with \"name\" and \"type\"";
    return false;
  }
  const auto kind = field_kind_of(type->text);
  const auto size = count_of(j.member("size")), dim = count_of(j.member("dim"));
  if (!kind || !size || !dim || *kind == FieldKind::Group) {
    error = "field " + name->text + ": unknown type, size or dim";
    return false;
  }
  Field& f = g.add(name->text, *kind, *size, *dim);
  // A value left out reads as the kind's zero written the way a given one is ("0.00" for a
  // two-place decimal), so that a record reads the same however it was written.
  if (numeric(*kind)) {
    for (auto& slot : f.values) slot = number_value(f, slot).value_or(slot);
  }
  const Json* value = j.member("value");
  if (!value) return true;
  if (*dim == 0) return set_value(f, *value, f.values[0], error);
  if (!value->is(Json::Type::Array) || value->items.size() > *dim) {
    error =
        "field " + f.name + ": an array of at most " + std::to_string(*dim) + " values expected";
    return false;
  }
  for (std::size_t i = 0; i < value->items.size(); ++i) {
    if (!set_value(f, value->items[i], f.values[i], error)) return false;
  }
  return true;
}

std::string json_of(const Field& f, const std::string& v) {
  return numeric(f.kind) ? v : text::json_quote(v);
}

}  // namespace

const char* field_kind_name(FieldKind kind) {
  return kKindNames[static_cast<std::size_t>(kind)];
}

std::optional<FieldKind> field_kind_of(std::string_view name) {
  for (std::size_t i = 0; i < kKindNames.size(); ++i) {
    if (name == kKindNames[i]) return static_cast<FieldKind>(i);
  }
  return std::nullopt;
}

std::optional<Group> group_from_json(std::string_view json, std::string& error) {
  const auto doc = text::parse_json(json, error);
  if (!doc) return std::nullopt;
  if (!doc->is(Json::Type::Array)) {
    error = "a record is a JSON array of fields";
    return std::nullopt;
  }
  Group g;
  for (const Json& field : doc->items) {
    if (!add_field(g, field, error)) return std::nullopt;
  }
  return g;
}

std::string group_to_json(const Group& group) {
  std::string out = "[";
  for (const Field& f : group) {
    if (out.size() > 1) out += ", ";
    out += "{\"name\": " + text::json_quote(f.name) + ", \"type\": \"" + field_kind_name(f.kind) +
           "\"";
    if (f.size) out += ", \"size\": " + std::to_string(f.size);
    if (f.dimension) out += ", \"dim\": " + std::to_string(f.dimension);
    out += ", \"value\": ";
    if (f.dimension == 0) {
      out += json_of(f, f.values[0]);
    } else {
      out += "[";
      for (std::size_t i = 0; i < f.values.size(); ++i)
        out += (i ? ", " : "") + json_of(f, f.values[i]);
      out += "]";
    }
    out += "}";
  }
  return out + "]";
}

}  // namespace orv::dict
