#include "platform/file_create.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_descriptor.h"

namespace tv::platform {

int makeFolder(const QByteArray &path) { return ::mkdir(path.constData(), 0777) == 0 ? 0 : errno; }

int createFileExclusive(const QByteArray &path, const QByteArray &bytes, mode_t permissions)
{
  return createFileExclusiveAt({AT_FDCWD, path}, bytes, permissions, Durability::Normal);
}

int createFileExclusiveAt(const EntryAt &entry, const QByteArray &bytes, mode_t permissions, Durability durability)
{
  // O_EXCL makes the existence check and the creation one step, so nothing that appears
  // meanwhile is ever replaced.
  FileDescriptor file(
      ::openat(entry.folder, entry.name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions));
  if (file.get() < 0)
    return errno;
  int error = writeAll(file.get(), bytes);
  if (error == 0 && durability == Durability::Flushed)
    error = flush(file.get());
  // A network file system may report a failed write only when the file is closed.
  if (!file.close() && error == 0)
    error = errno;
  if (error != 0)
    ::unlinkat(entry.folder, entry.name.constData(), 0);
  return error;
}

QString errorDescription(int error)
{
  char buffer[256];
  return QString::fromLocal8Bit(::strerror_r(error, buffer, sizeof buffer));
}

} // namespace tv::platform
