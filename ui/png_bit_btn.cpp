#include "ui/png_bit_btn.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

#include "ui/glyph_button_painting.h"

namespace tv::ui {

namespace {

// Every push button centres its glyph and caption as one group.
constexpr int CentredMargin = -1;
constexpr int GlyphSpacing = 4;

} // namespace

TPngBitBtn::TPngBitBtn(QWidget *parent) : QAbstractButton(parent)
{
  setFocusPolicy(Qt::StrongFocus);
  InstallGlyphButtonAccessibility();
}

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

void TPngBitBtn::drawFace(QImage &surface) const
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

void TPngBitBtn::paintEvent(QPaintEvent *)
{
  QImage surface = PanelBeneath(this);
  drawFace(surface);
  const ButtonLayout layout = LayOutButton(this, glyph_, CentredMargin, GlyphSpacing, isDown());
  DrawButtonGlyph(surface, layout.glyph, glyph_, isEnabled() ? 0 : options_);
  QPainter painter(this);
  painter.drawImage(0, 0, surface);
  DrawCaption(painter, this, layout.caption);
  if (hasFocus()) {
    painter.setPen(palette().color(QPalette::WindowText));
    DrawFocusDots(painter, rect().adjusted(3, 3, -3, -3));
  }
}

void TPngBitBtn::keyPressEvent(QKeyEvent *event)
{
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
    click();
    return;
  }
  QAbstractButton::keyPressEvent(event);
}

} // namespace tv::ui
