// What both glyph buttons share: a PNG glyph beside the caption, and the name screen readers announce.
#pragma once

#include <QAbstractButton>
#include <QImage>

#include "ui/png_drawing.h"

namespace tv::ui {

// What both glyph buttons share: a PNG glyph left of the caption, drawn with the disabled
// look of the options, on an image of the panel beneath; and the caption, or the hint while
// there is none, as the name screen readers announce.
class PngGlyphButton : public QAbstractButton {
  Q_OBJECT
public:
  void SetPngImage(const QImage &glyph);
  const QImage &PngImage() const { return glyph_; }
  void SetPngOptions(PngOptions options);
  // The tool tip, and the name screen readers use while the button has no caption.
  void SetHint(const QString &hint) { setToolTip(hint); }

protected:
  explicit PngGlyphButton(QWidget *parent);

  // Where glyph and caption go (see CalcButtonLayout): by default centred as one group.
  void SetMargin(int margin);
  int Margin() const { return margin_; }
  void SetSpacing(int spacing);

  void paintEvent(QPaintEvent *event) override;
  // The button's face, drawn over the panel beneath before the glyph.
  virtual void DrawFace(QImage &surface) const = 0;

private:
  QImage glyph_;
  int margin_ = -1;
  int spacing_ = 4;
  PngOptions options_ = pngBlendOnDisabled;
};

} // namespace tv::ui
