#include "platform/directory_reader.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

// Describes one entry; false when it no longer exists.
bool DescribeEntry(int folderFd, const char *name, DirectoryEntry &entry)
{
  struct stat info {};
  if (::fstatat(folderFd, name, &info, 0) == 0 || ::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
    Describe(entry, info);
    return true;
  }
  if (errno == ENOENT)
    return false;
  // The name is known but the entry cannot be asked about (no search permission).
  entry.kind = EntryKind::File;
  return true;
}

} // namespace

DirectoryHandle::DirectoryHandle(const QByteArray &path)
    : fd_(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK))
{
}

DirectoryHandle::~DirectoryHandle()
{
  if (fd_ >= 0)
    ::close(fd_);
}

void readEntryNames(const DirectoryHandle &folder, DirectoryContents &contents)
{
  // fdopendir takes the descriptor over, so read through a duplicate.
  const int fd = ::fcntl(folder.fd(), F_DUPFD_CLOEXEC, 0);
  DIR *stream = fd >= 0 ? ::fdopendir(fd) : nullptr;
  if (!stream) {
    if (fd >= 0)
      ::close(fd);
    contents.state = FolderState::Unreadable;
    return;
  }
  contents.state = FolderState::Listed;
  while (const dirent *item = ::readdir(stream)) {
    if (IsDotOrDotDot(item->d_name))
      continue;
    DirectoryEntry entry;
    entry.nameOffset = static_cast<quint32>(contents.names.size());
    entry.nameLength = static_cast<quint16>(qstrlen(item->d_name));
    entry.kind = item->d_type == DT_DIR ? EntryKind::Folder : EntryKind::Undecided;
    contents.names.append(item->d_name, entry.nameLength);
    contents.names.append('\0'); // lets stat take the name where it lies
    contents.entries.push_back(entry);
  }
  ::closedir(stream);
}

void describeEntries(const DirectoryHandle &folder, DirectoryContents &contents)
{
  auto kept = contents.entries.begin();
  for (DirectoryEntry &entry : contents.entries) {
    if (entry.kind == EntryKind::Undecided &&
        !DescribeEntry(folder.fd(), contents.names.constData() + entry.nameOffset, entry))
      continue;
    *kept++ = entry;
  }
  contents.entries.erase(kept, contents.entries.end());
}

DirectoryContents readDirectory(const QByteArray &path)
{
  DirectoryContents contents;
  const DirectoryHandle folder(path);
  if (!folder.isOpen()) {
    contents.state = isExistingFolder(path) ? FolderState::Unreadable : FolderState::Missing;
    return contents;
  }
  readEntryNames(folder, contents);
  describeEntries(folder, contents);
  return contents;
}

} // namespace tv::platform
