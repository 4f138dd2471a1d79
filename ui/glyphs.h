// The program's pictures, drawn as PNGs in resources/glyphs and embedded as pixels.
#pragma once

#include <QIcon>
#include <QImage>

namespace tv::ui {

enum class Picture {
#define SCALED(picture, file) picture,
#define SINGLE(picture, file) picture,
#include "resources/picture_names.inc"
#undef SCALED
#undef SINGLE
};

// The picture's name: its file's name without the folder and ".png".
const char *PictureName(Picture picture);

// The picture at device pixel ratio 1.
QImage Glyph(Picture picture);

// The picture for a device pixel ratio, with that ratio set, so that it keeps its size in
// layout: the artwork of ratio 1 up to 1.25, of 1.5 below 1.75, of 2 from there on; scaled
// to the device's size for ratios between.
QImage Glyph(Picture picture, qreal devicePixelRatio);

// A glyph of ratio 1 from Glyph(picture) as Glyph(picture, devicePixelRatio) gives it. A
// picture that is not one of the program's own is scaled to the device's size.
QImage GlyphForDevice(const QImage &glyph, qreal devicePixelRatio);

// The program's window icon in its four sizes, 16 to 48 pixels square.
QIcon WindowIcon();

} // namespace tv::ui
