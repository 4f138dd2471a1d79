#include "ui/glyphs.h"

#include <QString>

namespace tv::ui {

QImage Glyph(const char *name)
{
  QImage image(QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(name)));
  return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace tv::ui
