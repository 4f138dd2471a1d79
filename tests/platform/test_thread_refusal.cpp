// Starts and ends as the program does, with its early threads, where every thread is
// refused: it must neither end early nor hang (ctest's timeout guards the hang).
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
