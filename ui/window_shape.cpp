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

namespace {

// The picture's pixels of the transparent key, one rectangle per run of them in a row: a
// region grown pixel by pixel costs the window's first showing a noticeable while.
QRegion TransparentPixels(const QImage &picture)
{
  QRegion transparent;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const int start = x;
      while (x < picture.width() && picture.pixel(x, y) == TransparentKey)
        ++x;
      if (x > start)
        transparent += QRect(start, y, x - start, 1);
    }
  return transparent;
}

} // namespace

QRegion VisibleRegion(QSize window, const std::array<QImage, 4> &corners)
{
  QRegion visible(QRect(QPoint(0, 0), window));
  const std::array<QPoint, 4> positions = CornerPositions(window);
  for (size_t i = 0; i < corners.size(); ++i)
    visible -= TransparentPixels(corners[i]).translated(positions[i]);
  return visible;
}

} // namespace tv::ui
