// The 16 x 16 pictures of the main window's rows and pop-up menu.
#include "ui/png_image_list.h"

#include <QPixmap>

#include "ui/glyphs.h"

namespace tv::ui {

TPngImageList::TPngImageList(QObject *parent) : QObject(parent)
{
  // In the order of ListImage.
  for (Picture picture : {Picture::Folder, Picture::File, Picture::Word, Picture::Excel, Picture::Powerpoint,
                          Picture::Drive, Picture::Delete, Picture::Rename})
    images_.push_back(Glyph(picture));
  icons_.resize(images_.size());
}

QImage TPngImageList::Image(ops::ListImage index) const
{
  const int at = static_cast<int>(index);
  return at >= 0 && at < Count() ? images_[static_cast<size_t>(at)] : QImage();
}

QIcon TPngImageList::Icon(ops::ListImage index) const
{
  const QImage picture = Image(index);
  if (picture.isNull())
    return {};
  QIcon &icon = icons_[static_cast<size_t>(index)];
  if (icon.isNull())
    for (qreal ratio : {1.0, 1.5, 2.0}) {
      const QImage artwork = GlyphForDevice(picture, ratio);
      icon.addPixmap(QPixmap::fromImage(artwork), QIcon::Normal);
      icon.addPixmap(QPixmap::fromImage(DisabledGlyph(artwork, options_)), QIcon::Disabled);
    }
  return icon;
}

void TPngImageList::SetPngOptions(PngOptions options)
{
  options_ = options;
  icons_.assign(images_.size(), QIcon());
}

} // namespace tv::ui
