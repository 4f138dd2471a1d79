#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <limits>
#include <vector>

#include "platform/file_descriptor.h"

// Reading a folder: one directory read, then one stat per entry that needs one.
namespace tv::platform {

enum class EntryKind : quint8 {
  Folder,    // a folder, or a symbolic link to one
  File,      // anything else that exists: files, pipes, sockets, devices, broken links, and
             // entries that can be named but not asked about (size -1, time UnknownTime)
  Undecided, // read from the folder, not yet described
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
  Unreadable, // the folder exists but its entries could not be read
  Missing,    // no folder at that path
};

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
// decided at once; the others are left Undecided.
void ReadEntryNames(const FileDescriptor &folder, DirectoryContents &contents);

// Decides every Undecided entry with one stat relative to the folder, following symbolic
// links; a link that leads nowhere (broken, or a loop) is a file of its own size. Entries
// that vanished since the names were read are dropped. Nothing is ever opened, so pipes and
// devices cannot block. A large folder's stats are shared among a few threads, which have
// all finished when this returns.
void DescribeEntries(const FileDescriptor &folder, DirectoryContents &contents);

// Reads and describes a folder, following symbolic links to it. A folder that cannot be
// opened for want of permission is Unreadable, also when nothing can be asked about it.
DirectoryContents ReadDirectory(const QByteArray &path);

} // namespace tv::platform
