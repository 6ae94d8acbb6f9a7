// The headless backend: the script engine with no person behind it.
#include "platform/ui/headless/headless.hpp"

#include "platform/ui/backends.hpp"

namespace orv::ui {
namespace {

// The engine is the backend: a caller's own engine is used as it is.
class HeadlessSession : public UiSession {
 public:
  HeadlessSession(const UiOptions& o, ScriptedBackend* engine)
      : own_(engine ? nullptr : std::make_unique<HeadlessBackend>(o.answers, o.strict)),
        engine_(engine ? engine : own_.get()) {}
  ScriptedBackend& engine() override { return *engine_; }
  Backend& backend() override { return *engine_; }

 private:
  std::unique_ptr<HeadlessBackend> own_;
  ScriptedBackend* engine_;
};

std::unique_ptr<UiSession> make_headless(const UiOptions& o, ScriptedBackend* engine) {
  return std::make_unique<HeadlessSession>(o, engine);
}

const UiBackendRegistrar kRegistered("headless", make_headless);

}  // namespace

HeadlessBackend::HeadlessBackend(std::vector<std::string> answers, bool strict,
                                 std::string_view script)
    : ScriptedBackend(strict) {
  for (auto& a : answers) add_answer(std::move(a));
  if (!script.empty()) add_script(script);
}

}  // namespace orv::ui
