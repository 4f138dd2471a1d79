#include "app/program.h"

#include <QApplication>
#include <QTextStream>

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
