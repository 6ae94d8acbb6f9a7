// The table of exported procedures: name, parameters, result and a call through the C ABI.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "handles.hpp"
#include "orvrun.h"

namespace orv::exports {

// Handle: an opaque host object (ORVRUN_INIT's handlers); a dynamic call always passes null.
// Group, Texts (ten texts) and Band cross a dynamic call as JSON text both ways; Window is a
// LONG naming an open window; List (a host's list, ORVRUN_LIST) comes in as its JSON form.
enum class Kind {
  None,
  Text,
  Long,
  Byte,
  Real,
  Handle,
  Short,
  Bool,
  Group,
  Texts,
  Window,
  Band,
  List
};

// Kinds whose value crosses a dynamic call as text.
inline bool textual(Kind k) {
  return k == Kind::Text || k == Kind::Group || k == Kind::Texts || k == Kind::Band;
}

struct Param {
  std::string name;
  Kind kind = Kind::Text;
  bool optional = false;
  bool by_ref = false;
  std::size_t capacity = 0;  // bytes of a text by reference
  bool sql = false;          // an SQL fragment the host writes, sent as it is
  bool window = false;       // a LONG that names an open window
};

// One argument of a dynamic call. `given` false = left out (optional or reference).
struct Arg {
  bool given = false;
  std::string text;  // Windows-1250
  double real = 0;
  int32_t lng = 0;
  uint8_t byte = 0;
  std::vector<char> buffer;  // storage of a text by reference
  int16_t shrt = 0;
  bool boolean = false;
  std::shared_ptr<ORVRUN_GROUP> group;
  std::vector<std::vector<char>> texts;  // storage of ten texts by reference
  ORVRUN_TEXT10 text10{};
  std::shared_ptr<ORVRUN_BAND> band;
  std::shared_ptr<const ORVRUN_LIST> list;  // a list argument, read from its JSON form
};

struct Value {
  Kind kind = Kind::None;
  std::string text;
  double number = 0;
  bool null = false;  // a text result came back null: memory ran out
};

struct Procedure {
  std::string name;
  std::string summary;
  std::vector<Param> params;
  Kind result = Kind::None;
  // Calls the C function with `args` (one per parameter, already converted); by-reference
  // arguments hold the procedure's values afterwards.
  std::function<Value(std::vector<Arg>&)> invoke;

  std::size_t required() const;
};

const std::vector<Procedure>& procedures();
const Procedure* find(std::string_view name);

// The value of an argument after a call, for reporting by-reference results.
Value arg_value(const Param& p, const Arg& a);

// Text results cross the ABI as malloc'd Windows-1250: give_text makes one.
char* give_text(std::string_view s);
// Writes `s` into a caller's reference buffer, cut to its capacity.
void put_text(ORVRUN_TEXT* ref, std::string_view s);
inline std::string_view in(const char* s) {
  return s ? std::string_view(s) : std::string_view();
}
// An optional number as the layers below take it: null = left out.
template <class T>
std::optional<T> optional_of(const T* v) {
  return v ? std::optional<T>(*v) : std::nullopt;
}

namespace detail {

template <class T>
struct ParamOf;
template <>
struct ParamOf<const char*> {
  static constexpr Kind kind = Kind::Text;
  static constexpr bool ref = false;
  static const char* get(Arg& a) { return a.given ? a.text.c_str() : nullptr; }
};
template <>
struct ParamOf<ORVRUN_TEXT*> {
  static constexpr Kind kind = Kind::Text;
  static constexpr bool ref = true;
  static ORVRUN_TEXT* get(Arg& a, ORVRUN_TEXT& slot) {
    if (!a.given) return nullptr;
    slot = {a.buffer.data(), a.buffer.size()};
    return &slot;
  }
};

template <>
struct ParamOf<ORVRUN_GROUP*> {
  static constexpr Kind kind = Kind::Group;
  static constexpr bool ref = true;
  static ORVRUN_GROUP* get(Arg& a) { return a.given ? a.group.get() : nullptr; }
};
template <>
struct ParamOf<const ORVRUN_GROUP*> {  // a record only read: required, not given back
  static constexpr Kind kind = Kind::Group;
  static constexpr bool ref = false;
  static const ORVRUN_GROUP* get(Arg& a) { return a.given ? a.group.get() : nullptr; }
};
template <>
struct ParamOf<ORVRUN_BAND*> {
  static constexpr Kind kind = Kind::Band;
  static constexpr bool ref = true;
  static ORVRUN_BAND* get(Arg& a) { return a.given ? a.band.get() : nullptr; }
};
template <>
struct ParamOf<ORVRUN_TEXT10*> {
  static constexpr Kind kind = Kind::Texts;
  static constexpr bool ref = true;
  static ORVRUN_TEXT10* get(Arg& a) {
    if (!a.given || a.texts.size() != 10) return nullptr;
    for (std::size_t i = 0; i < 10; ++i) a.text10.text[i] = {a.texts[i].data(), a.texts[i].size()};
    return &a.text10;
  }
};

template <>
struct ParamOf<void*> {
  static constexpr Kind kind = Kind::Handle;
  static constexpr bool ref = false;
  static void* get(Arg&) { return nullptr; }
};

template <>
struct ParamOf<const ORVRUN_LIST*> {
  static constexpr Kind kind = Kind::List;
  static constexpr bool ref = false;
  static const ORVRUN_LIST* get(Arg& a) { return a.given ? a.list.get() : nullptr; }
};

template <class T>
constexpr Kind kind_of() {
  if constexpr (std::is_same_v<T, int32_t>) return Kind::Long;
  if constexpr (std::is_same_v<T, uint8_t>) return Kind::Byte;
  if constexpr (std::is_same_v<T, double>) return Kind::Real;
  if constexpr (std::is_same_v<T, int16_t>) return Kind::Short;
  if constexpr (std::is_same_v<T, bool>) return Kind::Bool;
  return Kind::None;
}

template <class T>
T& slot_of(Arg& a) {
  if constexpr (std::is_same_v<T, int32_t>) return a.lng;
  if constexpr (std::is_same_v<T, uint8_t>) return a.byte;
  if constexpr (std::is_same_v<T, double>) return a.real;
  if constexpr (std::is_same_v<T, int16_t>) return a.shrt;
  if constexpr (std::is_same_v<T, bool>) return a.boolean;
}

template <class T>
requires(kind_of<T>() != Kind::None) struct ParamOf<T> {
  static constexpr Kind kind = kind_of<T>();
  static constexpr bool ref = false;
  static T get(Arg& a) { return slot_of<T>(a); }
};
template <class T>
requires(kind_of<T>() != Kind::None) struct ParamOf<const T*> {  // optional by value
  static constexpr Kind kind = kind_of<T>();
  static constexpr bool ref = false;
  static const T* get(Arg& a) { return a.given ? &slot_of<T>(a) : nullptr; }
};
template <class T>
requires(kind_of<T>() != Kind::None) struct ParamOf<T*> {  // by reference
  static constexpr Kind kind = kind_of<T>();
  static constexpr bool ref = true;
  static T* get(Arg& a) { return a.given ? &slot_of<T>(a) : nullptr; }
};

template <class T>
decltype(auto) fetch(Arg& a, ORVRUN_TEXT& slot) {
  if constexpr (std::is_same_v<T, ORVRUN_TEXT*>) {
    return ParamOf<T>::get(a, slot);
  } else {
    return ParamOf<T>::get(a);
  }
}

template <class R>
Value wrap(R r) {
  Value v;
  if constexpr (std::is_same_v<R, char*>) {
    v.kind = Kind::Text;
    v.null = r == nullptr;
    if (r) v.text = r;
    ORVRUN_FREE(r);
  } else {
    v.kind = kind_of<R>();
    v.number = static_cast<double>(r);
  }
  return v;
}

template <class R, class... A, std::size_t... I>
Value call(R (*f)(A...), std::vector<Arg>& args, std::index_sequence<I...>) {
  ORVRUN_TEXT slots[sizeof...(A) + 1];
  if constexpr (std::is_void_v<R>) {
    f(fetch<A>(args[I], slots[I])...);
    return Value{};
  } else {
    return wrap<R>(f(fetch<A>(args[I], slots[I])...));
  }
}

template <class R>
constexpr Kind result_kind() {
  if constexpr (std::is_void_v<R>) return Kind::None;
  if constexpr (std::is_same_v<R, char*>) return Kind::Text;
  return kind_of<R>();
}

}  // namespace detail

// A parameter's declaration for the table: its name, "?" at the end marks it optional
// ("currency?"), "[n]" gives the capacity of a text by reference ("line[1001]"), and "sql:" in
// front marks a text that is SQL by design ("sql:statement"); every other text is a value;
// "win:" in front marks a LONG that names a window ("win:window").
struct ParamName {
  const char* text;
  ParamName(const char* t) : text(t) {}  // NOLINT: names are written as plain literals
};

void add(Procedure p);
Param parse_param_name(std::string_view n);

template <class F>
inline constexpr bool kGuardedEntry = false;
template <class R, class... A>
inline constexpr bool kGuardedEntry<R (*)(A...) noexcept> = true;

// Enters one C entry point in the table. Only a noexcept function is accepted: an entry point
// runs its body in orv::exports::guard (boundary.hpp), so nothing can unwind into a C host.
struct Registrar {
  template <class F>
  Registrar(const char* name, F f, std::initializer_list<ParamName> names, const char* summary) {
    static_assert(kGuardedEntry<F>,
                  "an exported entry point is noexcept and runs its body in orv::exports::guard");
    add(describe(name, f, names, summary));
  }

 private:
  template <class R, class... A>
  static Procedure describe(const char* name, R (*f)(A...) noexcept,
                            std::initializer_list<ParamName> names, const char* summary) {
    static_assert(sizeof...(A) < 16);
    Procedure p;
    p.name = name;
    p.summary = summary;
    p.result = detail::result_kind<R>();
    Kind kinds[] = {detail::ParamOf<A>::kind..., Kind::None};
    bool refs[] = {detail::ParamOf<A>::ref..., false};
    bool pointers[] = {std::is_pointer_v<A>..., false};
    std::size_t i = 0;
    for (const ParamName& n : names) {
      if (i == sizeof...(A)) std::abort();  // more names than parameters
      Param param = parse_param_name(n.text);
      param.kind = param.window && kinds[i] == Kind::Long ? Kind::Window : kinds[i];
      param.by_ref = refs[i];
      // Pointers are left out as null; only those may be optional.
      param.optional = param.optional && pointers[i];
      p.params.push_back(param);
      ++i;
    }
    if (i != sizeof...(A)) std::abort();  // a table entry must name every parameter
    p.invoke = [f](std::vector<Arg>& args) {
      return detail::call(f, args, std::index_sequence_for<A...>{});
    };
    return p;
  }
};

}  // namespace orv::exports

#define ORV_CAT2(a, b) a##b
#define ORV_CAT(a, b) ORV_CAT2(a, b)
// ORV_EXPORT(NIPOK, "summary", "text"): enters the C function NIPOK in the table, naming each of
// its parameters in order. The build writes these lines from the public headers.
#define ORV_EXPORT(fn, summary, ...) \
  static const ::orv::exports::Registrar ORV_CAT(orv_export_, fn)(#fn, &fn, {__VA_ARGS__}, summary)
