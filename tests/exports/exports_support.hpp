// Test support for sweeps over the table of exported procedures: arguments from parameter kinds.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "exports/table.hpp"

namespace orv::test {

// Bytes of a by-reference text whose table entry gives no capacity.
inline constexpr std::size_t kSweepRefCapacity = 256;

// A record of one text field and one number, ten texts, a fresh band: each holding `text`.
inline void fill_structured(const exports::Param& q, const std::string& text, exports::Arg& a) {
  if (q.kind == exports::Kind::Group) {
    a.group = std::make_shared<ORVRUN_GROUP>();
    a.group->group.add("LOC:TEKST", dict::FieldKind::Text).values[0] = text;
    a.group->group.add("LOC:ID_TABELI", dict::FieldKind::Long).values[0] = "1";
  }
  if (q.kind == exports::Kind::Texts) {
    a.texts.assign(10, std::vector<char>(kSweepRefCapacity, '\0'));
    for (auto& t : a.texts)
      std::copy_n(text.begin(), std::min(text.size(), t.size() - 1), t.begin());
  }
  if (q.kind == exports::Kind::Band) a.band = std::make_shared<ORVRUN_BAND>();
}

// One argument per parameter, every optional one given: texts are `text` (a text by reference
// holds as much of it as its buffer takes), numbers 1, handles null.
inline std::vector<exports::Arg> arguments_for(const exports::Procedure& p,
                                               const std::string& text) {
  std::vector<exports::Arg> args(p.params.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    const exports::Param& q = p.params[i];
    exports::Arg& a = args[i];
    a.given = true;
    a.text = text;
    a.lng = 1;
    a.byte = 1;
    a.real = 1;
    a.shrt = 1;
    a.boolean = true;
    fill_structured(q, text, a);
    if (!q.by_ref) continue;
    a.buffer.assign(q.capacity ? q.capacity : kSweepRefCapacity, '\0');
    std::copy_n(text.begin(), std::min(text.size(), a.buffer.size() - 1), a.buffer.begin());
  }
  return args;
}

}  // namespace orv::test
