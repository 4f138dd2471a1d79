// The borderless windows: rounded corners, a grey outline and a top strip that moves them.
#include "ui/borderless_frame.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <QtMath>

#include "platform/window_cut.h"
#include "ui/png_speed_button.h"
#include "ui/program_font.h"
#include "ui/window_behaviour.h"
#include "ui/window_shape.h"

namespace tv::ui {

namespace {

constexpr int TextPixels = 13;

// Labels, pictures and glyph buttons are drawn by the window itself, so a press on them in
// the strip moves the window; controls with a window of their own (edits, push buttons,
// lists, combo boxes, radio groups) keep their presses.
bool DrawnByWindow(const QWidget *window, const QWidget *under)
{
  if (!under)
    return true;
  return under->parentWidget() == window &&
         (qobject_cast<const QLabel *>(under) || qobject_cast<const TPngSpeedButton *>(under));
}

// The window draws the corners itself, on the grid it is cut by: a label would place its
// picture on a grid of its own wherever its logical place falls between device pixels.
class CornerImage : public QLabel {
public:
  using QLabel::QLabel;

protected:
  void paintEvent(QPaintEvent *) override {}
};

bool IsMouse(const QEvent *event)
{
  const QEvent::Type type = event->type();
  return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove ||
         type == QEvent::MouseButtonRelease;
}

} // namespace

BorderlessFrame::BorderlessFrame(QWidget *window, CornerNames names, StripTest inDragStrip)
    : window_(window), onWayland_(platform::RunsOnWayland()), inDragStrip_(std::move(inDragStrip))
{
  window->setWindowFlag(Qt::FramelessWindowHint);
  // With alpha the frame paints the white panel itself, leaving the corners transparent.
  if (onWayland_)
    window->setAttribute(Qt::WA_TranslucentBackground);
  else
    window->setAutoFillBackground(true);
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, Qt::white);
  window->setPalette(palette);
  window->setFont(TahomaFont(TextPixels));
  cornerOfImage_ = names == CornerNames::TopLeftTopRightBottomLeftBottomRight
                       ? std::array<int, 4>{TopLeft, TopRight, BottomLeft, BottomRight}
                       : std::array<int, 4>{TopLeft, TopRight, BottomRight, BottomLeft};
  for (size_t i = 0; i < corners_.size(); ++i) {
    corners_[i] = new CornerImage(window);
    corners_[i]->setObjectName(QStringLiteral("Image%1").arg(i + 1));
  }
  CutToShape();
  CentreOnFirstShow(window);
}

bool BorderlessFrame::DownToBottomOf(QPoint point, const QWidget *label)
{
  return point.y() <= label->y() + DesignedLineHeight(label->font());
}

QPoint BorderlessFrame::StripPixel(QPointF position, qreal ratio)
{
  // A position that came from a whole device pixel can lie a rounding error below it.
  constexpr qreal Slack = 1e-6;
  const auto logical = [ratio](qreal at) { return qFloor((qFloor(at * ratio + Slack) + Slack) / ratio); };
  return {logical(position.x()), logical(position.y())};
}

// Corners and outline are drawn on the device pixel grid, from the same pictures the window
// is cut by, so that the cut and the drawn arc agree at every scale.
void BorderlessFrame::Paint()
{
  const qreal ratio = window_->devicePixelRatio();
  QPainter painter(window_);
  painter.scale(1 / ratio, 1 / ratio);
  if (onWayland_)
    PaintTranslucentFrame(painter, DeviceSize(window_->size(), ratio), drawnCorners_);
  else
    PaintFrame(painter, DeviceSize(window_->size(), ratio), drawnCorners_);
}

void BorderlessFrame::PlaceCorners()
{
  const std::array<QPoint, 4> positions = CornerPositions(window_->size());
  for (size_t i = 0; i < corners_.size(); ++i)
    corners_[i]->setGeometry(QRect(positions[static_cast<size_t>(cornerOfImage_[i])], QSize(CornerSize, CornerSize)));
  CutToShape();
}

// Qt would scale a shape given in logical pixels row by row, rounding each row on its own,
// and leave key pixels and notches at fractional scales: where the window system can, the
// shape is cut in device pixels instead.
void BorderlessFrame::CutToShape()
{
  const qreal ratio = window_->devicePixelRatio();
  drawnCorners_ = onWayland_ ? WithKeyTransparent(CornerPicturesAt(ratio)) : CornerPicturesAt(ratio);
  for (size_t i = 0; i < corners_.size(); ++i) {
    QPixmap picture = QPixmap::fromImage(drawnCorners_[static_cast<size_t>(cornerOfImage_[i])]);
    picture.setDevicePixelRatio(ratio);
    corners_[i]->setPixmap(picture);
  }
  window_->update();
  // On Wayland alpha alone makes the corners: an input region through Qt (6.4) lands on the
  // wrong pixels under a Qt scale factor, and the compositor then takes presses on the window
  // for moves of its own.
  if (onWayland_)
    return;
  const auto cutByQt = [this] { window_->setMask(VisibleRegion(window_->size(), CornerPicturesAt(1))); };
  const QWindow *native = window_->windowHandle();
  if (!platform::WindowsCanBeCut())
    cutByQt();
  // Without a native window yet, the cut waits for the window's showing; where the server
  // refuses it, Qt's rounded cut is still better than none.
  else if (native && native->handle() &&
           !platform::CutWindowToRegion(native, VisibleRegion(DeviceSize(window_->size(), ratio), drawnCorners_)))
    cutByQt();
}

// Qt's record of where the window stands can go stale: when a window manager reparents a new
// window, Qt may read the place of the manager's frame before the frame was moved into place,
// and nothing tells it otherwise later. Every mapping to and from the screen (the strip test,
// the start point of a system move, a popup menu's place) is then off by that much. A press
// says where the window really stands: its place on the screen less its place in the window.
void BorderlessFrame::TrustPlaceOf(const QMouseEvent *press, QPointF inWindow)
{
  const QPoint actual = (press->globalPosition() - inWindow).toPoint();
  // A pixel of rounding under a fractional scale is no reason to move the window.
  if ((window_->mapToGlobal(QPoint()) - actual).manhattanLength() > 2 && window_->windowHandle())
    window_->windowHandle()->setPosition(actual);
}

bool BorderlessFrame::PressStartsDrag(const QMouseEvent *press, QPoint pixel) const
{
  return press->button() == Qt::LeftButton && inDragStrip_(pixel) && DrawnByWindow(window_, window_->childAt(pixel));
}

// After the window system has moved the window, the release may never arrive: every press
// starts afresh.
bool BorderlessFrame::HandleMouse(QMouseEvent *mouse)
{
  const QPointF inWindow = mouse->position();
  switch (mouse->type()) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick: {
    dragging_ = false;
    if (!onWayland_)
      TrustPlaceOf(mouse, inWindow);
    if (!PressStartsDrag(mouse, StripPixel(inWindow, window_->devicePixelRatio())))
      return false;
    if (!window_->windowHandle()->startSystemMove()) {
      dragging_ = true;
      grabOffset_ = inWindow;
    }
    return true;
  }
  case QEvent::MouseMove:
    if (dragging_)
      window_->move((mouse->globalPosition() - grabOffset_).toPoint());
    return dragging_;
  case QEvent::MouseButtonRelease: {
    const bool wasDragging = dragging_;
    dragging_ = false;
    return wasDragging;
  }
  default:
    return false;
  }
}

void BorderlessFrame::CutOnEveryScreen()
{
  CutToShape();
  QWindow *native = window_->windowHandle();
  if (native && native != screenWatched_) {
    QObject::connect(native, &QWindow::screenChanged, window_, [this] { CutToShape(); });
    screenWatched_ = native;
  }
}

template <class Window>
BorderlessWindow<Window>::BorderlessWindow(QWidget *parent, CornerNames names, BorderlessFrame::StripTest inDragStrip)
    : Window(parent), frame_(this, names, std::move(inDragStrip))
{
}

// Resize and show are seen here, before the window's own handlers, as they would be by a
// filter: a window that handles its showing itself need not remember to pass it on.
template <class Window> bool BorderlessWindow<Window>::event(QEvent *event)
{
  if (event->type() == QEvent::Resize)
    frame_.PlaceCorners();
  else if (event->type() == QEvent::Show) {
    frame_.CutOnEveryScreen();
    if (QWindow *native = this->windowHandle())
      native->installEventFilter(this);
  }
  return Window::event(event);
}

template <class Window> void BorderlessWindow<Window>::paintEvent(QPaintEvent *) { FormPaint(); }

template <class Window> bool BorderlessWindow<Window>::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == this->windowHandle() && IsMouse(event))
    return frame_.HandleMouse(static_cast<QMouseEvent *>(event));
  return Window::eventFilter(watched, event);
}

template class BorderlessWindow<QWidget>;
template class BorderlessWindow<QDialog>;

} // namespace tv::ui
