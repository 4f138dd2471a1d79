#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <array>
#include <functional>

class QLabel;
class QMouseEvent;
class QWidget;

namespace tv::ui {

// Which corner image is named Image1 to Image4.
enum class CornerNames {
  TopLeftTopRightBottomLeftBottomRight, // TForm1, TForm4, TForm5, TForm6
  TopLeftTopRightBottomRightBottomLeft, // TForm2, TForm3
};

// Makes a window a white borderless panel with rounded corners and a grey outline, moved
// by dragging its top strip, and opened centred the first time and where it last was after.
// The corners outside the arcs are cut away with a window shape, so they show what lies
// beneath and take no clicks, with or without a compositor.
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
  // A strip that reaches down to a title label's bottom edge: the row at the label's top plus
  // its designed line height (Label2 of the main window: 16 + 23 = 39) still belongs to it.
  static bool DownToBottomOf(QPoint point, const QWidget *label);

  // The pixel a strip test is asked about for a pointer at the position: the logical pixel
  // in which the device pixel under the pointer begins. A strip of N logical rows thus takes
  // every device row below N * ratio, and no device row of the control below it.
  static QPoint StripPixel(QPointF position, qreal ratio);

  // The outline and the corners, drawn in the window's paint event before its controls.
  void FormPaint();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void placeCorners();
  void cutToShape();
  void cutOnEveryScreen();
  void trustPlaceOf(const QMouseEvent *press, QPointF inWindow);
  bool pressStartsDrag(const QMouseEvent *press, QPoint pixel) const;
  bool handleMouse(QMouseEvent *mouse);

  QWidget *window_;
  StripTest inDragStrip_;
  std::array<QLabel *, 4> corners_{};
  std::array<int, 4> cornerOfImage_{};
  std::array<QImage, 4> drawnCorners_;
  bool dragging_ = false;
  QPointF grabOffset_;
};

} // namespace tv::ui
