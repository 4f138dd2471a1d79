#include "platform/volumes.h"

#include <QFile>
#include <QSet>
#include <algorithm>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <sys/statvfs.h>
#include <thread>

namespace tv::platform {

namespace {

// File systems that hold no files of the user; autofs is left alone so that listing the
// volumes never triggers a mount.
const QSet<QByteArray> &PseudoFileSystems()
{
  static const QSet<QByteArray> types = {
      "autofs",   "binfmt_misc", "bpf",         "cgroup",     "cgroup2",    "configfs",  "debugfs", "devfs", "devpts",
      "efivarfs", "fusectl",     "fuse.portal", "hugetlbfs",  "ignore",     "kernfs",    "mqueue",  "none",  "nsfs",
      "proc",     "pstore",      "rootfs",      "rpc_pipefs", "securityfs", "selinuxfs", "subfs",   "sysfs", "tracefs",
  };
  return types;
}

// Undoes the octal escapes (\040 for a blank) that mountinfo writes for blanks,
// tabs, newlines and backslashes in paths.
QByteArray Unescape(QByteArrayView field)
{
  QByteArray text;
  text.reserve(field.size());
  for (qsizetype i = 0; i < field.size(); ++i) {
    const auto isOctal = [&](qsizetype at) { return at < field.size() && field[at] >= '0' && field[at] <= '7'; };
    if (field[i] == '\\' && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
      text.append(char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
      i += 3;
    } else {
      text.append(field[i]);
    }
  }
  return text;
}

// Fields: id parent major:minor root mountpoint options [optional...] - type source superoptions
bool ParseLine(QByteArrayView line, MountEntry &entry)
{
  const QList<QByteArray> fields = line.toByteArray().split(' ');
  const qsizetype separator = fields.indexOf("-");
  if (fields.size() < 6 || separator < 6 || separator + 2 >= fields.size())
    return false;
  entry = {fields[2], Unescape(fields[3]), Unescape(fields[4]), Unescape(fields[separator + 1]),
           Unescape(fields[separator + 2])};
  return true;
}

// Of two mounts of one device, the one to show: a real device path wins, then the mount
// of the file system's own root, then the shorter mount point.
bool Preferred(const MountEntry &candidate, const MountEntry &shown)
{
  const bool candidateReal = candidate.source.contains('/'), shownReal = shown.source.contains('/');
  if (candidateReal != shownReal)
    return candidateReal;
  if (candidate.root.size() != shown.root.size())
    return candidate.root.size() < shown.root.size();
  return candidate.mountPoint.size() < shown.mountPoint.size();
}

} // namespace

std::vector<MountEntry> parseMountInfo(QByteArrayView text)
{
  std::vector<MountEntry> mounts;
  for (const QByteArray &line : text.toByteArray().split('\n')) {
    MountEntry entry;
    if (ParseLine(line, entry))
      mounts.push_back(std::move(entry));
  }
  return mounts;
}

std::vector<QByteArray> selectVolumes(const std::vector<MountEntry> &mounts)
{
  // A later mount on the same mount point hides the earlier one.
  std::map<QByteArray, const MountEntry *> byMountPoint;
  for (const MountEntry &mount : mounts) {
    if (!PseudoFileSystems().contains(mount.fsType))
      byMountPoint[mount.mountPoint] = &mount;
    else
      byMountPoint.erase(mount.mountPoint);
  }
  std::map<QByteArray, const MountEntry *> byDevice;
  for (const auto &[mountPoint, mount] : byMountPoint) {
    const MountEntry *&shown = byDevice[mount->device];
    if (!shown || Preferred(*mount, *shown))
      shown = mount;
  }
  std::vector<QByteArray> mountPoints;
  for (const auto &[device, mount] : byDevice)
    mountPoints.push_back(mount->mountPoint);
  std::sort(mountPoints.begin(), mountPoints.end());
  return mountPoints;
}

std::vector<VolumeSpace> querySpaces(const std::vector<QByteArray> &mountPoints, std::chrono::milliseconds timeout,
                                     const SpaceQuery &query)
{
  // Shared with the helper threads, which may outlive this call.
  struct Answers {
    std::mutex mutex;
    std::condition_variable answered;
    std::vector<VolumeSpace> spaces;
    size_t pending = 0;
  };
  const auto answers = std::make_shared<Answers>();
  answers->spaces.resize(mountPoints.size());
  answers->pending = mountPoints.size();
  for (size_t i = 0; i < mountPoints.size(); ++i) {
    std::thread([answers, query, i, mountPoint = mountPoints[i]] {
      const VolumeSpace space = query(mountPoint);
      const std::lock_guard lock(answers->mutex);
      answers->spaces[i] = space;
      --answers->pending;
      answers->answered.notify_all();
    }).detach();
  }
  std::unique_lock lock(answers->mutex);
  answers->answered.wait_for(lock, timeout, [&] { return answers->pending == 0; });
  return answers->spaces; // a copy: late answers must not change what the caller got
}

VolumeSpace spaceOf(const QByteArray &mountPoint)
{
  struct statvfs info {};
  if (::statvfs(mountPoint.constData(), &info) != 0)
    return {};
  const auto blockSize = static_cast<qint64>(info.f_frsize ? info.f_frsize : info.f_bsize);
  return {true, static_cast<qint64>(info.f_blocks) * blockSize, static_cast<qint64>(info.f_bavail) * blockSize};
}

std::vector<Volume> mountedVolumes()
{
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  if (!table.open(QIODevice::ReadOnly))
    return {};
  const std::vector<QByteArray> mountPoints = selectVolumes(parseMountInfo(table.readAll()));
  const std::vector<VolumeSpace> spaces = querySpaces(mountPoints, std::chrono::seconds(1), spaceOf);
  std::vector<Volume> volumes;
  for (size_t i = 0; i < mountPoints.size(); ++i) {
    if (!spaces[i].answered || spaces[i].total > 0)
      volumes.push_back({mountPoints[i], spaces[i]});
  }
  return volumes;
}

} // namespace tv::platform
