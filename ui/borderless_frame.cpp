#include "ui/borderless_frame.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace tv::ui {

BorderlessFrame::BorderlessFrame(QWidget *window, CornerNames names, StripTest inDragStrip)
    : QObject(window), window_(window), inDragStrip_(std::move(inDragStrip))
{
  window->setWindowFlag(Qt::FramelessWindowHint);
  window->setAutoFillBackground(true);
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, Qt::white);
  window->setPalette(palette);
  for (int i = 0; i < 4; ++i) {
    corners_[static_cast<size_t>(i)] = new QLabel(window);
    corners_[static_cast<size_t>(i)]->setObjectName(QStringLiteral("Image%1").arg(i + 1));
  }
  (void)names;
  window->installEventFilter(this);
}

bool BorderlessFrame::eventFilter(QObject *watched, QEvent *event) { return QObject::eventFilter(watched, event); }

} // namespace tv::ui
