#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// The mounted volumes that stand for the drive list.
namespace tv::platform {

// One line of /proc/self/mountinfo, with its escapes undone.
struct MountEntry {
  QByteArray device;     // "major:minor" of the file system
  QByteArray root;       // the folder of the file system that is mounted
  QByteArray mountPoint; // where it is mounted
  QByteArray fsType;
  QByteArray source;
};

std::vector<MountEntry> ParseMountInfo(QByteArrayView text);

// The mount points that hold files, in byte order: no pseudo file systems, and a mount
// point mounted over shows only what is on top.
std::vector<QByteArray> VisibleMountPoints(const std::vector<MountEntry> &mounts);

// The device of a mount point as stat sees it ("major:minor"), or nothing when stat failed
// or did not answer.
using DeviceLookup = std::function<std::optional<QByteArray>(const QByteArray &mountPoint)>;

// The visible mount points worth showing, in byte order: one per device, devices told apart
// by stat of the mount point (each btrfs subvolume has a device of its own, though all share
// mountinfo's), and by mountinfo's device where the lookup knows none. Of one device's
// mounts, a real device path wins, then the mount nearer the file system's root, then the
// shorter mount point; network mounts of different sources are all kept. File systems of
// size 0 are left out later, once their size is known.
std::vector<QByteArray> SelectVolumes(const std::vector<MountEntry> &mounts, const DeviceLookup &deviceOf);

struct VolumeSpace {
  bool answered = false; // false when the query failed or did not answer in time
  qint64 total = -1;     // bytes
  qint64 available = -1; // bytes free to this user
};

// What one look at a mount point found.
struct MountFacts {
  std::optional<QByteArray> device; // as DeviceLookup gives it
  VolumeSpace space;                // not answered when the space query failed
};

using MountLook = std::function<MountFacts(const QByteArray &mountPoint)>;

// The facts by mount point; nothing for a mount point that did not answer in time.
using MountReport = std::map<QByteArray, std::optional<MountFacts>>;

// Runs a task on a thread of its own that is never waited for; throws std::system_error
// when no thread can be had.
using ThreadStarter = std::function<void(std::function<void()> task)>;
void StartDetachedThread(std::function<void()> task);

// Looks at mount points, each on a helper thread of its own, waiting at most a timeout for
// all of them, so that a dead network mount cannot hang the caller. A look still out when
// the time is up is left to finish on its own, and its mount point is not looked at again
// until it has: a later ask waits for that same look. A mount point whose thread cannot be
// started counts as not answering.
class MountLooks {
public:
  explicit MountLooks(MountLook look, ThreadStarter start = StartDetachedThread);

  MountReport Ask(const std::vector<QByteArray> &mountPoints, std::chrono::milliseconds timeout);

private:
  struct Look;
  struct Board;
  // The look at a mount point, started unless one is still out; nothing when no thread
  // could be started. Called with the board locked.
  std::shared_ptr<Look> StartLook(const QByteArray &mountPoint);

  std::shared_ptr<Board> board_;
  MountLook look_;
  ThreadStarter start_;
};

// stat and statvfs of one mount point.
MountFacts LookAtMount(const QByteArray &mountPoint);

struct Volume {
  QByteArray mountPoint;
  VolumeSpace space;
};

// The drive list from mountinfo and the looks at its visible mount points: mounts whose
// space query was refused (another user's FUSE mount, a mount point gone) and file systems
// of size 0 are left out; mounts that did not answer in time are kept with an unanswered
// space.
std::vector<Volume> VolumesFrom(const std::vector<MountEntry> &mounts, const MountReport &report);

// The mounted volumes that GNU df lists by default, in order of mount point.
std::vector<Volume> MountedVolumes();

} // namespace tv::platform
