#include "tests/platform/file_test_support.h"

#include <QtTest>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tv::test {

void MakeFile(const QByteArray &path, const QByteArray &contents, mode_t mode)
{
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  QVERIFY2(fd >= 0, path.constData());
  QCOMPARE(::write(fd, contents.constData(), contents.size()), contents.size());
  ::fchmod(fd, mode);
  ::close(fd);
}

void MakeFolder(const QByteArray &path, mode_t mode)
{
  QVERIFY2(::mkdir(path.constData(), mode) == 0, path.constData());
  ::chmod(path.constData(), mode);
}

QByteArray ReadFile(const QByteArray &path)
{
  QByteArray contents;
  const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return contents;
  char buffer[65536];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
    contents.append(buffer, got);
  ::close(fd);
  return contents;
}

void MakeSocket(const QByteArray &path)
{
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  QVERIFY(size_t(path.size()) < sizeof address.sun_path);
  std::memcpy(address.sun_path, path.constData(), path.size());
  QVERIFY(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
  ::close(fd);
}

void MakeEntriesThatAreNotFiles(const QByteArray &folder)
{
  MakeFolder(folder + "folder");
  MakeFile(folder + "folder/inner");
  QVERIFY(::mkfifo((folder + "pipe").constData(), 0644) == 0);
  MakeSocket(folder + "socket");
  QVERIFY(::symlink("pipe", (folder + "link-to-pipe").constData()) == 0);
  QVERIFY(::symlink("nowhere", (folder + "broken").constData()) == 0);
}

struct stat StatOf(const QByteArray &path)
{
  struct stat info {};
  ::lstat(path.constData(), &info);
  return info;
}

bool Exists(const QByteArray &path)
{
  struct stat info {};
  return ::lstat(path.constData(), &info) == 0;
}

QList<QByteArray> Names(const QByteArray &folder)
{
  QList<QByteArray> names;
  DIR *dir = ::opendir(folder.constData());
  if (dir == nullptr)
    return names;
  while (const dirent *entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (name != "." && name != "..")
      names.append(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

QByteArray MakeDeepFolder(const QByteArray &base, qsizetype length)
{
  QByteArray folder = base;
  for (char letter = 'a'; folder.size() < length; ++letter) {
    folder += QByteArray(std::min<qsizetype>(200, length - folder.size() - 1), letter) + '/';
    MakeFolder(folder);
  }
  return folder;
}

namespace {

QByteArray ReadLink(const QByteArray &path)
{
  char target[PATH_MAX];
  const ssize_t length = ::readlink(path.constData(), target, sizeof target);
  return length > 0 ? QByteArray(target, length) : QByteArray();
}

void SnapshotInto(const QByteArray &folder, const QList<QByteArray> &excluded, QMap<QByteArray, QByteArray> &out)
{
  for (const QByteArray &name : Names(folder)) {
    const QByteArray path = folder + '/' + name;
    if (excluded.contains(path))
      continue;
    struct stat info {};
    ::lstat(path.constData(), &info);
    // A folder's own time changes with its entries, which are compared one by one.
    const bool folder = S_ISDIR(info.st_mode);
    const QByteArray modified = folder ? QByteArray()
                                       : QByteArray::number(qint64(info.st_mtim.tv_sec)) + '.' +
                                             QByteArray::number(qint64(info.st_mtim.tv_nsec));
    out.insert(path, QByteArray::number(info.st_mode, 8) + ' ' + QByteArray::number(qint64(info.st_size)) + ' ' +
                         QByteArray::number(info.st_ino) + ' ' + ReadLink(path) + ' ' + modified);
    if (folder)
      SnapshotInto(path, excluded, out);
  }
}

} // namespace

QMap<QByteArray, QByteArray> Snapshot(const QByteArray &root, const QList<QByteArray> &excluded)
{
  QMap<QByteArray, QByteArray> entries;
  SnapshotInto(root, excluded, entries);
  return entries;
}

void RemoveContents(const QByteArray &folder)
{
  for (const QByteArray &name : Names(folder)) {
    const QByteArray path = folder + '/' + name;
    struct stat info {};
    if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode)) {
      ::chmod(path.constData(), 0700);
      RemoveContents(path);
      ::rmdir(path.constData());
    } else {
      ::unlink(path.constData());
    }
  }
}

FileTestEnvironment::~FileTestEnvironment() { RemoveContents(home()); }

bool RunsAsRoot() { return ::getuid() == 0; }

int RunRestricted(const std::function<int()> &subject)
{
  const pid_t child = ::fork();
  if (child == 0) {
    if (RunsAsRoot() && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
      ::_exit(255);
    ::_exit(subject());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
    return -1;
  return WEXITSTATUS(status);
}

void HandOver(const QByteArray &path)
{
  if (RunsAsRoot())
    QVERIFY(::lchown(path.constData(), kNobody, kNobody) == 0);
}

void OpenForPassage(const QByteArray &folder) { QVERIFY(::chmod(folder.constData(), 0755) == 0); }

ReadOnlyCase PrepareReadOnlyFolder(const FileTestEnvironment &environment)
{
  OpenForPassage(environment.home());
  const ReadOnlyCase prepared{environment.makeFolder("read-only"), environment.makeFolder("nobody-data")};
  MakeFile(prepared.folder + "a.txt", "A");
  HandOver(prepared.folder + "a.txt");
  HandOver(prepared.dataHome);
  ::chmod(prepared.folder.constData(), 0555);
  return prepared;
}

ScratchVolume::ScratchVolume(const QByteArray &mountPoint) : mountPoint_(mountPoint)
{
  MakeFolder(mountPoint);
  mounted_ = RunsAsRoot() && ::mount("tarnview-test", mountPoint.constData(), "tmpfs", 0, "size=64m") == 0;
}

ScratchVolume::~ScratchVolume()
{
  if (mounted_)
    ::umount2(mountPoint_.constData(), MNT_DETACH);
}

} // namespace tv::test
