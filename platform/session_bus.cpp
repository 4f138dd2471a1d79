#include "platform/session_bus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QThreadPool>

namespace tv::platform {

namespace {

// On X11, Qt's accessibility bridge connects to the session bus when the first widget is
// made, and the main thread waits for it: a round trip to the bus, or, where no bus runs,
// D-Bus trying to start one (2 ms). Qt keeps the connection for the whole process, so one
// made ahead on a pool thread, while the application object finishes its start, is the
// one the bridge then finds.
void ConnectSessionBusOnPoolThread()
{
  if (QGuiApplication::platformName() == QLatin1String("xcb"))
    QThreadPool::globalInstance()->start([] { QDBusConnection::sessionBus(); });
}

} // namespace

void ConnectSessionBusEarly() { qAddPreRoutine(ConnectSessionBusOnPoolThread); }

} // namespace tv::platform
