// Runs the work that may wait on a disk off the window's thread and brings its result back.
#include "ops/jobs.h"

namespace tv::ops {

JobRunner::JobRunner(QObject *receiver) : mailbox_(std::make_shared<Mailbox>()) { mailbox_->receiver = receiver; }

JobRunner::~JobRunner()
{
  const std::lock_guard lock(mailbox_->mutex);
  mailbox_->receiver = nullptr;
}

void JobRunner::Mailbox::Post(std::function<void()> deliver)
{
  // Posted under the lock, so the receiver cannot go between the look and the post; Qt drops
  // what is still queued for an object when it is deleted.
  const std::lock_guard lock(mutex);
  if (receiver)
    QMetaObject::invokeMethod(receiver, std::move(deliver), Qt::QueuedConnection);
}

} // namespace tv::ops
