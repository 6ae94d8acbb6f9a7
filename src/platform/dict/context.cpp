// The process-wide shared context.
#include "platform/dict/context.hpp"

namespace orv::dict {

Context& glo() {
  static Context context;
  return context;
}

void reset_context() { glo() = Context{}; }

}  // namespace orv::dict
