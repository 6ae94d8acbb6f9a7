// The table of exported procedures and the helpers every C entry point shares.
#include "table.hpp"

#include <algorithm>
#include <cstring>

#include "platform/dict/group_json.hpp"
#include "platform/text/json.hpp"

extern "C" void ORVRUN_FREE(char* text) ORVRUN_NOEXCEPT {
  std::free(text);
}

namespace orv::exports {
namespace {

std::vector<Procedure>& table() {
  static std::vector<Procedure> t;
  return t;
}

}  // namespace

std::size_t Procedure::required() const {
  std::size_t n = 0;
  for (std::size_t i = 0; i < params.size(); ++i) {
    if (!params[i].optional && !params[i].by_ref && params[i].kind != Kind::Handle) n = i + 1;
  }
  return n;
}

void add(Procedure p) {
  auto& t = table();
  auto at = std::lower_bound(t.begin(), t.end(), p.name,
                             [](const Procedure& a, const std::string& n) { return a.name < n; });
  t.insert(at, std::move(p));
}

const std::vector<Procedure>& procedures() {
  return table();
}

Param parse_param_name(std::string_view n) {
  Param p;
  if (n.starts_with("sql:")) {
    p.sql = true;
    n.remove_prefix(4);
  }
  if (n.starts_with("win:")) {
    p.window = true;
    n.remove_prefix(4);
  }
  if (auto b = n.find('['); b != std::string_view::npos) {
    p.capacity = std::strtoul(std::string(n.substr(b + 1)).c_str(), nullptr, 10);
    n = n.substr(0, b);
  }
  if (!n.empty() && n.back() == '?') {
    p.optional = true;
    n.remove_suffix(1);
  }
  p.name = n;
  return p;
}

const Procedure* find(std::string_view name) {
  const auto& t = table();
  auto at = std::lower_bound(t.begin(), t.end(), name,
                             [](const Procedure& a, std::string_view n) { return a.name < n; });
  return at != t.end() && at->name == name ? &*at : nullptr;
}

namespace {

std::string texts_json(const Arg& a) {
  std::string out = "[";
  for (std::size_t i = 0; i < a.texts.size(); ++i) {
    out += (i ? ", " : "") + text::json_quote(a.texts[i].data());
  }
  return out + "]";
}

}  // namespace

Value arg_value(const Param& p, const Arg& a) {
  Value v;
  v.kind = p.kind;
  switch (p.kind) {
    case Kind::Text:
      v.text = p.by_ref ? std::string(a.buffer.data()) : a.text;
      break;
    case Kind::Group:
      if (a.group) v.text = dict::group_to_json(a.group->group);
      break;
    case Kind::Texts:
      v.text = texts_json(a);
      break;
    case Kind::Band:
      if (a.band) v.text = reports::band_to_json(a.band->band);
      break;
    case Kind::Short:
      v.number = a.shrt;
      break;
    case Kind::Bool:
      v.number = a.boolean ? 1 : 0;
      break;
    case Kind::Long:
    case Kind::Window:
      v.number = a.lng;
      break;
    case Kind::Byte:
      v.number = a.byte;
      break;
    case Kind::Real:
      v.number = a.real;
      break;
    case Kind::None:
    case Kind::Handle:
    case Kind::List:
      break;
  }
  return v;
}

char* give_text(std::string_view s) {
  auto* out = static_cast<char*>(std::malloc(s.size() + 1));
  if (!out) return nullptr;
  if (!s.empty()) std::memcpy(out, s.data(), s.size());  // an empty view may hold no pointer
  out[s.size()] = '\0';
  return out;
}

void put_text(ORVRUN_TEXT* ref, std::string_view s) {
  if (!ref || !ref->data || ref->size == 0) return;
  std::size_t n = std::min(s.size(), ref->size - 1);
  if (n) std::memcpy(ref->data, s.data(), n);
  ref->data[n] = '\0';
}

}  // namespace orv::exports
