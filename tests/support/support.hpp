// Test support shared by every test binary: the headless UI in scope and the CLI as a process.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/backends.hpp"
#include "platform/ui/headless/headless.hpp"

namespace orv::test {

// The window backend tests run on: $ORV_TEST_UI ("qt") or headless. One test list thus runs
// against each backend, the engine keeping the same records either way.
std::string test_ui_name();

// Installs a test's script engine, shown through the test backend, for the life of the object.
class ShownUi {
 public:
  explicit ShownUi(ui::ScriptedBackend& engine);
  ~ShownUi();
  ShownUi(const ShownUi&) = delete;
  ShownUi& operator=(const ShownUi&) = delete;

 private:
  std::unique_ptr<ui::UiSession> session_;
  ui::Backend* previous_;
};

// Installs a headless backend for the life of the object, restoring the previous one after.
class ScopedUi {
 public:
  explicit ScopedUi(std::vector<std::string> answers = {}, bool strict = true);
  ~ScopedUi();
  ScopedUi(const ScopedUi&) = delete;
  ScopedUi& operator=(const ScopedUi&) = delete;
  ui::HeadlessBackend& ui() { return headless_; }
  const std::vector<ui::BoxRecord>& boxes() const { return headless_.boxes(); }

 private:
  ui::HeadlessBackend headless_;
  ShownUi shown_;
};

struct CliResult {
  int status = -1;
  std::string out;  // stdout
  std::string err;  // stderr
};

// Runs the orvrun CLI with the given arguments (no shell involved) and collects its output.
CliResult run_cli(const std::vector<std::string>& args, const std::string& stdin_text = {});
// Runs a program by path with its arguments (argv[0] is the path), the same way.
CliResult run_program(const std::vector<std::string>& argv, const std::string& stdin_text = {});

// A file's whole content, bytes as they are; empty when it cannot be read.
std::string read_bytes(const std::string& path);

inline bool contains(const std::string& s, const std::string& part) {
  return s.find(part) != std::string::npos;
}

// A fresh, empty temporary directory removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace orv::test
