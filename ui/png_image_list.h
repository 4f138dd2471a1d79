#pragma once

#include <QIcon>
#include <QImage>
#include <QObject>
#include <vector>

#include "ui/png_drawing.h"

namespace tv::ui {

// The ordered list of 16 x 16 PNG images of the main window's rows and pop-up menu.
// Index 0 folder, 1 other file, 2 Word, 3 Excel, 4 PowerPoint, 5 drive, 6 delete, 7 rename.
class TPngImageList : public QObject {
  Q_OBJECT
public:
  explicit TPngImageList(QObject *parent = nullptr);

  int count() const { return static_cast<int>(images_.size()); }
  // The image at the index, or a null image outside the list.
  QImage image(int index) const;
  // The image as an icon with its artwork for device pixel ratios 1, 1.5 and 2; its
  // disabled mode is drawn with the list's options, so a disabled menu item shows it half
  // transparent.
  QIcon icon(int index) const;
  void setPngOptions(PngOptions options);
  PngOptions pngOptions() const { return options_; }

private:
  std::vector<QImage> images_;
  // Made on first use: the list asks for a row's icon each time it paints the row.
  mutable std::vector<QIcon> icons_;
  PngOptions options_ = pngBlendOnDisabled;
};

} // namespace tv::ui
