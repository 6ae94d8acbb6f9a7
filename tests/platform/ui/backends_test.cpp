// Window backends by name: the registry, the choice when the host names none, and which
// backends may drive an engine of the caller's.
#include "platform/ui/backends.hpp"
#include "support/case_names.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace orv::ui {
namespace {

// Sets (or, with nullptr, clears) an environment variable for the life of the object.
class Env {
 public:
  Env(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~Env() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(Backends, MadeByNameInAnyCase) {
  EXPECT_NE(make_ui("headless"), nullptr);
  EXPECT_NE(make_ui("Headless"), nullptr);
  EXPECT_EQ(make_ui("gtk"), nullptr);
  auto names = ui_backend_names();
  for (const char* name : {"headless", "terminal"})
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

TEST(Backends, DriveTheCallersEngine) {
  ScriptedBackend engine(/*strict=*/true);
  auto headless = make_ui("headless", {}, &engine);
  ASSERT_NE(headless, nullptr);
  EXPECT_EQ(&headless->engine(), &engine);
  EXPECT_EQ(&headless->backend(), static_cast<Backend*>(&engine));
  // The terminal reads its own input and cannot take another engine's place.
  EXPECT_EQ(make_ui("terminal", {}, &engine), nullptr);
}

struct DefaultCase {
  const char* name;
  const char* orvrun_ui;
  const char* display;
  bool person;
  const char* chosen;  // "qt" turns into "terminal" in a build without Qt
};
void PrintTo(const DefaultCase& c, std::ostream* os) {
  *os << c.name;
}

class DefaultBackend : public testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultBackend, Chosen) {
  const DefaultCase& c = GetParam();
  Env ui("ORVRUN_UI", c.orvrun_ui), display("DISPLAY", c.display),
      wayland("WAYLAND_DISPLAY", nullptr);
  std::string want = c.chosen;
  if (want == "qt" && !ui_backend_usable("qt")) want = "terminal";
  EXPECT_EQ(default_ui_backend(c.person), want);
}

INSTANTIATE_TEST_SUITE_P(
    Backends, DefaultBackend,
    testing::Values(
        // 1. ORVRUN_UI wins over everything else.
        DefaultCase{"EnvironmentWins", "Terminal", ":0", false, "terminal"},
        // 2. Nobody at a terminal (--json, --answer, a script, a pipe): headless.
        DefaultCase{"NoPerson", nullptr, ":0", false, "headless"},
        // 3. A person without a display: the terminal.
        DefaultCase{"PersonWithoutDisplay", nullptr, nullptr, true, "terminal"},
        DefaultCase{"EmptyDisplayIsNone", nullptr, "", true, "terminal"},
        // 4. A person with a display: the desktop.
        DefaultCase{"PersonWithDisplay", nullptr, ":0", true, "qt"}),
    orv::test::named_case);

}  // namespace
}  // namespace orv::ui
