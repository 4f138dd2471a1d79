#include "tests/e2e/tarnview_run.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace tv::e2e {

namespace {

constexpr int kDragSteps = 12;
constexpr int kWindowTimeoutMs = 10000;

// The program under test: the one built beside the tests, or the one named by
// TARNVIEW_E2E_PROGRAM (an installed copy, say).
QString ProgramUnderTest()
{
  const QString chosen = qEnvironmentVariable("TARNVIEW_E2E_PROGRAM");
  return chosen.isEmpty() ? QStringLiteral(TARNVIEW_EXECUTABLE) : chosen;
}

QString Number(int value) { return QString::number(value); }

// xdotool's search takes an extended regular expression that must match the whole title.
// Qt may add the application's name to a dialog's title for the window system.
QString ExactTitle(const QString &title)
{
  QString escaped;
  for (QChar character : title) {
    if (QStringLiteral(".[]{}()\\*+?^$|").contains(character))
      escaped += QLatin1Char('\\');
    escaped += character;
  }
  return QLatin1Char('^') + escaped + QStringLiteral("( .* Tarnview)?$");
}

// Keeps what the screen showed when a test failed, for the person who reads the log.
void KeepScreenshot(const QImage &screen)
{
  QString name = QStringLiteral("tarnview-e2e-%1-%2.png")
                     .arg(QString::fromLatin1(QTest::currentTestFunction()),
                          QString::fromLatin1(QTest::currentDataTag() ? QTest::currentDataTag() : ""));
  name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]")), QStringLiteral("_"));
  const QString path = QDir::temp().filePath(name);
  if (screen.save(path))
    qInfo("screen at the failure: %s", qPrintable(path));
}

} // namespace

TarnviewRun::TarnviewRun(XDesktop &desktop) : desktop_(desktop)
{
  for (const QString &folder :
       {appFolder(), elsewhere(), home() + QStringLiteral(".config/Corvane"), home() + QStringLiteral(".local/share"),
        home() + QStringLiteral(".cache"), home() + QStringLiteral("runtime")})
    QDir().mkpath(folder);
  QFile::setPermissions(home() + QStringLiteral("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QFile store(home() + QStringLiteral(".config/Corvane/Tarnview.conf"));
  if (store.open(QIODevice::WriteOnly))
    store.write("[General]\nLanguage=en\n");
}

TarnviewRun::~TarnviewRun()
{
  if (QTest::currentTestFailed())
    KeepScreenshot(desktop_.screenshot());
  process_.end();
}

bool TarnviewRun::start(const QByteArray &argument)
{
  if (argument.isEmpty())
    return launch(executable(), {}, true);
  // Through the shell, whose printf makes the bytes that are not UTF-8 and whose exec keeps
  // the process.
  QString escaped;
  for (const char byte : argument)
    escaped += QStringLiteral("\\0%1").arg(uint(uchar(byte)), 3, 8, QLatin1Char('0'));
  return launch(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$(printf %b \"$1\")\""), executable(), escaped},
                true);
}

bool TarnviewRun::startThrough(const QString &launcher, const QStringList &arguments)
{
  return launch(launcher, arguments, false);
}

QProcessEnvironment TarnviewRun::environment() const
{
  QProcessEnvironment environment = desktop_.environment();
  environment.insert(QStringLiteral("HOME"), home());
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home() + QStringLiteral(".config"));
  environment.insert(QStringLiteral("XDG_DATA_HOME"), home() + QStringLiteral(".local/share"));
  environment.insert(QStringLiteral("XDG_CACHE_HOME"), home() + QStringLiteral(".cache"));
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home() + QStringLiteral("runtime"));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  // The test's desktop is none of the named ones: xdg-open then follows the test's own files.
  for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
    environment.remove(QString::fromLatin1(name));
  return environment;
}

bool TarnviewRun::launch(const QString &program, const QStringList &arguments, bool isTheProgram)
{
  if (!QFile::copy(ProgramUnderTest(), executable())) {
    error_ = QStringLiteral("cannot copy ") + ProgramUnderTest();
    return false;
  }
  process_.setProcessEnvironment(environment());
  process_.setWorkingDirectory(home());
  process_.setProcessChannelMode(QProcess::ForwardedChannels);
  process_.start(program, arguments);
  if (!process_.waitForStarted()) {
    error_ = QStringLiteral("cannot start ") + program + QStringLiteral(": ") + process_.errorString();
    return false;
  }
  // The program's own visible window: Qt also makes a hidden one with the same title. A
  // program started by another is a process of its own.
  QStringList search{QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--all")};
  if (isTheProgram)
    search << QStringLiteral("--pid") << Number(int(process_.processId()));
  QByteArray found;
  if (!xdotool(search << QStringLiteral("--name") << ExactTitle(QStringLiteral("Tarnview")), &found))
    return false;
  windowId_ = found.split('\n').value(0).trimmed();
  return !windowId_.isEmpty();
}

bool TarnviewRun::waitForExit(int timeoutMs)
{
  if (!process_.waitForFinished(timeoutMs)) {
    error_ = QStringLiteral("the program is still running");
    return false;
  }
  return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

bool TarnviewRun::xdotool(const QStringList &arguments, QByteArray *output)
{
  const QByteArray result = desktop_.xdotool(arguments);
  if (output)
    *output = result;
  if (!desktop_.error().isEmpty())
    error_ = desktop_.error();
  return desktop_.error().isEmpty();
}

QRect TarnviewRun::geometryOf(const QByteArray &windowId)
{
  QByteArray shell;
  xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::fromLatin1(windowId)}, &shell);
  QMap<QByteArray, int> values;
  for (const QByteArray &line : shell.split('\n')) {
    const int equals = line.indexOf('=');
    if (equals > 0)
      values.insert(line.left(equals), line.mid(equals + 1).toInt());
  }
  return {values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT")};
}

bool TarnviewRun::windowShown()
{
  // Without a match xdotool fails and prints nothing.
  return !desktop_
              .xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                        ExactTitle(QStringLiteral("Tarnview"))})
              .trimmed()
              .isEmpty();
}

QRect TarnviewRun::windowGeometry() { return geometryOf(windowId_); }

QImage TarnviewRun::windowImage() { return desktop_.screenshot().copy(windowGeometry()); }

bool TarnviewRun::announcePlace(QPoint place)
{
  if (desktop_.announcePlace(windowId_.toUInt(), QRect(place, windowGeometry().size())))
    return true;
  error_ = desktop_.error();
  return false;
}

void TarnviewRun::click(QPoint point, int button)
{
  xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), QString::fromLatin1(windowId_), Number(point.x()),
           Number(point.y()), QStringLiteral("click"), Number(button)});
}

void TarnviewRun::doubleClick(QPoint point)
{
  xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), QString::fromLatin1(windowId_), Number(point.x()),
           Number(point.y()), QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
           QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
}

void TarnviewRun::drag(QPoint from, QPoint to)
{
  // Screen coordinates, fixed before the press: the window may move under the pointer.
  const QPoint origin = windowGeometry().topLeft();
  const QPoint start = origin + from;
  const QPoint end = origin + to;
  QStringList arguments{QStringLiteral("mousemove"), Number(start.x()), Number(start.y()), QStringLiteral("mousedown"),
                        QStringLiteral("1")};
  for (int step = 1; step <= kDragSteps; ++step) {
    const QPoint at = start + (end - start) * step / kDragSteps;
    arguments << QStringLiteral("sleep") << QStringLiteral("0.05") << QStringLiteral("mousemove") << Number(at.x())
              << Number(at.y());
  }
  // A last nudge over the target, so that a drop target has answered before the release.
  arguments << QStringLiteral("sleep") << QStringLiteral("0.2") << QStringLiteral("mousemove") << Number(end.x() + 1)
            << Number(end.y()) << QStringLiteral("sleep") << QStringLiteral("0.2") << QStringLiteral("mousemove")
            << Number(end.x()) << Number(end.y()) << QStringLiteral("sleep") << QStringLiteral("0.2")
            << QStringLiteral("mouseup") << QStringLiteral("1");
  xdotool(arguments);
}

void TarnviewRun::keys(const QStringList &keys)
{
  xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + keys);
}

void TarnviewRun::type(const QString &text)
{
  xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), QStringLiteral("--"), text});
}

QByteArray TarnviewRun::findWindow(const QString &title)
{
  QByteArray found;
  xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
           QStringLiteral("--name"), ExactTitle(title)},
          &found);
  return found.split('\n').value(0).trimmed();
}

QRect TarnviewRun::waitForWindow(const QString &title)
{
  const QByteArray windowId = findWindow(title);
  return windowId.isEmpty() ? QRect() : geometryOf(windowId);
}

void TarnviewRun::clickIn(const QString &title, QPoint point)
{
  const QByteArray windowId = findWindow(title);
  xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), QString::fromLatin1(windowId), Number(point.x()),
           Number(point.y()), QStringLiteral("click"), QStringLiteral("1")});
}

QRect TarnviewRun::waitForOtherWindow()
{
  QByteArray other;
  const bool shown = QTest::qWaitFor(
      [&] {
        QByteArray found;
        // xdotool fails when it finds nothing yet.
        xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                 Number(int(process_.processId()))},
                &found);
        for (const QByteArray &id : found.split('\n'))
          if (!id.trimmed().isEmpty() && id.trimmed() != windowId_)
            other = id.trimmed();
        return !other.isEmpty();
      },
      kWindowTimeoutMs);
  error_.clear();
  return shown ? geometryOf(other) : QRect();
}

bool IsBlank(const QImage &image, QRect area)
{
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255))
        return false;
  return !inside.isEmpty();
}

} // namespace tv::e2e
