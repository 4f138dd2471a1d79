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
#include "platform/file_descriptor.h"

namespace tv::platform {

namespace {

constexpr char kInfoSuffix[] = ".trashinfo";
constexpr qsizetype kLongestTrashName = NAME_MAX - (sizeof(kInfoSuffix) - 1);

// A trash opened once: every later step works through these descriptors, so a folder swapped
// for a link meanwhile is never written through.
struct OpenTrash {
  QByteArray path;
  FileDescriptor files;
  FileDescriptor info;
};

// The file to trash, named relative to its open folder, as lstat saw it at the start.
struct Source {
  EntryAt entry;
  struct stat info;
};

enum class Way { Rename, Copy };

TrashedFile failed(const Result &result, TrashRefusal refusal = TrashRefusal::None)
{
  if (result.error() == kSourceChanged)
    refusal = TrashRefusal::FileChanged;
  return {result, refusal, {}, {}};
}

QByteArray joined(const QByteArray &folder, const QByteArray &name)
{
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

Result makePrivateFolder(const QByteArray &path)
{
  return ::mkdir(path.constData(), 0700) == 0 || errno == EEXIST ? Result() : Result::lastError();
}

// Creates each missing folder of an absolute path, private to the user.
Result makePrivateFolders(const QByteArray &path)
{
  for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1))
    if (const Result made = makePrivateFolder(path.left(slash)); !made.ok())
      return made;
  return makePrivateFolder(path);
}

// A folder under parent, made private to the user when missing, opened without following a
// link in its place.
Result openPrivateFolder(int parent, const QByteArray &name, FileDescriptor *folder, struct stat *info)
{
  if (::mkdirat(parent, name.constData(), 0700) != 0 && errno != EEXIST)
    return Result::lastError();
  FileDescriptor opened = openFolder(parent, name, false);
  if (!opened.isOpen())
    return opened.openResult();
  if (::fstat(opened.get(), info) != 0)
    return Result::lastError();
  *folder = std::move(opened);
  return Result();
}

// The trash's files/ and info/ folders, made when missing.
Result openTrashParts(int trashFolder, OpenTrash *trash)
{
  struct stat info {};
  if (const Result opened = openPrivateFolder(trashFolder, "files", &trash->files, &info); !opened.ok())
    return opened;
  return openPrivateFolder(trashFolder, "info", &trash->info, &info);
}

// $XDG_DATA_HOME/Trash, by default ~/.local/share/Trash; empty when neither gives an
// absolute place (never the top of the file system instead).
QByteArray homeTrashPath()
{
  const QByteArray data = qgetenv("XDG_DATA_HOME");
  if (data.startsWith('/'))
    return data + "/Trash";
  const QByteArray home = qgetenv("HOME");
  return home.startsWith('/') ? home + "/.local/share/Trash" : QByteArray();
}

Result openHomeTrash(const QByteArray &path, OpenTrash *trash)
{
  if (const Result made = makePrivateFolders(path); !made.ok())
    return made;
  const FileDescriptor folder = openFolder(AT_FDCWD, path, true);
  if (!folder.isOpen())
    return folder.openResult();
  trash->path = path;
  return openTrashParts(folder.get(), trash);
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
Result openUsableVolumeTrash(int parent, const QByteArray &name, const QByteArray &path, OpenTrash *trash)
{
  FileDescriptor folder;
  struct stat info {};
  if (const Result opened = openPrivateFolder(parent, name, &folder, &info); !opened.ok())
    return opened;
  if (info.st_uid != ::getuid())
    return Result(EPERM);
  trash->path = path;
  return openTrashParts(folder.get(), trash);
}

// Only the administrator may offer a shared trash: its owner could swap the users' folders
// in it at will.
bool isValidSharedTrash(int fd)
{
  struct stat info {};
  return fd >= 0 && ::fstat(fd, &info) == 0 && info.st_uid == 0 && (info.st_mode & S_ISVTX);
}

// $top/.Trash/$uid where the administrator made a valid shared trash, else $top/.Trash-$uid.
Result openVolumeTrash(const QByteArray &top, OpenTrash *trash)
{
  const QByteArray uid = QByteArray::number(::getuid());
  const FileDescriptor topFolder = openFolder(AT_FDCWD, top, true);
  if (!topFolder.isOpen())
    return topFolder.openResult();
  const FileDescriptor shared = openFolder(topFolder.get(), ".Trash", false);
  if (isValidSharedTrash(shared.get()) &&
      openUsableVolumeTrash(shared.get(), uid, joined(top, ".Trash/" + uid), trash).ok())
    return Result();
  return openUsableVolumeTrash(topFolder.get(), ".Trash-" + uid, joined(top, ".Trash-" + uid), trash);
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

Result canonicalFolder(const QByteArray &folder, QByteArray *canonical)
{
  char *resolved = ::realpath(folder.isEmpty() ? "." : folder.constData(), nullptr);
  if (resolved == nullptr)
    return Result::lastError();
  *canonical = resolved;
  std::free(resolved);
  return Result();
}

// From the clock that the rest of the program reads too: time() may lag it by a tick.
QByteArray deletionDate()
{
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  struct tm local {};
  ::localtime_r(&now.tv_sec, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

// Percent-encodes every byte but "/" and the unreserved characters of RFC 2396.
QByteArray encodedPath(const QByteArray &path) { return path.toPercentEncoding("/!*'()"); }

// True when the entry still names the open file and neither its size, nor the time of its
// data or of its status changed since before was taken of it: a copy made meanwhile holds it.
bool isUnchangedSince(const EntryAt &entry, int fd, const struct stat &before)
{
  struct stat named {};
  struct stat open {};
  if (::fstatat(entry.folder, entry.name.constData(), &named, AT_SYMLINK_NOFOLLOW) != 0 || ::fstat(fd, &open) != 0)
    return false;
  const auto sameTime = [](const struct timespec &a, const struct timespec &b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
  };
  return named.st_dev == open.st_dev && named.st_ino == open.st_ino && open.st_dev == before.st_dev &&
         open.st_ino == before.st_ino && open.st_size == before.st_size && sameTime(open.st_mtim, before.st_mtim) &&
         sameTime(open.st_ctim, before.st_ctim);
}

// Copies from the descriptor that was checked to be the file; the original goes only once
// its copy is on the disk and the original is still the file that was copied.
Result copyThenRemove(const Source &source, const EntryAt &target)
{
  if (!S_ISREG(source.info.st_mode))
    return Result(EOPNOTSUPP);
  const EntryAt &entry = source.entry;
  const FileDescriptor from(
      ::openat(entry.folder, entry.name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat before {};
  if (!from.isOpen())
    return from.openResult();
  if (::fstat(from.get(), &before) != 0)
    return Result::lastError();
  if (before.st_dev != source.info.st_dev || before.st_ino != source.info.st_ino)
    return Result(kSourceChanged);
  if (const Result copied = copyOpenFile(from.get(), before, target, Durability::Flushed); !copied.ok())
    return copied;
  Result result = isUnchangedSince(entry, from.get(), before) ? Result() : Result(kSourceChanged);
  if (result.ok() && ::unlinkat(entry.folder, entry.name.constData(), 0) != 0)
    result = Result::lastError();
  if (!result.ok())
    ::unlinkat(target.folder, target.name.constData(), 0);
  return result;
}

// The record is written first, under a name no other trashing can take; only then the file
// follows under the same name, and the record goes again if it cannot. Before a copy the
// record is put on the disk, since the original goes after it.
TrashedFile trashInto(const OpenTrash &trash, const QByteArray &recordedPath, const Source &source, Way way)
{
  const QByteArray record =
      "[Trash Info]\nPath=" + encodedPath(recordedPath) + "\nDeletionDate=" + deletionDate() + '\n';
  const Durability durability = way == Way::Copy ? Durability::Flushed : Durability::Normal;
  for (int number = 1;; ++number) {
    const QByteArray trashName = numberedName(source.entry.name, number, kLongestTrashName);
    const EntryAt info{trash.info.get(), trashName + kInfoSuffix};
    Result recorded = createFileExclusiveAt(info, record, 0600, durability);
    if (recorded.error() == EEXIST)
      continue;
    if (recorded.ok() && way == Way::Copy)
      recorded = flush(trash.info.get());
    const EntryAt file{trash.files.get(), trashName};
    const Result moved =
        !recorded.ok() ? recorded
                       : (way == Way::Copy ? copyThenRemove(source, file) : moveWithoutReplacingAt(source.entry, file));
    if (moved.ok())
      return {moved, TrashRefusal::None, trash.path + "/files/" + trashName, trash.path + "/info/" + info.name};
    ::unlinkat(info.folder, info.name.constData(), 0);
    if (moved.error() != EEXIST)
      return failed(moved);
  }
}

// A move that crosses a bind mount fails like one across volumes; it becomes a copy then.
TrashedFile trashAtHome(const QByteArray &home, const QByteArray &original, const Source &source, Way way)
{
  OpenTrash trash;
  if (const Result opened = openHomeTrash(home, &trash); !opened.ok())
    return failed(opened);
  const TrashedFile trashed = trashInto(trash, original, source, way);
  return trashed.result.error() == EXDEV ? trashInto(trash, original, source, Way::Copy) : trashed;
}

} // namespace

TrashedFile moveToTrash(const QByteArray &path)
{
  const qsizetype slash = path.lastIndexOf('/');
  const QByteArray name = path.mid(slash + 1);
  if (name.isEmpty() || name == "." || name == "..")
    return failed(Result(EINVAL));
  struct stat folderInfo {};
  QByteArray folder;
  if (const Result resolved = canonicalFolder(path.left(slash + 1), &folder); !resolved.ok())
    return failed(resolved);
  // A handle for the *at() calls alone, so that a folder the user may write in but not list
  // (a drop box) still gives one.
  const FileDescriptor folderHandle(::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  Source source{{folderHandle.get(), name}, {}};
  if (!folderHandle.isOpen() || ::fstat(folderHandle.get(), &folderInfo) != 0 ||
      ::fstatat(folderHandle.get(), name.constData(), &source.info, AT_SYMLINK_NOFOLLOW) != 0)
    return failed(Result::lastError());
  const QByteArray original = joined(folder, name);

  const QByteArray home = homeTrashPath();
  if (home.isEmpty())
    return failed(Result(ENOENT), TrashRefusal::NoHomeFolder);
  if (homeVolume(home) == source.info.st_dev)
    return trashAtHome(home, original, source, Way::Rename);
  const QByteArray top = mountTop(folder, folderInfo.st_dev);
  OpenTrash volume;
  if (source.info.st_dev == folderInfo.st_dev && openVolumeTrash(top, &volume).ok()) {
    const QByteArray recorded = original.mid(top.size() == 1 ? 1 : top.size() + 1);
    const TrashedFile trashed = trashInto(volume, recorded, source, Way::Rename);
    if (trashed.result.error() != EXDEV)
      return trashed;
  }
  return trashAtHome(home, original, source, Way::Copy);
}

} // namespace tv::platform
