// sway on its headless backend as the test's own Wayland desktop.
#include "tests/e2e/wayland_desktop.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>
#include <wayland-client.h>

namespace tv::e2e {

namespace {

constexpr int StartTimeoutMs = 10000;
constexpr int ToolTimeoutMs = 15000;

QString ReadLog(const QString &path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

// The first socket in the folder whose name matches the pattern.
QString SocketIn(const QString &folder, const QString &pattern)
{
  const QFileInfoList found = QDir(folder).entryInfoList({pattern}, QDir::System);
  return found.isEmpty() ? QString() : found.first().absoluteFilePath();
}

QRect RectOf(const QJsonObject &rect)
{
  return {rect[QLatin1String("x")].toInt(), rect[QLatin1String("y")].toInt(), rect[QLatin1String("width")].toInt(),
          rect[QLatin1String("height")].toInt()};
}

void CollectWindows(const QJsonObject &node, qint64 processId, QList<WaylandWindow> &windows)
{
  if (node[QLatin1String("pid")].toInteger() == processId && node[QLatin1String("visible")].toBool())
    windows.append({node[QLatin1String("name")].toString(), RectOf(node[QLatin1String("rect")].toObject())});
  for (const char *children : {"nodes", "floating_nodes"})
    for (const QJsonValue child : node[QLatin1String(children)].toArray())
      CollectWindows(child.toObject(), processId, windows);
}

// The requests of wlroots' virtual pointer protocol, in its order.
const wl_interface *const NoTypes[6] = {};
const wl_message PointerRequests[] = {
    {"motion", "uff", const_cast<const wl_interface **>(NoTypes)},
    {"motion_absolute", "uuuuu", const_cast<const wl_interface **>(NoTypes)},
    {"button", "uuu", const_cast<const wl_interface **>(NoTypes)},
    {"axis", "uuf", const_cast<const wl_interface **>(NoTypes)},
    {"frame", "", const_cast<const wl_interface **>(NoTypes)},
    {"axis_source", "u", const_cast<const wl_interface **>(NoTypes)},
    {"axis_stop", "uu", const_cast<const wl_interface **>(NoTypes)},
    {"axis_discrete", "uufi", const_cast<const wl_interface **>(NoTypes)},
    {"destroy", "", const_cast<const wl_interface **>(NoTypes)},
};
const wl_interface VirtualPointerInterface = {"zwlr_virtual_pointer_v1", 1, 9, PointerRequests, 0, nullptr};
const wl_interface *CreateTypes[] = {&wl_seat_interface, &VirtualPointerInterface};
const wl_message ManagerRequests[] = {{"create_virtual_pointer", "?on", CreateTypes},
                                      {"destroy", "", const_cast<const wl_interface **>(NoTypes)}};
const wl_interface ManagerInterface = {"zwlr_virtual_pointer_manager_v1", 1, 2, ManagerRequests, 0, nullptr};

} // namespace

// A virtual pointer on the compositor's seat: its moves and presses take the path of a real
// mouse's, so that an interactive move follows it too.
class SeatPointer {
public:
  enum Request : uint32_t { MotionAbsolute = 1, Button = 2, Frame = 4 };
  static constexpr uint32_t LeftButton = 0x110; // BTN_LEFT

  SeatPointer(const QString &socket, QSize screen)
      : display_(wl_display_connect(socket.toLocal8Bit().constData())), screen_(screen)
  {
    if (!display_)
      return;
    wl_registry *registry = wl_display_get_registry(display_);
    static const wl_registry_listener listener{
        [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t) {
          auto *self = static_cast<SeatPointer *>(data);
          if (qstrcmp(interface, "wl_seat") == 0)
            self->seat_ = static_cast<wl_proxy *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
          else if (qstrcmp(interface, ManagerInterface.name) == 0)
            self->manager_ = static_cast<wl_proxy *>(wl_registry_bind(registry, name, &ManagerInterface, 1));
        },
        [](void *, wl_registry *, uint32_t) {}};
    wl_registry_add_listener(registry, &listener, this);
    wl_display_roundtrip(display_);
    if (seat_ && manager_)
      pointer_ = wl_proxy_marshal_constructor(manager_, 0, &VirtualPointerInterface, seat_, nullptr);
    wl_display_roundtrip(display_);
  }
  ~SeatPointer()
  {
    if (display_)
      wl_display_disconnect(display_);
  }
  SeatPointer(const SeatPointer &) = delete;
  SeatPointer &operator=(const SeatPointer &) = delete;

  bool exists() const { return pointer_ != nullptr; }

  // Each event is in the compositor's hands when these return.
  bool moveTo(QPoint point)
  {
    // To the pixel's centre, on a grid of half pixels: the compositor's fractions of the screen
    // then land inside the pixel, not on its edge.
    wl_proxy_marshal(pointer_, MotionAbsolute, ++time_, uint32_t(2 * point.x() + 1), uint32_t(2 * point.y() + 1),
                     uint32_t(2 * screen_.width()), uint32_t(2 * screen_.height()));
    return frame();
  }
  bool leftButton(bool pressed)
  {
    wl_proxy_marshal(pointer_, Button, ++time_, LeftButton, uint32_t(pressed ? 1 : 0));
    return frame();
  }

private:
  bool frame()
  {
    wl_proxy_marshal(pointer_, Frame);
    return wl_display_roundtrip(display_) >= 0;
  }

  wl_display *display_;
  QSize screen_;
  uint32_t time_ = 0;
  wl_proxy *seat_ = nullptr;
  wl_proxy *manager_ = nullptr;
  wl_proxy *pointer_ = nullptr;
};

WaylandDesktop::WaylandDesktop(QSize screenSize)
{
  for (const char *tool : {"sway", "swaymsg", "grim"})
    if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
      failure_ += QLatin1String(tool) + QStringLiteral(" is not installed. ");
  if (!failure_.isEmpty())
    return;
  startSessionBus();
  startCompositor(screenSize);
}

WaylandDesktop::~WaylandDesktop()
{
  seatPointer_.reset();
  compositor_.end();
  sessionBus_.end();
}

void WaylandDesktop::startSessionBus()
{
  if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
    return;
  sessionBus_.setStandardErrorFile(home_.filePath(QStringLiteral("dbus-daemon.log")));
  sessionBus_.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                     QStringLiteral("--address=unix:path=") + home_.filePath(QStringLiteral("bus")),
                     QStringLiteral("--print-address=1")});
  // The address is printed once the bus takes connections.
  if (sessionBus_.waitForReadyRead(StartTimeoutMs))
    busAddress_ = QString::fromLatin1(sessionBus_.readLine().trimmed());
  else
    sessionBus_.end();
}

// As root, sway runs as nobody in a runtime folder of nobody's; the test, as root, still
// reaches its sockets.
void WaylandDesktop::startCompositor(QSize screenSize)
{
  runtimeFolder_ = home_.filePath(QStringLiteral("runtime"));
  const QString config = home_.filePath(QStringLiteral("sway.config"));
  QDir().mkpath(runtimeFolder_);
  // The clients' own runtime folder, private as it must be.
  QDir().mkpath(home_.filePath(QStringLiteral("client")));
  QFile::setPermissions(home_.filePath(QStringLiteral("client")),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly))
    return;
  file.write(QStringLiteral("xwayland disable\noutput HEADLESS-1 resolution %1x%2 position 0 0\n"
                            "default_border none\ndefault_floating_border none\nfocus_follows_mouse no\n")
                 .arg(screenSize.width())
                 .arg(screenSize.height())
                 .toLatin1());
  file.close();
  QString program = QStringLiteral("sway");
  QStringList arguments{QStringLiteral("-c"), config};
  if (::geteuid() == 0) {
    const passwd *nobody = ::getpwnam("nobody");
    if (!nobody || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty() ||
        ::chown(runtimeFolder_.toLocal8Bit().constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
      failure_ = QStringLiteral("sway refuses root, and there is no user nobody to run it as (or no setpriv)");
      return;
    }
    // nobody passes through the test's folder to its own and to the configuration.
    QFile::setPermissions(home_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther);
    arguments.prepend(program);
    arguments.prepend(QStringLiteral("--clear-groups"));
    arguments.prepend(QStringLiteral("--regid=%1").arg(nobody->pw_gid));
    arguments.prepend(QStringLiteral("--reuid=%1").arg(nobody->pw_uid));
    program = QStringLiteral("setpriv");
  }
  QFile::setPermissions(runtimeFolder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QProcessEnvironment environment;
  environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
  environment.insert(QStringLiteral("HOME"), runtimeFolder_);
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder_);
  environment.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
  environment.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
  environment.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
  compositor_.setProcessEnvironment(environment);
  compositor_.setProcessChannelMode(QProcess::MergedChannels);
  compositor_.setStandardOutputFile(home_.filePath(QStringLiteral("sway.log")));
  compositor_.start(program, arguments);
  const bool started = QTest::qWaitFor(
      [this] {
        ipcSocket_ = SocketIn(runtimeFolder_, QStringLiteral("sway-ipc.*.sock"));
        return compositor_.state() == QProcess::Running && !ipcSocket_.isEmpty() &&
               !SocketIn(runtimeFolder_, QStringLiteral("wayland-?")).isEmpty();
      },
      StartTimeoutMs);
  if (!started) {
    failure_ = QStringLiteral("sway did not start: ") + ReadLog(home_.filePath(QStringLiteral("sway.log")));
    compositor_.end();
    return;
  }
  seatPointer_ = std::make_unique<SeatPointer>(SocketIn(runtimeFolder_, QStringLiteral("wayland-?")), screenSize);
  if (!seatPointer_->exists()) {
    failure_ = QStringLiteral("sway offers no virtual pointer");
    compositor_.end();
    return;
  }
  waylandSocket_ = SocketIn(runtimeFolder_, QStringLiteral("wayland-?"));
}

QProcessEnvironment WaylandDesktop::environment() const
{
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  environment.insert(QStringLiteral("WAYLAND_DISPLAY"), waylandSocket_);
  environment.insert(QStringLiteral("SWAYSOCK"), ipcSocket_);
  environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_.filePath(QStringLiteral("client")));
  return environment;
}

QByteArray WaylandDesktop::runTool(const QString &program, const QStringList &arguments)
{
  error_.clear();
  GroupedProcess tool;
  tool.setProcessEnvironment(environment());
  tool.start(program, arguments);
  if (!tool.waitForFinished(ToolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
    error_ = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QStringLiteral(" failed: ") +
             tool.errorString() + QLatin1Char(' ') + QString::fromLocal8Bit(tool.readAllStandardError());
    return {};
  }
  return tool.readAllStandardOutput();
}

QList<WaylandWindow> WaylandDesktop::windowsOf(qint64 processId)
{
  QList<WaylandWindow> windows;
  const QByteArray tree =
      runTool(QStringLiteral("swaymsg"), {QStringLiteral("-r"), QStringLiteral("-t"), QStringLiteral("get_tree")});
  CollectWindows(QJsonDocument::fromJson(tree).object(), processId, windows);
  return windows;
}

QImage WaylandDesktop::screenshot()
{
  return QImage::fromData(runTool(QStringLiteral("grim"), {QStringLiteral("-")}), "PNG")
      .convertToFormat(QImage::Format_RGB32);
}

bool WaylandDesktop::pointerTo(QPoint point) { return seatPointer_->moveTo(point); }

bool WaylandDesktop::leftButton(bool pressed) { return seatPointer_->leftButton(pressed); }

bool WaylandDesktop::moveWindow(const QString &title, QPoint place)
{
  runTool(QStringLiteral("swaymsg"),
          {QStringLiteral("[title=\"^%1\"]").arg(title), QStringLiteral("move"), QStringLiteral("absolute"),
           QStringLiteral("position"), QString::number(place.x()), QString::number(place.y())});
  return error_.isEmpty();
}

} // namespace tv::e2e
