// Copying a regular file to a new name, under a temporary name until it is whole.
#pragma once

#include <QByteArray>
#include <cerrno>
#include <functional>
#include <optional>
#include <sys/stat.h>

#include "platform/file_descriptor.h"
#include "platform/file_move.h"
#include "platform/journal.h"

namespace tv::platform {

// The error of a copy whose source ended before the size it had when the copy began (it was
// truncated or rewritten meanwhile): the copy would not hold the file whole.
inline constexpr int SourceChanged = ENODATA;

// Told how far a copy is, once at its start and after each flushed chunk; returns false to
// cancel it. A cancelled copy is removed before the copy returns ECANCELED.
using CopyProgress = std::function<bool(qint64 bytesDone, qint64 bytesTotal)>;

// Names the temporary copies of several copies into one folder in one journal entry, so that
// a drop of many small files does not wait for an entry per file. Keep it for as long as the
// copies run; a copy without one writes an entry of its own.
class CopyJournal {
public:
  // A name for the next temporary copy beside target, named in the journal before it exists.
  Result NextTemporary(const EntryAt &target, EntryAt *temporary);

private:
  std::optional<JournalEntry> entry_;
  QByteArray folder_;
  QByteArray prefix_;
  quint64 count_ = 0;
};

// Copies a regular file (following symbolic links) to target, which must not exist yet:
// EEXIST when it does, EISDIR for a folder, EOPNOTSUPP for a pipe, socket or device, and
// nothing waits on a pipe. The copy keeps the modification time and the permission bits
// without the set-id bits, and keeps the holes of a sparse file. It is written under a
// temporary name beside the target and takes its name only once its bytes are flushed and
// the file closed without error, so a failed copy leaves nothing behind. Flushed: the new
// name lasts across a crash too. The bytes go in chunks, each on the disk before the next is
// reported; the temporary copy is named in the journal while it exists, so that one left by
// a killed process is cleaned up (see journal.h).
Result CopyRegularFile(const QByteArray &source, const QByteArray &target, Durability durability = Durability::Normal,
                       const CopyProgress &progress = {}, CopyJournal *journal = nullptr);

// The same for an open regular file as fstat described it when the copy began.
Result CopyOpenFile(int from, const struct stat &info, const EntryAt &target, Durability durability,
                    const CopyProgress &progress = {}, CopyJournal *journal = nullptr);

// True when both paths name the same file or folder (following symbolic links).
bool IsSameFile(const QByteArray &first, const QByteArray &second);

// The name of the number-th entry of a name: "report.txt", "report (2).txt",
// "report (3).txt"... (".profile (2)", "README (2)"), shortened where needed so that it has
// at most maxBytes bytes, never cutting a UTF-8 character in two.
QByteArray NumberedName(const QByteArray &name, int number, qsizetype maxBytes);

} // namespace tv::platform
