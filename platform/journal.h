// The journal of this program's own unfinished steps, and the cleanup after a killed one.
#pragma once

#include <QByteArray>
#include <QList>

#include "platform/file_descriptor.h"
#include "platform/file_move.h"

namespace tv::platform {

// How this program's own hidden files begin: a copy being written, and a file taken aside
// in its own folder while it is checked before removal.
inline constexpr char TemporaryPrefix[] = ".tarnview-copy-";
inline constexpr char PrivateNamePrefix[] = ".tarnview-aside-";

// What one step may leave behind when its process ends before it does: absolute paths,
// empty where the step makes no such file.
struct UnfinishedStep {
  // Hidden temporary copies: every file of that folder whose name begins with this
  // (".tarnview-copy-" and random letters) is removed.
  QByteArray temporaryPrefix = {};
  // A trash record under info/: removed when the file it describes never arrived under
  // files/, and only while it still holds recordText (so never another program's record).
  QByteArray record = {};
  QByteArray recordText = {};
  // A file taken aside under a private name in its own folder: renamed back to original
  // without replacing anything.
  QByteArray privateName = {};
  QByteArray original = {};
};

// One entry of the journal ($XDG_STATE_HOME/tarnview/step-*), on the disk when the
// constructor returns and locked for as long as the object lives; removed when it goes.
// Write it before the first file it names exists.
class JournalEntry {
public:
  explicit JournalEntry(const UnfinishedStep &step);
  ~JournalEntry();
  JournalEntry(const JournalEntry &) = delete;
  JournalEntry &operator=(const JournalEntry &) = delete;

  // Whether the entry was written; a step must not start without it.
  Result Written() const { return written_; }

private:
  FileDescriptor folder_;
  FileDescriptor file_;
  QByteArray name_;
  Result written_;
};

// Finishes what killed or crashed runs left: for each entry whose lock is free, removes the
// temporary copy and the record whose file never arrived, renames a private name back, and
// removes the entry. Entries that a live process holds, and files no entry names, are left
// alone. Returns the paths of files put back under a numbered name, their own being taken.
QList<QByteArray> CleanUpUnfinishedWork();

// Moves from to the name of to without replacing anything; where that is taken, to the first
// free numbered name ("a (2).txt"). Gives the name it took.
Result MoveToFreeName(const EntryAt &from, const EntryAt &to, QByteArray *takenName);

// An absolute path for an entry named relative to an open folder (or the current one).
QByteArray AbsolutePathOf(const EntryAt &entry);

// A name that nothing else has: the prefix and 64 random bits.
QByteArray RandomName(const QByteArray &prefix);

} // namespace tv::platform
