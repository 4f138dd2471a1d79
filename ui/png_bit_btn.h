#pragma once

#include <QAbstractButton>
#include <QImage>

#include "ui/png_drawing.h"

namespace tv::ui {

// A push button with a PNG glyph, drawn by the program: it takes the focus, Enter and the
// space bar press it, and it shows a dotted focus rectangle.
class TPngBitBtn : public QAbstractButton {
  Q_OBJECT
public:
  explicit TPngBitBtn(QWidget *parent = nullptr);

  void setPngImage(const QImage &glyph);
  const QImage &pngImage() const { return glyph_; }
  void setPngOptions(PngOptions options);
  // The tool tip, and the name screen readers use while the button has no caption.
  void setHint(const QString &hint) { setToolTip(hint); }

protected:
  void paintEvent(QPaintEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

private:
  void drawFace(QImage &surface) const;

  QImage glyph_;
  PngOptions options_ = pngBlendOnDisabled;
};

} // namespace tv::ui
