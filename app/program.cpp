#include "app/program.h"

#include <QApplication>

#include "platform/fonts.h"
#include "platform/launcher.h"
#include "platform/session_bus.h"
#include "platform/time_zone.h"
#include "texts/texts.h"

namespace tv {

Program::Program() { Form1 = new TForm1(*this); }

Program::~Program() { delete Form1; }

void PrepareProcess()
{
  // Shaped windows, centring and window moves need X11; Wayland desktops run it on XWayland.
  // Files opened from it still start on the desktop's own platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    platform::SetOwnVariable("QT_QPA_PLATFORM", "xcb", true);
  platform::ReadTimeZoneOnce();
  platform::StartReadingFontConfiguration();
  platform::ConnectSessionBusEarly();
}

std::unique_ptr<Program> StartProgram()
{
  QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
  platform::RegisterProgramFonts();
  auto program = std::make_unique<Program>();
  program->Form1->show();
  return program;
}

} // namespace tv
