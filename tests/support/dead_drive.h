// A FUSE mount whose server never answers (a dead network drive) or answers late, for the
// tests and benchmarks of a window that must stay live whatever the disk does.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <sys/types.h>

namespace tv::test {

class DeadDrive {
public:
  // A drive that never answers, or with slowSeconds >= 0 one whose every answer comes that
  // many seconds late (its top folder holds three entries).
  explicit DeadDrive(int slowSeconds = -1);
  // Stops the drive.
  ~DeadDrive();
  DeadDrive(const DeadDrive &) = delete;
  DeadDrive &operator=(const DeadDrive &) = delete;

  // Empty where a FUSE file system can be mounted here, else why not, starting "no FUSE here"
  // (the reason to skip).
  static QString Unavailable();

  // True once mounted; failure() says why it is not.
  bool isMounted() const { return connection_ >= 0; }
  QString failure() const { return failure_; }
  // The mount point, without a trailing "/".
  QByteArray mountPoint() const { return mountPoint_; }

  // Aborts the connection (every call stuck on it returns with an error), unmounts lazily and
  // ends the server. The mount point is never looked at: that would hang on a dead drive.
  void stop();

private:
  bool start(int slowSeconds);

  QTemporaryDir folder_;
  QByteArray mountPoint_;
  pid_t server_ = -1;
  long connection_ = -1; // the connection's number under /sys/fs/fuse/connections
  QString failure_;
};

} // namespace tv::test
