// One run of the program: its settings and windows, and the steps that start it.
#include "app/program.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

#include "app/location_argument.h"
#include "platform/fonts.h"
#include "platform/launcher.h"
#include "platform/location_kind.h"
#include "platform/session_bus.h"
#include "platform/time_zone.h"
#include "texts/texts.h"

namespace tv {

Program::Program() { Form1 = new TForm1(*this); }

Program::~Program()
{
  fileManagerService.reset();
  delete Form1;
}

QByteArray ChooseDisplayPlatform(const DisplayEnvironment &environment)
{
  if (!environment.qpaPlatform.isEmpty())
    return environment.qpaPlatform;
  if (!environment.waylandDisplay.isEmpty())
    return environment.display.isEmpty() ? "wayland" : "wayland;xcb";
  return environment.display.isEmpty() ? QByteArray() : "xcb";
}

bool PrepareProcess()
{
  const QByteArray chosen =
      ChooseDisplayPlatform({qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY")});
  if (chosen.isEmpty()) {
    std::fputs("tarnview: no display to show the window on (neither WAYLAND_DISPLAY nor DISPLAY is set)\n", stderr);
    return false;
  }
  // Files opened from it still start on the desktop's own platform.
  platform::SetOwnVariable("QT_QPA_PLATFORM", chosen.constData(), true);
  platform::ReadTimeZoneOnce();
  platform::StartReadingFontConfiguration();
  platform::ConnectSessionBusEarly();
  return true;
}

bool PrintCommandLineText(const QByteArray &firstArgument)
{
  const ArgumentMeaning meaning = MeaningOfArgument(firstArgument);
  if (meaning != ArgumentMeaning::Help && meaning != ArgumentMeaning::Version)
    return false;
  QTextStream(stdout) << (meaning == ArgumentMeaning::Help ? texts::UsageText : texts::VersionText);
  return true;
}

std::unique_ptr<Program> StartProgram(const QByteArray &firstArgument)
{
  QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
  platform::RegisterProgramFonts();
  auto program = std::make_unique<Program>();
  program->Form1->show();
  TForm1 *window = program->Form1;
  program->fileManagerService =
      std::make_unique<platform::FileManagerService>([window](platform::FileManagerCall call, const QByteArray &uri) {
        LocationRequest request = RequestForLocation(uri, QByteArrayLiteral("/"));
        // ShowItems and ShowItemProperties select a folder in its parent, as they do a file.
        request.selectItem = call != platform::FileManagerCall::ShowFolders;
        window->ShowLocationFromDesktop(request);
      });
  if (MeaningOfArgument(firstArgument) == ArgumentMeaning::Location)
    program->Form1->ShowLocation(RequestForLocation(firstArgument, platform::WorkingFolder()));
  return program;
}

} // namespace tv
