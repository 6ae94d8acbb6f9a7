// Golden files of the writer's tests: bytes compared with tests/payments/golden/<name>; with
// ORV_UPDATE_GOLDEN=1 in the environment the file is written instead (then read it by eye).
// And every file the writer's tests produce read by the payment-file checker as a bank would.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "payments/payment_check.hpp"
#include "support/support.hpp"

namespace orv::payments::test_golden {

inline std::string golden_path(const std::string& name) {
  return std::string(ORV_SOURCE_DIR) + "/tests/payments/golden/" + name;
}

inline void expect_golden(const std::string& name, const std::string& bytes) {
  const char* update = std::getenv("ORV_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::ofstream(golden_path(name), std::ios::binary) << bytes;
    return;
  }
  EXPECT_EQ(bytes, orv::test::read_bytes(golden_path(name))) << "golden file " << name;
}

// The bytes pass the checker with these options: no finding at all.
inline void expect_bank_clean(const std::string& bytes, const CheckOptions& options) {
  const CheckResult r = check_payment_file(bytes, options);
  EXPECT_EQ(r.total, 0u) << report_text(r);
}

}  // namespace orv::payments::test_golden
