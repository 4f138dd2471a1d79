// The shape of the borderless windows: corner pictures cut away at their key colour, and a one-pixel grey outline.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <array>

class QPainter;

namespace tv::ui {

// Pixels of a corner picture in this colour are not part of the window.
inline constexpr QRgb TransparentKey = 0xffff00ff;
inline constexpr QRgb OutlineColour = 0xffc0c0c0;
inline constexpr int CornerSize = 12;

enum Corner { TopLeft, TopRight, BottomLeft, BottomRight };

// The four corner pictures, in the order of Corner.
const std::array<QImage, 4> &CornerPictures();

// The corner pictures as a window at the device pixel ratio draws them, one device pixel per
// picture pixel: pictures of that size are taken as they are, others are scaled to it pixel
// for pixel, never blended, so that every pixel is either key, grey or white.
std::array<QImage, 4> CornerPicturesAt(qreal ratio);

// The window's size in device pixels, rounded as the window system's window is.
QSize DeviceSize(QSize window, qreal ratio);

// Where each corner picture of the side length lies in a window of the size, in the order
// of Corner.
std::array<QPoint, 4> CornerPositions(QSize window, int cornerSize = CornerSize);

// Paints the outline and the corner pictures over a window of the size, in the pictures'
// pixels: each straight edge continues the inner column or row of the picture beside it, so
// that the outline meets the arcs at every scale.
void PaintFrame(QPainter &painter, QSize window, const std::array<QImage, 4> &corners);

// The corner pictures with their key-coloured pixels fully transparent, for a window system
// that shows windows through their alpha instead of cutting them.
std::array<QImage, 4> WithKeyTransparent(const std::array<QImage, 4> &corners);

// Paints a whole window of the size over whatever it held: the white panel, then the outline
// and the corner pictures (from WithKeyTransparent) with their alpha, so that outside the
// arcs the window is transparent.
void PaintTranslucentFrame(QPainter &painter, QSize window, const std::array<QImage, 4> &corners);

// The part of a window of the size that is shown: everything but the key-coloured pixels
// of the corner pictures.
QRegion VisibleRegion(QSize window, const std::array<QImage, 4> &corners);

} // namespace tv::ui
