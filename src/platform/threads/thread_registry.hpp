// The runtime's small thread numbers: registering threads, starting procedures, end callbacks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace orv::threads {

// The calling thread's number, registering the thread on its first call. Numbers are small: the
// lowest free one is given (1 for the first thread), and a thread's number is freed when it ends.
// Returns 0 only when every number is taken.
int32_t current();

// Starts `procedure` on a new thread and returns its number, known before the procedure runs.
// Returns 0, starting nothing, when no number is free or the system refuses the thread. An
// exception escaping the procedure ends its thread quietly: nothing propagates.
int32_t start(std::function<void()> procedure);

// Blocks until the thread holding this number at the call has ended (its end callbacks run);
// returns at once when no thread holds it. False, without waiting, when the caller holds the
// number itself: it would wait for ever.
bool wait(int32_t number);

// Whether a registered thread holds this number now.
bool running(int32_t number);
std::size_t count();

// Runs on every registered thread as it ends, with its number, before the number is freed. The
// handle removes it again; callbacks added or removed during a run take effect on the next one.
using EndCallback = std::function<void(int32_t number)>;
int add_end_callback(EndCallback callback);
void remove_end_callback(int handle);

// How many numbers may be held at once (the runtime's ceiling); tests lower it to reach the
// refusal path. Numbers already held are kept.
void set_limit(std::size_t limit);
std::size_t limit();

}  // namespace orv::threads
