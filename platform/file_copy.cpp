#include "platform/file_copy.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_descriptor.h"

namespace tv::platform {

namespace {

constexpr mode_t PermissionBits = S_IRWXU | S_IRWXG | S_IRWXO;
constexpr size_t ChunkSize = 1 << 20;

Result TypeCheck(mode_t mode)
{
  if (S_ISREG(mode))
    return Result();
  return Result(S_ISDIR(mode) ? EISDIR : EOPNOTSUPP);
}

// Copies length bytes at offset, in the kernel where it can and by reading and writing
// where it cannot (across file systems on some kernels).
Result CopyRange(int from, int to, off_t offset, off_t length)
{
  off_t in = offset;
  off_t out = offset;
  while (length > 0) {
    const ssize_t copied = ::copy_file_range(from, &in, to, &out, std::min<off_t>(length, 1 << 30), 0);
    if (copied == 0)
      return Result(SourceChanged);
    if (copied < 0) {
      if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return Result::LastError();
      break;
    }
    length -= copied;
  }
  QByteArray buffer(static_cast<qsizetype>(std::min<off_t>(length, ChunkSize)), Qt::Uninitialized);
  while (length > 0) {
    const ssize_t got = ::pread(from, buffer.data(), std::min<off_t>(length, buffer.size()), in);
    if (got <= 0)
      return got < 0 ? Result::LastError() : Result(SourceChanged);
    for (ssize_t written = 0; written < got;) {
      const ssize_t put = ::pwrite(to, buffer.constData() + written, got - written, out);
      if (put < 0)
        return Result::LastError();
      written += put;
      out += put;
    }
    in += got;
    length -= got;
  }
  return Result();
}

// Copies the data of a file of the given size, skipping its holes.
Result CopyData(int from, int to, off_t size)
{
  for (off_t offset = 0; offset < size;) {
    off_t data = ::lseek(from, offset, SEEK_DATA);
    if (data < 0 && errno == ENXIO)
      break;
    off_t hole = data < 0 ? size : ::lseek(from, data, SEEK_HOLE);
    if (data < 0)
      data = offset;
    if (hole < 0 || hole > size)
      hole = size;
    if (const Result copied = CopyRange(from, to, data, hole - data); !copied.Ok())
      return copied;
    offset = hole;
  }
  // A hole at the end is read as nothing: only the size tells that the file still reaches it.
  struct stat now {};
  if (::fstat(from, &now) != 0)
    return Result::LastError();
  if (now.st_size < size)
    return Result(SourceChanged);
  return ::ftruncate(to, size) == 0 ? Result() : Result::LastError();
}

Result FinishCopy(int to, const struct stat &source, Durability durability)
{
  const struct timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  if (::fchmod(to, source.st_mode & PermissionBits) != 0 || ::futimens(to, times) != 0)
    return Result::LastError();
  // A network or FUSE file system may report ENOSPC, EDQUOT or EIO only here.
  const int flushed = durability == Durability::Flushed ? ::fsync(to) : ::fdatasync(to);
  return flushed == 0 ? Result() : Result::LastError();
}

Result WriteCopy(int from, int to, const struct stat &source, Durability durability)
{
  if (const Result copied = CopyData(from, to, source.st_size); !copied.Ok())
    return copied;
  return FinishCopy(to, source, durability);
}

QByteArray FolderOf(const QByteArray &path) { return path.left(path.lastIndexOf('/') + 1); }

// A new private file beside the target under a name that nothing else has.
FileDescriptor CreateTemporaryBeside(const EntryAt &target, QByteArray *name)
{
  FileDescriptor file;
  for (int attempt = 0; attempt < 100; ++attempt) {
    *name =
        FolderOf(target.name) + ".tarnview-copy-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    file = FileDescriptor(::openat(target.folder, name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (file.IsOpen() || file.OpenResult().Error() != EEXIST)
      break;
  }
  return file;
}

bool Exists(const EntryAt &entry)
{
  struct stat info {};
  return ::fstatat(entry.folder, entry.name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

QByteArray TruncatedUtf8(const QByteArray &bytes, qsizetype maxBytes)
{
  if (bytes.size() <= maxBytes)
    return bytes;
  qsizetype cut = std::max<qsizetype>(maxBytes, 0);
  while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
    --cut;
  return bytes.left(cut);
}

} // namespace

Result CopyRegularFile(const QByteArray &source, const QByteArray &target, Durability durability)
{
  struct stat info {};
  if (::stat(source.constData(), &info) != 0)
    return Result::LastError();
  if (const Result type = TypeCheck(info.st_mode); !type.Ok())
    return type;
  // Non-blocking, so that a pipe put in the file's place meanwhile does not hold us up.
  const FileDescriptor from(::open(source.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!from.IsOpen())
    return from.OpenResult();
  if (::fstat(from.Get(), &info) != 0)
    return Result::LastError();
  if (const Result type = TypeCheck(info.st_mode); !type.Ok())
    return type;
  return CopyOpenFile(from.Get(), info, {AT_FDCWD, target}, durability);
}

Result CopyOpenFile(int from, const struct stat &info, const EntryAt &target, Durability durability)
{
  // Spares writing a copy that could not take its name.
  if (Exists(target))
    return Result(EEXIST);
  QByteArray temporary;
  FileDescriptor to = CreateTemporaryBeside(target, &temporary);
  if (!to.IsOpen())
    return to.OpenResult();
  const EntryAt written{target.folder, temporary};
  Result result = WriteCopy(from, to.Get(), info, durability);
  if (!to.Close() && result.Ok())
    result = Result::LastError();
  if (result.Ok())
    result = MoveWithoutReplacingAt(written, target);
  if (!result.Ok()) {
    ::unlinkat(written.folder, written.name.constData(), 0);
    return result;
  }
  if (durability == Durability::Normal)
    return result;
  result = FlushFolder(FolderOf(target.name), target.folder);
  if (!result.Ok())
    ::unlinkat(target.folder, target.name.constData(), 0);
  return result;
}

bool IsSameFile(const QByteArray &first, const QByteArray &second)
{
  struct stat a {};
  struct stat b {};
  return ::stat(first.constData(), &a) == 0 && ::stat(second.constData(), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

QByteArray NumberedName(const QByteArray &name, int number, qsizetype maxBytes)
{
  const QByteArray suffix = number > 1 ? " (" + QByteArray::number(number) + ')' : QByteArray();
  const qsizetype dot = name.lastIndexOf('.');
  QByteArray extension = dot > 0 ? name.mid(dot) : QByteArray();
  if (extension.size() + suffix.size() >= maxBytes)
    extension.clear();
  const QByteArray stem = name.left(name.size() - extension.size());
  return TruncatedUtf8(stem, maxBytes - suffix.size() - extension.size()) + suffix + extension;
}

} // namespace tv::platform
