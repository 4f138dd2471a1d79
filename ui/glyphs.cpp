// The program's pictures, drawn as PNGs in resources/glyphs and embedded as pixels.
#include "ui/glyphs.h"

#include <QPixmap>
#include <algorithm>
#include <cstring>

#include "resources/embedded_pictures.h"

namespace tv::ui {

namespace {

using resources::EmbeddedPicture;

constexpr const char *PictureNames[] = {
#define SCALED(picture, file) file,
#define SINGLE(picture, file) file,
#include "resources/picture_names.inc"
#undef SCALED
#undef SINGLE
};

template <typename Test> const EmbeddedPicture *FirstPicture(Test test)
{
  const auto *end = resources::EmbeddedPictures + resources::EmbeddedPictureCount;
  const auto *picture = std::find_if(resources::EmbeddedPictures, end, test);
  return picture == end ? nullptr : picture;
}

const EmbeddedPicture *PictureNamed(const char *name)
{
  return FirstPicture([name](const EmbeddedPicture &candidate) { return std::strcmp(candidate.name, name) == 0; });
}

// The embedded picture whose pixels the image shows, or none for an image of its own.
const EmbeddedPicture *PictureShownBy(const QImage &image)
{
  return FirstPicture([&image](const EmbeddedPicture &candidate) {
    return reinterpret_cast<const uchar *>(candidate.pixels) == image.constBits();
  });
}

// Shares the embedded pixels; painting on the image copies them first.
QImage ImageOf(const EmbeddedPicture &picture)
{
  return QImage(reinterpret_cast<const uchar *>(picture.pixels), picture.width, picture.height,
                picture.width * qsizetype{sizeof(std::uint32_t)}, QImage::Format_ARGB32);
}

const char *ArtworkSuffix(qreal devicePixelRatio)
{
  if (devicePixelRatio <= 1.25)
    return "";
  return devicePixelRatio < 1.75 ? "@1.5x" : "@2x";
}

// The artwork at the device's size: `logical` is the picture's size at ratio 1.
QImage AtDeviceSize(QImage artwork, QSize logical, qreal devicePixelRatio)
{
  const QSize device(qRound(logical.width() * devicePixelRatio), qRound(logical.height() * devicePixelRatio));
  if (artwork.size() != device)
    artwork = artwork.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  artwork.setDevicePixelRatio(devicePixelRatio);
  return artwork;
}

QImage GlyphNamed(const char *name, qreal devicePixelRatio)
{
  const EmbeddedPicture *base = PictureNamed(name);
  if (!base)
    return QImage();
  const QByteArray artworkName = QByteArray(name) + ArtworkSuffix(devicePixelRatio);
  const EmbeddedPicture *artwork = PictureNamed(artworkName.constData());
  return AtDeviceSize(ImageOf(artwork ? *artwork : *base), QSize(base->width, base->height), devicePixelRatio);
}

} // namespace

const char *PictureName(Picture picture) { return PictureNames[static_cast<size_t>(picture)]; }

// Every name of the list is embedded: the build embeds the files by the same list.
QImage Glyph(Picture picture) { return ImageOf(*PictureNamed(PictureName(picture))); }

QImage Glyph(Picture picture, qreal devicePixelRatio) { return GlyphNamed(PictureName(picture), devicePixelRatio); }

QImage GlyphForDevice(const QImage &glyph, qreal devicePixelRatio)
{
  if (devicePixelRatio == 1 || glyph.isNull())
    return glyph;
  const EmbeddedPicture *picture = PictureShownBy(glyph);
  return picture ? GlyphNamed(picture->name, devicePixelRatio) : AtDeviceSize(glyph, glyph.size(), devicePixelRatio);
}

QIcon WindowIcon()
{
  QIcon icon;
  for (Picture size : {Picture::Icon16, Picture::Icon24, Picture::Icon32, Picture::Icon48})
    icon.addPixmap(QPixmap::fromImage(Glyph(size)));
  return icon;
}

} // namespace tv::ui
