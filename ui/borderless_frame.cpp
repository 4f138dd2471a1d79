#include "ui/borderless_frame.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

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

} // namespace

BorderlessFrame::BorderlessFrame(QWidget *window, CornerNames names, StripTest inDragStrip)
    : QObject(window), window_(window), inDragStrip_(std::move(inDragStrip))
{
  window->setWindowFlag(Qt::FramelessWindowHint);
  window->setAutoFillBackground(true);
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, Qt::white);
  window->setPalette(palette);
  window->setFont(TahomaFont(TextPixels));
  cornerOfImage_ = names == CornerNames::TopLeftTopRightBottomLeftBottomRight
                       ? std::array<int, 4>{TopLeft, TopRight, BottomLeft, BottomRight}
                       : std::array<int, 4>{TopLeft, TopRight, BottomRight, BottomLeft};
  for (size_t i = 0; i < corners_.size(); ++i) {
    corners_[i] = new QLabel(window);
    corners_[i]->setObjectName(QStringLiteral("Image%1").arg(i + 1));
    corners_[i]->setPixmap(QPixmap::fromImage(CornerPictures()[static_cast<size_t>(cornerOfImage_[i])]));
  }
  CentreOnFirstShow(window);
  qApp->installEventFilter(this);
}

bool BorderlessFrame::DownToBottomOf(QPoint point, const QWidget *label)
{
  return point.y() <= label->y() + DesignedLineHeight(label->font());
}

void BorderlessFrame::FormPaint(QWidget *window)
{
  QPainter painter(window);
  for (const QRect &edge : OutlineEdges(window->size()))
    painter.fillRect(edge, QColor(OutlineColour));
}

void BorderlessFrame::placeCorners()
{
  const std::array<QPoint, 4> positions = CornerPositions(window_->size());
  for (size_t i = 0; i < corners_.size(); ++i)
    corners_[i]->setGeometry(QRect(positions[static_cast<size_t>(cornerOfImage_[i])], QSize(CornerSize, CornerSize)));
  window_->setMask(VisibleRegion(window_->size(), CornerPictures()));
}

// Qt's record of where the window stands can go stale: when a window manager reparents a new
// window, Qt may read the place of the manager's frame before the frame was moved into place,
// and nothing tells it otherwise later. Every mapping to and from the screen (the strip test,
// the start point of a system move, a popup menu's place) is then off by that much. A press
// says where the window really stands: its place on the screen less its place in the window.
void BorderlessFrame::trustPlaceOf(const QMouseEvent *press, QPoint inWindow)
{
  const QPoint actual = press->globalPosition().toPoint() - inWindow;
  // A pixel of rounding under a fractional scale is no reason to move the window.
  if ((window_->mapToGlobal(QPoint()) - actual).manhattanLength() > 2 && window_->windowHandle())
    window_->windowHandle()->setPosition(actual);
}

bool BorderlessFrame::pressStartsDrag(const QMouseEvent *press, QPoint inWindow) const
{
  return press->button() == Qt::LeftButton && inDragStrip_(inWindow) &&
         DrawnByWindow(window_, window_->childAt(inWindow));
}

// After the window system has moved the window, the release may never arrive: every press
// starts afresh.
bool BorderlessFrame::handleMouse(QWidget *target, QEvent *event)
{
  if (target->window() != window_)
    return false;
  auto *mouse = static_cast<QMouseEvent *>(event);
  switch (event->type()) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick: {
    dragging_ = false;
    const QPoint inWindow = target->mapTo(window_, mouse->position().toPoint());
    trustPlaceOf(mouse, inWindow);
    if (!pressStartsDrag(mouse, inWindow))
      return false;
    if (!window_->windowHandle() || !window_->windowHandle()->startSystemMove()) {
      dragging_ = true;
      grabOffset_ = inWindow;
    }
    return true;
  }
  case QEvent::MouseMove:
    if (dragging_)
      window_->move(mouse->globalPosition().toPoint() - grabOffset_);
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

bool BorderlessFrame::eventFilter(QObject *watched, QEvent *event)
{
  switch (event->type()) {
  case QEvent::Resize:
    if (watched == window_)
      placeCorners();
    return false;
  case QEvent::Paint:
    if (watched == window_)
      FormPaint(window_);
    return false;
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
  case QEvent::MouseButtonRelease:
    return watched->isWidgetType() && handleMouse(static_cast<QWidget *>(watched), event);
  default:
    return false;
  }
}

} // namespace tv::ui
