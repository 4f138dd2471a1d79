// What a path handed to the program names on disk, and where the program was started.
#include "platform/location_kind.h"

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace tv::platform {

LocationKind KindOfLocation(const QByteArray &path)
{
  struct stat status {};
  if (::stat(path.constData(), &status) != 0)
    return errno == ENOENT || errno == ENOTDIR ? LocationKind::Missing : LocationKind::Unreadable;
  if (!S_ISDIR(status.st_mode))
    return LocationKind::File;
  return ::access(path.constData(), R_OK | X_OK) == 0 ? LocationKind::Folder : LocationKind::Unreadable;
}

QByteArray WorkingFolder()
{
  QByteArray folder(PATH_MAX, Qt::Uninitialized);
  if (::getcwd(folder.data(), folder.size()) == nullptr)
    return {};
  folder.truncate(int(qstrlen(folder.constData())));
  return folder;
}

} // namespace tv::platform
