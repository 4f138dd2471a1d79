#pragma once

#include <QIcon>
#include <QImage>

// The program's pictures, drawn as PNGs in resources/glyphs and embedded as pixels.
// Names: exit, up, about, drive, home, refresh, word, excel, powerpoint, new_folder,
// options, options_default, my_documents, desktop, folder, file, delete, rename, ok, cancel,
// logo (50 x 22), credit, globe, corner_top_left, corner_top_right, corner_bottom_left,
// corner_bottom_right (12 x 12), icon_16, icon_24, icon_32, icon_48.
// All but the icons are also drawn for device pixel ratios 1.5 and 2 (NAME@1.5x, NAME@2x).
namespace tv::ui {

// The named picture, or a null image when there is none of that name.
QImage Glyph(const char *name);

// The named picture for a device pixel ratio, with that ratio set, so that it keeps its size
// in layout: the artwork of ratio 1 up to 1.25, of 1.5 below 1.75, of 2 from there on;
// scaled to the device's size for ratios between. A null image when there is no such name.
QImage Glyph(const char *name, qreal devicePixelRatio);

// A glyph of ratio 1 from Glyph(name) as Glyph(name, devicePixelRatio) gives it. A picture
// that is not one of the program's own is scaled to the device's size.
QImage GlyphForDevice(const QImage &glyph, qreal devicePixelRatio);

// The program's window icon in its four sizes, 16 to 48 pixels square.
QIcon WindowIcon();

} // namespace tv::ui
