// The mounted volumes that stand for the drive list.
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

#include "platform/detached_thread.h"

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

// How a line of /etc/fstab marks its mount point for file managers.
enum class FstabMark { Show, Hide };

// The marks by mount point (escapes undone, no trailing slash).
using FstabMarks = std::map<QByteArray, FstabMark>;

// The x-gvfs-show and x-gvfs-hide options of an fstab text; a line with both shows, and of
// two lines for one mount point the later counts.
FstabMarks ParseFstab(QByteArrayView text);

// Only this many bytes of an fstab are read; a line cut by the limit is not seen.
inline constexpr qsizetype FstabReadLimit = qsizetype{1} << 18;

// The marks of an fstab file; none when it is not a regular file or cannot be read. Opening
// it can neither hang nor wait; the mount points it names are never looked at.
FstabMarks ReadFstab(const QByteArray &path);

// What decides, besides the mount table, which mounts are drives.
struct DriveRules {
  FstabMarks marks;
  QByteArray home; // the user's home folder: in it only dot folders are system places
};

// The mount points that are drives by the rules, in byte order, before one per device is
// chosen. Always "/"; of the others, with a mount point mounted over showing only what is on
// top and pseudo file systems never: a mount marked x-gvfs-show shows; then one marked
// x-gvfs-hide is hidden; then one at a system place (at or below /boot, /efi, /proc, /sys,
// /dev, /run but for /run/media, /snap, /var/lib, /var/snap, /usr; at /var, /opt, /srv, /root,
// /tmp; below a dot folder); then memory file systems, system images and container layers.
std::vector<QByteArray> DriveMountPoints(const std::vector<MountEntry> &mounts, const DriveRules &rules);

// The device of a mount point as stat sees it ("major:minor"), or nothing when stat failed
// or did not answer.
using DeviceLookup = std::function<std::optional<QByteArray>(const QByteArray &mountPoint)>;

// The drives worth showing, in byte order: one per device, devices told apart
// by stat of the mount point (each btrfs subvolume has a device of its own, though all share
// mountinfo's), and by mountinfo's device where the lookup knows none. Of one device's
// mounts, "/" wins, then a real device path, then the mount nearer the file system's root,
// then the shorter mount point; network mounts of different sources are all kept. File
// systems of size 0 are left out later, once their size is known.
std::vector<QByteArray> SelectVolumes(const std::vector<MountEntry> &mounts, const DriveRules &rules,
                                      const DeviceLookup &deviceOf);

struct VolumeSpace {
  bool answered = false; // false when the query failed or did not answer in time
  qint64 total = -1;     // bytes
  qint64 available = -1; // bytes free to this user
};

// What one look at a mount point found.
struct MountFacts {
  std::optional<QByteArray> device; // as DeviceLookup gives it
  VolumeSpace space;                // not answered when the space query failed
  bool folder = true;               // false when stat found a file (a file bound over a file)
};

using MountLook = std::function<MountFacts(const QByteArray &mountPoint)>;

// The facts by mount point; nothing for a mount point that did not answer in time.
using MountReport = std::map<QByteArray, std::optional<MountFacts>>;

// Runs a task on a thread of its own that is never waited for; false when no thread can be
// had.
using ThreadStarter = std::function<bool(std::function<void()> task)>;

// Looks at mount points, each on a helper thread of its own, waiting at most a timeout for
// all of them, so that a dead network mount cannot hang the caller. A look still out when
// the time is up is left to finish on its own, and its mount point is not looked at again
// until it has: a later ask waits for that same look. A mount point whose thread cannot be
// started counts as not answering.
class MountLooks {
public:
  explicit MountLooks(MountLook look, ThreadStarter start = TryStartDetachedThread);

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

// The drive list from mountinfo and the looks at its drives' mount points: mounts whose
// space query was refused (another user's FUSE mount, a mount point gone), mount points that
// are files and file systems of size 0 are left out; mounts that did not answer in time are
// kept with an unanswered space.
std::vector<Volume> VolumesFrom(const std::vector<MountEntry> &mounts, const DriveRules &rules,
                                const MountReport &report);

// The mounted volumes a person opens and saves into, in order of mount point.
std::vector<Volume> MountedVolumes();

} // namespace tv::platform
