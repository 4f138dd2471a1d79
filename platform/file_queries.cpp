// What is at a path, where the program lives, and raw names turned into text and back.
#include "platform/file_queries.h"

#include <QByteArrayList>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace tv::platform {

bool IsExistingFolder(const QByteArray &path)
{
  struct stat info {};
  return !path.isEmpty() && ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

qint64 RegularFileSize(const QByteArray &path)
{
  struct stat info {};
  return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) ? info.st_size : 0;
}

bool IsExistingFile(const QByteArray &path)
{
  struct stat info {};
  if (path.isEmpty())
    return false;
  if (::stat(path.constData(), &info) == 0)
    return !S_ISDIR(info.st_mode);
  return ::lstat(path.constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

QByteArray ExecutablePath()
{
  QByteArray buffer(PATH_MAX, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0)
    return {};
  buffer.truncate(length);
  return buffer;
}

QString DisplayName(const QByteArray &bytes) { return QString::fromUtf8(bytes); }

QByteArray NativeName(const QString &text) { return text.toUtf8(); }

QByteArray CleanAbsolutePath(const QByteArray &path)
{
  QByteArrayList components;
  for (const QByteArray &component : path.split('/')) {
    if (component == "..") {
      if (!components.isEmpty())
        components.removeLast();
    } else if (!component.isEmpty() && component != ".") {
      components.append(component);
    }
  }
  return '/' + components.join('/');
}

} // namespace tv::platform
