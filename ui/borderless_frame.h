// The borderless windows: rounded corners, a grey outline and a top strip that moves them.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QMouseEvent;
class QWindow;

namespace tv::ui {

// Which corner image is named Image1 to Image4.
enum class CornerNames {
  TopLeftTopRightBottomLeftBottomRight, // TForm1, TForm4, TForm5, TForm6
  TopLeftTopRightBottomRightBottomLeft, // TForm2, TForm3
};

// What a borderless window is besides its controls: a white panel with rounded corners and a
// grey outline, moved by dragging its top strip, and opened centred the first time and where
// it last was after. On X11 the corners outside the arcs are cut away with a window shape, so
// they show what lies beneath and take no clicks, with or without a compositor; on Wayland
// the window is painted with alpha, transparent there (they still take clicks). The window
// (BorderlessWindow) hands it the events it acts on.
class BorderlessFrame {
public:
  // Tells whether a point, in the window's own coordinates, lies in its drag strip.
  using StripTest = std::function<bool(QPoint)>;

  BorderlessFrame(QWidget *window, CornerNames names, StripTest inDragStrip);
  BorderlessFrame(const BorderlessFrame &) = delete;
  BorderlessFrame &operator=(const BorderlessFrame &) = delete;

  // Image1 to Image4, in that order.
  const std::array<QLabel *, 4> &CornerImages() const { return corners_; }

  // The strip of the dialogs: the top 17 pixel rows.
  static bool InTopRows(QPoint point, int rows) { return point.y() < rows; }
  // A strip that reaches down to a title label's bottom edge: the row at the label's top plus
  // its designed line height (Label2 of the main window: 16 + 23 = 39) still belongs to it.
  static bool DownToBottomOf(QPoint point, const QWidget *label);

  // The pixel a strip test is asked about for a pointer at the position: the logical pixel
  // in which the device pixel under the pointer begins. A strip of N logical rows thus takes
  // every device row below N * ratio, and no device row of the control below it.
  static QPoint StripPixel(QPointF position, qreal ratio);

  // The outline and the corners, drawn before the window's controls.
  void Paint();
  void PlaceCorners();
  // The shape is cut anew when the window is shown and when it moves to a screen of another
  // scale.
  void CutOnEveryScreen();
  // A mouse event of the window's native window, which has the exact position (its controls
  // get positions rounded to whole logical pixels) and comes before the controls see it.
  // True when the frame took it.
  bool HandleMouse(QMouseEvent *mouse);

private:
  void CutToShape();
  void TrustPlaceOf(const QMouseEvent *press, QPointF inWindow);
  bool PressStartsDrag(const QMouseEvent *press, QPoint pixel) const;

  QWidget *window_;
  // Wayland shows the window's alpha and moves and places windows itself.
  const bool onWayland_;
  StripTest inDragStrip_;
  std::array<QLabel *, 4> corners_{};
  std::array<int, 4> cornerOfImage_{};
  std::array<QImage, 4> drawnCorners_;
  // The native window whose screen changes cut the shape anew.
  QPointer<QWindow> screenWatched_;
  bool dragging_ = false;
  QPointF grabOffset_;
};

// The base of the borderless windows, a plain widget (TForm1) or a dialog (the others): it
// paints its frame in its own paint event and watches only its own native window's mouse
// events for the drag strip.
template <class Window> class BorderlessWindow : public Window {
public:
  BorderlessWindow(QWidget *parent, CornerNames names, BorderlessFrame::StripTest inDragStrip);

  const std::array<QLabel *, 4> &CornerImages() const { return frame_.CornerImages(); }

  void FormPaint() { frame_.Paint(); }

protected:
  bool event(QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  BorderlessFrame frame_;
};

extern template class BorderlessWindow<QWidget>;
extern template class BorderlessWindow<QDialog>;

using BorderlessWidget = BorderlessWindow<QWidget>;
using BorderlessDialog = BorderlessWindow<QDialog>;

} // namespace tv::ui
