// Moving files to the desktop's trash, in the freedesktop.org trash layout.
#include "platform/trash.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/file_copy.h"
#include "platform/file_create.h"
#include "platform/file_descriptor.h"
#include "platform/journal.h"
#include "platform/user_dirs.h"

namespace tv::platform {

namespace {

constexpr char InfoSuffix[] = ".trashinfo";
constexpr qsizetype LongestTrashName = NAME_MAX - (sizeof(InfoSuffix) - 1);

// A trash opened once: every later step works through these descriptors, so a folder swapped
// for a link meanwhile is never written through.
struct OpenTrash {
  QByteArray path;
  FileDescriptor files;
  FileDescriptor info;
};

// The file to trash, named relative to its open folder, as lstat saw it at the start, and
// its absolute path.
struct Source {
  EntryAt entry;
  struct stat info;
  QByteArray path;
};

enum class Way { Rename, Copy };

TrashedFile Failed(const Result &result, TrashRefusal refusal = TrashRefusal::None, const QByteArray &keptAt = {})
{
  if (result.Error() == SourceChanged)
    refusal = TrashRefusal::FileChanged;
  if (!keptAt.isEmpty())
    refusal = TrashRefusal::KeptUnderAnotherName;
  return {result, refusal, {}, {}, keptAt};
}

QByteArray Joined(const QByteArray &folder, const QByteArray &name)
{
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// A folder under parent, made private to the user when missing, opened without following a
// link in its place.
Result OpenPrivateFolder(int parent, const QByteArray &name, FileDescriptor *folder, struct stat *info)
{
  if (::mkdirat(parent, name.constData(), 0700) != 0 && errno != EEXIST)
    return Result::LastError();
  FileDescriptor opened = OpenFolder(parent, name, false);
  if (!opened.IsOpen())
    return opened.OpenResult();
  if (::fstat(opened.Get(), info) != 0)
    return Result::LastError();
  *folder = std::move(opened);
  return Result();
}

// The trash's files/ and info/ folders, made when missing.
Result OpenTrashParts(int trashFolder, OpenTrash *trash)
{
  struct stat info {};
  if (const Result opened = OpenPrivateFolder(trashFolder, "files", &trash->files, &info); !opened.Ok())
    return opened;
  return OpenPrivateFolder(trashFolder, "info", &trash->info, &info);
}

// $XDG_DATA_HOME/Trash, by default ~/.local/share/Trash; empty when neither gives an
// absolute place (never the top of the file system instead).
QByteArray HomeTrashPath()
{
  const QByteArray data = XdgBaseFolder("XDG_DATA_HOME", "/.local/share");
  return data.isEmpty() ? data : data + "/Trash";
}

Result OpenHomeTrash(const QByteArray &path, OpenTrash *trash)
{
  if (const Result made = MakePrivateFolders(path); !made.Ok())
    return made;
  const FileDescriptor folder = OpenFolder(AT_FDCWD, path, true);
  if (!folder.IsOpen())
    return folder.OpenResult();
  trash->path = path;
  return OpenTrashParts(folder.Get(), trash);
}

// The volume of the home trash, or of the folder it would be made in.
dev_t HomeVolume(QByteArray trash)
{
  struct stat info {};
  while (::stat(trash.isEmpty() ? "/" : trash.constData(), &info) != 0 && !trash.isEmpty())
    trash.truncate(trash.lastIndexOf('/'));
  return info.st_dev;
}

// A volume trash must be the user's own folder, not a link someone else placed there.
Result OpenUsableVolumeTrash(int parent, const QByteArray &name, const QByteArray &path, OpenTrash *trash)
{
  FileDescriptor folder;
  struct stat info {};
  if (const Result opened = OpenPrivateFolder(parent, name, &folder, &info); !opened.Ok())
    return opened;
  if (info.st_uid != ::getuid())
    return Result(EPERM);
  trash->path = path;
  return OpenTrashParts(folder.Get(), trash);
}

// Only the administrator may offer a shared trash: its owner could swap the users' folders
// in it at will.
bool IsValidSharedTrash(int fd)
{
  struct stat info {};
  return fd >= 0 && ::fstat(fd, &info) == 0 && info.st_uid == 0 && (info.st_mode & S_ISVTX);
}

// $top/.Trash/$uid where the administrator made a valid shared trash, else $top/.Trash-$uid.
Result OpenVolumeTrash(const QByteArray &top, OpenTrash *trash)
{
  const QByteArray uid = QByteArray::number(::getuid());
  const FileDescriptor topFolder = OpenFolder(AT_FDCWD, top, true);
  if (!topFolder.IsOpen())
    return topFolder.OpenResult();
  const FileDescriptor shared = OpenFolder(topFolder.Get(), ".Trash", false);
  if (IsValidSharedTrash(shared.Get()) &&
      OpenUsableVolumeTrash(shared.Get(), uid, Joined(top, ".Trash/" + uid), trash).Ok())
    return Result();
  return OpenUsableVolumeTrash(topFolder.Get(), ".Trash-" + uid, Joined(top, ".Trash-" + uid), trash);
}

// The folder where the file system holding an absolute folder is mounted.
QByteArray MountTop(const QByteArray &folder, dev_t device)
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

Result CanonicalFolder(const QByteArray &folder, QByteArray *canonical)
{
  char *resolved = ::realpath(folder.isEmpty() ? "." : folder.constData(), nullptr);
  if (resolved == nullptr)
    return Result::LastError();
  *canonical = resolved;
  std::free(resolved);
  return Result();
}

// From the clock that the rest of the program reads too: time() may lag it by a tick.
QByteArray DeletionDate()
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
QByteArray EncodedPath(const QByteArray &path) { return path.toPercentEncoding("/!*'()"); }

// True when a file is the version that was copied. Not the status time: taking the file
// aside changes it.
bool IsCopiedVersion(const struct stat &named, const struct stat &copied)
{
  return named.st_dev == copied.st_dev && named.st_ino == copied.st_ino && named.st_size == copied.st_size &&
         named.st_mtim.tv_sec == copied.st_mtim.tv_sec && named.st_mtim.tv_nsec == copied.st_mtim.tv_nsec;
}

// The original is taken aside under a private name before it is checked and removed, so that
// a new version saved under its name meanwhile is never the one removed. A file that stays
// goes back under its name, or a free numbered one where that was taken meanwhile (keptAt).
Result RemoveIfCopied(const Source &source, const QByteArray &privateName, const struct stat &copied,
                      QByteArray *keptAt)
{
  const EntryAt &entry = source.entry;
  const EntryAt aside{entry.folder, privateName};
  if (const Result moved = MoveWithoutReplacingAt(entry, aside); !moved.Ok())
    return moved;
  struct stat named {};
  Result result = ::fstatat(aside.folder, aside.name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
                          IsCopiedVersion(named, copied)
                      ? Result()
                      : Result(SourceChanged);
  if (result.Ok() && ::unlinkat(aside.folder, aside.name.constData(), 0) == 0)
    return result;
  if (result.Ok())
    result = Result::LastError();
  const QByteArray folder = source.path.left(source.path.lastIndexOf('/') + 1);
  QByteArray taken;
  if (!MoveToFreeName(aside, entry, &taken).Ok())
    *keptAt = folder + privateName;
  else if (taken != entry.name)
    *keptAt = folder + taken;
  return result;
}

// Copies from the descriptor that was checked to be the file; the original goes only once
// its copy is on the disk and the original is still the file that was copied.
Result CopyThenRemove(const Source &source, const EntryAt &target, const QByteArray &privateName,
                      const CopyProgress &progress, QByteArray *keptAt)
{
  if (!S_ISREG(source.info.st_mode))
    return Result(EOPNOTSUPP);
  const EntryAt &entry = source.entry;
  const FileDescriptor from(
      ::openat(entry.folder, entry.name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat before {};
  if (!from.IsOpen())
    return from.OpenResult();
  if (::fstat(from.Get(), &before) != 0)
    return Result::LastError();
  if (before.st_dev != source.info.st_dev || before.st_ino != source.info.st_ino)
    return Result(SourceChanged);
  if (const Result copied = CopyOpenFile(from.Get(), before, target, Durability::Flushed, progress); !copied.Ok())
    return copied;
  const Result removed = RemoveIfCopied(source, privateName, before, keptAt);
  if (!removed.Ok())
    ::unlinkat(target.folder, target.name.constData(), 0);
  return removed;
}

bool Exists(const EntryAt &entry)
{
  struct stat info {};
  return ::fstatat(entry.folder, entry.name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

// The record is written first, under a name no other trashing can take; only then the file
// follows under the same name, and the record goes again if it cannot. Before a copy the
// record is put on the disk, since the original goes after it. The journal names the record
// and the original's private name before either exists.
TrashedFile TrashInto(const OpenTrash &trash, const QByteArray &recordedPath, const Source &source, Way way,
                      const CopyProgress &progress)
{
  const QByteArray record =
      "[Trash Info]\nPath=" + EncodedPath(recordedPath) + "\nDeletionDate=" + DeletionDate() + '\n';
  const Durability durability = way == Way::Copy ? Durability::Flushed : Durability::Normal;
  const QByteArray privateName = RandomName(PrivateNamePrefix);
  const QByteArray sourceFolder = source.path.left(source.path.lastIndexOf('/') + 1);
  for (int number = 1;; ++number) {
    const QByteArray trashName = NumberedName(source.entry.name, number, LongestTrashName);
    const EntryAt info{trash.info.Get(), trashName + InfoSuffix};
    if (Exists(info))
      continue;
    const JournalEntry journal({.record = trash.path + "/info/" + info.name,
                                .recordText = record,
                                .privateName = way == Way::Copy ? sourceFolder + privateName : QByteArray(),
                                .original = source.path});
    Result recorded = journal.Written();
    if (recorded.Ok())
      recorded = CreateFileExclusiveAt(info, record, 0600, durability);
    if (recorded.Error() == EEXIST)
      continue;
    if (recorded.Ok() && way == Way::Copy)
      recorded = Flush(trash.info.Get());
    const EntryAt file{trash.files.Get(), trashName};
    QByteArray keptAt;
    const Result moved = !recorded.Ok()     ? recorded
                         : way == Way::Copy ? CopyThenRemove(source, file, privateName, progress, &keptAt)
                                            : MoveWithoutReplacingAt(source.entry, file);
    if (moved.Ok())
      return {moved, TrashRefusal::None, trash.path + "/files/" + trashName, trash.path + "/info/" + info.name, {}};
    ::unlinkat(info.folder, info.name.constData(), 0);
    if (moved.Error() != EEXIST)
      return Failed(moved, TrashRefusal::None, keptAt);
  }
}

// A move that crosses a bind mount fails like one across volumes; it becomes a copy then.
TrashedFile TrashAtHome(const QByteArray &home, const Source &source, Way way, const CopyProgress &progress)
{
  OpenTrash trash;
  if (const Result opened = OpenHomeTrash(home, &trash); !opened.Ok())
    return Failed(opened);
  const TrashedFile trashed = TrashInto(trash, source.path, source, way, progress);
  return trashed.result.Error() == EXDEV ? TrashInto(trash, source.path, source, Way::Copy, progress) : trashed;
}

// Refuses at once where the original could not be removed afterwards, before anything is
// written or copied. The administrator passes the permission checks, so they tell nothing then.
Result CheckRemovable(const QByteArray &folder, const struct stat &folderInfo, const struct stat &file)
{
  struct statvfs volume {};
  if (::statvfs(folder.constData(), &volume) == 0 && (volume.f_flag & ST_RDONLY))
    return Result(EROFS);
  const uid_t user = ::geteuid();
  if (user == 0)
    return Result();
  if (::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
    return Result::LastError();
  const bool sticky = folderInfo.st_mode & S_ISVTX;
  return sticky && folderInfo.st_uid != user && file.st_uid != user ? Result(EPERM) : Result();
}

} // namespace

TrashedFile MoveToTrash(const QByteArray &path, const CopyProgress &progress)
{
  const qsizetype slash = path.lastIndexOf('/');
  const QByteArray name = path.mid(slash + 1);
  if (name.isEmpty() || name == "." || name == "..")
    return Failed(Result(EINVAL));
  struct stat folderInfo {};
  QByteArray folder;
  if (const Result resolved = CanonicalFolder(path.left(slash + 1), &folder); !resolved.Ok())
    return Failed(resolved);
  // A handle for the *at() calls alone, so that a folder the user may write in but not list
  // (a drop box) still gives one.
  const FileDescriptor folderHandle(::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  Source source{{folderHandle.Get(), name}, {}, Joined(folder, name)};
  if (!folderHandle.IsOpen() || ::fstat(folderHandle.Get(), &folderInfo) != 0 ||
      ::fstatat(folderHandle.Get(), name.constData(), &source.info, AT_SYMLINK_NOFOLLOW) != 0)
    return Failed(Result::LastError());
  if (const Result removable = CheckRemovable(folder, folderInfo, source.info); !removable.Ok())
    return Failed(removable);

  const QByteArray home = HomeTrashPath();
  if (home.isEmpty())
    return Failed(Result(ENOENT), TrashRefusal::NoHomeFolder);
  if (HomeVolume(home) == source.info.st_dev)
    return TrashAtHome(home, source, Way::Rename, progress);
  const QByteArray top = MountTop(folder, folderInfo.st_dev);
  OpenTrash volume;
  if (source.info.st_dev == folderInfo.st_dev && OpenVolumeTrash(top, &volume).Ok()) {
    const QByteArray recorded = source.path.mid(top.size() == 1 ? 1 : top.size() + 1);
    const TrashedFile trashed = TrashInto(volume, recorded, source, Way::Rename, progress);
    if (trashed.result.Error() != EXDEV)
      return trashed;
  }
  return TrashAtHome(home, source, Way::Copy, progress);
}

} // namespace tv::platform
