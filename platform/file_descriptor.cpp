// Open descriptors, whole writes and flushes shared by the file operations.
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

bool FileDescriptor::Close()
{
  const int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0;
}

Result WriteAll(int fd, const QByteArray &bytes)
{
  const char *next = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
    if (written < 0 && errno == EINTR)
      continue;
    if (written < 0)
      return Result::LastError();
    next += written;
    left -= written;
  }
  return {};
}

Result FlushFolder(const QByteArray &folder, int parent)
{
  const FileDescriptor handle = OpenFolder(parent, folder.isEmpty() ? "." : folder, true);
  return handle.IsOpen() ? Flush(handle.Get()) : handle.OpenResult();
}

Result Flush(int fd) { return ::fsync(fd) == 0 ? Result() : Result::LastError(); }

FileDescriptor OpenFolder(int parent, const QByteArray &name, bool followLink)
{
  return FileDescriptor(
      ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW)));
}

} // namespace tv::platform
