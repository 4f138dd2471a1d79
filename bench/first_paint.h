#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

// The start-up benchmark's finishing line, shared by the programs it compares: when the
// watched widget has painted for the first time and control is back in the event loop,
// print the monotonic clock in nanoseconds and end the process at once.
namespace bench {

inline long long MonotonicNanoseconds()
{
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

class FirstPaintReporter : public QObject {
public:
  explicit FirstPaintReporter(QObject *watched) : QObject(watched) { watched->installEventFilter(this); }

protected:
  bool eventFilter(QObject *, QEvent *event) override
  {
    if (event->type() == QEvent::Paint)
      QTimer::singleShot(0, [] {
        std::printf("%lld\n", MonotonicNanoseconds());
        std::fflush(stdout);
        std::_Exit(0);
      });
    return false;
  }
};

} // namespace bench
