#include "tests/support/files.h"

#include <QtTest>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

QByteArray ReadFile(const QByteArray &path, const QByteArray &whenUnreadable)
{
  const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return whenUnreadable;
  QByteArray contents;
  char buffer[65536];
  ssize_t got = 0;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
    contents.append(buffer, got);
  ::close(fd);
  return got < 0 ? whenUnreadable : contents;
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

} // namespace tv::test
