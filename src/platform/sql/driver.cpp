// The process-wide current driver.
#include "platform/sql/driver.hpp"

#include <atomic>

namespace orv::sql {
namespace {
std::atomic<Driver*> g_driver{nullptr};
}

Driver* current_driver() {
  return g_driver.load();
}
Driver* set_current_driver(Driver* driver) {
  return g_driver.exchange(driver);
}

}  // namespace orv::sql
