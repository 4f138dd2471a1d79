#include "ui/png_speed_button.h"

#include <QPainter>

namespace tv::ui {

TPngSpeedButton::TPngSpeedButton(QWidget *parent) : QAbstractButton(parent) { setFocusPolicy(Qt::NoFocus); }

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

void TPngSpeedButton::setHint(const QString &hint)
{
  setToolTip(hint);
  if (text().isEmpty())
    setAccessibleName(hint);
}

void TPngSpeedButton::paintEvent(QPaintEvent *)
{
  QPainter painter(this);
  const int glyphX = margin_ < 0 ? 4 : margin_;
  painter.drawImage(glyphX, (height() - glyph_.height() + 1) / 2, glyph_);
  painter.drawText(rect().adjusted(glyphX + glyph_.width() + spacing_, 0, 0, 0), Qt::AlignVCenter, text());
}

} // namespace tv::ui
