// Starts and ends the way the program does, with its early threads; run with no threads.
#include <QGuiApplication>
#include <QTimer>

#include "platform/detached_thread.h"
#include "platform/fonts.h"
#include "platform/session_bus.h"

int main(int argc, char *argv[])
{
  tv::platform::StartReadingFontConfiguration();
  tv::platform::ConnectSessionBusEarly();
  const QGuiApplication application(argc, argv);
  tv::platform::RegisterProgramFonts();
  QTimer::singleShot(0, &application, &QCoreApplication::quit);
  const bool refused = !tv::platform::TryStartDetachedThread([] {});
  return QCoreApplication::exec() == 0 && refused ? 0 : 1;
}
