// Starting work on a thread that nobody waits for, where the system may refuse the thread.
#pragma once

#include <functional>

namespace tv::platform {

// Runs work on a new thread that is never joined, so that the program can end whatever the
// work is waiting for. Returns false, without running the work, when the system refuses a
// thread: the caller then fails the operation that needed it, and never runs the work on
// its own thread instead. Whatever the work uses must outlive it.
[[nodiscard]] bool TryStartDetachedThread(std::function<void()> work) noexcept;

} // namespace tv::platform
