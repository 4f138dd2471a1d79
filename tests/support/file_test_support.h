#pragma once

#include <QByteArray>
#include <QMap>
#include <sys/stat.h>
#include <sys/types.h>

#include "tests/support/files.h"
#include "tests/support/restricted_run.h"
#include "tests/support/test_environment.h"

// Helpers for tests that change files: raw-byte paths, permission cases and volumes.
namespace tv::test {

// Removes everything in a folder, also names that are not UTF-8 and folders without
// permissions, which QTemporaryDir cannot remove.
void RemoveContents(const QByteArray &folder);

// A temporary home that is emptied byte by byte at the end.
class FileTestEnvironment : public TestEnvironment {
public:
  ~FileTestEnvironment();
};

// In a folder: "folder/" with a file "inner", "pipe", "socket", "link-to-pipe" and a
// "broken" link.
void MakeEntriesThatAreNotFiles(const QByteArray &folder);
// A socket file bound at a path (any bytes, short enough for a socket address).
void MakeSocket(const QByteArray &path);
// lstat(2), all zero where nothing is.
struct stat StatOf(const QByteArray &path);
bool Exists(const QByteArray &path);

// Makes a folder path of the given length under base, of long names; ends in "/".
QByteArray MakeDeepFolder(const QByteArray &base, qsizetype length);

// Every entry under a folder with its kind, size, mode and modification time, to show that
// nothing changed; entries under the excluded paths are left out.
QMap<QByteArray, QByteArray> Snapshot(const QByteArray &root, const QList<QByteArray> &excluded = {});

// A read-only folder "read-only/" with the file "a.txt" of the restricted subject, and a
// data home "nobody-data/" of its own for its trash: for cases that need write permission.
struct ReadOnlyCase {
  QByteArray folder;
  QByteArray dataHome;
};
ReadOnlyCase PrepareReadOnlyFolder(const FileTestEnvironment &environment);

// Makes a path the restricted subject's own (nothing to do when not root).
void HandOver(const QByteArray &path);
// Lets the restricted subject pass through a folder (the temporary home is private).
void OpenForPassage(const QByteArray &folder);

// A system file whose size says a page of which a read gives only a few bytes: read as a file
// cut short while it is copied would be. Empty where the system has none.
QByteArray ShortReadFile();
inline constexpr char kNoShortReadFile[] = "this system has no file whose data ends before its size";

// A fresh file system (tmpfs), or the folder bindSource bound there, mounted on a folder for
// the life of the object (root only).
class ScratchVolume {
public:
  explicit ScratchVolume(const QByteArray &mountPoint, const QByteArray &bindSource = {});
  ~ScratchVolume();
  ScratchVolume(const ScratchVolume &) = delete;
  ScratchVolume &operator=(const ScratchVolume &) = delete;
  bool isMounted() const { return mounted_; }

private:
  QByteArray mountPoint_;
  bool mounted_ = false;
};

} // namespace tv::test
