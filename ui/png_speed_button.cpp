// A button with a PNG glyph drawn by the window that holds it, never taking the focus.
#include "ui/png_speed_button.h"

#include <QPainter>
#include <qdrawutil.h>

namespace tv::ui {

TPngSpeedButton::TPngSpeedButton(QWidget *parent) : PngGlyphButton(parent) { setFocusPolicy(Qt::NoFocus); }

void TPngSpeedButton::SetFlat(bool flat)
{
  flat_ = flat;
  update();
}

void TPngSpeedButton::enterEvent(QEnterEvent *event)
{
  update();
  PngGlyphButton::enterEvent(event);
}

void TPngSpeedButton::leaveEvent(QEvent *event)
{
  update();
  PngGlyphButton::leaveEvent(event);
}

void TPngSpeedButton::DrawFace(QImage &surface) const
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

} // namespace tv::ui
