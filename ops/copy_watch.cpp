// What a long copy has done so far, shared by the job that copies and the window that shows it.
#include "ops/copy_watch.h"

namespace tv::ops {

platform::CopyProgress CopyWatch::ForFile(const QByteArray &name, qint64 doneBefore)
{
  {
    const std::lock_guard lock(nameMutex_);
    name_ = name;
  }
  return [this, doneBefore](qint64 bytesDone, qint64) {
    done_ = doneBefore + bytesDone;
    return !cancelled_;
  };
}

QByteArray CopyWatch::Name() const
{
  const std::lock_guard lock(nameMutex_);
  return name_;
}

} // namespace tv::ops
