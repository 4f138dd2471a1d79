// Copying a regular file to a new name, under a temporary name until it is whole.
#include "platform/file_copy.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_descriptor.h"
#include "platform/journal.h"

namespace tv::platform {

namespace {

constexpr mode_t PermissionBits = S_IRWXU | S_IRWXG | S_IRWXO;
// The most that is written between two flushes: also how long a cancel may wait.
constexpr off_t ChunkSize = off_t(16) << 20;
constexpr size_t BufferSize = 1 << 20;

Result TypeCheck(mode_t mode)
{
  if (S_ISREG(mode))
    return Result();
  return Result(S_ISDIR(mode) ? EISDIR : EOPNOTSUPP);
}

// One copy under way: where it is, and whom to tell.
struct Copying {
  int from;
  int to;
  off_t total;
  const CopyProgress &progress;
  bool inKernel = true;
  QByteArray buffer = {};
};

Result Report(const Copying &copying, off_t done)
{
  return !copying.progress || copying.progress(done, copying.total) ? Result() : Result(ECANCELED);
}

// Copies by reading and writing, where the kernel cannot copy (across file systems on some
// kernels).
Result ReadAndWrite(Copying &copying, off_t in, off_t length)
{
  if (copying.buffer.isEmpty())
    copying.buffer.resize(BufferSize);
  while (length > 0) {
    const ssize_t got = ::pread(copying.from, copying.buffer.data(), std::min<off_t>(length, BufferSize), in);
    if (got <= 0)
      return got < 0 ? Result::LastError() : Result(SourceChanged);
    for (ssize_t written = 0; written < got;) {
      const ssize_t put = ::pwrite(copying.to, copying.buffer.constData() + written, got - written, in + written);
      if (put < 0)
        return Result::LastError();
      written += put;
    }
    in += got;
    length -= got;
  }
  return Result();
}

// Copies length bytes at offset, in the kernel where it can.
Result CopyChunk(Copying &copying, off_t offset, off_t length)
{
  off_t in = offset;
  off_t out = offset;
  while (copying.inKernel && length > 0) {
    const ssize_t copied = ::copy_file_range(copying.from, &in, copying.to, &out, length, 0);
    if (copied == 0)
      return Result(SourceChanged);
    if (copied < 0) {
      if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return Result::LastError();
      copying.inKernel = false;
      break;
    }
    length -= copied;
  }
  return ReadAndWrite(copying, in, length);
}

// Copies a range in chunks, each on the disk before it is reported.
Result CopyRange(Copying &copying, off_t offset, off_t length)
{
  for (off_t end = offset + length; offset < end;) {
    const off_t chunk = std::min(ChunkSize, end - offset);
    if (const Result copied = CopyChunk(copying, offset, chunk); !copied.Ok())
      return copied;
    if (::fdatasync(copying.to) != 0)
      return Result::LastError();
    offset += chunk;
    if (const Result reported = Report(copying, offset); !reported.Ok())
      return reported;
  }
  return Result();
}

// Copies the data of a file, skipping its holes.
Result CopyData(Copying &copying)
{
  const off_t size = copying.total;
  if (const Result reported = Report(copying, 0); !reported.Ok())
    return reported;
  off_t offset = 0;
  while (offset < size) {
    off_t data = ::lseek(copying.from, offset, SEEK_DATA);
    if (data < 0 && errno == ENXIO)
      break;
    off_t hole = data < 0 ? size : ::lseek(copying.from, data, SEEK_HOLE);
    if (data < 0)
      data = offset;
    if (hole < 0 || hole > size)
      hole = size;
    if (const Result copied = CopyRange(copying, data, hole - data); !copied.Ok())
      return copied;
    offset = hole;
  }
  // A hole at the end is read as nothing: only the size tells that the file still reaches it.
  struct stat now {};
  if (::fstat(copying.from, &now) != 0)
    return Result::LastError();
  if (now.st_size < size)
    return Result(SourceChanged);
  if (::ftruncate(copying.to, size) != 0)
    return Result::LastError();
  return offset < size ? Report(copying, size) : Result();
}

Result FinishCopy(int to, const struct stat &source, Durability durability)
{
  const struct timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  if (::fchmod(to, source.st_mode & PermissionBits) != 0 || ::futimens(to, times) != 0)
    return Result::LastError();
  // The data is on the disk already, chunk by chunk (a network or FUSE file system reports
  // ENOSPC, EDQUOT or EIO there); Flushed puts the times and permissions there too.
  return durability == Durability::Normal || ::fsync(to) == 0 ? Result() : Result::LastError();
}

Result WriteCopy(int from, int to, const struct stat &source, Durability durability, const CopyProgress &progress)
{
  Copying copying{from, to, source.st_size, progress};
  if (const Result copied = CopyData(copying); !copied.Ok())
    return copied;
  return FinishCopy(to, source, durability);
}

QByteArray FolderOf(const QByteArray &path) { return path.left(path.lastIndexOf('/') + 1); }

// A new private file beside the target under a name that nothing else has, named in the
// journal before it exists.
Result CreateTemporaryBeside(const EntryAt &target, CopyJournal *journal, EntryAt *temporary, FileDescriptor *file)
{
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (const Result named = journal->NextTemporary(target, temporary); !named.Ok())
      return named;
    *file = FileDescriptor(
        ::openat(temporary->folder, temporary->name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (file->IsOpen() || file->OpenResult().Error() != EEXIST)
      break;
  }
  return file->OpenResult();
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

Result CopyRegularFile(const QByteArray &source, const QByteArray &target, Durability durability,
                       const CopyProgress &progress, CopyJournal *journal)
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
  return CopyOpenFile(from.Get(), info, {AT_FDCWD, target}, durability, progress, journal);
}

Result CopyOpenFile(int from, const struct stat &info, const EntryAt &target, Durability durability,
                    const CopyProgress &progress, CopyJournal *journal)
{
  // Spares writing a copy that could not take its name.
  if (Exists(target))
    return Result(EEXIST);
  CopyJournal ownJournal;
  EntryAt written;
  FileDescriptor to;
  if (const Result created = CreateTemporaryBeside(target, journal ? journal : &ownJournal, &written, &to);
      !created.Ok())
    return created;
  Result result = WriteCopy(from, to.Get(), info, durability, progress);
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

Result CopyJournal::NextTemporary(const EntryAt &target, EntryAt *temporary)
{
  const QByteArray folder = FolderOf(AbsolutePathOf(target));
  if (folder.isEmpty())
    return Result(ENOENT);
  if (folder != folder_ || !entry_) {
    prefix_ = RandomName(TemporaryPrefix) + '-';
    entry_.emplace(UnfinishedStep{.temporaryPrefix = folder + prefix_});
    folder_ = entry_->Written().Ok() ? folder : QByteArray();
  }
  *temporary = {target.folder, FolderOf(target.name) + prefix_ + QByteArray::number(++count_)};
  return entry_->Written();
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
