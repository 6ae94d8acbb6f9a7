// C entry points of the host interface: the table of procedures, calls by name, text edges.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "boundary.hpp"
#include "host_result.hpp"
#include "list_handle.hpp"
#include "orvrun_host.h"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/group_json.hpp"
#include "platform/files/files.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/json.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"
#include "table.hpp"

using orv::exports::Arg;
using orv::exports::give_text;
using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;
using orv::exports::Kind;
using orv::exports::Param;
using orv::exports::Procedure;
using orv::exports::succeeded;

namespace {

constexpr std::size_t kDefaultRefCapacity = 65536;

int32_t type_of(Kind k) {
  switch (k) {
    case Kind::Text:
      return ORVRUN_TYPE_TEXT;
    case Kind::Long:
      return ORVRUN_TYPE_LONG;
    case Kind::Byte:
      return ORVRUN_TYPE_BYTE;
    case Kind::Real:
      return ORVRUN_TYPE_REAL;
    case Kind::Handle:
      return ORVRUN_TYPE_HANDLE;
    case Kind::Short:
      return ORVRUN_TYPE_SHORT;
    case Kind::Bool:
      return ORVRUN_TYPE_BOOL;
    case Kind::Group:
      return ORVRUN_TYPE_GROUP;
    case Kind::Texts:
      return ORVRUN_TYPE_TEXTS;
    case Kind::Window:
      return ORVRUN_TYPE_WINDOW;
    case Kind::Band:
      return ORVRUN_TYPE_BAND;
    case Kind::Blob:
      return ORVRUN_TYPE_BLOB;
    case Kind::List:
      return ORVRUN_TYPE_LIST;
    case Kind::None:
      break;
  }
  return ORVRUN_TYPE_NONE;
}

const char* kind_word(Kind k) {
  static const char* const kWords[] = {"none",   "STRING", "LONG", "BYTE",  "REAL",
                                       "HANDLE", "SHORT",  "BOOL", "GROUP", "TEXTS",
                                       "WINDOW", "BAND",   "BLOB", "LIST"};
  return kWords[static_cast<int>(k)];
}

const Procedure* procedure_at(int32_t index) {
  const auto& all = orv::exports::procedures();
  return index >= 0 && static_cast<std::size_t>(index) < all.size() ? &all[index] : nullptr;
}

bool read_bool(std::string_view text, bool& out) {
  const std::string_view t = orv::text::trim(text);
  if (t == "1" || t == "true") return out = true, true;
  if (t == "0" || t == "false") return out = false, true;
  return false;
}

// Ten texts by reference from a JSON array of at most ten strings (or numbers), each buffer as
// wide as the parameter says, or its text and a thousand characters more.
bool read_texts(const Param& p, std::string_view json, Arg& a, std::string& why) {
  auto doc = orv::text::parse_json(json, why);
  if (doc && (!doc->is(orv::text::Json::Type::Array) || doc->items.size() > 10)) {
    why = "an array of at most 10 texts expected";
    doc.reset();
  }
  if (!doc) return false;
  a.texts.assign(10, {});
  for (std::size_t i = 0; i < 10; ++i) {
    const std::string value = i < doc->items.size() ? doc->items[i].text : "";
    if (i < doc->items.size() && !doc->items[i].is(orv::text::Json::Type::String) &&
        !doc->items[i].is(orv::text::Json::Type::Number)) {
      why = "element " + std::to_string(i + 1) + " is not a text";
      return false;
    }
    a.texts[i].assign(std::max(p.capacity ? p.capacity : value.size() + 1001, value.size() + 1),
                      '\0');
    value.copy(a.texts[i].data(), value.size());
  }
  return true;
}

bool read_group(std::string_view json, Arg& a, std::string& why) {
  auto g = orv::dict::group_from_json(json, why);
  if (!g) return false;
  a.group = std::make_shared<ORVRUN_GROUP>(ORVRUN_GROUP{std::move(*g)});
  return true;
}

// The kinds that come as JSON (or, for a band, as anything: a fresh band either way).
bool read_structured(const Param& p, const ORVRUN_VALUE& v, Arg& a, std::string& why) {
  if (p.kind == Kind::Band) {
    a.band = std::make_shared<ORVRUN_BAND>();
    return true;
  }
  if (!v.text) {
    why = "a JSON text expected";
    return false;
  }
  return p.kind == Kind::Group ? read_group(v.text, a, why) : read_texts(p, v.text, a, why);
}

// A number given as text, read as command-line arguments are: decimal only, whole for LONG and
// BYTE, in range.
bool read_text(Kind kind, std::string_view text, Arg& a) {
  if (kind == Kind::Real) {
    auto v = orv::text::real_argument(text);
    if (v) a.real = *v;
    return v.has_value();
  }
  if (kind == Kind::Long || kind == Kind::Window) {
    auto v = orv::text::long_argument(text);
    if (v) a.lng = *v;
    return v.has_value();
  }
  if (kind == Kind::Short) {
    auto v = orv::text::long_argument(text);
    if (v && *v >= INT16_MIN && *v <= INT16_MAX) a.shrt = static_cast<int16_t>(*v);
    return v && *v >= INT16_MIN && *v <= INT16_MAX;
  }
  if (kind == Kind::Bool) return read_bool(text, a.boolean);
  auto v = orv::text::byte_argument(text);
  if (v) a.byte = *v;
  return v.has_value();
}

// By name a BLOB travels in a file: `path` holds its bytes. A value passed in must be there; a
// reference may name a file still to be made, which then starts empty.
bool read_blob_file(const Param& p, std::string_view path, Arg& a) {
  a.text = path;
  auto bytes = orv::files::read_all(a.text);
  if (!bytes) return p.by_ref && !orv::files::exists(a.text);
  a.bytes.assign(bytes->begin(), bytes->end());
  return true;
}

// A list argument: its JSON form read into a list the call owns.
bool convert_list(const ORVRUN_VALUE& v, Arg& a, std::string& why) {
  std::shared_ptr<const ORVRUN_LIST> list = orv::exports::list_from_json(in(v.text), why);
  a.list = list;
  return list != nullptr;
}

// One argument into the table's form; false when it does not fit the parameter (`why` says so
// for the JSON kinds).
bool convert(const Param& p, const ORVRUN_VALUE& v, Arg& a, std::string& why) {
  a.given = v.given != 0 && p.kind != Kind::Handle;
  if (!a.given) return true;
  if (p.kind == Kind::Group || p.kind == Kind::Texts || p.kind == Kind::Band) {
    return read_structured(p, v, a, why);
  }
  if (p.kind == Kind::Blob) return read_blob_file(p, in(v.text), a);
  if (p.kind == Kind::List) return convert_list(v, a, why);
  if (p.kind == Kind::Text) {
    a.text = in(v.text);
    if (p.by_ref) {
      a.buffer.assign(std::max(p.capacity ? p.capacity : kDefaultRefCapacity, a.text.size() + 1),
                      '\0');
      a.text.copy(a.buffer.data(), a.buffer.size() - 1);
    }
    return true;
  }
  if (v.text) return read_text(p.kind, v.text, a);
  if (!std::isfinite(v.number)) return false;
  if (p.kind == Kind::Real) {
    a.real = v.number;
    return true;
  }
  // A number given as a number must be whole and in range, as its text would have to be.
  return read_text(p.kind, orv::plain_number(v.number), a) && v.number == std::floor(v.number);
}

void give_back(const orv::exports::Value& v, ORVRUN_VALUE& out) {
  out.given = v.kind != Kind::None;
  out.number = v.number;
  out.out = orv::exports::textual(v.kind) ? give_text(v.text) : nullptr;
}

bool write_blob_file(const Arg& a) {
  return orv::files::write_all(a.text, std::string(a.bytes.begin(), a.bytes.end()));
}

std::string shown_value(const ORVRUN_VALUE& v) {
  return v.text ? std::string(v.text) : orv::plain_number(v.number);
}

bool call(const Procedure& p, ORVRUN_VALUE* values, int32_t count, ORVRUN_VALUE* result,
          std::string& why) {
  if (count < 0 || static_cast<std::size_t>(count) != p.params.size() || (count && !values)) {
    why = p.name + " takes " + std::to_string(p.params.size()) + " parameters";
    return false;
  }
  std::vector<Arg> args(p.params.size());
  for (std::size_t i = 0; i < p.params.size(); ++i) {
    const Param& q = p.params[i];
    if (!values[i].given && !q.optional && !q.by_ref && q.kind != Kind::Handle) {
      why = "argument " + q.name + " is required";
      return false;
    }
    std::string detail;
    if (!convert(q, values[i], args[i], detail)) {
      why = "argument " + q.name + " must be " + kind_word(q.kind) +
            (detail.empty() ? ", not \"" + shown_value(values[i]) + "\"" : ": " + detail);
      return false;
    }
  }
  orv::exports::Value r;
  try {
    r = p.invoke(args);
  } catch (const orv::ui::ScriptError& e) {
    orv::ui::backend().failed(e.message);
  }
  for (std::size_t i = 0; i < p.params.size(); ++i) {
    if (!p.params[i].by_ref || !args[i].given) continue;
    give_back(orv::exports::arg_value(p.params[i], args[i]), values[i]);
    if (p.params[i].kind == Kind::Blob && !write_blob_file(args[i])) {
      why =
          "the value of " + p.params[i].name + " could not be written to \"" + args[i].text + "\"";
      return false;
    }
  }
  if (result) give_back(r, *result);
  return true;
}

}  // namespace

extern "C" {

int32_t ORVRUN_PROC_COUNT(void) noexcept {
  return guard(__func__, int32_t{0},
               [] { return static_cast<int32_t>(orv::exports::procedures().size()); });
}

int32_t ORVRUN_PROC_FIND(const char* name) noexcept {
  return guard(__func__, int32_t{-1}, [&] {
    const Procedure* p = orv::exports::find(orv::text::upper(in(name)));
    return p ? static_cast<int32_t>(p - orv::exports::procedures().data()) : -1;
  });
}

uint8_t ORVRUN_PROC_INFO_GET(int32_t proc, ORVRUN_PROC_INFO* info) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    const Procedure* p = procedure_at(proc);
    if (!p || !info) return uint8_t{0};
    *info = {p->name.c_str(), p->summary.c_str(), type_of(p->result),
             static_cast<int32_t>(p->params.size())};
    return uint8_t{1};
  });
}

uint8_t ORVRUN_PARAM_INFO_GET(int32_t proc, int32_t param, ORVRUN_PARAM_INFO* info) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    const Procedure* p = procedure_at(proc);
    if (!p || !info || param < 0 || static_cast<std::size_t>(param) >= p->params.size()) {
      return uint8_t{0};
    }
    const Param& q = p->params[param];
    *info = {q.name.c_str(), type_of(q.kind), q.optional, q.by_ref,
             static_cast<uint32_t>(q.capacity)};
    return uint8_t{1};
  });
}

uint8_t ORVRUN_CALL(int32_t proc, ORVRUN_VALUE* args, int32_t count, ORVRUN_VALUE* result,
                    char** error) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    const Procedure* p = procedure_at(proc);
    std::string why = "no procedure number " + std::to_string(proc);
    return succeeded(p && call(*p, args, count, result, why), why, error);
  });
}

uint8_t ORVRUN_READ_NUMBER(const char* text, int32_t type, double* value) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    static const Kind kKinds[] = {Kind::None, Kind::None, Kind::Long, Kind::Byte, Kind::Real};
    if (type < ORVRUN_TYPE_LONG || type > ORVRUN_TYPE_REAL) return uint8_t{0};  // numbers only
    Arg a;
    if (!read_text(kKinds[type], in(text), a)) return uint8_t{0};
    if (value)
      *value = type == ORVRUN_TYPE_REAL ? a.real : type == ORVRUN_TYPE_LONG ? a.lng : a.byte;
    return uint8_t{1};
  });
}

char* ORVRUN_FROM_UTF8(const char* utf8, char** error) noexcept {
  return guard_text(__func__, [&]() -> char* {
    std::string why;
    auto cp = orv::text::from_utf8_strict(in(utf8), why);
    succeeded(cp.has_value(), why, error);
    return cp ? give_text(*cp) : nullptr;
  });
}

char* ORVRUN_TO_UTF8(const char* cp1250) noexcept {
  return guard_text(__func__, [&] { return give_text(orv::text::to_utf8(in(cp1250))); });
}

void ORVRUN_SQLITE_REGISTER(void* db) noexcept {
  guard(__func__, [&] {
    auto* connection = static_cast<sqlite3*>(db);
    orv::sql::sqlite::register_extension(connection);
    orv::sql::sqlite::register_server_objects(connection);
  });
}

}  // extern "C"
