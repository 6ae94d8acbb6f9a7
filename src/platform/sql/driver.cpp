// The process-wide current driver.
#include "platform/sql/driver.hpp"

#include <atomic>

namespace orv::sql {
namespace {
std::atomic<Driver*> g_driver{nullptr};
}

// A backend without binary values says so rather than pretending to store them.
int Connection::read_blob(const BlobCell& cell, Blob& out) {
  out = {};
  (void)cell;
  return kRejected;
}

int Connection::write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) {
  (void)cell;
  (void)bytes;
  return kRejected;
}

Driver* current_driver() {
  return g_driver.load();
}
Driver* set_current_driver(Driver* driver) {
  return g_driver.exchange(driver);
}

}  // namespace orv::sql
