// Every exported procedure called with seams that fail: nothing crosses the C boundary.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "exports/table.hpp"
#include "exports_support.hpp"
#include "frame/lifecycle.hpp"
#include "platform/ui/window.hpp"
#include "support/demo_db.hpp"

namespace orv::exports {
namespace {

// What every answer of the UI backend throws.
enum class Failure { Script, Other, Memory };

// A backend that cannot answer anything: boxes, windows, dialogs, popups, the clipboard.
class FailingBackend : public ui::Backend {
 public:
  explicit FailingBackend(Failure f) : failure_(f) {}
  unsigned message(const ui::MessageBox&) override { fail(); }
  void window_opened(ui::Window&) override { fail(); }
  ui::Event next_event(ui::Window&) override { fail(); }
  std::optional<std::string> file_dialog(const ui::FileDialog&) override { fail(); }
  int popup(const std::vector<std::string>&) override { fail(); }
  std::string clipboard() override { fail(); }
  void failed(const std::string& message) override { failures.push_back(message); }

  std::vector<std::string> failures;

 private:
  [[noreturn]] void fail() {
    if (failure_ == Failure::Script) throw ui::ScriptError{"no answer"};
    if (failure_ == Failure::Memory) throw std::bad_alloc();
    throw std::runtime_error("backend broke");
  }
  Failure failure_;
};

// Keeps what the boundary reports, per call.
class RecordingHandler : public frame::ErrorHandler {
 public:
  void report(std::string_view procedure, std::string_view message) override {
    reports.push_back(std::string(procedure) + ": " + std::string(message));
  }
  std::vector<std::string> reports;
};

std::string failure_name(Failure f) {
  if (f == Failure::Script) return "ScriptFails";
  if (f == Failure::Memory) return "MemoryRunsOut";
  return "BackendThrows";
}

class Boundary : public ::testing::TestWithParam<Failure> {
 protected:
  void SetUp() override {
    frame::reset_module();
    frame::ORVRUN_INIT(&handler_, nullptr);
    previous_ = ui::set_backend(&backend_);
    db_.faults().fail_next(-1, sql::Fault::rejected());
  }
  void TearDown() override {
    ui::set_backend(previous_);
    frame::reset_module();
  }

  test::DemoDb db_;
  FailingBackend backend_{GetParam()};
  RecordingHandler handler_;
  ui::Backend* previous_ = nullptr;
};

// 1. A script that cannot go on: reported to the backend, never to the error handler.
// 2. Any other failure: reported to the error handler, naming the procedure.
// 3. Memory running out: nothing reported; a text result may only then be null.
TEST_P(Boundary, EveryProcedureReturnsItsFallback) {
  std::size_t reported = 0;
  for (const Procedure& p : procedures()) {
    SCOPED_TRACE(p.name);
    handler_.reports.clear();
    std::vector<Arg> args = test::arguments_for(p, "x");
    Value v = p.invoke(args);
    reported += handler_.reports.size();
    for (const std::string& r : handler_.reports) EXPECT_EQ(r.rfind(p.name + ": ", 0), 0u) << r;
    if (GetParam() != Failure::Memory) {
      EXPECT_FALSE(v.null) << "a text result is null only when memory runs out";
    }
    if (GetParam() != Failure::Other) {
      EXPECT_TRUE(handler_.reports.empty());
    }
  }
  if (GetParam() == Failure::Other) {
    EXPECT_GT(reported, 0u);
  }
  if (GetParam() == Failure::Script) {
    EXPECT_FALSE(backend_.failures.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Seams, Boundary,
                         ::testing::Values(Failure::Script, Failure::Other, Failure::Memory),
                         [](const auto& info) { return failure_name(info.param); });

// The table accepts only entry points that run inside the boundary.
static_assert(kGuardedEntry<decltype(&NIPOK)>);
static_assert(!kGuardedEntry<uint8_t (*)(const char*)>);

}  // namespace
}  // namespace orv::exports
