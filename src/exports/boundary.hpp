// The one construct every exported C entry point runs its body in: nothing crosses the C ABI.
#pragma once

#include <exception>
#include <new>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/ui/ui.hpp"
#include "table.hpp"

namespace orv::exports {

// How a guarded body ended.
enum class Outcome { Done, OutOfMemory, Failed };

namespace detail {

// Each handles one kind of failure and never throws itself.
void script_failed(const char* procedure, std::string_view message) noexcept;
void report_failure(const char* procedure, std::string_view message) noexcept;

}  // namespace detail

// Runs `body` for the entry point `procedure` (pass __func__). Every failure is handled here:
// - a script that cannot go on (ui::ScriptError) is handed to the UI backend as the run's failure;
// - memory running out is not reported (a report could run out again); see orvrun.h;
// - anything else is reported to the current error handler (ORVRUN_INIT's, else the module's own).
template <class F>
Outcome run_guarded(const char* procedure, F&& body) noexcept {
  try {
    std::forward<F>(body)();
    return Outcome::Done;
  } catch (const std::bad_alloc&) {
    return Outcome::OutOfMemory;
  } catch (const ui::ScriptError& e) {
    detail::script_failed(procedure, e.message);
  } catch (const std::exception& e) {
    detail::report_failure(procedure, e.what());
  } catch (...) {
    detail::report_failure(procedure, "unknown failure");
  }
  return Outcome::Failed;
}

// An entry point with a number result (or none): `fallback` is the procedure's documented
// result for a run that could not finish (for a window, the result of closing it unchosen).
//   extern "C" uint8_t NIPOK(const char* text) noexcept {
//     return guard(__func__, uint8_t{0}, [&] { return orv::calc::NIPOK(in(text)); });
//   }
template <class R, class F>
requires(!std::is_void_v<R>) R guard(const char* procedure, R fallback, F&& body)
noexcept {
  R result = fallback;
  if (run_guarded(procedure, [&] { result = std::forward<F>(body)(); }) != Outcome::Done)
    return fallback;
  return result;
}

template <class F>
void guard(const char* procedure, F&& body) noexcept {
  run_guarded(procedure, std::forward<F>(body));
}

// An entry point with a text result: `body` gives the text (or a text it already allocated for
// the caller); a failed run gives the empty text, memory running out a null pointer (the one case
// orvrun.h allows one).
template <class F>
char* guard_text(const char* procedure, F&& body) noexcept {
  char* out = nullptr;
  Outcome o = run_guarded(procedure, [&] {
    if constexpr (std::is_same_v<std::invoke_result_t<F>, char*>) {
      out = std::forward<F>(body)();
    } else {
      out = give_text(std::forward<F>(body)());
    }
  });
  if (o == Outcome::Failed) return give_text({});
  return out;
}

}  // namespace orv::exports
