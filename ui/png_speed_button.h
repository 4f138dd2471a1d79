#pragma once

#include <QAbstractButton>
#include <QImage>

#include "ui/png_drawing.h"

namespace tv::ui {

// A button drawn by the window that holds it: flat or not, with a PNG glyph left of its
// caption; it never takes the keyboard focus. The hint is the tool tip.
class TPngSpeedButton : public QAbstractButton {
  Q_OBJECT
public:
  explicit TPngSpeedButton(QWidget *parent = nullptr);

  void setPngImage(const QImage &glyph);
  const QImage &pngImage() const { return glyph_; }
  void setFlat(bool flat);
  bool isFlat() const { return flat_; }
  void setMargin(int margin);
  int margin() const { return margin_; }
  void setSpacing(int spacing);
  void setPngOptions(PngOptions options);
  PngOptions pngOptions() const { return options_; }
  void setHint(const QString &hint);

protected:
  void paintEvent(QPaintEvent *event) override;
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;

private:
  void drawFace(QImage &surface) const;

  QImage glyph_;
  bool flat_ = true;
  int margin_ = -1;
  int spacing_ = 4;
  PngOptions options_ = pngBlendOnDisabled;
};

} // namespace tv::ui
