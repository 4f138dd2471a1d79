#include "platform/file_create.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tv::platform {

namespace {

// Writes all bytes, going on after short writes and interruptions.
int writeAll(int file, const QByteArray &bytes)
{
  const char *next = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(file, next, static_cast<size_t>(left));
    if (written < 0 && errno == EINTR)
      continue;
    if (written < 0)
      return errno;
    next += written;
    left -= written;
  }
  return 0;
}

} // namespace

int makeFolder(const QByteArray &path) { return ::mkdir(path.constData(), 0777) == 0 ? 0 : errno; }

int createFileExclusive(const QByteArray &path, const QByteArray &bytes)
{
  // O_EXCL makes the existence check and the creation one step, so nothing that appears
  // meanwhile is ever replaced.
  const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (file < 0)
    return errno;
  int error = writeAll(file, bytes);
  // A network file system may report a failed write only when the file is closed.
  if (::close(file) != 0 && error == 0)
    error = errno;
  if (error != 0)
    ::unlink(path.constData());
  return error;
}

QString errorDescription(int error)
{
  char buffer[256];
  return QString::fromLocal8Bit(::strerror_r(error, buffer, sizeof buffer));
}

} // namespace tv::platform
