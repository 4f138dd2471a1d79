#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>

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

} // namespace

void registerProgramFonts()
{
  const std::pair<const char *, bool> faces[] = {{"/usr/share/wine/fonts/tahoma.ttf", false},
                                                 {"/usr/share/wine/fonts/tahomabd.ttf", true}};
  for (const auto &[file, bold] : faces)
    if (!HasFace(bold))
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

} // namespace tv::platform
