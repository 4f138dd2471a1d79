// What a long copy has done so far, shared by the job that copies and the window that shows it.
#pragma once

#include <QByteArray>
#include <atomic>
#include <mutex>

#include "platform/file_copy.h"

namespace tv::ops {

// The copy's side writes, the window's side reads; either side may ask to cancel.
class CopyWatch {
public:
  // The whole of the copy, set once before it starts.
  void SetTotal(qint64 bytes) { total_ = bytes; }
  // The progress of one file of the copy, after doneBefore bytes of the files before it:
  // reports its bytes on the disk and says to go on while nobody has cancelled.
  platform::CopyProgress ForFile(const QByteArray &name, qint64 doneBefore);

  void Cancel() { cancelled_ = true; }
  bool Cancelled() const { return cancelled_; }
  qint64 Done() const { return done_; }
  qint64 Total() const { return total_; }
  QByteArray Name() const;

private:
  std::atomic<qint64> done_{0};
  std::atomic<qint64> total_{0};
  std::atomic<bool> cancelled_{false};
  mutable std::mutex nameMutex_;
  QByteArray name_;
};

} // namespace tv::ops
