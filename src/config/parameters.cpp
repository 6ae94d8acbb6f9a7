// Configuration look-ups over the host's two in-memory tables.
#include "config/parameters.hpp"

#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"

namespace orv::config {
namespace {

const dict::ParamKonfRow* row(std::string_view scope, std::string_view code) {
  scope = text::clip(scope);
  auto& tables = dict::glo().tables;
  dict::Queue<dict::ParamKonfRow>* q = scope == "s"   ? &tables.S_PARAMKONFQ
                                       : scope == "u" ? &tables.U_PARAMKONFQ
                                                      : nullptr;
  if (!q) return nullptr;
  std::string key = text::upper(text::clip(code)).substr(0, 20);
  return q->find([&](const dict::ParamKonfRow& r) { return text::clip(r.code) == key; });
}

}  // namespace

std::string POBIERZPARAMKONF(std::string_view scope, std::string_view code) {
  const dict::ParamKonfRow* r = row(scope, code);
  return r ? r->value : std::string();
}

std::string MASKAPARAMKONF(std::string_view scope, std::string_view code) {
  const dict::ParamKonfRow* r = row(scope, code);
  return r ? r->mask : std::string();
}

}  // namespace orv::config
