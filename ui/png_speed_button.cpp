#include "ui/png_speed_button.h"

#include <QPainter>
#include <qdrawutil.h>

#include "ui/glyph_button_painting.h"

namespace tv::ui {

TPngSpeedButton::TPngSpeedButton(QWidget *parent) : QAbstractButton(parent)
{
  setFocusPolicy(Qt::NoFocus);
  InstallGlyphButtonAccessibility();
}

void TPngSpeedButton::setPngImage(const QImage &glyph)
{
  glyph_ = glyph;
  update();
}

void TPngSpeedButton::setFlat(bool flat)
{
  flat_ = flat;
  update();
}

void TPngSpeedButton::setMargin(int margin)
{
  margin_ = margin;
  update();
}

void TPngSpeedButton::setSpacing(int spacing)
{
  spacing_ = spacing;
  update();
}

void TPngSpeedButton::setPngOptions(PngOptions options)
{
  options_ = options;
  update();
}

void TPngSpeedButton::setHint(const QString &hint) { setToolTip(hint); }

void TPngSpeedButton::enterEvent(QEnterEvent *event)
{
  update();
  QAbstractButton::enterEvent(event);
}

void TPngSpeedButton::leaveEvent(QEvent *event)
{
  update();
  QAbstractButton::leaveEvent(event);
}

void TPngSpeedButton::drawFace(QImage &surface) const
{
  QPainter painter(&surface);
  if (!flat_) {
    const QBrush face = palette().button();
    qDrawWinButton(&painter, rect(), palette(), isDown(), &face);
  } else if (isDown()) {
    qDrawShadeRect(&painter, rect(), palette(), true, 1);
  } else if (underMouse() && isEnabled()) {
    qDrawShadeRect(&painter, rect(), palette(), false, 1);
  }
}

void TPngSpeedButton::paintEvent(QPaintEvent *)
{
  QImage surface = PanelBeneath(this);
  drawFace(surface);
  const ButtonLayout layout = LayOutButton(this, glyph_, margin_, spacing_, isDown());
  DrawButtonGlyph(surface, layout.glyph, glyph_, isEnabled() ? 0 : options_);
  QPainter painter(this);
  painter.drawImage(0, 0, surface);
  DrawCaption(painter, this, layout.caption);
}

} // namespace tv::ui
