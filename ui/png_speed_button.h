// A button with a PNG glyph drawn by the window that holds it, never taking the focus.
#pragma once

#include "ui/png_glyph_button.h"

namespace tv::ui {

// A button drawn by the window that holds it: flat or not, with a PNG glyph left of its
// caption; it never takes the keyboard focus. The hint is the tool tip.
class TPngSpeedButton : public PngGlyphButton {
  Q_OBJECT
public:
  explicit TPngSpeedButton(QWidget *parent = nullptr);

  void SetFlat(bool flat);
  bool IsFlat() const { return flat_; }
  using PngGlyphButton::Margin;
  using PngGlyphButton::SetMargin;
  using PngGlyphButton::SetSpacing;

protected:
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;
  void DrawFace(QImage &surface) const override;

private:
  bool flat_ = true;
};

} // namespace tv::ui
