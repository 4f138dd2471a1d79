#pragma once

#include <QObject>
#include <QPoint>
#include <array>
#include <functional>

class QLabel;
class QWidget;

namespace tv::ui {

// Which corner image is named Image1 to Image4.
enum class CornerNames {
  TopLeftTopRightBottomLeftBottomRight, // TForm1, TForm4, TForm5, TForm6
  TopLeftTopRightBottomRightBottomLeft, // TForm2, TForm3
};

// Makes a window a white borderless panel with rounded corners and a grey outline, moved
// by dragging its top strip, and opened centred the first time and where it last was after.
class BorderlessFrame : public QObject {
  Q_OBJECT
public:
  // Tells whether a point, in the window's own coordinates, lies in its drag strip.
  using StripTest = std::function<bool(QPoint)>;

  BorderlessFrame(QWidget *window, CornerNames names, StripTest inDragStrip);

  // Image1 to Image4, in that order.
  const std::array<QLabel *, 4> &cornerImages() const { return corners_; }

  // The strip of the dialogs: the top 17 pixel rows.
  static bool InTopRows(QPoint point, int rows) { return point.y() < rows; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QWidget *window_;
  StripTest inDragStrip_;
  std::array<QLabel *, 4> corners_{};
};

} // namespace tv::ui
