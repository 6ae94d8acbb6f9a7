// A small strict JSON reader: recursive descent over the text, depth bounded.
#include "platform/text/json.hpp"

#include <cstdio>

#include "platform/text/text.hpp"

namespace orv::text {
namespace {

constexpr int kMaxDepth = 64;

class Reader {
 public:
  explicit Reader(std::string_view s) : s_(s) {}

  bool document(Json& out) {
    if (!value(out, 0)) return false;
    blanks();
    return at_ == s_.size() || fail("the end of the text");
  }
  const std::string& error() const { return error_; }

 private:
  bool fail(std::string_view expected) {
    if (error_.empty())
      error_ =
          "JSON: " + std::string(expected) + " expected at character " + std::to_string(at_ + 1);
    return false;
  }
  void blanks() {
    while (at_ < s_.size() &&
           (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r'))
      ++at_;
  }
  bool take(char c) {
    blanks();
    if (at_ < s_.size() && s_[at_] == c) return ++at_, true;
    return false;
  }
  bool word(std::string_view w) {
    if (s_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }

  bool value(Json& out, int depth) {
    if (depth > kMaxDepth) return fail("a shallower nesting");
    blanks();
    if (at_ >= s_.size()) return fail("a value");
    const char c = s_[at_];
    if (c == '{') return object(out, depth);
    if (c == '[') return array(out, depth);
    if (c == '"') return out.type = Json::Type::String, string(out.text);
    for (const std::string_view truth : {"true", "false"}) {
      if (word(truth)) return out.type = Json::Type::Bool, out.text = truth, true;
    }
    if (word("null")) return out.type = Json::Type::Null, true;
    return number(out);
  }

  bool digits() {
    const std::size_t from = at_;
    while (at_ < s_.size() && is_digit(s_[at_])) ++at_;
    return at_ > from;
  }

  bool number(Json& out) {
    const std::size_t from = at_;
    if (at_ < s_.size() && s_[at_] == '-') ++at_;
    if (!digits()) return fail("a value");
    if (s_[from + (s_[from] == '-')] == '0' && at_ - from > 1u + (s_[from] == '-'))
      return fail("a number without leading zeros");
    if (at_ < s_.size() && s_[at_] == '.' && (++at_, !digits())) return fail("digits");
    if (at_ < s_.size() && (s_[at_] == 'e' || s_[at_] == 'E')) {
      ++at_;
      if (at_ < s_.size() && (s_[at_] == '+' || s_[at_] == '-')) ++at_;
      if (!digits()) return fail("digits");
    }
    out.type = Json::Type::Number;
    out.text = std::string(s_.substr(from, at_ - from));
    return true;
  }

  bool hex4(unsigned& v) {
    v = 0;
    for (int i = 0; i < 4; ++i, ++at_) {
      if (at_ >= s_.size()) return false;
      const char c = s_[at_];
      const int d = is_digit(c)                              ? c - '0'
                    : (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10
                                                             : -1;
      if (d < 0) return false;
      v = v * 16 + static_cast<unsigned>(d);
    }
    return true;
  }

  // A \u escape: the character's UTF-8 form, then its Windows-1250 byte.
  bool unicode(std::string& out) {
    unsigned u = 0;
    if (!hex4(u)) return fail("four hex digits");
    if (u >= 0xD800 && u <= 0xDFFF) return fail("a character Windows-1250 has");
    std::string utf8;
    if (u < 0x80) {
      utf8 += static_cast<char>(u);
    } else if (u < 0x800) {
      utf8 += static_cast<char>(0xC0 | (u >> 6));
      utf8 += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (u >> 12));
      utf8 += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (u & 0x3F));
    }
    std::string why;
    auto cp = from_utf8_strict(utf8, why);
    if (!cp) return fail("a character Windows-1250 has");
    out += *cp;
    return true;
  }

  bool escape(std::string& out) {
    if (at_ >= s_.size()) return fail("an escape");
    const char c = s_[at_++];
    static constexpr std::string_view kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
    if (const auto k = kFrom.find(c); k != std::string_view::npos) return out += kTo[k], true;
    if (c == 'u') return unicode(out);
    --at_;
    return fail("an escape");
  }

  bool string(std::string& out) {
    ++at_;  // the opening quote
    out.clear();
    while (at_ < s_.size()) {
      const char c = s_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return --at_, fail("an escaped control character");
      if (c != '\\') {
        out += c;
      } else if (!escape(out)) {
        return false;
      }
    }
    return fail("the closing quote");
  }

  bool array(Json& out, int depth) {
    ++at_;
    out.type = Json::Type::Array;
    if (take(']')) return true;
    do {
      if (!value(out.items.emplace_back(), depth + 1)) return false;
    } while (take(','));
    return take(']') || fail("',' or ']'");
  }

  bool object(Json& out, int depth) {
    ++at_;
    out.type = Json::Type::Object;
    if (take('}')) return true;
    do {
      blanks();
      if (at_ >= s_.size() || s_[at_] != '"') return fail("a member name");
      auto& m = out.members.emplace_back();
      if (!string(m.name)) return false;
      if (!take(':')) return fail("':'");
      if (!value(m.value, depth + 1)) return false;
    } while (take(','));
    return take('}') || fail("',' or '}'");
  }

  std::string_view s_;
  std::size_t at_ = 0;
  std::string error_;
};

}  // namespace

const Json* Json::member(std::string_view name) const {
  for (const auto& m : members) {
    if (m.name == name) return &m.value;
  }
  return nullptr;
}

std::optional<Json> parse_json(std::string_view text, std::string& error) {
  Reader r(text);
  Json out;
  if (r.document(out)) return out;
  error = r.error();
  return std::nullopt;
}

std::string json_quote(std::string_view s) {
  std::string out = "\"";
  for (const char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace orv::text
