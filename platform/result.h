// The outcome of a system call, as the layers above get it.
#pragma once

#include <QString>
#include <cerrno>

namespace tv::platform {

// The outcome of a call to the system: success, or the system's error number.
class Result {
public:
  Result() = default;
  explicit Result(int error) : error_(error) {}
  // The failure that errno reports just now.
  static Result LastError() { return Result(errno); }

  bool Ok() const { return error_ == 0; }
  int Error() const { return error_; }
  // The system's own words for the error, in the user's language where it has them.
  QString Description() const;

private:
  int error_ = 0;
};

} // namespace tv::platform
