// Test support for code that sends SQL: a scripted database behind fault injection and recording.
#pragma once

#include "testing/driver_decorators.hpp"
#include "testing/fake_driver.hpp"

namespace orv::test {

// The current driver for the life of the object: statements are recorded, then may be failed
// on purpose, then answered by the fake database. Channels and the shared context start fresh
// and are reset again afterwards; the previous driver is restored.
class SqlStack {
 public:
  SqlStack();
  ~SqlStack();
  SqlStack(const SqlStack&) = delete;
  SqlStack& operator=(const SqlStack&) = delete;

  sql::FakeDriver fake;
  sql::FaultDriver faults{fake};
  sql::RecordingDriver recording{faults};

 private:
  sql::Driver* previous_;
};

}  // namespace orv::test
