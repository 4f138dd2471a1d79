#pragma once

#include <QImage>
#include <QProcess>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

namespace tv::e2e {

// A process started in a process group of its own, so that ending it ends everything it
// started too (a helper it forked, a child that never reached exec): TERM to the whole
// group, KILL after a grace period, and KILL to what is left of the group once it ended.
class GroupedProcess : public QProcess {
public:
  GroupedProcess();
  ~GroupedProcess() override;
  GroupedProcess(const GroupedProcess &) = delete;
  GroupedProcess &operator=(const GroupedProcess &) = delete;

  void end();

private:
  qint64 group_ = 0;
};

// A desktop of its own for one test program: an Xvfb server on a free display, a session bus
// of its own, with openbox managing its windows or with no window manager at all. Everything
// it starts ends with it.
class XDesktop {
public:
  enum class Manager { Openbox, None };
  explicit XDesktop(QSize screenSize = {1280, 800}, Manager manager = Manager::Openbox);
  ~XDesktop();
  XDesktop(const XDesktop &) = delete;
  XDesktop &operator=(const XDesktop &) = delete;

  // False when no X server could be started here: the tests are then skipped.
  bool serverStarted() const { return !display_.isEmpty(); }
  // True when the server runs and openbox, where asked for, manages it; failure() says why not.
  bool isRunning() const { return running_; }
  QString failure() const { return failure_; }

  QSize screenSize() const { return screenSize_; }
  // The environment of a program on this desktop: the caller's, with DISPLAY and the session
  // bus set. Without a bus of its own (dbus-daemon missing) D-Bus is switched off: a program
  // must never start one on its own, which can hang in a forked child.
  QProcessEnvironment environment() const;

  // Runs xdotool to its end; returns its output, or an empty text after a failure,
  // which error() then describes.
  QByteArray xdotool(const QStringList &arguments);
  // The whole screen as the user sees it.
  QImage screenshot();
  // Tells a client, as a window manager does after moving a window, that its window stands at
  // this place, whether or not it does; false when the message could not be sent.
  bool announcePlace(quint32 window, QRect geometry);
  QString error() const { return error_; }

private:
  void startServer();
  void startSessionBus();
  void startWindowManager();
  QString log(const QString &name) const { return home_.filePath(name); }
  QByteArray runTool(const QString &program, const QStringList &arguments);

  QSize screenSize_;
  QTemporaryDir home_;
  GroupedProcess server_;
  GroupedProcess sessionBus_;
  GroupedProcess windowManager_;
  QString display_;
  QString busAddress_ = QStringLiteral("disabled:");
  QString failure_;
  QString error_;
  bool running_ = false;
};

} // namespace tv::e2e
