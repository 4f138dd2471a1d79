// A push button with a PNG glyph that takes the keyboard focus.
#pragma once

#include "ui/png_glyph_button.h"

namespace tv::ui {

// A push button with a PNG glyph, drawn by the program: it takes the focus, Enter and the
// space bar press it, and it shows a dotted focus rectangle.
class TPngBitBtn : public PngGlyphButton {
  Q_OBJECT
public:
  explicit TPngBitBtn(QWidget *parent = nullptr);

protected:
  void paintEvent(QPaintEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void DrawFace(QImage &surface) const override;
};

} // namespace tv::ui
