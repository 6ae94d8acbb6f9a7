// Dynamic records: field lookup and clearing.
#include "platform/dict/group.hpp"

#include "platform/text/text.hpp"

namespace orv::dict {

Field& Group::add(std::string name, FieldKind kind, std::size_t size, std::size_t dimension) {
  Field f{std::move(name), kind, size, dimension, {}};
  f.values.resize(dimension == 0 ? 1 : dimension);
  fields_.push_back(std::move(f));
  clear_field(fields_.back());
  return fields_.back();
}

Field* Group::find(std::string_view name) {
  for (auto& f : fields_) {
    if (text::equal_ci(f.name, name)) return &f;
  }
  return nullptr;
}

const Field* Group::find(std::string_view name) const {
  return const_cast<Group*>(this)->find(name);
}

void Group::clear() {
  for (auto& f : fields_) clear_field(f);
}

void Group::clear_field(Field& f) {
  bool text = f.kind == FieldKind::Text || f.kind == FieldKind::Group;
  for (auto& v : f.values) v.assign(text ? 0 : 1, '0');
}

}  // namespace orv::dict
