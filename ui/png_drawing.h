// Drawing PNG glyphs onto a surface, and their disabled look.
#pragma once

#include <QImage>
#include <QRect>

namespace tv::ui {

// How a disabled glyph is drawn.
enum PngOption { pngBlendOnDisabled = 1, pngGrayscaleOnDisabled = 2 };
using PngOptions = int;

// One colour channel of a glyph pixel with alpha `alpha` laid over the pixel beneath:
// unchanged beneath at alpha 0, the glyph's value exactly at alpha 255.
constexpr int BlendChannel(int glyph, int beneath, int alpha)
{
  return (glyph * alpha + beneath * (255 - alpha) + 255) >> 8;
}

// Draws a glyph into the target rectangle of an opaque surface (RGB32 or ARGB32). A glyph
// with alpha is blended pixel by pixel at its own size, cut at the rectangle and the
// surface; one without alpha is copied, scaled to the rectangle. With options, a changed
// copy is drawn and the glyph itself is left as it was.
void DrawPng(QImage &surface, const QRect &target, const QImage &glyph, PngOptions options);

// The glyph as a disabled control shows it with the options: half transparent, grey, both
// or unchanged.
QImage DisabledGlyph(const QImage &glyph, PngOptions options);

// Halves the opacity of every pixel, ties of the halving going to the even value
// (255 -> 128, 3 -> 2, 1 -> 0). Grey and palette images become ARGB32 with alpha 127.
void MakeImageBlended(QImage &image);

// Turns every colour grey (0.30 R + 0.59 G + 0.11 B, ties to even), keeping alpha. Grey
// images stay as they are.
void MakeImageGrayscale(QImage &image);

} // namespace tv::ui
