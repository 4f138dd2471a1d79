#pragma once

#include <QIcon>
#include <QImage>

// The program's pictures, drawn as PNGs in resources/glyphs and embedded as pixels.
// Names: exit, up, about, drive, home, refresh, word, excel, powerpoint, new_folder,
// options, options_default, my_documents, desktop, folder, file, delete, rename, ok, cancel,
// logo (50 x 22), credit, globe, corner_top_left, corner_top_right, corner_bottom_left,
// corner_bottom_right (12 x 12), icon_16, icon_24, icon_32, icon_48.
namespace tv::ui {

// The named picture, or a null image when there is none of that name.
QImage Glyph(const char *name);

// The program's window icon in its four sizes, 16 to 48 pixels square.
QIcon WindowIcon();

} // namespace tv::ui
