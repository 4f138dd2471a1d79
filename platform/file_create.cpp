#include "platform/file_create.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_descriptor.h"

namespace tv::platform {

Result makeFolder(const QByteArray &path)
{
  return ::mkdir(path.constData(), 0777) == 0 ? Result() : Result::lastError();
}

Result createFileExclusive(const QByteArray &path, const QByteArray &bytes, mode_t permissions)
{
  return createFileExclusiveAt({AT_FDCWD, path}, bytes, permissions, Durability::Normal);
}

Result createFileExclusiveAt(const EntryAt &entry, const QByteArray &bytes, mode_t permissions, Durability durability)
{
  // O_EXCL makes the existence check and the creation one step, so nothing that appears
  // meanwhile is ever replaced.
  FileDescriptor file(
      ::openat(entry.folder, entry.name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions));
  if (!file.isOpen())
    return file.openResult();
  Result result = writeAll(file.get(), bytes);
  if (result.ok() && durability == Durability::Flushed)
    result = flush(file.get());
  // A network file system may report a failed write only when the file is closed.
  if (!file.close() && result.ok())
    result = Result::lastError();
  if (!result.ok())
    ::unlinkat(entry.folder, entry.name.constData(), 0);
  return result;
}

} // namespace tv::platform
