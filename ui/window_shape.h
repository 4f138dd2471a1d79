#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <array>

// The shape of the borderless windows: four corner pictures whose key-coloured pixels are
// cut away, and a one-pixel grey outline between them.
namespace tv::ui {

// Pixels of a corner picture in this colour are not part of the window.
inline constexpr QRgb TransparentKey = 0xffff00ff;
inline constexpr QRgb OutlineColour = 0xffc0c0c0;
inline constexpr int CornerSize = 12;

enum Corner { TopLeft, TopRight, BottomLeft, BottomRight };

// The four corner pictures, in the order of Corner.
const std::array<QImage, 4> &CornerPictures();

// Where each corner picture lies in a window of the size, in the order of Corner.
std::array<QPoint, 4> CornerPositions(QSize window);

// The top, right, bottom and left lines of the outline. They reach from corner picture to
// corner picture; the bottom and left lines also cover one pixel that the bottom right and
// bottom left pictures draw grey again.
std::array<QRect, 4> OutlineEdges(QSize window);

// The part of a window of the size that is shown: everything but the key-coloured pixels
// of the corner pictures.
QRegion VisibleRegion(QSize window, const std::array<QImage, 4> &corners);

} // namespace tv::ui
