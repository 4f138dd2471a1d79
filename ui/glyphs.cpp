#include "ui/glyphs.h"

#include <QPixmap>
#include <QString>

// The pictures live in a static library, where nothing else would pull them in.
static void LoadGlyphResources() { Q_INIT_RESOURCE(glyphs); }

namespace tv::ui {

QImage Glyph(const char *name)
{
  static const bool loaded = (LoadGlyphResources(), true);
  (void)loaded;
  QImage image(QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(name)));
  return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

QIcon WindowIcon()
{
  QIcon icon;
  for (const char *name : {"icon_16", "icon_24", "icon_32", "icon_48"})
    icon.addPixmap(QPixmap::fromImage(Glyph(name)));
  return icon;
}

} // namespace tv::ui
