// What a run adds to the process's resident memory at its peak, for the benches that show memory
// staying flat as the input grows.
#pragma once

#include <fstream>
#include <functional>
#include <string>

namespace orv::bench {

// The peak resident memory while `run` runs, above what the process held before it (whatever was
// built first is not counted): writing 5 to /proc/self/clear_refs resets the peak.
inline long peak_kib_during(const std::function<void()>& run) {
  std::ofstream("/proc/self/clear_refs") << "5";
  auto kib = [](const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
    }
    return 0L;
  };
  const long before = kib("VmRSS:");
  run();
  return kib("VmHWM:") - before;
}

}  // namespace orv::bench
