// Recursive-descent JSON: objects, arrays, strings with escapes (surrogate pairs included),
// numbers.
#include "platform/text/json.hpp"

#include <charconv>

namespace orv::json {
namespace {

constexpr int kMaxDepth = 64;

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  std::optional<Value> document(std::string& error) {
    Value v;
    bool ok = value(v, 0);
    skip();
    if (ok && at_ == s_.size()) return v;
    error = (why_.empty() ? std::string("unexpected text") : why_) + " at offset " +
            std::to_string(at_);
    return std::nullopt;
  }

 private:
  bool fail(const char* why) {
    if (why_.empty()) why_ = why;
    return false;
  }
  void skip() {
    while (at_ < s_.size() &&
           (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r')) {
      ++at_;
    }
  }
  bool eat(char c) {
    skip();
    if (at_ < s_.size() && s_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool word(std::string_view w) {
    if (s_.substr(at_, w.size()) != w) return fail("unknown word");
    at_ += w.size();
    return true;
  }

  bool value(Value& v, int depth) {
    if (depth > kMaxDepth) return fail("nesting too deep");
    skip();
    if (at_ >= s_.size()) return fail("unexpected end");
    char c = s_[at_];
    if (c == '{') return object(v, depth);
    if (c == '[') return array(v, depth);
    if (c == '"') {
      v.kind = Value::Kind::String;
      return string(v.string);
    }
    if (c == 't' || c == 'f') {
      v.kind = Value::Kind::Bool;
      v.boolean = c == 't';
      return word(c == 't' ? "true" : "false");
    }
    if (c == 'n') return word("null");
    return number(v);
  }

  bool number(Value& v) {
    std::size_t start = at_;
    while (at_ < s_.size() &&
           std::string_view("+-0123456789.eE").find(s_[at_]) != std::string_view::npos) {
      ++at_;
    }
    auto [end, ec] = std::from_chars(s_.data() + start, s_.data() + at_, v.number);
    if (start == at_ || ec != std::errc{} || end != s_.data() + at_) return fail("bad number");
    v.kind = Value::Kind::Number;
    return true;
  }

  bool array(Value& v, int depth) {
    v.kind = Value::Kind::Array;
    ++at_;
    if (eat(']')) return true;
    do {
      v.items.emplace_back();
      if (!value(v.items.back(), depth + 1)) return false;
    } while (eat(','));
    return eat(']') || fail("expected ',' or ']'");
  }

  bool object(Value& v, int depth) {
    v.kind = Value::Kind::Object;
    ++at_;
    if (eat('}')) return true;
    do {
      skip();
      std::string name;
      if (at_ >= s_.size() || s_[at_] != '"' || !string(name)) return fail("expected a name");
      if (!eat(':')) return fail("expected ':'");
      v.members.emplace_back(std::move(name), Value{});
      if (!value(v.members.back().second, depth + 1)) return false;
    } while (eat(','));
    return eat('}') || fail("expected ',' or '}'");
  }

  bool hex4(unsigned& out) {
    if (at_ + 4 > s_.size()) return fail("bad escape");
    auto [end, ec] = std::from_chars(s_.data() + at_, s_.data() + at_ + 4, out, 16);
    if (ec != std::errc{} || end != s_.data() + at_ + 4) return fail("bad escape");
    at_ += 4;
    return true;
  }

  static void put_utf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  bool unicode_escape(std::string& out) {
    unsigned cp = 0;
    if (!hex4(cp)) return false;
    if (cp >= 0xD800 && cp < 0xDC00) {
      unsigned low = 0;
      if (!word("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF) return fail("bad surrogate");
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    } else if (cp >= 0xDC00 && cp < 0xE000) {
      return fail("bad surrogate");
    }
    put_utf8(out, cp);
    return true;
  }

  bool escape(std::string& out) {
    if (at_ >= s_.size()) return fail("unexpected end");
    char c = s_[at_++];
    static const std::string_view kFrom = "\"\\/bfnrt";
    static const std::string_view kTo = "\"\\/\b\f\n\r\t";
    std::size_t k = kFrom.find(c);
    if (k != std::string_view::npos) {
      out += kTo[k];
      return true;
    }
    return c == 'u' ? unicode_escape(out) : fail("bad escape");
  }

  bool string(std::string& out) {
    ++at_;
    while (at_ < s_.size()) {
      char c = s_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return fail("control character in a string");
      if (c != '\\') {
        out += c;
      } else if (!escape(out)) {
        return false;
      }
    }
    return fail("unterminated string");
  }

  std::string_view s_;
  std::size_t at_ = 0;
  std::string why_;
};

}  // namespace

const Value* Value::find(std::string_view name) const {
  for (const auto& [key, v] : members) {
    if (key == name) return &v;
  }
  return nullptr;
}

std::optional<Value> parse(std::string_view text, std::string& error) {
  return Parser(text).document(error);
}

}  // namespace orv::json
