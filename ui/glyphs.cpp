#include "ui/glyphs.h"

#include <QPixmap>
#include <algorithm>
#include <cstring>

#include "resources/embedded_pictures.h"

namespace tv::ui {

QImage Glyph(const char *name)
{
  using resources::EmbeddedPictures;
  const auto *end = EmbeddedPictures + resources::EmbeddedPictureCount;
  const auto *picture = std::find_if(EmbeddedPictures, end, [name](const resources::EmbeddedPicture &candidate) {
    return std::strcmp(candidate.name, name) == 0;
  });
  if (picture == end)
    return QImage();
  // Shares the embedded pixels; painting on the image copies them first.
  return QImage(reinterpret_cast<const uchar *>(picture->pixels), picture->width, picture->height,
                picture->width * qsizetype{sizeof(std::uint32_t)}, QImage::Format_ARGB32);
}

QIcon WindowIcon()
{
  QIcon icon;
  for (const char *name : {"icon_16", "icon_24", "icon_32", "icon_48"})
    icon.addPixmap(QPixmap::fromImage(Glyph(name)));
  return icon;
}

} // namespace tv::ui
