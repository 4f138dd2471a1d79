// One call out per mount, and the mount that holds a path.
#include "platform/mount_gates.h"

#include <QFile>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <set>

#include "platform/detached_thread.h"
#include "platform/volumes.h"

namespace tv::platform {

MountPoints::MountPoints(std::vector<QByteArray> mountPoints) : longestFirst_(std::move(mountPoints))
{
  std::sort(longestFirst_.begin(), longestFirst_.end(),
            [](const QByteArray &a, const QByteArray &b) { return a.size() > b.size(); });
}

MountPoints MountPoints::Current()
{
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  if (!table.open(QIODevice::ReadOnly))
    return {};
  std::vector<QByteArray> mountPoints;
  for (const MountEntry &mount : ParseMountInfo(table.readAll()))
    mountPoints.push_back(mount.mountPoint);
  return MountPoints(std::move(mountPoints));
}

QByteArray MountPoints::MountOf(const QByteArray &absolutePath) const
{
  for (const QByteArray &mountPoint : longestFirst_) {
    if (mountPoint == "/")
      break;
    if (absolutePath.startsWith(mountPoint) &&
        (absolutePath.size() == mountPoint.size() || absolutePath[mountPoint.size()] == '/'))
      return mountPoint;
  }
  return "/";
}

struct MountGates::Board {
  std::mutex mutex;
  std::condition_variable changed;
  std::set<QByteArray> busy; // mounts with a call out
};

MountGates::MountGates() : board_(std::make_shared<Board>()) {}

MountGates::Pass::Pass(std::shared_ptr<MountGates::Board> board, QByteArray mount)
    : board_(std::move(board)), mount_(std::move(mount))
{
}

MountGates::Pass::~Pass()
{
  if (!board_)
    return;
  const std::lock_guard lock(board_->mutex);
  board_->busy.erase(mount_);
  board_->changed.notify_all();
}

MountGates::Pass MountGates::Enter(const QByteArray &mount, std::stop_token stop)
{
  std::unique_lock lock(board_->mutex);
  // A stop is looked at every so often rather than woken for: a superseded wait ends soon
  // enough, and the board needs no callback that could outlive it.
  while (board_->busy.contains(mount)) {
    if (stop.stop_requested())
      return {};
    board_->changed.wait_for(lock, std::chrono::milliseconds(50));
  }
  if (stop.stop_requested())
    return {};
  board_->busy.insert(mount);
  return Pass(board_, mount);
}

MountGates::Pass MountGates::EnterWithin(const QByteArray &mount, std::chrono::milliseconds timeout)
{
  std::unique_lock lock(board_->mutex);
  if (!board_->changed.wait_for(lock, timeout, [&] { return !board_->busy.contains(mount); }))
    return {};
  board_->busy.insert(mount);
  return Pass(board_, mount);
}

bool MountGates::CallWithin(const QByteArray &mount, std::chrono::milliseconds timeout, std::function<void()> call)
{
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::unique_lock lock(board_->mutex);
  if (!board_->changed.wait_until(lock, deadline, [&] { return !board_->busy.contains(mount); }))
    return false;
  board_->busy.insert(mount);
  auto done = std::make_shared<bool>(false);
  const bool started = TryStartDetachedThread([board = board_, mount, done, call = std::move(call)] {
    call();
    const std::lock_guard lock(board->mutex);
    *done = true;
    board->busy.erase(mount);
    board->changed.notify_all();
  });
  if (!started) {
    board_->busy.erase(mount);
    return false;
  }
  return board_->changed.wait_until(lock, deadline, [&] { return *done; });
}

} // namespace tv::platform
