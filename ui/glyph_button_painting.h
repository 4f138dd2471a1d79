// Drawing shared by the two glyph button kinds.
#pragma once

#include <QImage>
#include <QPoint>

#include "ui/button_layout.h"
#include "ui/png_drawing.h"

class QAbstractButton;
class QPainter;
class QRect;

namespace tv::ui {

// An image of the button's size showing what lies beneath it: the solid background of the
// panel that holds it. Faces and glyphs are drawn onto it before it goes on screen. It has
// the screen's device pixels, so that glyphs are blended pixel by pixel at the screen's size.
QImage PanelBeneath(const QAbstractButton *button);

// Draws the glyph with its top-left corner at a point given in the surface's layout pixels:
// the glyph's artwork for the surface's device pixel ratio, blended per device pixel, with
// the disabled look of the options.
void DrawButtonGlyph(QImage &surface, QPoint at, const QImage &glyph, PngOptions options);

// Where the button's glyph and caption go, the glyph on the left.
ButtonLayout LayOutButton(const QAbstractButton *button, const QImage &glyph, int margin, int spacing, bool pressed);

// The caption on one line from its position to the button's right and bottom edges, taken
// literally (an ampersand is an ampersand), its baseline where the design's line puts it.
void DrawCaption(QPainter &painter, const QAbstractButton *button, QPoint at);

// A dotted one-pixel rectangle, every other pixel drawn.
void DrawFocusDots(QPainter &painter, const QRect &rect);

} // namespace tv::ui
