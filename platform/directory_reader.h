// Reading a folder: one directory read, then one stat per entry that needs one.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <atomic>
#include <limits>
#include <memory>
#include <stop_token>
#include <vector>

#include "platform/file_descriptor.h"
#include "platform/mount_gates.h"

namespace tv::platform {

enum class EntryKind : quint8 {
  Folder,    // a folder, or a symbolic link to one
  File,      // anything else that exists: files, pipes, sockets, devices, broken links, and
             // entries that can be named but not asked about (size -1, time UnknownTime)
  Undecided, // read from the folder, not yet described
  Link,      // read from the folder as a symbolic link (or of unknown type), not yet described
};

// Modification time of an entry that could be read but not described (for example in a
// folder that may be read but not searched).
inline constexpr qint64 UnknownTime = std::numeric_limits<qint64>::min();

// One entry; its name is in the names of the DirectoryContents that holds it.
struct DirectoryEntry {
  quint32 nameOffset = 0;
  quint16 nameLength = 0;
  EntryKind kind = EntryKind::Undecided;
  qint64 size = -1;              // bytes; -1 when unknown, unused for folders
  qint64 modified = UnknownTime; // seconds since the epoch, unused for folders
};

enum class FolderState {
  Listed,     // the folder was read
  Incomplete, // reading the folder failed part-way: the entries are those read before
  Unreadable, // the folder could not be opened for any reason but its absence
  Missing,    // no folder at that path
};

// What a listing needs beside its folder: the gates through which a link to another mount
// is followed, so that a dead mount holds up neither the listing nor more than one thread,
// and the stop of a listing that is no longer wanted, which ends it early as Unreadable.
struct ListingContext {
  MountGates gates;
  MountPoints mounts;
  std::stop_token stop;
  // Counts the folder's answers while it is read (its open, its reads, every so many stats),
  // where given: a folder that is slow but answering is told apart from one that is not.
  std::shared_ptr<std::atomic<quint64>> answers;

  void Answered() const
  {
    if (answers)
      answers->fetch_add(1, std::memory_order_relaxed);
  }
};

// The count of answers once the folder has been read whole (or found missing or unreadable).
inline constexpr quint64 FolderRead = std::numeric_limits<quint64>::max();

// How long a link to another mount may take to describe before it is listed undescribed.
inline constexpr std::chrono::milliseconds LinkAnswerTime{1000};

// The entries of one folder, without "." and "..", in the order the file system gave them.
// All names are stored one after another in one block, so that a million entries cost no
// more than their bytes and a small record each.
struct DirectoryContents {
  FolderState state = FolderState::Missing;
  QByteArray names;
  std::vector<DirectoryEntry> entries;

  QByteArrayView Name(const DirectoryEntry &entry) const
  {
    return QByteArrayView(names.constData() + entry.nameOffset, entry.nameLength);
  }
};

// Reads the names of an open folder. Entries the folder itself reports as folders are
// decided at once, links are marked as links, the others are left Undecided.
void ReadEntryNames(const FileDescriptor &folder, DirectoryContents &contents, const ListingContext *context = nullptr);

// Decides every Undecided and Link entry with one stat relative to the folder, following
// symbolic links; a link that leads nowhere (broken, or a loop) is a file of its own size. A
// link to another mount is followed through that mount's gate and, where it does not answer
// in time, listed as a file without size and time. Entries that vanished since the names
// were read are dropped. Nothing is ever opened, so pipes and devices cannot block. A large
// folder's stats are shared among a few threads, which have all finished when this returns.
void DescribeEntries(const FileDescriptor &folder, const QByteArray &path, DirectoryContents &contents,
                     ListingContext &context);
void DescribeEntries(const FileDescriptor &folder, DirectoryContents &contents);

// Reads and describes a folder, following symbolic links to it. Only a path that names
// nothing, or something that is not a folder, is Missing.
DirectoryContents ReadDirectory(const QByteArray &path, ListingContext &context);
DirectoryContents ReadDirectory(const QByteArray &path);

} // namespace tv::platform
