#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>

#include "tests/e2e/x_desktop.h"

namespace tv::e2e {

// Places in the main window that the tests press, in window coordinates.
namespace place {
inline constexpr QPoint Exit{843, 19};
inline constexpr QPoint Up{28, 52};
inline constexpr QPoint DriveList{60, 52};
inline constexpr QPoint NewFolder{68, 580};
inline constexpr QPoint ListBackground{400, 540};
// A point on the name of the first row: the list starts at 32, 104 and rows are one line high.
inline constexpr QPoint FirstRow{100, 112};
inline constexpr QRect List{32, 104, 801, 457};
inline constexpr QRect LastModifiedTitle{676, 80, 140, 20};
} // namespace place

// One run of the real program as a person starts it: the executable copied into a folder of
// its own (its application folder and first listing), a temporary home whose user store
// chooses English, and the xcb platform on the test's desktop.
class TarnviewRun {
public:
  explicit TarnviewRun(XDesktop &desktop);
  ~TarnviewRun();
  TarnviewRun(const TarnviewRun &) = delete;
  TarnviewRun &operator=(const TarnviewRun &) = delete;

  // The application folder and the temporary home, ending in "/".
  QString appFolder() const { return root_.filePath(QStringLiteral("Tarnview/")); }
  QString home() const { return root_.filePath(QStringLiteral("home/")); }
  // A folder outside the application folder for files the test brings along.
  QString elsewhere() const { return root_.filePath(QStringLiteral("elsewhere/")); }
  QString trashFolder() const { return home() + QStringLiteral(".local/share/Trash/"); }

  // Copies the executable and starts it, with one argument of raw bytes where one is given;
  // true once its main window is shown.
  bool start(const QByteArray &argument = {});
  // Copies the executable and has another program (xdg-open, say) start it; true once a main
  // window is shown.
  bool startThrough(const QString &launcher, const QStringList &arguments);
  QString executable() const { return appFolder() + QStringLiteral("tarnview"); }
  // The environment the program runs in.
  QProcessEnvironment environment() const;
  // Waits for the process to end; true when it ended by itself with exit code 0.
  bool waitForExit(int timeoutMs);
  bool isRunning() const { return process_.state() != QProcess::NotRunning; }
  // The process's id, for the signals a test sends it.
  qint64 processId() const { return process_.processId(); }
  // True while a main window of the program is shown on the desktop.
  bool windowShown();
  QString error() const { return error_; }

  // The main window on the screen, read from the window system.
  QRect windowGeometry();
  // The main window's pixels, cut from a screenshot of the whole screen.
  QImage windowImage();

  // Tells the program, as a window manager would, that its main window stands at this place
  // on the screen while it stays where it is: the stale record a program can be left with
  // after the window manager placed its window. False when the message could not be sent.
  bool announcePlace(QPoint place);

  // Input as a person gives it; points are in the main window's coordinates.
  void click(QPoint point, int button = 1);
  void doubleClick(QPoint point);
  void drag(QPoint from, QPoint to);
  void keys(const QStringList &keys);
  void type(const QString &text);
  // Waits until a window with this exact title is shown and returns its place on the screen.
  QRect waitForWindow(const QString &title);
  // Presses a point of the window with that title, in its own coordinates.
  void clickIn(const QString &title, QPoint point);
  // Waits until the program shows a window besides its main window (a popup menu, say) and
  // returns its place on the screen; an empty rectangle when none came.
  QRect waitForOtherWindow();

private:
  bool launch(const QString &program, const QStringList &arguments, bool isTheProgram);
  bool xdotool(const QStringList &arguments, QByteArray *output = nullptr);
  QRect geometryOf(const QByteArray &windowId);
  QByteArray findWindow(const QString &title);

  XDesktop &desktop_;
  QTemporaryDir root_;
  GroupedProcess process_;
  QByteArray windowId_;
  QString error_;
};

// True when every pixel of the area is white.
bool IsBlank(const QImage &image, QRect area);

} // namespace tv::e2e
