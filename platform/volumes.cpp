// The mounted volumes that stand for the drive list.
#include "platform/volumes.h"

#include "platform/file_descriptor.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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

// Memory file systems, read-only images the system mounts and container layers: none is a
// drive, "/" apart.
const QSet<QByteArray> &HiddenFileSystems()
{
  static const QSet<QByteArray> types = {
      "tmpfs",    "ramfs",           "devtmpfs",
      "squashfs", "fuse.squashfuse", "erofs",
      "overlay",  "fuse-overlayfs",  "fuse.fuse-overlayfs",
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

QByteArray WithoutTrailingSlashes(QByteArray path)
{
  while (path.size() > 1 && path.endsWith('/'))
    path.chop(1);
  return path;
}

bool AtOrBelow(const QByteArray &path, const QByteArray &folder)
{
  return path == folder || (path.startsWith(folder) && path[folder.size()] == '/');
}

bool HasDotFolder(const QByteArray &path) { return path.startsWith('.') || path.contains("/."); }

// The system's own places, where mounts are its plumbing; "/run/media" holds the user's.
bool AtSystemPlace(const QByteArray &mountPoint)
{
  static const QByteArray trees[] = {"/boot", "/efi",  "/proc",    "/sys",      "/dev",
                                     "/run",  "/snap", "/var/lib", "/var/snap", "/usr"};
  static const QSet<QByteArray> folders = {"/var", "/opt", "/srv", "/root", "/tmp"};
  if (AtOrBelow(mountPoint, "/run/media"))
    return false;
  return folders.contains(mountPoint) || HasDotFolder(mountPoint) ||
         std::any_of(std::begin(trees), std::end(trees),
                     [&](const QByteArray &tree) { return AtOrBelow(mountPoint, tree); });
}

// Below the home folder only dot folders are the system's; the home folder "/" is none.
bool HiddenByPlace(const QByteArray &mountPoint, const QByteArray &home)
{
  if (home.size() > 1 && AtOrBelow(mountPoint, home))
    return HasDotFolder(mountPoint.mid(home.size()));
  return AtSystemPlace(mountPoint);
}

bool IsDrive(const MountEntry &mount, const DriveRules &rules)
{
  if (mount.mountPoint == "/")
    return true;
  if (const auto mark = rules.marks.find(mount.mountPoint); mark != rules.marks.end())
    return mark->second == FstabMark::Show;
  return !HiddenByPlace(mount.mountPoint, rules.home) && !HiddenFileSystems().contains(mount.fsType);
}

// Network mounts of different sources may share a device and are still shown apart.
bool IsNetworkMount(const MountEntry &mount) { return mount.source.contains(':') || mount.source.startsWith("//"); }

// Of two mounts of one device, the one to show: a real device path wins, then the mount
// nearer the file system's root, then the shorter mount point; "/" is always shown.
bool Preferred(const MountEntry &candidate, const MountEntry &shown)
{
  if ((candidate.mountPoint == "/") != (shown.mountPoint == "/"))
    return candidate.mountPoint == "/";
  const bool candidateReal = candidate.source.contains('/'), shownReal = shown.source.contains('/');
  if (candidateReal != shownReal)
    return candidateReal;
  if (candidate.root.size() != shown.root.size())
    return candidate.root.size() < shown.root.size();
  return candidate.mountPoint.size() < shown.mountPoint.size();
}

// The visible mounts by mount point: a later mount on the same mount point hides the
// earlier one.
std::map<QByteArray, const MountEntry *> VisibleMounts(const std::vector<MountEntry> &mounts)
{
  std::map<QByteArray, const MountEntry *> byMountPoint;
  for (const MountEntry &mount : mounts) {
    if (!PseudoFileSystems().contains(mount.fsType))
      byMountPoint[mount.mountPoint] = &mount;
    else
      byMountPoint.erase(mount.mountPoint);
  }
  return byMountPoint;
}

// The visible mounts that are drives by the rules, by mount point.
std::map<QByteArray, const MountEntry *> DriveMounts(const std::vector<MountEntry> &mounts, const DriveRules &rules)
{
  std::map<QByteArray, const MountEntry *> drives = VisibleMounts(mounts);
  std::erase_if(drives, [&](const auto &visible) { return !IsDrive(*visible.second, rules); });
  return drives;
}

// Up to the limit and one byte more, so that a cut shows.
std::optional<QByteArray> ReadUpTo(int fd, qsizetype limit)
{
  QByteArray bytes(limit + 1, Qt::Uninitialized);
  qsizetype filled = 0;
  while (filled < bytes.size()) {
    const ssize_t count = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
    if (count == 0)
      break;
    if (count < 0 && errno != EINTR)
      return std::nullopt;
    filled += std::max<ssize_t>(count, 0);
  }
  bytes.truncate(filled);
  if (filled > limit)
    bytes.truncate(bytes.lastIndexOf('\n', limit - 1) + 1);
  return bytes;
}

VolumeSpace SpaceOf(const QByteArray &mountPoint)
{
  struct statvfs info {};
  if (::statvfs(mountPoint.constData(), &info) != 0)
    return {};
  const auto blockSize = static_cast<qint64>(info.f_frsize ? info.f_frsize : info.f_bsize);
  return {true, static_cast<qint64>(info.f_blocks) * blockSize, static_cast<qint64>(info.f_bavail) * blockSize};
}

QByteArray DeviceText(dev_t device)
{
  return QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
}

} // namespace

std::vector<MountEntry> ParseMountInfo(QByteArrayView text)
{
  std::vector<MountEntry> mounts;
  for (const QByteArray &line : text.toByteArray().split('\n')) {
    MountEntry entry;
    if (ParseLine(line, entry))
      mounts.push_back(std::move(entry));
  }
  return mounts;
}

FstabMarks ParseFstab(QByteArrayView text)
{
  FstabMarks marks;
  for (const QByteArray &line : text.toByteArray().split('\n')) {
    // Fields: source mountpoint type options [dump [pass]], apart by blanks and tabs.
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 4 || fields[0].startsWith('#'))
      continue;
    const QByteArray mountPoint = WithoutTrailingSlashes(Unescape(fields[1]));
    const QList<QByteArray> options = fields[3].split(',');
    if (options.contains("x-gvfs-show"))
      marks[mountPoint] = FstabMark::Show;
    else if (options.contains("x-gvfs-hide"))
      marks[mountPoint] = FstabMark::Hide;
    else
      marks.erase(mountPoint);
  }
  return marks;
}

FstabMarks ReadFstab(const QByteArray &path)
{
  // A link is followed (some systems make fstab one). A FIFO or device is refused before it
  // is opened, and the non-blocking open cannot wait for a writer in between.
  struct stat info {};
  if (::stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode))
    return {};
  const FileDescriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
    return {};
  return ParseFstab(ReadUpTo(file.Get(), FstabReadLimit).value_or(QByteArray()));
}

std::vector<QByteArray> DriveMountPoints(const std::vector<MountEntry> &mounts, const DriveRules &rules)
{
  std::vector<QByteArray> mountPoints;
  for (const auto &[mountPoint, mount] : DriveMounts(mounts, rules))
    mountPoints.push_back(mountPoint);
  return mountPoints;
}

std::vector<QByteArray> SelectVolumes(const std::vector<MountEntry> &mounts, const DriveRules &rules,
                                      const DeviceLookup &deviceOf)
{
  std::map<QByteArray, const MountEntry *> byDevice;
  for (const auto &[mountPoint, mount] : DriveMounts(mounts, rules)) {
    QByteArray device = deviceOf(mountPoint).value_or(mount->device);
    if (IsNetworkMount(*mount))
      device += ' ' + mount->source;
    const MountEntry *&shown = byDevice[device];
    if (!shown || Preferred(*mount, *shown))
      shown = mount;
  }
  std::vector<QByteArray> mountPoints;
  for (const auto &[device, mount] : byDevice)
    mountPoints.push_back(mount->mountPoint);
  std::sort(mountPoints.begin(), mountPoints.end());
  return mountPoints;
}

// Shared with the helper threads, which may outlive the asker.
struct MountLooks::Look {
  bool done = false;
  MountFacts facts;
};

struct MountLooks::Board {
  std::mutex mutex;
  std::condition_variable changed;
  std::map<QByteArray, std::shared_ptr<Look>> outstanding; // looks not yet come back, by mount point
};

MountLooks::MountLooks(MountLook look, ThreadStarter start)
    : board_(std::make_shared<Board>()), look_(std::move(look)), start_(std::move(start))
{
}

std::shared_ptr<MountLooks::Look> MountLooks::StartLook(const QByteArray &mountPoint)
{
  if (const auto outstanding = board_->outstanding.find(mountPoint); outstanding != board_->outstanding.end())
    return outstanding->second;
  auto look = std::make_shared<Look>();
  const bool started = start_([board = board_, look, lookAt = look_, mountPoint] {
    MountFacts facts = lookAt(mountPoint);
    const std::lock_guard lock(board->mutex);
    look->facts = std::move(facts);
    look->done = true;
    board->outstanding.erase(mountPoint);
    board->changed.notify_all();
  });
  if (!started)
    return nullptr;
  board_->outstanding[mountPoint] = look;
  return look;
}

MountReport MountLooks::Ask(const std::vector<QByteArray> &mountPoints, std::chrono::milliseconds timeout)
{
  std::unique_lock lock(board_->mutex);
  std::map<QByteArray, std::shared_ptr<Look>> looks;
  for (const QByteArray &mountPoint : mountPoints)
    looks.emplace(mountPoint, StartLook(mountPoint));
  board_->changed.wait_for(lock, timeout, [&] {
    return std::all_of(looks.begin(), looks.end(), [](const auto &look) { return !look.second || look.second->done; });
  });
  // Copies: late answers must not change what the caller got.
  MountReport report;
  for (const auto &[mountPoint, look] : looks)
    report.emplace(mountPoint, look && look->done ? std::optional(look->facts) : std::nullopt);
  return report;
}

MountFacts LookAtMount(const QByteArray &mountPoint)
{
  MountFacts facts;
  struct stat info {};
  if (::stat(mountPoint.constData(), &info) == 0) {
    facts.device = DeviceText(info.st_dev);
    facts.folder = S_ISDIR(info.st_mode);
  }
  facts.space = SpaceOf(mountPoint);
  return facts;
}

std::vector<Volume> VolumesFrom(const std::vector<MountEntry> &mounts, const DriveRules &rules,
                                const MountReport &report)
{
  const auto factsOf = [&](const QByteArray &mountPoint) {
    const auto found = report.find(mountPoint);
    return found == report.end() ? std::nullopt : found->second;
  };
  const auto deviceOf = [&](const QByteArray &mountPoint) {
    const std::optional<MountFacts> facts = factsOf(mountPoint);
    return facts ? facts->device : std::nullopt;
  };
  // A file bound over a file is no drive, and must not stand for its device's folders.
  std::vector<MountEntry> folders;
  std::copy_if(mounts.begin(), mounts.end(), std::back_inserter(folders), [&](const MountEntry &mount) {
    const std::optional<MountFacts> facts = factsOf(mount.mountPoint);
    return !facts || facts->folder;
  });
  std::vector<Volume> volumes;
  for (const QByteArray &mountPoint : SelectVolumes(folders, rules, deviceOf)) {
    const std::optional<MountFacts> facts = factsOf(mountPoint);
    if (!facts)
      volumes.push_back({mountPoint, {}}); // did not answer in time: shown without sizes
    else if (facts->space.answered && facts->space.total > 0)
      volumes.push_back({mountPoint, facts->space});
  }
  return volumes;
}

std::vector<Volume> MountedVolumes()
{
  static MountLooks looks(LookAtMount);
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  if (!table.open(QIODevice::ReadOnly))
    return {};
  const std::vector<MountEntry> mounts = ParseMountInfo(table.readAll());
  const DriveRules rules{ReadFstab("/etc/fstab"), WithoutTrailingSlashes(QFile::encodeName(QDir::homePath()))};
  return VolumesFrom(mounts, rules, looks.Ask(DriveMountPoints(mounts, rules), std::chrono::seconds(1)));
}

} // namespace tv::platform
