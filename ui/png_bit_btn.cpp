#include "ui/png_bit_btn.h"

#include <QKeyEvent>
#include <QPainter>

namespace tv::ui {

TPngBitBtn::TPngBitBtn(QWidget *parent) : QAbstractButton(parent) { setFocusPolicy(Qt::StrongFocus); }

void TPngBitBtn::setPngImage(const QImage &glyph)
{
  glyph_ = glyph;
  update();
}

void TPngBitBtn::setPngOptions(PngOptions options)
{
  options_ = options;
  update();
}

void TPngBitBtn::paintEvent(QPaintEvent *)
{
  QPainter painter(this);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.drawImage(4, (height() - glyph_.height() + 1) / 2, glyph_);
  painter.drawText(rect(), Qt::AlignCenter, text());
}

void TPngBitBtn::keyPressEvent(QKeyEvent *event)
{
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    click();
    return;
  }
  QAbstractButton::keyPressEvent(event);
}

} // namespace tv::ui
