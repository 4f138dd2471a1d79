// Descriptor work that the file operations of this layer share.
#pragma once

#include <QByteArray>
#include <fcntl.h>
#include <utility>

#include "platform/result.h"

namespace tv::platform {

// How far a write goes before the call returns: Flushed waits until the bytes are on the disk.
enum class Durability { Normal, Flushed };

// An open file or folder, closed once: when the handle goes, or by close().
class FileDescriptor {
public:
  FileDescriptor() = default;
  // Takes what an open call just returned; for -1 it keeps errno as the reason.
  explicit FileDescriptor(int fd) : fd_(fd), openError_(fd < 0 ? errno : 0) {}
  ~FileDescriptor();
  FileDescriptor(const FileDescriptor &) = delete;
  FileDescriptor &operator=(const FileDescriptor &) = delete;
  FileDescriptor(FileDescriptor &&other) noexcept
      : fd_(std::exchange(other.fd_, -1)), openError_(std::exchange(other.openError_, 0))
  {
  }
  FileDescriptor &operator=(FileDescriptor &&other) noexcept
  {
    std::swap(fd_, other.fd_);
    std::swap(openError_, other.openError_);
    return *this;
  }

  bool IsOpen() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  // Why it could not be opened; ok when it is open.
  Result OpenResult() const { return Result(openError_); }
  // Closes it now; false when the system reports a failure, which a network file system
  // may keep back until then.
  bool Close();

private:
  int fd_ = -1;
  int openError_ = 0;
};

// Writes all bytes, going on after short writes and interruptions.
Result WriteAll(int fd, const QByteArray &bytes);

// Makes the names in a folder (the current one when empty; relative to an open parent folder
// where given) last across a crash.
Result FlushFolder(const QByteArray &folder, int parent = AT_FDCWD);

// Flushes an open file or folder to the disk.
Result Flush(int fd);

// Opens a folder for reading it and for the *at() calls; a symbolic link in its place is
// followed only when asked.
FileDescriptor OpenFolder(int parent, const QByteArray &name, bool followLink);

} // namespace tv::platform
