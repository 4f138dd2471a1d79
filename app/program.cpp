#include "app/program.h"

#include <QApplication>

#include "app/windows.h"
#include "platform/fonts.h"
#include "platform/session_bus.h"
#include "platform/time_zone.h"

namespace tv {

void PrepareProcess()
{
  // Shaped windows, centring and window moves need X11; Wayland desktops run it on XWayland.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  platform::readTimeZoneOnce();
  platform::startReadingFontConfiguration();
  platform::connectSessionBusEarly();
}

void StartProgram()
{
  QApplication::setApplicationName(QStringLiteral("Tarnview"));
  platform::registerProgramFonts();
  CreateWindows();
  Form1->show();
}

} // namespace tv
