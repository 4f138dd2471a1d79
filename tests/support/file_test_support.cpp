#include "tests/support/file_test_support.h"

#include <QtTest>
#include <climits>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tv::test {

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

QByteArray ShortReadFile()
{
  const QByteArray path = "/sys/kernel/uevent_seqnum";
  return StatOf(path).st_size > ReadFile(path).size() ? path : QByteArray();
}

ScratchVolume::ScratchVolume(const QByteArray &mountPoint, const QByteArray &bindSource) : mountPoint_(mountPoint)
{
  MakeFolder(mountPoint);
  mounted_ =
      RunsAsRoot() &&
      (bindSource.isEmpty() ? ::mount("tarnview-test", mountPoint.constData(), "tmpfs", 0, "size=64m")
                            : ::mount(bindSource.constData(), mountPoint.constData(), nullptr, MS_BIND, nullptr)) == 0;
}

ScratchVolume::~ScratchVolume()
{
  if (mounted_)
    ::umount2(mountPoint_.constData(), MNT_DETACH);
}

} // namespace tv::test
