#include "ui/window_shape.h"

#include "ui/glyphs.h"

namespace tv::ui {

const std::array<QImage, 4> &CornerPictures()
{
  static const std::array<QImage, 4> pictures{Glyph("corner_top_left"), Glyph("corner_top_right"),
                                              Glyph("corner_bottom_left"), Glyph("corner_bottom_right")};
  return pictures;
}

std::array<QPoint, 4> CornerPositions(QSize window)
{
  const int right = window.width() - CornerSize;
  const int bottom = window.height() - CornerSize;
  return {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)};
}

std::array<QRect, 4> OutlineEdges(QSize window)
{
  const int w = window.width();
  const int h = window.height();
  return {QRect(12, 0, w - 24, 1), QRect(w - 1, 12, 1, h - 24), QRect(12, h - 1, w - 23, 1), QRect(0, 12, 1, h - 23)};
}

QRegion VisibleRegion(QSize window, const std::array<QImage, 4> &corners)
{
  QRegion visible(QRect(QPoint(0, 0), window));
  const std::array<QPoint, 4> positions = CornerPositions(window);
  for (size_t i = 0; i < corners.size(); ++i) {
    const QImage &picture = corners[i];
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (picture.pixel(x, y) == TransparentKey)
          visible -= QRect(positions[i] + QPoint(x, y), QSize(1, 1));
  }
  return visible;
}

} // namespace tv::ui
