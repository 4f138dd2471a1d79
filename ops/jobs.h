// Runs the work that may wait on a disk off the window's thread and brings its result back.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>

#include "platform/detached_thread.h"
#include "platform/mount_gates.h"

namespace tv::ops {

// Runs each job on a thread of its own that nobody waits for (a thread stuck on a dead
// drive must never hold up the program's end), and hands its result to a function on the
// thread of the object that owns the runner, through that thread's event loop. Results that
// come back after the runner is gone are dropped.
class JobRunner {
public:
  explicit JobRunner(QObject *receiver);
  ~JobRunner();
  JobRunner(const JobRunner &) = delete;
  JobRunner &operator=(const JobRunner &) = delete;

  // Runs work() on a thread of its own, then done(result) on the receiver's thread. False,
  // with nothing run, when no thread could be started.
  template <typename Work, typename Done> bool Run(Work work, Done done)
  {
    using Result = std::invoke_result_t<Work>;
    return platform::TryStartDetachedThread(
        [mailbox = mailbox_, work = std::move(work), done = std::move(done)]() mutable {
          auto result = std::make_shared<Result>(work());
          mailbox->Post([done = std::move(done), result] { done(std::move(*result)); });
        });
  }

  // The gates shared by every job of the runner, one call out per mount.
  platform::MountGates &Gates() { return gates_; }

private:
  // Where results go; the threads hold it, so it outlives the runner.
  struct Mailbox {
    std::mutex mutex;
    QObject *receiver = nullptr;
    void Post(std::function<void()> deliver);
  };
  std::shared_ptr<Mailbox> mailbox_;
  platform::MountGates gates_;
};

} // namespace tv::ops
