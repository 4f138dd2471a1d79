// Moves that never replace, by renameat2 where the kernel has it and by link or check where not.
#include "platform/file_move.h"

#include <cerrno>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#include <linux/fs.h>
#endif

namespace tv::platform {

namespace {

int RenameNoReplace(const EntryAt &from, const EntryAt &to)
{
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 28)
  return ::renameat2(from.folder, from.name.constData(), to.folder, to.name.constData(), RENAME_NOREPLACE);
#else
  return static_cast<int>(
      ::syscall(SYS_renameat2, from.folder, from.name.constData(), to.folder, to.name.constData(), RENAME_NOREPLACE));
#endif
}

bool IsFolder(const EntryAt &entry)
{
  struct stat info {};
  return ::fstatat(entry.folder, entry.name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

// Only safe where nothing else renames into the folder meanwhile; used where the kernel
// offers no atomic way.
Result RenameIfFree(const EntryAt &from, const EntryAt &to)
{
  struct stat info {};
  if (::fstatat(to.folder, to.name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0)
    return Result(EEXIST);
  if (errno != ENOENT)
    return Result::LastError();
  return ::renameat(from.folder, from.name.constData(), to.folder, to.name.constData()) == 0 ? Result()
                                                                                             : Result::LastError();
}

Result LinkOrCheckedRename(const EntryAt &from, const EntryAt &to)
{
  if (IsFolder(from))
    return RenameIfFree(from, to);
  if (::linkat(from.folder, from.name.constData(), to.folder, to.name.constData(), 0) != 0) {
    if (errno == EPERM || errno == EOPNOTSUPP)
      return RenameIfFree(from, to);
    return Result::LastError();
  }
  if (::unlinkat(from.folder, from.name.constData(), 0) == 0)
    return Result();
  const Result failure = Result::LastError();
  ::unlinkat(to.folder, to.name.constData(), 0);
  return failure;
}

} // namespace

Result MoveWithoutReplacingAt(const EntryAt &from, const EntryAt &to)
{
  if (RenameNoReplace(from, to) == 0)
    return Result();
  return errno == EINVAL ? LinkOrCheckedRename(from, to) : Result::LastError();
}

Result MoveWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
  return MoveWithoutReplacingAt(EntryAt{AT_FDCWD, from}, EntryAt{AT_FDCWD, to});
}

Result MoveByLinkOrCheckedRename(const QByteArray &from, const QByteArray &to)
{
  return LinkOrCheckedRename(EntryAt{AT_FDCWD, from}, EntryAt{AT_FDCWD, to});
}

} // namespace tv::platform
