// The shape of the borderless windows: corner pictures cut away at their key colour, and a one-pixel grey outline.
#include "ui/window_shape.h"

#include <QPainter>

#include "ui/glyphs.h"

namespace tv::ui {

const std::array<QImage, 4> &CornerPictures()
{
  static const std::array<QImage, 4> pictures{Glyph(Picture::CornerTopLeft), Glyph(Picture::CornerTopRight),
                                              Glyph(Picture::CornerBottomLeft), Glyph(Picture::CornerBottomRight)};
  return pictures;
}

namespace {

// The source pixel that a target pixel shows when `from` pixels are spread over `to`. Each
// half is sampled from its own edge, so that a picture and its mirror image stay mirror
// images at every size.
int SourcePixel(int target, int from, int to)
{
  if (2 * target >= to)
    return from - 1 - SourcePixel(to - 1 - target, from, to);
  return (2 * target + 1) * from / (2 * to);
}

QImage ScaledPixelForPixel(const QImage &picture, int size)
{
  QImage scaled(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      scaled.setPixel(x, y,
                      picture.pixel(SourcePixel(x, picture.width(), size), SourcePixel(y, picture.height(), size)));
  return scaled;
}

} // namespace

std::array<QImage, 4> CornerPicturesAt(qreal ratio)
{
  const std::array<QImage, 4> &pictures = CornerPictures();
  const int size = qRound(CornerSize * ratio);
  std::array<QImage, 4> drawn;
  for (size_t i = 0; i < pictures.size(); ++i)
    drawn[i] = pictures[i].width() == size ? pictures[i] : ScaledPixelForPixel(pictures[i], size);
  return drawn;
}

QSize DeviceSize(QSize window, qreal ratio) { return window * ratio; }

std::array<QPoint, 4> CornerPositions(QSize window, int cornerSize)
{
  const int right = window.width() - cornerSize;
  const int bottom = window.height() - cornerSize;
  return {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)};
}

void PaintFrame(QPainter &painter, QSize window, const std::array<QImage, 4> &corners)
{
  const int n = corners[TopLeft].width();
  const int across = window.width() - 2 * n;
  const int down = window.height() - 2 * n;
  painter.drawImage(QRect(n, 0, across, n), corners[TopLeft], QRect(n - 1, 0, 1, n));
  painter.drawImage(QRect(n, window.height() - n, across, n), corners[BottomLeft], QRect(n - 1, 0, 1, n));
  painter.drawImage(QRect(0, n, n, down), corners[TopLeft], QRect(0, n - 1, n, 1));
  painter.drawImage(QRect(window.width() - n, n, n, down), corners[TopRight], QRect(0, n - 1, n, 1));
  const std::array<QPoint, 4> positions = CornerPositions(window, n);
  for (size_t i = 0; i < corners.size(); ++i)
    painter.drawImage(positions[i], corners[i]);
}

std::array<QImage, 4> WithKeyTransparent(const std::array<QImage, 4> &corners)
{
  std::array<QImage, 4> transparent;
  for (size_t i = 0; i < corners.size(); ++i) {
    transparent[i] = corners[i].convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < transparent[i].height(); ++y)
      for (int x = 0; x < transparent[i].width(); ++x)
        if (transparent[i].pixel(x, y) == TransparentKey)
          transparent[i].setPixel(x, y, qRgba(0, 0, 0, 0));
  }
  return transparent;
}

void PaintTranslucentFrame(QPainter &painter, QSize window, const std::array<QImage, 4> &corners)
{
  const QPainter::CompositionMode mode = painter.compositionMode();
  // The corners' transparent pixels replace what lies beneath instead of blending with it.
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(QRect(QPoint(0, 0), window), Qt::white);
  PaintFrame(painter, window, corners);
  painter.setCompositionMode(mode);
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
  const std::array<QPoint, 4> positions = CornerPositions(window, corners[TopLeft].width());
  for (size_t i = 0; i < corners.size(); ++i)
    visible -= TransparentPixels(corners[i]).translated(positions[i]);
  return visible;
}

} // namespace tv::ui
