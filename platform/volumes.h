#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <chrono>
#include <functional>
#include <vector>

// The mounted volumes that stand for the drive list.
namespace tv::platform {

// One line of /proc/self/mountinfo, with its escapes undone.
struct MountEntry {
  QByteArray device;     // "major:minor"
  QByteArray root;       // the folder of the file system that is mounted
  QByteArray mountPoint; // where it is mounted
  QByteArray fsType;
  QByteArray source;
};

std::vector<MountEntry> parseMountInfo(QByteArrayView text);

// The mount points worth showing, in byte order: no pseudo file systems, and one mount
// point per device (a mount point mounted over shows what is on top). File systems of
// size 0 are left out later, once their size is known.
std::vector<QByteArray> selectVolumes(const std::vector<MountEntry> &mounts);

struct VolumeSpace {
  bool answered = false; // false when the query failed or did not answer in time
  qint64 total = -1;     // bytes
  qint64 available = -1; // bytes free to this user
};

using SpaceQuery = std::function<VolumeSpace(const QByteArray &mountPoint)>;

// Asks the space of every mount point at once, each on a helper thread of its own, and
// waits at most the timeout for all of them. A query that has not answered by then counts
// as failed; its thread is left to finish on its own, so a dead network mount cannot hang
// the caller.
std::vector<VolumeSpace> querySpaces(const std::vector<QByteArray> &mountPoints, std::chrono::milliseconds timeout,
                                     const SpaceQuery &query);

// statvfs of one mount point.
VolumeSpace spaceOf(const QByteArray &mountPoint);

struct Volume {
  QByteArray mountPoint;
  VolumeSpace space;
};

// The mounted volumes that GNU df lists by default, in order of mount point.
std::vector<Volume> mountedVolumes();

} // namespace tv::platform
