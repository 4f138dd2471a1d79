#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <fontconfig/fontconfig.h>
#include <thread>

namespace tv::platform {

namespace {

const QString Family = QStringLiteral("Tahoma");

// A family installed with only its regular face would have Qt thicken that face for bold
// text; each face is therefore looked for on its own.
bool HasFace(bool bold)
{
  const QStringList styles = QFontDatabase::styles(Family);
  return std::any_of(styles.begin(), styles.end(),
                     [bold](const QString &style) { return QFontDatabase::bold(Family, style) == bold; });
}

// Joined on first use, or at exit when the program ends before it is used.
std::jthread &FontConfigurationReader()
{
  static std::jthread reader;
  return reader;
}

} // namespace

void startReadingFontConfiguration()
{
  // Qt removes this variable from the environment while it connects, and fontconfig reads
  // the environment: the two must not run at once, so then the configuration waits.
  if (!qEnvironmentVariableIsSet("DESKTOP_STARTUP_ID"))
    FontConfigurationReader() = std::jthread([] { FcInit(); });
}

void registerProgramFonts()
{
  if (FontConfigurationReader().joinable())
    FontConfigurationReader().join();
  const std::pair<const char *, bool> faces[] = {{"/usr/share/wine/fonts/tahoma.ttf", false},
                                                 {"/usr/share/wine/fonts/tahomabd.ttf", true}};
  for (const auto &[file, bold] : faces)
    if (!HasFace(bold))
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

} // namespace tv::platform
