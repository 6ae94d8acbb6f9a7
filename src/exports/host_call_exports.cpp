// C entry points of the host interface: the table of procedures, calls by name, text edges.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "host_guard.hpp"
#include "orvrun_host.h"
#include "platform/decimal/decimal.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"
#include "table.hpp"

using orv::exports::Arg;
using orv::exports::give_text;
using orv::exports::guarded;
using orv::exports::in;
using orv::exports::Kind;
using orv::exports::outcome;
using orv::exports::Param;
using orv::exports::Procedure;

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
    case Kind::None:
      break;
  }
  return ORVRUN_TYPE_NONE;
}

const char* kind_word(Kind k) {
  static const char* const kWords[] = {"none", "STRING", "LONG", "BYTE", "REAL", "HANDLE"};
  return kWords[static_cast<int>(k)];
}

const Procedure* procedure_at(int32_t index) {
  const auto& all = orv::exports::procedures();
  return index >= 0 && static_cast<std::size_t>(index) < all.size() ? &all[index] : nullptr;
}

// A number given as text reads as the C library reads a decimal number, all of it.
std::optional<double> read_number(const std::string& s) {
  if (s.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (*end != '\0') return std::nullopt;
  return v;
}

// One argument into the table's form; false when it does not fit the parameter.
bool convert(const Param& p, const ORVRUN_VALUE& v, Arg& a) {
  a.given = v.given != 0 && p.kind != Kind::Handle;
  if (!a.given) return true;
  if (p.kind == Kind::Text) {
    a.text = in(v.text);
    if (p.by_ref) {
      a.buffer.assign(std::max(p.capacity ? p.capacity : kDefaultRefCapacity, a.text.size() + 1),
                      '\0');
      a.text.copy(a.buffer.data(), a.buffer.size() - 1);
    }
    return true;
  }
  std::optional<double> n = v.text ? read_number(v.text) : std::optional(v.number);
  if (!n) return false;
  if (p.kind == Kind::Real) {
    a.real = *n;
    return true;
  }
  if (*n != std::floor(*n)) return false;
  if (p.kind == Kind::Long) {
    if (*n < INT32_MIN || *n > INT32_MAX) return false;
    a.lng = static_cast<int32_t>(*n);
    return true;
  }
  if (*n < 0 || *n > 255) return false;
  a.byte = static_cast<uint8_t>(*n);
  return true;
}

void give_back(const orv::exports::Value& v, ORVRUN_VALUE& out) {
  out.given = v.kind != Kind::None;
  out.number = v.number;
  out.out = v.kind == Kind::Text ? give_text(v.text) : nullptr;
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
    if (!convert(q, values[i], args[i])) {
      why = "argument " + q.name + " must be " + kind_word(q.kind) + ", not \"" +
            shown_value(values[i]) + "\"";
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
    if (p.params[i].by_ref && args[i].given) {
      give_back(orv::exports::arg_value(p.params[i], args[i]), values[i]);
    }
  }
  if (result) give_back(r, *result);
  return true;
}

}  // namespace

extern "C" {

int32_t ORVRUN_PROC_COUNT(void) {
  return guarded([] { return static_cast<int32_t>(orv::exports::procedures().size()); });
}

int32_t ORVRUN_PROC_FIND(const char* name) {
  return guarded(
      [&] {
        const Procedure* p = orv::exports::find(orv::text::upper(in(name)));
        return p ? static_cast<int32_t>(p - orv::exports::procedures().data()) : -1;
      },
      int32_t{-1});
}

uint8_t ORVRUN_PROC_INFO_GET(int32_t proc, ORVRUN_PROC_INFO* info) {
  return guarded([&] {
    const Procedure* p = procedure_at(proc);
    if (!p || !info) return uint8_t{0};
    *info = {p->name.c_str(), p->summary.c_str(), type_of(p->result),
             static_cast<int32_t>(p->params.size())};
    return uint8_t{1};
  });
}

uint8_t ORVRUN_PARAM_INFO_GET(int32_t proc, int32_t param, ORVRUN_PARAM_INFO* info) {
  return guarded([&] {
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
                    char** error) {
  return guarded([&] {
    const Procedure* p = procedure_at(proc);
    std::string why = "no procedure number " + std::to_string(proc);
    return outcome(p && call(*p, args, count, result, why), why, error);
  });
}

char* ORVRUN_FROM_UTF8(const char* utf8, char** error) {
  return guarded([&]() -> char* {
    std::string why;
    auto cp = orv::text::from_utf8_strict(in(utf8), why);
    outcome(cp.has_value(), why, error);
    return cp ? give_text(*cp) : nullptr;
  });
}

char* ORVRUN_TO_UTF8(const char* cp1250) {
  return guarded([&] { return give_text(orv::text::to_utf8(in(cp1250))); });
}

void ORVRUN_SQLITE_REGISTER(void* db) {
  guarded([&] {
    auto* connection = static_cast<sqlite3*>(db);
    orv::sql::sqlite::register_extension(connection);
    orv::sql::sqlite::register_server_objects(connection);
  });
}

}  // extern "C"
