#include "platform/file_move.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#include <linux/fs.h>
#endif

namespace tv::platform {

namespace {

int renameNoReplace(const char *from, const char *to)
{
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 28)
  return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
#else
  return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#endif
}

FileResult lastError() { return {errno}; }

bool isFolder(const QByteArray &path)
{
  struct stat info {};
  return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Only safe where nothing else renames into the folder meanwhile; used where the kernel
// offers no atomic way.
FileResult renameIfFree(const QByteArray &from, const QByteArray &to)
{
  struct stat info {};
  if (::lstat(to.constData(), &info) == 0)
    return {EEXIST};
  if (errno != ENOENT)
    return lastError();
  return ::rename(from.constData(), to.constData()) == 0 ? FileResult{} : lastError();
}

} // namespace

QString FileResult::description() const { return QString::fromLocal8Bit(std::strerror(error)); }

FileResult moveWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
  if (renameNoReplace(from.constData(), to.constData()) == 0)
    return {};
  return errno == EINVAL ? moveByLinkOrCheckedRename(from, to) : lastError();
}

FileResult moveByLinkOrCheckedRename(const QByteArray &from, const QByteArray &to)
{
  if (isFolder(from))
    return renameIfFree(from, to);
  if (::link(from.constData(), to.constData()) != 0) {
    if (errno == EPERM || errno == EOPNOTSUPP)
      return renameIfFree(from, to);
    return lastError();
  }
  if (::unlink(from.constData()) == 0)
    return {};
  const FileResult failure = lastError();
  ::unlink(to.constData());
  return failure;
}

} // namespace tv::platform
