#pragma once

#include <QByteArray>

// Descriptor work that the file operations of this layer share.
namespace tv::platform {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(const FileDescriptor &) = delete;
  FileDescriptor &operator=(const FileDescriptor &) = delete;
  int get() const { return fd_; }
  // Closes it now; false when the system reports a failure, which a network file system
  // may keep back until then.
  bool close();

private:
  int fd_;
};

// Writes all bytes, going on after short writes and interruptions; 0 or the error number.
int writeAll(int fd, const QByteArray &bytes);

// Makes the names in a folder (the current one when empty) last across a crash; 0 or the
// error number.
int flushFolder(const QByteArray &folder);

} // namespace tv::platform
