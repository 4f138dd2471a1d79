#include <QApplication>

#include "app/windows.h"
#include "platform/fonts.h"

int main(int argc, char *argv[])
{
  // Shaped windows, centring and window moves need X11; Wayland desktops run it on XWayland.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnview"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tarnview"));
  tv::platform::registerProgramFonts();
  tv::CreateWindows();
  tv::Form1->show();
  const int result = QApplication::exec();
  delete tv::Form1;
  return result;
}
