// Drawing shared by the two glyph button kinds.
#include "ui/glyph_button_painting.h"

#include <QAbstractButton>
#include <QPainter>
#include <QtMath>

#include "ui/glyphs.h"
#include "ui/program_font.h"

namespace tv::ui {

QImage PanelBeneath(const QAbstractButton *button)
{
  const QWidget *panel = button->parentWidget() ? button->parentWidget() : button;
  const qreal ratio = button->devicePixelRatioF();
  QImage image(qCeil(button->width() * ratio), qCeil(button->height() * ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(panel->palette().color(panel->backgroundRole()));
  return image;
}

void DrawButtonGlyph(QImage &surface, QPoint at, const QImage &glyph, PngOptions options)
{
  const qreal ratio = surface.devicePixelRatio();
  const QImage shown = GlyphForDevice(glyph, ratio);
  const QPoint deviceAt(qRound(at.x() * ratio), qRound(at.y() * ratio));
  DrawPng(surface, QRect(deviceAt, shown.size()), shown, options);
}

ButtonLayout LayOutButton(const QAbstractButton *button, const QImage &glyph, int margin, int spacing, bool pressed)
{
  ButtonLayoutInput input;
  input.client = button->rect();
  input.glyph = glyph.size();
  input.caption = CaptionSize(button->font(), button->text());
  input.margin = margin;
  input.spacing = spacing;
  input.rightToLeft = button->layoutDirection() == Qt::RightToLeft;
  input.pressed = pressed;
  return CalcButtonLayout(input);
}

void DrawCaption(QPainter &painter, const QAbstractButton *button, QPoint at)
{
  if (button->text().isEmpty())
    return;
  QString caption = button->text();
  caption.replace(QLatin1Char('\n'), QLatin1Char(' '));
  painter.save();
  painter.setFont(FontForText(button->font(), caption));
  painter.setPen(
      button->palette().color(button->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.setClipRect(QRect(at, QPoint(button->width() - 1, button->height() - 1)));
  painter.drawText(QPoint(at.x(), at.y() + DesignedAscent(button->font())), caption);
  painter.restore();
}

void DrawFocusDots(QPainter &painter, const QRect &rect)
{
  for (int x = rect.left(); x <= rect.right(); ++x)
    for (int y : {rect.top(), rect.bottom()})
      if ((x + y) % 2 == 0)
        painter.drawPoint(x, y);
  for (int y = rect.top() + 1; y < rect.bottom(); ++y)
    for (int x : {rect.left(), rect.right()})
      if ((x + y) % 2 == 0)
        painter.drawPoint(x, y);
}

} // namespace tv::ui
