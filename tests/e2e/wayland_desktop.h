// A Wayland desktop of its own for a test program: sway on its headless backend.
#pragma once

#include <QImage>
#include <QList>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "tests/e2e/x_desktop.h"

namespace tv::e2e {

class SeatPointer;

// A window on the Wayland desktop as the compositor reports it.
struct WaylandWindow {
  QString title;
  QRect geometry; // in screen pixels
};

// sway on its headless backend with one screen, started as an unprivileged user where the
// test runs as root (sway refuses root), with a session bus of its own and no X server.
// grim takes its screenshots; a virtual pointer of the test's is its mouse (a headless seat
// has none). Everything it starts ends with it.
class WaylandDesktop {
public:
  explicit WaylandDesktop(QSize screenSize);
  ~WaylandDesktop();
  WaylandDesktop(const WaylandDesktop &) = delete;
  WaylandDesktop &operator=(const WaylandDesktop &) = delete;

  // False when the compositor could not be started here; failure() says why.
  bool isRunning() const { return !waylandSocket_.isEmpty(); }
  QString failure() const { return failure_; }

  // The environment of a program on this desktop: the caller's without DISPLAY, with the
  // compositor's socket and the session bus.
  QProcessEnvironment environment() const;

  // The windows of the process, as the compositor shows them.
  QList<WaylandWindow> windowsOf(qint64 processId);
  // The whole screen as the user sees it, without the pointer.
  QImage screenshot();
  // Moves the pointer to a point of the screen; presses or releases the left button there.
  bool pointerTo(QPoint point);
  bool leftButton(bool pressed);
  // Has the compositor move the window whose title begins with the text.
  bool moveWindow(const QString &title, QPoint place);
  QString error() const { return error_; }

private:
  void startSessionBus();
  void startCompositor(QSize screenSize);
  QByteArray runTool(const QString &program, const QStringList &arguments);

  QTemporaryDir home_;
  GroupedProcess sessionBus_;
  GroupedProcess compositor_;
  std::unique_ptr<SeatPointer> seatPointer_;
  QString runtimeFolder_;
  QString waylandSocket_;
  QString ipcSocket_;
  QString busAddress_ = QStringLiteral("disabled:");
  QString failure_;
  QString error_;
};

} // namespace tv::e2e
