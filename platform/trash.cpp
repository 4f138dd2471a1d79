#include "platform/trash.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_copy.h"
#include "platform/file_create.h"
#include "platform/file_queries.h"

namespace tv::platform {

namespace {

constexpr char kInfoSuffix[] = ".trashinfo";
constexpr qsizetype kLongestTrashName = NAME_MAX - (sizeof(kInfoSuffix) - 1);

using Transfer = FileResult (*)(const QByteArray &from, const QByteArray &to);

QByteArray joined(const QByteArray &folder, const QByteArray &name)
{
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

int makePrivateFolder(const QByteArray &path)
{
  return ::mkdir(path.constData(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

// Creates each missing folder of an absolute path, private to the user.
int makePrivateFolders(const QByteArray &path)
{
  for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1))
    if (const int error = makePrivateFolder(path.left(slash)))
      return error;
  return makePrivateFolder(path);
}

// A trash's files/ and info/ folders, made when missing.
int prepareTrash(const QByteArray &trash)
{
  for (const char *part : {"/files", "/info"}) {
    if (const int error = makePrivateFolder(trash + part))
      return error;
    if (!isExistingFolder(trash + part))
      return ENOTDIR;
  }
  return 0;
}

// $XDG_DATA_HOME/Trash, by default ~/.local/share/Trash; empty when there is no such place.
QByteArray homeTrashPath()
{
  QByteArray data = qgetenv("XDG_DATA_HOME");
  if (!data.startsWith('/'))
    data = qgetenv("HOME") + "/.local/share";
  return data.startsWith('/') ? data + "/Trash" : QByteArray();
}

int prepareHomeTrash(const QByteArray &trash)
{
  if (trash.isEmpty())
    return ENOENT;
  if (const int error = makePrivateFolders(trash))
    return error;
  return isExistingFolder(trash) ? prepareTrash(trash) : ENOTDIR;
}

// The volume of the home trash, or of the folder it would be made in.
dev_t homeVolume(QByteArray trash)
{
  struct stat info {};
  while (::stat(trash.isEmpty() ? "/" : trash.constData(), &info) != 0 && !trash.isEmpty())
    trash.truncate(trash.lastIndexOf('/'));
  return info.st_dev;
}

// A volume trash must be the user's own folder, not a link someone else placed there.
bool isUsableVolumeTrash(const QByteArray &trash)
{
  struct stat info {};
  return makePrivateFolder(trash) == 0 && ::lstat(trash.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::getuid() && prepareTrash(trash) == 0;
}

// $top/.Trash/$uid where the administrator made a valid shared trash, else $top/.Trash-$uid;
// empty when neither can be used.
QByteArray volumeTrash(const QByteArray &top)
{
  const QByteArray uid = QByteArray::number(::getuid());
  const QByteArray shared = joined(top, ".Trash");
  struct stat info {};
  if (::lstat(shared.constData(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX) &&
      isUsableVolumeTrash(shared + '/' + uid))
    return shared + '/' + uid;
  const QByteArray own = joined(top, ".Trash-" + uid);
  return isUsableVolumeTrash(own) ? own : QByteArray();
}

// The folder where the file system holding an absolute folder is mounted.
QByteArray mountTop(const QByteArray &folder, dev_t device)
{
  QByteArray top = folder;
  while (top.size() > 1) {
    const QByteArray parent = top.left(std::max<qsizetype>(top.lastIndexOf('/'), 1));
    struct stat info {};
    if (::stat(parent.constData(), &info) != 0 || info.st_dev != device)
      break;
    top = parent;
  }
  return top;
}

int canonicalFolder(const QByteArray &folder, QByteArray *canonical)
{
  char *resolved = ::realpath(folder.isEmpty() ? "." : folder.constData(), nullptr);
  if (resolved == nullptr)
    return errno;
  *canonical = resolved;
  std::free(resolved);
  return 0;
}

QByteArray deletionDate()
{
  const std::time_t now = std::time(nullptr);
  struct tm local {};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

// Percent-encodes every byte but "/" and the unreserved characters of RFC 2396.
QByteArray encodedPath(const QByteArray &path) { return path.toPercentEncoding("/!*'()"); }

// The record is written first, under a name no other trashing can take; only then the file
// follows under the same name, and the record goes again if it cannot.
TrashedFile trashInto(const QByteArray &trash, const QByteArray &path, const QByteArray &recordedPath,
                      Transfer transfer)
{
  const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
  const QByteArray record =
      "[Trash Info]\nPath=" + encodedPath(recordedPath) + "\nDeletionDate=" + deletionDate() + '\n';
  for (int number = 1;; ++number) {
    const QByteArray trashName = numberedName(name, number, kLongestTrashName);
    const QByteArray info = trash + "/info/" + trashName + kInfoSuffix;
    const int error = createFileExclusive(info, record, 0600);
    if (error == EEXIST)
      continue;
    if (error != 0)
      return {{error}, {}, {}};
    const QByteArray file = trash + "/files/" + trashName;
    const FileResult moved = transfer(path, file);
    if (moved.ok())
      return {moved, file, info};
    ::unlink(info.constData());
    if (moved.error != EEXIST)
      return {moved, {}, {}};
  }
}

// Across volumes: the original goes only once its copy is complete and on the disk.
FileResult copyThenRemove(const QByteArray &from, const QByteArray &to)
{
  struct stat info {};
  if (::lstat(from.constData(), &info) != 0)
    return {errno};
  if (!S_ISREG(info.st_mode))
    return {EOPNOTSUPP};
  const FileResult copied = copyRegularFile(from, to, Durability::Flushed);
  if (!copied.ok())
    return copied;
  if (::unlink(from.constData()) == 0)
    return {};
  const FileResult failure{errno};
  ::unlink(to.constData());
  return failure;
}

} // namespace

TrashedFile moveToTrash(const QByteArray &path)
{
  const qsizetype slash = path.lastIndexOf('/');
  const QByteArray name = path.mid(slash + 1);
  if (name.isEmpty() || name == "." || name == "..")
    return {{EINVAL}, {}, {}};
  struct stat file {};
  struct stat folderInfo {};
  QByteArray folder;
  if (::lstat(path.constData(), &file) != 0)
    return {{errno}, {}, {}};
  if (const int error = canonicalFolder(path.left(slash + 1), &folder))
    return {{error}, {}, {}};
  if (::stat(folder.constData(), &folderInfo) != 0)
    return {{errno}, {}, {}};
  const QByteArray original = joined(folder, name);

  const QByteArray home = homeTrashPath();
  const int homeError = prepareHomeTrash(home);
  if (homeVolume(home) == file.st_dev)
    return homeError != 0 ? TrashedFile{{homeError}, {}, {}}
                          : trashInto(home, original, original, moveWithoutReplacing);
  const QByteArray top = mountTop(folder, folderInfo.st_dev);
  const QByteArray volume = file.st_dev == folderInfo.st_dev ? volumeTrash(top) : QByteArray();
  if (!volume.isEmpty())
    return trashInto(volume, original, original.mid(top.size() == 1 ? 1 : top.size() + 1), moveWithoutReplacing);
  if (homeError != 0)
    return {{homeError}, {}, {}};
  return trashInto(home, original, original, copyThenRemove);
}

} // namespace tv::platform
