// The 16 x 16 pictures of the main window's rows and pop-up menu.
#pragma once

#include <QIcon>
#include <QImage>
#include <QObject>
#include <vector>

#include "ops/row_kind.h"
#include "ui/png_drawing.h"

namespace tv::ui {

// The ordered list of 16 x 16 PNG images of the main window's rows and pop-up menu, in the
// order of ListImage.
class TPngImageList : public QObject {
  Q_OBJECT
public:
  explicit TPngImageList(QObject *parent = nullptr);

  int Count() const { return static_cast<int>(images_.size()); }
  // The image, or a null image for one outside the list.
  QImage Image(ops::ListImage index) const;
  // The image as an icon with its artwork for device pixel ratios 1, 1.5 and 2; its
  // disabled mode is drawn with the list's options, so a disabled menu item shows it half
  // transparent.
  QIcon Icon(ops::ListImage index) const;
  void SetPngOptions(PngOptions options);

private:
  std::vector<QImage> images_;
  // Made on first use: the list asks for a row's icon each time it paints the row.
  mutable std::vector<QIcon> icons_;
  PngOptions options_ = pngBlendOnDisabled;
};

} // namespace tv::ui
