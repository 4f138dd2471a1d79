// New folders and files that never replace an existing entry.
#include "platform/file_create.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_descriptor.h"

namespace tv::platform {

Result MakeFolder(const QByteArray &path)
{
  return ::mkdir(path.constData(), 0777) == 0 ? Result() : Result::LastError();
}

Result MakePrivateFolders(const QByteArray &path)
{
  const auto make = [](const QByteArray &folder) {
    return ::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST ? Result() : Result::LastError();
  };
  for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1))
    if (const Result made = make(path.left(slash)); !made.Ok())
      return made;
  return make(path);
}

Result CreateFileExclusive(const QByteArray &path, const QByteArray &bytes, mode_t permissions)
{
  return CreateFileExclusiveAt({AT_FDCWD, path}, bytes, permissions, Durability::Normal);
}

Result CreateFileExclusiveAt(const EntryAt &entry, const QByteArray &bytes, mode_t permissions, Durability durability)
{
  // O_EXCL makes the existence check and the creation one step, so nothing that appears
  // meanwhile is ever replaced.
  FileDescriptor file(
      ::openat(entry.folder, entry.name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions));
  if (!file.IsOpen())
    return file.OpenResult();
  Result result = WriteAll(file.Get(), bytes);
  if (result.Ok() && durability == Durability::Flushed)
    result = Flush(file.Get());
  // A network file system may report a failed write only when the file is closed.
  if (!file.Close() && result.Ok())
    result = Result::LastError();
  if (!result.Ok())
    ::unlinkat(entry.folder, entry.name.constData(), 0);
  return result;
}

} // namespace tv::platform
