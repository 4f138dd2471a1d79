// Where a button's glyph and caption go.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QFont;
class QString;

namespace tv::ui {

// Side of the glyph relative to the caption.
enum class GlyphLayout { Left, Right, Top, Bottom };

struct ButtonLayoutInput {
  QRect client;
  QSize glyph;   // 0 x 0 without a glyph
  QSize caption; // 0 x 0 without a caption
  GlyphLayout layout = GlyphLayout::Left;
  int margin = -1; // -1 centres glyph, spacing and caption as one group
  int spacing = 4;
  bool rightToLeft = false;
  bool pressed = false; // shifts glyph and caption 1 pixel right and down
};

struct ButtonLayout {
  QPoint glyph;
  QPoint caption;
};

// Places a button's glyph and caption. Divisions truncate toward zero; the glyph's cross
// position rounds up where the caption's does not.
ButtonLayout CalcButtonLayout(const ButtonLayoutInput &input);

// The size a caption takes on one line in the font, as high as the design's line; 0 x 0 when
// it is empty.
QSize CaptionSize(const QFont &font, const QString &caption);

} // namespace tv::ui
