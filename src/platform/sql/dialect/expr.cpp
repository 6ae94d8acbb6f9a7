// Pratt parser over tokens: left-associative runs of one level become one n-ary Chain node, so
// a 100,000-term sum is flat rather than 100,000 levels deep.
#include "platform/sql/dialect/expr.hpp"

#include <algorithm>

#include "platform/sql/dialect/syntax.hpp"
#include "platform/sql/dialect/token_helpers.hpp"

namespace orv::sql::dialect {
namespace {

struct NotAnExpression {};

class Parser {
 public:
  Parser(const Tokens& t, const std::vector<std::size_t>& match, std::size_t limit, int depth,
         Expr& out)
      : t_(t), match_(match), limit_(std::min(limit, t.size())), depth_(depth), x_(out) {}

  void run(std::size_t begin) {
    pos_ = begin;
    x_.root = expression(kOr);
    x_.end = pos_;
  }

 private:
  struct Infix {
    int level = 0;
    bool chain = false;  // binary operator that extends a Chain
  };

  bool more() const { return pos_ < limit_; }
  const Token& cur() const { return t_[pos_]; }
  bool next_is(std::size_t k, std::string_view op_text) const {
    return pos_ + k < limit_ && is_op(t_[pos_ + k], op_text);
  }
  [[noreturn]] static void fail() { throw NotAnExpression{}; }

  int add(Node n) {
    x_.nodes.push_back(std::move(n));
    return static_cast<int>(x_.nodes.size()) - 1;
  }
  Node& node(int k) { return x_.nodes[static_cast<std::size_t>(k)]; }

  std::size_t close_of(std::size_t open) const {
    std::size_t m = match_[open];
    if (m == npos || m >= limit_) fail();
    return m;
  }

  int expression(int min_level) {
    check_depth(++depth_);
    int left = prefix();
    while (more()) {
      Infix in = infix();
      if (in.level == 0 || in.level < min_level) break;
      left = in.chain ? chain(left, in.level) : postfix(left);
    }
    --depth_;
    return left;
  }

  Infix infix() const {
    const Token& t = cur();
    if (is_kw(t, "OR")) return {kOr, true};
    if (is_kw(t, "AND")) return {kAnd, true};
    if (any_kw(t, {"LIKE", "IN", "BETWEEN", "IS"})) return {kCompare, false};
    if (is_kw(t, "NOT") && pos_ + 1 < limit_ && any_kw(t_[pos_ + 1], {"LIKE", "IN", "BETWEEN"}))
      return {kCompare, false};
    if (is_kw(t, "COLLATE")) return {kCollate, false};
    if (t.kind != TokenKind::Op) return {};
    static const std::initializer_list<std::string_view> kCompareOps = {
        "=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>", "=="};
    for (std::string_view o : kCompareOps)
      if (t.text == o) return {kCompare, true};
    for (std::string_view o : {"+", "-", "&", "|", "^"})
      if (t.text == o) return {kAdditive, true};
    for (std::string_view o : {"*", "/", "%", "||"})
      if (t.text == o) return {kMultiply, true};
    return {};
  }

  int chain(int left, int level) {
    std::size_t at = pos_++;
    std::string o = ascii_lower(t_[at].text);
    int right = expression(level + 1);
    if (node(left).kind != Node::Kind::Chain || node(left).level != level) {
      Node c;
      c.kind = Node::Kind::Chain;
      c.level = level;
      c.begin = node(left).begin;
      c.kids.push_back(left);
      left = add(std::move(c));
    }
    Node& c = node(left);
    c.ops.push_back(std::move(o));
    c.op_pos.push_back(at);
    c.kids.push_back(right);
    c.end = node(right).end;
    return left;
  }

  int postfix(int left) {
    Node n;
    n.begin = node(left).begin;
    n.kids.push_back(left);
    if (is_kw(cur(), "COLLATE")) {
      n.kind = Node::Kind::Collate;
      pos_ += 2;
      if (pos_ > limit_) fail();
    } else {
      n.kind = Node::Kind::Predicate;
      predicate(n);
    }
    n.end = pos_;
    return add(std::move(n));
  }

  void predicate(Node& n) {
    bool negated = is_kw(cur(), "NOT");
    if (negated) ++pos_;
    n.name = (negated ? "not " : "") + ascii_lower(cur().text);
    if (is_kw(cur(), "IS")) {
      ++pos_;
      if (more() && is_kw(cur(), "NOT")) ++pos_;
      n.kids.push_back(expression(kAdditive));
    } else if (is_kw(cur(), "IN")) {
      ++pos_;
      if (!more() || !is_op(cur(), "(")) fail();
      n.kids.push_back(prefix());
    } else if (is_kw(cur(), "BETWEEN")) {
      ++pos_;
      n.kids.push_back(expression(kAdditive));
      if (!more() || !is_kw(cur(), "AND")) fail();
      ++pos_;
      n.kids.push_back(expression(kAdditive));
    } else {  // LIKE [ESCAPE]
      ++pos_;
      n.kids.push_back(expression(kAdditive));
      if (more() && is_kw(cur(), "ESCAPE")) {
        ++pos_;
        n.kids.push_back(expression(kAdditive));
      }
    }
  }

  int prefix() {
    if (!more()) fail();
    const Token& t = cur();
    switch (t.kind) {
      case TokenKind::String:
        return leaf(Node::Kind::String);
      case TokenKind::Number:
        return leaf(Node::Kind::Number);
      case TokenKind::Variable:
      case TokenKind::HostVar:
        return leaf(Node::Kind::Variable);
      case TokenKind::Name:
        return name_or_call();
      case TokenKind::Word:
        return word();
      case TokenKind::Op:
        return operator_prefix();
      default:
        fail();
    }
  }

  int leaf(Node::Kind kind) {
    Node n;
    n.kind = kind;
    n.begin = pos_;
    n.end = ++pos_;
    return add(std::move(n));
  }

  int operator_prefix() {
    const Token& t = cur();
    if (t.text == "(") return paren();
    if (t.text == "?") return leaf(Node::Kind::Variable);
    if (t.text == "*") return leaf(Node::Kind::Star);
    if (t.text == "-" || t.text == "+" || t.text == "~") return unary(kUnary);
    fail();
  }

  int unary(int operand_level) {
    Node n;
    n.kind = Node::Kind::Unary;
    n.begin = pos_;
    n.name = ascii_lower(cur().text);
    ++pos_;
    n.kids.push_back(expression(operand_level));
    n.end = pos_;
    return add(std::move(n));
  }

  bool subquery_at(std::size_t open) const {
    return open + 1 < limit_ && (is_kw(t_[open + 1], "SELECT") || is_kw(t_[open + 1], "WITH"));
  }

  int paren() {
    std::size_t open = pos_;
    std::size_t close = close_of(open);
    Node n;
    n.begin = open;
    if (subquery_at(open)) {
      n.kind = Node::Kind::Subquery;
      pos_ = close + 1;
      n.end = pos_;
      return add(std::move(n));
    }
    n.kind = Node::Kind::Paren;
    ++pos_;
    list(close, n);
    n.end = pos_;
    return add(std::move(n));
  }

  // Comma-separated expressions up to `close`, which is consumed.
  void list(std::size_t close, Node& n) {
    while (pos_ < close) {
      std::size_t saved = limit_;
      limit_ = close;
      n.kids.push_back(expression(kOr));
      limit_ = saved;
      if (pos_ < close && !is_op(cur(), ",")) fail();
      if (pos_ < close) ++pos_;
    }
    if (pos_ != close) fail();
    ++pos_;
  }

  int word() {
    const Token& t = cur();
    if (is_kw(t, "NULL")) return leaf(Node::Kind::Null);
    if (is_kw(t, "NOT")) return unary(kNot);
    if (is_kw(t, "CASE")) return case_expr();
    if (is_kw(t, "EXISTS") || any_kw(t, {"ANY", "SOME", "ALL"})) return quantified();
    if (is_kw(t, "CAST") && next_is(1, "(")) return cast();
    bool call = next_is(1, "(");
    if (is_reserved(t) && !(call && any_kw(t, {"LEFT", "RIGHT"}))) fail();
    return name_or_call();
  }

  // EXISTS (subquery), and ANY/SOME/ALL (subquery) after a comparison.
  int quantified() {
    Node n;
    n.kind = Node::Kind::Exists;
    n.name = ascii_lower(cur().text);
    n.begin = pos_++;
    if (!more() || !is_op(cur(), "(") || !subquery_at(pos_)) fail();
    n.kids.push_back(paren());
    n.end = pos_;
    return add(std::move(n));
  }

  int cast() {
    Node n;
    n.kind = Node::Kind::Cast;
    n.begin = pos_;
    std::size_t close = close_of(pos_ + 1);
    pos_ += 2;
    std::size_t saved = limit_;
    limit_ = close;
    n.kids.push_back(expression(kOr));
    limit_ = saved;
    if (pos_ >= close || !is_kw(cur(), "AS")) fail();
    for (std::size_t k = pos_ + 1; k < close; ++k) n.name += ascii_lower(t_[k].text);
    pos_ = close + 1;
    n.end = pos_;
    return add(std::move(n));
  }

  int case_expr() {
    Node n;
    n.kind = Node::Kind::Case;
    n.begin = pos_++;
    if (more() && !is_kw(cur(), "WHEN")) labelled(n, "operand");
    while (more() && is_kw(cur(), "WHEN")) {
      ++pos_;
      labelled(n, "when");
      if (!more() || !is_kw(cur(), "THEN")) fail();
      ++pos_;
      labelled(n, "then");
    }
    if (more() && is_kw(cur(), "ELSE")) {
      ++pos_;
      labelled(n, "else");
    }
    if (!more() || !is_kw(cur(), "END") || n.ops.size() < 2) fail();
    n.end = ++pos_;
    return add(std::move(n));
  }

  void labelled(Node& n, const char* label) {
    n.kids.push_back(expression(kOr));
    n.ops.emplace_back(label);
  }

  // a, a.b, a.b.c, a.*, f(args), dbo-less schema.f(args), f(args) OVER (...)
  int name_or_call() {
    Node n;
    n.begin = pos_;
    n.parts.push_back(name_of(cur()));
    ++pos_;
    while (next_is(0, ".") && pos_ + 1 < limit_) {
      const Token& part = t_[pos_ + 1];
      if (is_op(part, "*")) {
        pos_ += 2;
        n.kind = Node::Kind::Star;
        n.end = pos_;
        return add(std::move(n));
      }
      if (!is_name(part) && part.kind != TokenKind::Word) break;
      n.parts.push_back(name_of(part));
      pos_ += 2;
    }
    if (!next_is(0, "(")) {
      n.kind = Node::Kind::Column;
      n.end = pos_;
      return add(std::move(n));
    }
    return call(std::move(n));
  }

  int call(Node n) {
    n.kind = Node::Kind::Call;
    n.name = ascii_lower(n.parts.back());
    std::size_t close = close_of(pos_);
    if (subquery_at(pos_)) {
      n.kids.push_back(paren());
    } else {
      ++pos_;
      if (pos_ < close && any_kw(cur(), {"DISTINCT", "ALL"})) ++pos_;
      if (pos_ + 1 == close && is_op(cur(), "*")) n.kids.push_back(leaf(Node::Kind::Star));
      list(close, n);
    }
    if (more() && is_kw(cur(), "OVER") && next_is(1, "(")) pos_ = close_of(pos_ + 1) + 1;
    n.end = pos_;
    return add(std::move(n));
  }

  const Tokens& t_;
  const std::vector<std::size_t>& match_;
  std::size_t limit_;
  int depth_;
  Expr& x_;
  std::size_t pos_ = 0;
};

}  // namespace

bool parse_expression(const Tokens& t, const std::vector<std::size_t>& match, std::size_t begin,
                      std::size_t limit, int depth, Expr& out) {
  out = Expr{};
  try {
    Parser(t, match, limit, depth, out).run(begin);
    return out.root >= 0 && out.end > begin;
  } catch (const NotAnExpression&) {
    out = Expr{};
    return false;
  }
}

}  // namespace orv::sql::dialect
