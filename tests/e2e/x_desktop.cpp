#include "tests/e2e/x_desktop.h"

#include <QFile>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>
#include <cstdlib>
#include <unistd.h>
#include <xcb/xcb.h>

namespace tv::e2e {

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kToolTimeoutMs = 15000;
constexpr int kDisplaysToTry = 32;
constexpr int kGraceMs = 3000;

// Displays below this number are left to people's own X servers and to other test runs;
// TARNVIEW_E2E_FIRST_DISPLAY moves the search.
int FirstDisplay()
{
  bool ok = false;
  const int first = qEnvironmentVariableIntValue("TARNVIEW_E2E_FIRST_DISPLAY", &ok);
  return ok ? first : 90;
}

QString ReadLog(const QString &path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

bool DisplayIsTaken(int number) { return QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)); }

} // namespace

GroupedProcess::GroupedProcess()
{
  setChildProcessModifier([] { ::setpgid(0, 0); });
  connect(this, &QProcess::started, this, [this] { group_ = processId(); });
}

GroupedProcess::~GroupedProcess() { end(); }

void GroupedProcess::end()
{
  if (group_ <= 0)
    return;
  const auto group = static_cast<pid_t>(group_);
  if (state() != QProcess::NotRunning) {
    ::kill(-group, SIGTERM);
    if (!waitForFinished(kGraceMs)) {
      ::kill(-group, SIGKILL);
      waitForFinished(kGraceMs);
    }
  }
  ::kill(-group, SIGKILL);
  group_ = 0;
}

XDesktop::XDesktop(QSize screenSize, Manager manager) : screenSize_(screenSize)
{
  startServer();
  if (serverStarted())
    startSessionBus();
  if (serverStarted() && manager == Manager::Openbox)
    startWindowManager();
  else
    running_ = serverStarted();
}

XDesktop::~XDesktop()
{
  windowManager_.end();
  sessionBus_.end();
  server_.end();
}

void XDesktop::startServer()
{
  if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
    failure_ = QStringLiteral("Xvfb is not installed");
    return;
  }
  const QString screen = QStringLiteral("%1x%2x24").arg(screenSize_.width()).arg(screenSize_.height());
  for (int number = FirstDisplay(); number < FirstDisplay() + kDisplaysToTry; ++number) {
    if (DisplayIsTaken(number))
      continue;
    const QString display = QStringLiteral(":%1").arg(number);
    // Logs go to files: a pipe that nobody reads would stop a chatty server once it is full.
    server_.setStandardErrorFile(log(QStringLiteral("Xvfb.log")));
    // -displayfd writes the number once the server accepts clients; a display that another
    // server took meanwhile makes it exit instead, and the next number is tried.
    server_.start(QStringLiteral("Xvfb"),
                  {display, QStringLiteral("-screen"), QStringLiteral("0"), screen, QStringLiteral("-nolisten"),
                   QStringLiteral("tcp"), QStringLiteral("-noreset"), QStringLiteral("-displayfd"),
                   QStringLiteral("1")});
    if (server_.waitForReadyRead(kStartTimeoutMs)) {
      display_ = display;
      return;
    }
    server_.end();
    failure_ = QStringLiteral("Xvfb did not start on %1: %2").arg(display, ReadLog(log(QStringLiteral("Xvfb.log"))));
  }
}

void XDesktop::startSessionBus()
{
  if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
    return;
  const QString address = QStringLiteral("unix:path=") + home_.filePath(QStringLiteral("bus"));
  sessionBus_.setStandardErrorFile(log(QStringLiteral("dbus-daemon.log")));
  sessionBus_.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                     QStringLiteral("--address=") + address, QStringLiteral("--print-address=1")});
  // The address is printed once the bus takes connections.
  if (sessionBus_.waitForReadyRead(kStartTimeoutMs))
    busAddress_ = QString::fromLatin1(sessionBus_.readLine().trimmed());
  else
    sessionBus_.end();
}

void XDesktop::startWindowManager()
{
  // openbox keeps its session files in the temporary home, never in the real user's.
  QProcessEnvironment environment = this->environment();
  environment.insert(QStringLiteral("HOME"), home_.path());
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral(".config")));
  environment.insert(QStringLiteral("XDG_CACHE_HOME"), home_.filePath(QStringLiteral(".cache")));
  windowManager_.setProcessEnvironment(environment);
  windowManager_.setProcessChannelMode(QProcess::MergedChannels);
  windowManager_.setStandardOutputFile(log(QStringLiteral("openbox.log")));
  windowManager_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
  running_ = QTest::qWaitFor(
      [this] {
        return runTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
            .contains("window id");
      },
      kStartTimeoutMs);
  if (!running_)
    failure_ = QStringLiteral("openbox did not start: ") + ReadLog(log(QStringLiteral("openbox.log")));
}

QProcessEnvironment XDesktop::environment() const
{
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DISPLAY"), display_);
  environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_.path());
  return environment;
}

QByteArray XDesktop::runTool(const QString &program, const QStringList &arguments)
{
  error_.clear();
  GroupedProcess tool;
  tool.setProcessEnvironment(environment());
  tool.start(program, arguments);
  if (!tool.waitForFinished(kToolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
    error_ = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QStringLiteral(" failed: ") +
             tool.errorString() + QLatin1Char(' ') + QString::fromLocal8Bit(tool.readAllStandardError());
    return {};
  }
  return tool.readAllStandardOutput();
}

QByteArray XDesktop::xdotool(const QStringList &arguments) { return runTool(QStringLiteral("xdotool"), arguments); }

QImage XDesktop::screenshot()
{
  const QByteArray png =
      runTool(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
  return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

bool XDesktop::announcePlace(quint32 window, QRect geometry)
{
  xcb_connection_t *connection = xcb_connect(display_.toLatin1().constData(), nullptr);
  // A sent event is always 32 bytes long; the configure notification fills only the start.
  alignas(xcb_configure_notify_event_t) char message[32] = {};
  auto *event = reinterpret_cast<xcb_configure_notify_event_t *>(message);
  event->response_type = XCB_CONFIGURE_NOTIFY;
  event->event = window;
  event->window = window;
  event->x = qint16(geometry.x());
  event->y = qint16(geometry.y());
  event->width = quint16(geometry.width());
  event->height = quint16(geometry.height());
  xcb_send_event(connection, false, window, XCB_EVENT_MASK_STRUCTURE_NOTIFY, message);
  // A round trip: the server has delivered the message once the reply is here.
  std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
  const bool sent = xcb_connection_has_error(connection) == 0;
  if (!sent)
    error_ = QStringLiteral("cannot send a configure notification on ") + display_;
  xcb_disconnect(connection);
  return sent;
}

} // namespace tv::e2e
