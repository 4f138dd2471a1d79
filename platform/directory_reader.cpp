// Reading a folder's names and describing its entries.
#include "platform/directory_reader.h"

#include "platform/file_queries.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace tv::platform {

namespace {

bool IsDotOrDotDot(const char *name) { return name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2])); }

void Describe(DirectoryEntry &entry, const struct stat &info)
{
  if (S_ISDIR(info.st_mode)) {
    entry.kind = EntryKind::Folder;
    return;
  }
  entry.kind = EntryKind::File;
  entry.size = info.st_size;
  entry.modified = info.st_mtim.tv_sec;
}

// Describes one entry by a stat relative to the folder; one that no longer exists stays
// Undecided.
void DescribeEntry(int folderFd, const char *name, DirectoryEntry &entry)
{
  struct stat info {};
  if (::fstatat(folderFd, name, &info, 0) == 0 || ::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0)
    Describe(entry, info);
  else if (errno != ENOENT)
    entry.kind = EntryKind::File; // the name is known but the entry cannot be asked about (no search permission)
  else
    entry.kind = EntryKind::Undecided;
}

// The path a link's text leads to, by its text alone: enough to tell which mount it is on.
QByteArray LinkTargetPath(const QByteArray &folder, const QByteArray &target)
{
  return CleanAbsolutePath(target.startsWith('/') ? target : folder + '/' + target);
}

// How many stats count as one answer of a folder that is being described.
constexpr size_t AnswersEvery = 256;

// Where a listing is and what it may ask for.
struct Describer {
  int folderFd;
  const QByteArray &path;
  ListingContext *context; // none: every link is followed without limit

  // A link to another mount is followed on a thread of that mount's gate; one that does not
  // answer in time is a file that cannot be asked about.
  void DescribeLink(const char *name, DirectoryEntry &entry) const
  {
    struct stat own {};
    if (::fstatat(folderFd, name, &own, AT_SYMLINK_NOFOLLOW) != 0) {
      entry.kind = errno == ENOENT ? EntryKind::Undecided : EntryKind::File;
      return;
    }
    if (!S_ISLNK(own.st_mode)) {
      Describe(entry, own);
      return;
    }
    const QByteArray targetMount = context->mounts.MountOf(LinkTargetPath(path, LinkText(name, own)));
    if (targetMount == context->mounts.MountOf(path)) {
      DescribeEntry(folderFd, name, entry);
      return;
    }
    // The thread may outlive this listing: it gets its own copies of what it needs.
    auto found = std::make_shared<DirectoryEntry>(entry);
    auto folder = std::make_shared<FileDescriptor>(::fcntl(folderFd, F_DUPFD_CLOEXEC, 0));
    const QByteArray ownName(name);
    if (context->gates.CallWithin(targetMount, LinkAnswerTime,
                                  [found, folder, ownName] { DescribeEntry(folder->Get(), ownName, *found); }))
      entry = *found;
    else
      entry.kind = EntryKind::File;
  }

  QByteArray LinkText(const char *name, const struct stat &own) const
  {
    QByteArray text(std::max<qsizetype>(own.st_size, 0) + 1, Qt::Uninitialized);
    const ssize_t length = ::readlinkat(folderFd, name, text.data(), static_cast<size_t>(text.size()));
    text.truncate(std::max<ssize_t>(length, 0));
    return text;
  }

  void DescribeRange(DirectoryContents &contents, size_t first, size_t last) const
  {
    for (size_t i = first; i < last; ++i) {
      if (context && i % AnswersEvery == 0) {
        if (context->stop.stop_requested())
          return;
        context->Answered();
      }
      DirectoryEntry &entry = contents.entries[i];
      const char *name = contents.names.constData() + entry.nameOffset;
      if (entry.kind == EntryKind::Link && context)
        DescribeLink(name, entry);
      else if (entry.kind == EntryKind::Undecided || entry.kind == EntryKind::Link)
        DescribeEntry(folderFd, name, entry);
    }
  }
};

EntryKind KindOfType(unsigned char type)
{
  switch (type) {
  case DT_DIR:
    return EntryKind::Folder;
  case DT_LNK:
  case DT_UNKNOWN:
    return EntryKind::Link;
  default:
    return EntryKind::Undecided;
  }
}

void AddEntry(const char *name, unsigned char type, DirectoryContents &contents)
{
  DirectoryEntry entry;
  entry.nameOffset = static_cast<quint32>(contents.names.size());
  entry.nameLength = static_cast<quint16>(qstrlen(name));
  entry.kind = KindOfType(type);
  contents.names.append(name, entry.nameLength + 1); // with its zero byte, so stat takes the name where it lies
  contents.entries.push_back(entry);
}

// A stat costs the kernel about a microsecond, a thread some tens: threads share the stats
// only of folders large enough for it to pay.
constexpr size_t MinimumEntriesPerThread = 2048;
constexpr size_t MaximumThreads = 4;

} // namespace

void ReadEntryNames(const FileDescriptor &folder, DirectoryContents &contents, const ListingContext *context)
{
  // One large buffer: a folder of a million entries takes a few dozen calls.
  constexpr size_t BufferSize = 1 << 20;
  if (!folder.IsOpen()) {
    contents.state = FolderState::Unreadable;
    return;
  }
  contents.state = FolderState::Listed;
  const std::unique_ptr<char[]> buffer(new char[BufferSize]);
  for (;;) {
    if (context && context->stop.stop_requested())
      return;
    const ssize_t filled = ::getdents64(folder.Get(), buffer.get(), BufferSize);
    if (context)
      context->Answered();
    if (filled < 0)
      contents.state = FolderState::Incomplete;
    if (filled <= 0)
      return;
    for (ssize_t at = 0; at < filled;) {
      const auto *item = reinterpret_cast<const dirent64 *>(buffer.get() + at);
      at += item->d_reclen;
      if (!IsDotOrDotDot(item->d_name))
        AddEntry(item->d_name, item->d_type, contents);
    }
  }
}

namespace {

void DescribeAll(const Describer &describer, DirectoryContents &contents)
{
  const size_t count = contents.entries.size();
  const size_t threadCount = count < 2 * MinimumEntriesPerThread
                                 ? 1
                                 : std::clamp<size_t>(std::thread::hardware_concurrency(), 1, MaximumThreads);
  std::vector<std::thread> helpers;
  const size_t share = (count + threadCount - 1) / threadCount;
  for (size_t first = share; first < count; first += share) {
    const size_t last = std::min(count, first + share);
    try {
      helpers.emplace_back([&, first, last] { describer.DescribeRange(contents, first, last); });
    } catch (const std::system_error &) {
      describer.DescribeRange(contents, first, last); // no thread to be had: this one does it
    }
  }
  describer.DescribeRange(contents, 0, std::min(count, share));
  for (std::thread &helper : helpers)
    helper.join();
  // Entries left undecided vanished before their stat.
  std::erase_if(contents.entries, [](const DirectoryEntry &entry) {
    return entry.kind == EntryKind::Undecided || entry.kind == EntryKind::Link;
  });
}

} // namespace

void DescribeEntries(const FileDescriptor &folder, const QByteArray &path, DirectoryContents &contents,
                     ListingContext &context)
{
  DescribeAll({folder.Get(), path, &context}, contents);
}

void DescribeEntries(const FileDescriptor &folder, DirectoryContents &contents)
{
  const QByteArray noPath;
  DescribeAll({folder.Get(), noPath, nullptr}, contents);
}

namespace {

DirectoryContents ReadAndDescribe(const QByteArray &path, ListingContext &context)
{
  DirectoryContents contents;
  const FileDescriptor folder = OpenFolder(AT_FDCWD, path, true);
  if (!folder.IsOpen()) {
    const int error = folder.OpenResult().Error();
    contents.state = error == ENOENT || error == ENOTDIR ? FolderState::Missing : FolderState::Unreadable;
    return contents;
  }
  context.Answered();
  ReadEntryNames(folder, contents, &context);
  DescribeEntries(folder, path, contents, context);
  if (context.stop.stop_requested())
    return {FolderState::Unreadable, {}, {}};
  return contents;
}

} // namespace

DirectoryContents ReadDirectory(const QByteArray &path, ListingContext &context)
{
  DirectoryContents contents = ReadAndDescribe(path, context);
  if (context.answers)
    context.answers->store(FolderRead);
  return contents;
}

DirectoryContents ReadDirectory(const QByteArray &path)
{
  ListingContext context{MountGates(), MountPoints::Current(), {}, {}};
  return ReadDirectory(path, context);
}

} // namespace tv::platform
