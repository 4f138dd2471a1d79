// Connecting to the session bus on a thread of its own, early in the start.
#include "platform/session_bus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QGuiApplication>

#include "platform/detached_thread.h"

namespace tv::platform {

namespace {

// On X11, Qt's accessibility bridge connects to the session bus when the first widget is
// made, and the main thread waits for it: a round trip to the bus, or, where no bus runs,
// D-Bus trying to start one (2 ms). Qt keeps the connection for the whole process, so one
// made ahead on a thread of its own, while the application object finishes its start, is
// the one the bridge then finds. Not on Qt's pool: the application waits for that as it
// ends, and a bus that does not answer would hold up Exit. Without a thread, the bridge
// connects when it needs to, as it would without this.
void ConnectSessionBusAhead()
{
  if (QGuiApplication::platformName() == QLatin1String("xcb"))
    static_cast<void>(TryStartDetachedThread([] { QDBusConnection::sessionBus(); }));
}

} // namespace

void ConnectSessionBusEarly() { qAddPreRoutine(ConnectSessionBusAhead); }

} // namespace tv::platform
