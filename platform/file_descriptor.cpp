#include "platform/file_descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tv::platform {

FileDescriptor::~FileDescriptor()
{
  if (fd_ >= 0)
    ::close(fd_);
}

bool FileDescriptor::close()
{
  const int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0;
}

int writeAll(int fd, const QByteArray &bytes)
{
  const char *next = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
    if (written < 0 && errno == EINTR)
      continue;
    if (written < 0)
      return errno;
    next += written;
    left -= written;
  }
  return 0;
}

int flushFolder(const QByteArray &folder, int parent)
{
  const FileDescriptor handle(openFolder(parent, folder.isEmpty() ? "." : folder, true));
  return handle.get() >= 0 ? flush(handle.get()) : errno;
}

int flush(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

int openFolder(int parent, const QByteArray &name, bool followLink)
{
  return ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
}

} // namespace tv::platform
