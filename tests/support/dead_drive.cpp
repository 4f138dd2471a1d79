// Mounting and stopping the never-answering FUSE server of the tests.
#include "tests/support/dead_drive.h"

#include <QFile>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace tv::test {

namespace {

constexpr char ConnectionsFolder[] = "/sys/fs/fuse/connections";
constexpr int MountWaitMs = 5000;

// The device minor of the mount at that point, read from the mount table (never by
// stat'ing it); -1 when nothing is mounted there.
long MinorOfMountAt(const QByteArray &mountPoint)
{
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  if (!table.open(QIODevice::ReadOnly))
    return -1;
  // Fields: id, parent id, major:minor, root, mount point, ...; the point has its blanks
  // escaped, and temporary folders have none.
  long minor = -1;
  for (QByteArray line; !(line = table.readLine()).isEmpty();) {
    const QList<QByteArray> fields = line.split(' ');
    if (fields.size() > 4 && fields[4] == mountPoint && line.contains(" - fuse"))
      minor = fields[2].mid(fields[2].indexOf(':') + 1).toLong();
  }
  return minor;
}

bool ConnectionsMounted()
{
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  return table.open(QIODevice::ReadOnly) && table.readAll().contains(" - fusectl ");
}

} // namespace

QString DeadDrive::Unavailable()
{
  const int device = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
  if (device < 0)
    return QStringLiteral("no FUSE here: /dev/fuse cannot be opened");
  ::close(device);
  if (::geteuid() != 0)
    return QStringLiteral("no FUSE here: mounts that can be aborted need root");
  if (!ConnectionsMounted() && ::mount("fusectl", ConnectionsFolder, "fusectl", 0, nullptr) != 0)
    return QStringLiteral("no FUSE here: its control file system cannot be mounted at %1")
        .arg(QLatin1String(ConnectionsFolder));
  return {};
}

DeadDrive::DeadDrive(int slowSeconds)
{
  failure_ = Unavailable();
  if (failure_.isEmpty() && !start(slowSeconds))
    stop();
}

DeadDrive::~DeadDrive() { stop(); }

bool DeadDrive::start(int slowSeconds)
{
  mountPoint_ = QFile::encodeName(folder_.filePath(QStringLiteral("drive")));
  if (!folder_.isValid() || ::mkdir(mountPoint_.constData(), 0755) != 0) {
    failure_ = QStringLiteral("no temporary folder for the mount point");
    return false;
  }
  const QByteArray seconds = QByteArray::number(slowSeconds);
  std::vector<const char *> arguments = {STUCK_FUSE_EXECUTABLE, mountPoint_.constData()};
  if (slowSeconds >= 0)
    arguments.insert(arguments.end(), {"slow", seconds.constData()});
  else
    arguments.push_back("never");
  arguments.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP); // a group of its own, ended whole
  posix_spawnattr_setpgroup(&attributes, 0);
  const int spawned = ::posix_spawn(&server_, STUCK_FUSE_EXECUTABLE, nullptr, &attributes,
                                    const_cast<char *const *>(arguments.data()), environ);
  posix_spawnattr_destroy(&attributes);
  if (spawned != 0) {
    server_ = -1;
    failure_ = QStringLiteral("the FUSE server %1 cannot be started").arg(QLatin1String(STUCK_FUSE_EXECUTABLE));
    return false;
  }
  for (int waited = 0; waited < MountWaitMs; waited += 10) {
    if (const long minor = MinorOfMountAt(mountPoint_); minor >= 0) {
      connection_ = minor;
      return true;
    }
    if (::waitpid(server_, nullptr, WNOHANG) == server_) {
      server_ = -1;
      break;
    }
    QThread::msleep(10);
  }
  failure_ = QStringLiteral("the FUSE server did not mount %1").arg(QFile::decodeName(mountPoint_));
  return false;
}

void DeadDrive::stop()
{
  if (connection_ >= 0) {
    QFile abort(QStringLiteral("%1/%2/abort").arg(QLatin1String(ConnectionsFolder)).arg(connection_));
    if (abort.open(QIODevice::WriteOnly))
      abort.write("1");
    connection_ = -1;
  }
  if (server_ > 0) {
    ::umount2(mountPoint_.constData(), MNT_DETACH);
    ::kill(-server_, SIGKILL);
    ::waitpid(server_, nullptr, 0);
    server_ = -1;
  }
}

} // namespace tv::test
