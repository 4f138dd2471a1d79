#include "platform/directory_reader.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

#include "platform/file_queries.h"

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

// Describes one entry; one that no longer exists stays Undecided.
void DescribeEntry(int folderFd, const char *name, DirectoryEntry &entry)
{
  struct stat info {};
  if (::fstatat(folderFd, name, &info, 0) == 0 || ::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0)
    Describe(entry, info);
  else if (errno != ENOENT)
    entry.kind = EntryKind::File; // the name is known but the entry cannot be asked about (no search permission)
}

void DescribeRange(int folderFd, DirectoryContents &contents, size_t first, size_t last)
{
  for (size_t i = first; i < last; ++i) {
    DirectoryEntry &entry = contents.entries[i];
    if (entry.kind == EntryKind::Undecided)
      DescribeEntry(folderFd, contents.names.constData() + entry.nameOffset, entry);
  }
}

void AddEntry(const char *name, bool isFolder, DirectoryContents &contents)
{
  DirectoryEntry entry;
  entry.nameOffset = static_cast<quint32>(contents.names.size());
  entry.nameLength = static_cast<quint16>(qstrlen(name));
  entry.kind = isFolder ? EntryKind::Folder : EntryKind::Undecided;
  contents.names.append(name, entry.nameLength + 1); // with its zero byte, so stat takes the name where it lies
  contents.entries.push_back(entry);
}

// A stat costs the kernel about a microsecond, a thread some tens: threads share the stats
// only of folders large enough for it to pay.
constexpr size_t MinimumEntriesPerThread = 2048;
constexpr size_t MaximumThreads = 4;

} // namespace

void ReadEntryNames(const FileDescriptor &folder, DirectoryContents &contents)
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
    const ssize_t filled = ::getdents64(folder.Get(), buffer.get(), BufferSize);
    if (filled <= 0) // the end, or an error, which ends the read there
      return;
    for (ssize_t at = 0; at < filled;) {
      const auto *item = reinterpret_cast<const dirent64 *>(buffer.get() + at);
      at += item->d_reclen;
      if (!IsDotOrDotDot(item->d_name))
        AddEntry(item->d_name, item->d_type == DT_DIR, contents);
    }
  }
}

void DescribeEntries(const FileDescriptor &folder, DirectoryContents &contents)
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
      helpers.emplace_back([&, first, last] { DescribeRange(folder.Get(), contents, first, last); });
    } catch (const std::system_error &) {
      DescribeRange(folder.Get(), contents, first, last); // no thread to be had: this one does it
    }
  }
  DescribeRange(folder.Get(), contents, 0, std::min(count, share));
  for (std::thread &helper : helpers)
    helper.join();
  // Entries left undecided vanished before their stat.
  std::erase_if(contents.entries, [](const DirectoryEntry &entry) { return entry.kind == EntryKind::Undecided; });
}

DirectoryContents ReadDirectory(const QByteArray &path)
{
  DirectoryContents contents;
  const FileDescriptor folder = OpenFolder(AT_FDCWD, path, true);
  if (!folder.IsOpen()) {
    // Inside a folder that may be read but not searched, a folder is known by name and can
    // be neither opened nor asked about: it exists, unreadable.
    contents.state = folder.OpenResult().Error() == EACCES || IsExistingFolder(path) ? FolderState::Unreadable
                                                                                     : FolderState::Missing;
    return contents;
  }
  ReadEntryNames(folder, contents);
  DescribeEntries(folder, contents);
  return contents;
}

} // namespace tv::platform
