#include "app/program.h"

#include <QApplication>

#include "app/windows.h"
#include "platform/fonts.h"
#include "platform/launcher.h"
#include "platform/session_bus.h"
#include "platform/time_zone.h"

namespace tv {

void PrepareProcess()
{
  // Shaped windows, centring and window moves need X11; Wayland desktops run it on XWayland.
  // Files opened from it still start on the desktop's own platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    platform::setOwnVariable("QT_QPA_PLATFORM", "xcb", true);
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
