// A push button with a PNG glyph that takes the keyboard focus.
#include "ui/png_bit_btn.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

#include "ui/glyph_button_painting.h"

namespace tv::ui {

TPngBitBtn::TPngBitBtn(QWidget *parent) : PngGlyphButton(parent) { setFocusPolicy(Qt::StrongFocus); }

void TPngBitBtn::DrawFace(QImage &surface) const
{
  QPainter painter(&surface);
  QRect face = rect();
  if (hasFocus()) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(face.adjusted(0, 0, -1, -1));
    face.adjust(1, 1, -1, -1);
  }
  const QBrush fill = palette().button();
  if (isDown()) {
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(fill);
    painter.drawRect(face.adjusted(0, 0, -1, -1));
  } else {
    qDrawWinButton(&painter, face, palette(), false, &fill);
  }
}

void TPngBitBtn::paintEvent(QPaintEvent *event)
{
  PngGlyphButton::paintEvent(event);
  if (!hasFocus())
    return;
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  DrawFocusDots(painter, rect().adjusted(3, 3, -3, -3));
}

void TPngBitBtn::keyPressEvent(QKeyEvent *event)
{
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
    click();
    return;
  }
  PngGlyphButton::keyPressEvent(event);
}

} // namespace tv::ui
