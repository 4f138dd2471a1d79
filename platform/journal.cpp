// The journal of unfinished steps: one locked entry file per step, and the cleanup after
// the steps of processes that are gone.
#include "platform/journal.h"

#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_copy.h"
#include "platform/file_create.h"
#include "platform/user_dirs.h"

namespace tv::platform {

namespace {

constexpr char EntryPrefix[] = "step-";
// An entry names a few paths; anything longer is not one of ours.
constexpr qsizetype LongestEntry = 64 * 1024;

// $XDG_STATE_HOME/tarnview, by default ~/.local/state/tarnview; empty without an absolute
// place.
QByteArray JournalFolder()
{
  const QByteArray state = XdgBaseFolder("XDG_STATE_HOME", "/.local/state");
  return state.isEmpty() ? state : state + "/tarnview";
}

// The fields of an entry, a line each: the key, "=" and the value percent-encoded.
constexpr std::pair<const char *, QByteArray UnfinishedStep::*> Fields[] = {
    {"temporaryPrefix=", &UnfinishedStep::temporaryPrefix},
    {"record=", &UnfinishedStep::record},
    {"recordText=", &UnfinishedStep::recordText},
    {"privateName=", &UnfinishedStep::privateName},
    {"original=", &UnfinishedStep::original}};

QByteArray EntryText(const UnfinishedStep &step)
{
  QByteArray text;
  for (const auto &[key, field] : Fields)
    text += key + (step.*field).toPercentEncoding() + '\n';
  return text;
}

UnfinishedStep ParsedEntry(const QByteArray &text)
{
  UnfinishedStep step;
  for (const QByteArray &line : text.split('\n'))
    for (const auto &[key, field] : Fields)
      if (line.startsWith(key))
        step.*field = QByteArray::fromPercentEncoding(line.mid(qstrlen(key)));
  return step;
}

QByteArray FolderPart(const QByteArray &path) { return path.left(path.lastIndexOf('/') + 1); }
QByteArray NamePart(const QByteArray &path) { return path.mid(path.lastIndexOf('/') + 1); }

// A file of the journal, written under a hidden name and locked before it gets the name a
// cleanup looks at, so that a cleanup never sees it unlocked. A hidden file left by a process
// killed meanwhile names nothing that exists.
Result WriteLockedEntry(int folder, const QByteArray &text, FileDescriptor *file, QByteArray *name)
{
  const QByteArray staging = RandomName(".writing-");
  FileDescriptor written(::openat(folder, staging.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!written.IsOpen())
    return written.OpenResult();
  *name = RandomName(EntryPrefix);
  Result result = ::flock(written.Get(), LOCK_EX | LOCK_NB) == 0 ? WriteAll(written.Get(), text) : Result::LastError();
  if (result.Ok() && ::renameat(folder, staging.constData(), folder, name->constData()) != 0)
    result = Result::LastError();
  if (!result.Ok()) {
    ::unlinkat(folder, staging.constData(), 0);
    return result;
  }
  // One flush of a file just renamed puts its new name on the disk too (ext4, XFS, Btrfs): a
  // second one of the folder would double the cost of every small copy.
  result = Flush(written.Get());
  if (!result.Ok())
    ::unlinkat(folder, name->constData(), 0);
  *file = std::move(written);
  return result;
}

QByteArray ReadAtMost(int fd, qsizetype limit)
{
  QByteArray bytes(limit, Qt::Uninitialized);
  qsizetype size = 0;
  for (ssize_t got = 1; got > 0 && size < limit; size += got)
    if ((got = ::read(fd, bytes.data() + size, size_t(limit - size))) < 0)
      return {};
  bytes.truncate(size);
  return bytes;
}

// A record whose file never arrived, and that still holds what this program wrote.
bool IsOwnRecordWithoutFile(const UnfinishedStep &step)
{
  const QByteArray name = NamePart(step.record);
  if (!step.record.endsWith("/info/" + name) || !name.endsWith(".trashinfo"))
    return false;
  const QByteArray trash = step.record.left(step.record.size() - name.size() - 6);
  const QByteArray file = trash + "/files/" + name.left(name.size() - qstrlen(".trashinfo"));
  struct stat info {};
  if (::lstat(file.constData(), &info) == 0 || errno != ENOENT)
    return false;
  const FileDescriptor record(::open(step.record.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  return record.IsOpen() && ReadAtMost(record.Get(), step.recordText.size() + 1) == step.recordText;
}

// The names in an open folder that begin with start.
QList<QByteArray> NamesStartingWith(int folder, const QByteArray &start)
{
  QList<QByteArray> names;
  const int copy = ::dup(folder);
  DIR *listing = copy >= 0 ? ::fdopendir(copy) : nullptr;
  if (listing == nullptr) {
    if (copy >= 0)
      ::close(copy);
    return names;
  }
  while (const dirent *entry = ::readdir(listing))
    if (qstrncmp(entry->d_name, start.constData(), size_t(start.size())) == 0)
      names.append(entry->d_name);
  ::closedir(listing);
  return names;
}

// Removes the temporary copies whose names begin with the prefix in its folder.
void RemoveTemporaryCopies(const QByteArray &prefix)
{
  const QByteArray start = NamePart(prefix);
  const FileDescriptor folder = OpenFolder(AT_FDCWD, FolderPart(prefix), false);
  if (!start.startsWith(TemporaryPrefix) || !folder.IsOpen())
    return;
  for (const QByteArray &name : NamesStartingWith(folder.Get(), start))
    ::unlinkat(folder.Get(), name.constData(), 0);
}

void CleanUpAfter(const UnfinishedStep &step, QList<QByteArray> *putBackElsewhere)
{
  RemoveTemporaryCopies(step.temporaryPrefix);
  if (!step.record.isEmpty() && IsOwnRecordWithoutFile(step))
    ::unlink(step.record.constData());
  if (!NamePart(step.privateName).startsWith(PrivateNamePrefix) ||
      FolderPart(step.privateName) != FolderPart(step.original))
    return;
  QByteArray taken;
  if (MoveToFreeName({AT_FDCWD, step.privateName}, {AT_FDCWD, step.original}, &taken).Ok() &&
      taken != NamePart(step.original))
    putBackElsewhere->append(FolderPart(step.original) + taken);
}

// Cleans up after one entry unless a live process holds it, or it went meanwhile.
void CleanUpEntry(int folder, const char *name, QList<QByteArray> *putBackElsewhere)
{
  const FileDescriptor entry(::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (!entry.IsOpen() || ::flock(entry.Get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(entry.Get(), &info) != 0 ||
      info.st_nlink == 0 || !S_ISREG(info.st_mode))
    return;
  CleanUpAfter(ParsedEntry(ReadAtMost(entry.Get(), LongestEntry)), putBackElsewhere);
  ::unlinkat(folder, name, 0);
}

} // namespace

JournalEntry::JournalEntry(const UnfinishedStep &step)
{
  const QByteArray path = JournalFolder();
  written_ = path.isEmpty() ? Result(ENOENT) : MakePrivateFolders(path);
  if (!written_.Ok())
    return;
  folder_ = OpenFolder(AT_FDCWD, path, true);
  written_ = folder_.IsOpen() ? WriteLockedEntry(folder_.Get(), EntryText(step), &file_, &name_) : folder_.OpenResult();
}

JournalEntry::~JournalEntry()
{
  // Removed while still locked, so no cleanup acts on a finished step.
  if (written_.Ok())
    ::unlinkat(folder_.Get(), name_.constData(), 0);
}

QList<QByteArray> CleanUpUnfinishedWork()
{
  QList<QByteArray> putBackElsewhere;
  const QByteArray path = JournalFolder();
  const FileDescriptor folder = path.isEmpty() ? FileDescriptor() : OpenFolder(AT_FDCWD, path, false);
  if (!folder.IsOpen())
    return putBackElsewhere;
  for (const QByteArray &name : NamesStartingWith(folder.Get(), EntryPrefix))
    CleanUpEntry(folder.Get(), name.constData(), &putBackElsewhere);
  return putBackElsewhere;
}

Result MoveToFreeName(const EntryAt &from, const EntryAt &to, QByteArray *takenName)
{
  const QByteArray folder = FolderPart(to.name);
  const QByteArray name = NamePart(to.name);
  Result moved(EEXIST);
  for (int number = 1; moved.Error() == EEXIST && number < 1000; ++number) {
    *takenName = NumberedName(name, number, NAME_MAX);
    moved = MoveWithoutReplacingAt(from, {to.folder, folder + *takenName});
  }
  return moved;
}

QByteArray AbsolutePathOf(const EntryAt &entry)
{
  if (entry.name.startsWith('/'))
    return entry.name;
  QByteArray folder(PATH_MAX, Qt::Uninitialized);
  const QByteArray link = "/proc/self/fd/" + QByteArray::number(entry.folder);
  const ssize_t length = entry.folder == AT_FDCWD
                             ? (::getcwd(folder.data(), PATH_MAX) ? ssize_t(qstrlen(folder.constData())) : -1)
                             : ::readlink(link.constData(), folder.data(), PATH_MAX);
  if (length <= 0)
    return {};
  folder.truncate(length);
  return folder.endsWith('/') ? folder + entry.name : folder + '/' + entry.name;
}

QByteArray RandomName(const QByteArray &prefix)
{
  return prefix + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

} // namespace tv::platform
