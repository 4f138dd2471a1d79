#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace tv::ui {

// Shows the busy pointer over all of the program's windows for as long as it lives, for work
// on the user-interface thread that may take longer than a moment. Guards nest. Setting and
// restoring the pointer costs a few requests to the window system, so a fast piece of work is
// wrapped as well: it ends before the pointer could ever be drawn busy.
class BusyPointer {
public:
  BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
  BusyPointer(const BusyPointer &) = delete;
  BusyPointer &operator=(const BusyPointer &) = delete;
};

// Does the work under the busy pointer and returns what it returns. Keep questions to the
// user out of it: a message box would show the busy pointer too.
template <typename Work> auto WhileBusy(Work work)
{
  const BusyPointer busy;
  return work();
}

} // namespace tv::ui
