// Detached threads whose refusal is an answer rather than an exception.
#include "platform/detached_thread.h"

#include <exception>
#include <thread>
#include <utility>

namespace tv::platform {

bool TryStartDetachedThread(std::function<void()> work) noexcept
{
  try {
    std::thread(std::move(work)).detach();
    return true;
  } catch (const std::exception &) { // std::system_error when refused; std::bad_alloc
    return false;
  }
}

} // namespace tv::platform
