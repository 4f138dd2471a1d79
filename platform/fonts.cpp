#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tv::platform {

void registerProgramFonts()
{
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
    return;
  for (const char *file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
    QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

} // namespace tv::platform
