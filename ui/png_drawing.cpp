// Drawing PNG glyphs onto a surface, and their disabled look.
#include "ui/png_drawing.h"

#include <QPainter>

namespace tv::ui {

namespace {

// n / d rounded to the nearest integer, ties to the even one; n >= 0, d > 0.
int RoundHalfEven(int n, int d)
{
  const int quotient = n / d;
  const int twiceRemainder = 2 * (n % d);
  if (twiceRemainder > d || (twiceRemainder == d && quotient % 2 != 0))
    return quotient + 1;
  return quotient;
}

int HalvedAlpha(int alpha) { return RoundHalfEven(alpha * 128, 256); }

QRgb GreyOf(QRgb colour)
{
  const int grey = RoundHalfEven(30 * qRed(colour) + 59 * qGreen(colour) + 11 * qBlue(colour), 100);
  return qRgba(grey, grey, grey, qAlpha(colour));
}

bool IsGreyOrPalette(const QImage &image)
{
  return image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Grayscale8 ||
         image.format() == QImage::Format_Grayscale16;
}

template <typename Change> void ChangeEachPixel(QImage &image, Change change)
{
  for (int y = 0; y < image.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      line[x] = change(line[x]);
  }
}

void BlendAlpha(QImage &surface, QPoint at, const QImage &glyph, const QRect &clip)
{
  const QImage source = glyph.convertToFormat(QImage::Format_ARGB32);
  const QRect area = QRect(at, source.size()) & clip & surface.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y - at.y()));
    auto *to = reinterpret_cast<QRgb *>(surface.scanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb g = from[x - at.x()];
      const QRgb b = to[x];
      const int a = qAlpha(g);
      to[x] = qRgba(BlendChannel(qRed(g), qRed(b), a), BlendChannel(qGreen(g), qGreen(b), a),
                    BlendChannel(qBlue(g), qBlue(b), a), qAlpha(b));
    }
  }
}

} // namespace

QImage DisabledGlyph(const QImage &glyph, PngOptions options)
{
  QImage copy = glyph.copy();
  if (options & pngBlendOnDisabled)
    MakeImageBlended(copy);
  if (options & pngGrayscaleOnDisabled)
    MakeImageGrayscale(copy);
  return copy;
}

void DrawPng(QImage &surface, const QRect &target, const QImage &glyph, PngOptions options)
{
  if (glyph.isNull())
    return;
  if (surface.format() != QImage::Format_RGB32 && surface.format() != QImage::Format_ARGB32)
    surface.convertTo(QImage::Format_ARGB32);
  const QImage shown = options ? DisabledGlyph(glyph, options) : glyph;
  if (shown.hasAlphaChannel()) {
    BlendAlpha(surface, target.topLeft(), shown, target);
    return;
  }
  QPainter painter(&surface);
  // The target is in the surface's own pixels, whatever its device pixel ratio.
  const qreal ratio = surface.devicePixelRatio();
  painter.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
  painter.drawImage(target, shown);
}

void MakeImageBlended(QImage &image)
{
  if (IsGreyOrPalette(image)) {
    const QImage source = image;
    image = source.convertToFormat(QImage::Format_ARGB32);
    ChangeEachPixel(image, [](QRgb pixel) { return qAlpha(pixel) == 0 ? pixel : (pixel & 0x00ffffff) | (127u << 24); });
    return;
  }
  image.convertTo(QImage::Format_ARGB32);
  ChangeEachPixel(
      image, [](QRgb pixel) { return (pixel & 0x00ffffff) | (static_cast<QRgb>(HalvedAlpha(qAlpha(pixel))) << 24); });
}

void MakeImageGrayscale(QImage &image)
{
  if (image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_Grayscale16)
    return;
  if (image.format() == QImage::Format_Indexed8) {
    QList<QRgb> table = image.colorTable();
    for (QRgb &entry : table)
      entry = GreyOf(entry);
    image.setColorTable(table);
    return;
  }
  image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  ChangeEachPixel(image, GreyOf);
}

} // namespace tv::ui
