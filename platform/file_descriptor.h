#pragma once

#include <QByteArray>
#include <fcntl.h>
#include <utility>

// Descriptor work that the file operations of this layer share.
namespace tv::platform {

// How far a write goes before the call returns: Flushed waits until the bytes are on the disk.
enum class Durability { Normal, Flushed };

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(const FileDescriptor &) = delete;
  FileDescriptor &operator=(const FileDescriptor &) = delete;
  FileDescriptor(FileDescriptor &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor &operator=(FileDescriptor &&other) noexcept
  {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int get() const { return fd_; }
  // Closes it now; false when the system reports a failure, which a network file system
  // may keep back until then.
  bool close();

private:
  int fd_;
};

// Writes all bytes, going on after short writes and interruptions; 0 or the error number.
int writeAll(int fd, const QByteArray &bytes);

// Makes the names in a folder (the current one when empty; relative to an open parent folder
// where given) last across a crash; 0 or the error number.
int flushFolder(const QByteArray &folder, int parent = AT_FDCWD);

// Flushes an open file or folder to the disk; 0 or the error number.
int flush(int fd);

// Opens a folder for the *at() calls; a symbolic link in its place is followed only when
// asked. -1 and errno when it cannot be opened as a folder.
int openFolder(int parent, const QByteArray &name, bool followLink);

} // namespace tv::platform
