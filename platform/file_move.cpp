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

int renameNoReplace(const EntryAt &from, const EntryAt &to)
{
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 28)
  return ::renameat2(from.folder, from.name.constData(), to.folder, to.name.constData(), RENAME_NOREPLACE);
#else
  return static_cast<int>(
      ::syscall(SYS_renameat2, from.folder, from.name.constData(), to.folder, to.name.constData(), RENAME_NOREPLACE));
#endif
}

bool isFolder(const EntryAt &entry)
{
  struct stat info {};
  return ::fstatat(entry.folder, entry.name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

// Only safe where nothing else renames into the folder meanwhile; used where the kernel
// offers no atomic way.
Result renameIfFree(const EntryAt &from, const EntryAt &to)
{
  struct stat info {};
  if (::fstatat(to.folder, to.name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0)
    return Result(EEXIST);
  if (errno != ENOENT)
    return Result::lastError();
  return ::renameat(from.folder, from.name.constData(), to.folder, to.name.constData()) == 0 ? Result()
                                                                                             : Result::lastError();
}

Result linkOrCheckedRename(const EntryAt &from, const EntryAt &to)
{
  if (isFolder(from))
    return renameIfFree(from, to);
  if (::linkat(from.folder, from.name.constData(), to.folder, to.name.constData(), 0) != 0) {
    if (errno == EPERM || errno == EOPNOTSUPP)
      return renameIfFree(from, to);
    return Result::lastError();
  }
  if (::unlinkat(from.folder, from.name.constData(), 0) == 0)
    return Result();
  const Result failure = Result::lastError();
  ::unlinkat(to.folder, to.name.constData(), 0);
  return failure;
}

} // namespace

Result moveWithoutReplacingAt(const EntryAt &from, const EntryAt &to)
{
  if (renameNoReplace(from, to) == 0)
    return Result();
  return errno == EINVAL ? linkOrCheckedRename(from, to) : Result::lastError();
}

Result moveWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
  return moveWithoutReplacingAt(EntryAt{AT_FDCWD, from}, EntryAt{AT_FDCWD, to});
}

Result moveByLinkOrCheckedRename(const QByteArray &from, const QByteArray &to)
{
  return linkOrCheckedRename(EntryAt{AT_FDCWD, from}, EntryAt{AT_FDCWD, to});
}

} // namespace tv::platform
