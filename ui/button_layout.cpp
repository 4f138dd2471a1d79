// Where a button's glyph and caption go.
#include "ui/button_layout.h"

#include <QFontMetrics>
#include <QString>

#include "ui/program_font.h"

namespace tv::ui {

namespace {

GlyphLayout Mirrored(GlyphLayout layout)
{
  if (layout == GlyphLayout::Left)
    return GlyphLayout::Right;
  if (layout == GlyphLayout::Right)
    return GlyphLayout::Left;
  return layout;
}

} // namespace

ButtonLayout CalcButtonLayout(const ButtonLayoutInput &input)
{
  const GlyphLayout layout = input.rightToLeft ? Mirrored(input.layout) : input.layout;
  const bool horizontal = layout == GlyphLayout::Left || layout == GlyphLayout::Right;
  const int cw = input.client.width();
  const int ch = input.client.height();
  const int gw = input.glyph.width();
  const int gh = input.glyph.height();
  const int tw = input.caption.width();
  const int th = input.caption.height();
  const int spacing = tw == 0 || gw == 0 ? 0 : input.spacing;
  int margin = input.margin;
  if (margin == -1)
    margin = horizontal ? (cw - (gw + spacing + tw)) / 2 : (ch - (gh + spacing + th)) / 2;

  ButtonLayout result;
  if (horizontal) {
    result.glyph.setY((ch - gh + 1) / 2);
    result.glyph.setX(layout == GlyphLayout::Left ? margin : cw - margin - gw);
    result.caption.setY((ch - th) / 2);
    result.caption.setX(layout == GlyphLayout::Left ? result.glyph.x() + gw + spacing
                                                    : result.glyph.x() - spacing - tw);
  } else {
    result.glyph.setX((cw - gw + 1) / 2);
    result.glyph.setY(layout == GlyphLayout::Top ? margin : ch - margin - gh);
    result.caption.setX((cw - tw) / 2);
    result.caption.setY(layout == GlyphLayout::Top ? result.glyph.y() + gh + spacing : result.glyph.y() - spacing - th);
  }
  const QPoint shift = input.client.topLeft() + (input.pressed ? QPoint(1, 1) : QPoint());
  result.glyph += shift;
  result.caption += shift;
  return result;
}

QSize CaptionSize(const QFont &font, const QString &caption)
{
  if (caption.isEmpty())
    return QSize(0, 0);
  return QSize(QFontMetrics(FontForText(font, caption)).horizontalAdvance(caption), DesignedLineHeight(font));
}

} // namespace tv::ui
