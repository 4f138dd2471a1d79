// Keeps calls on a mount that does not answer from piling up: one call out per mount.
#pragma once

#include <QByteArray>
#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <vector>

namespace tv::platform {

// The mount points of the system, longest first, so that the first one a path starts with
// is the mount that holds it. Read from the kernel's table, which never waits on a mount.
class MountPoints {
public:
  MountPoints() = default;
  explicit MountPoints(std::vector<QByteArray> mountPoints);
  static MountPoints Current();

  // The mount point that holds an absolute path, judged by its text alone ("/" at least).
  QByteArray MountOf(const QByteArray &absolutePath) const;

private:
  std::vector<QByteArray> longestFirst_;
};

// One gate per mount: a call that may hang in the kernel goes through the gate of its mount,
// and while one is out, no other call on that mount starts. A dead network mount then holds
// one thread, however often it is asked. The gates are shared with the threads that pass
// them, which may outlive their owner.
class MountGates {
private:
  struct Board;

public:
  MountGates();

  // A pass through a mount's gate, held for as long as it lives.
  class Pass {
  public:
    Pass() = default;
    Pass(Pass &&) noexcept = default;
    Pass &operator=(Pass &&) noexcept = default;
    ~Pass();
    explicit operator bool() const { return static_cast<bool>(board_); }

  private:
    friend class MountGates;
    Pass(std::shared_ptr<Board> board, QByteArray mount);
    std::shared_ptr<Board> board_;
    QByteArray mount_;
  };

  // Waits until no other call is out on the mount, then holds its gate; an empty pass when
  // the stop was requested first.
  Pass Enter(const QByteArray &mount, std::stop_token stop);
  // The same, waiting at most the timeout; an empty pass when the mount was busy all along.
  Pass EnterWithin(const QByteArray &mount, std::chrono::milliseconds timeout);

  // Runs a call on a thread of its own through the mount's gate and waits at most the
  // timeout, counted from now, for the gate and then the call. False when it did not answer
  // in time, or no thread could be started: the call then goes on alone and keeps the gate
  // until it returns. What the call fills must be owned by the call (a shared pointer), as
  // it may finish after the caller has gone.
  bool CallWithin(const QByteArray &mount, std::chrono::milliseconds timeout, std::function<void()> call);

private:
  std::shared_ptr<Board> board_;
};

} // namespace tv::platform
