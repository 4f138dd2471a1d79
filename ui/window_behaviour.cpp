// Where windows first appear, and dialogs that Escape does not close.
#include "ui/window_behaviour.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

#include "platform/window_cut.h"

namespace tv::ui {

namespace {

class FirstShowCentring : public QObject {
public:
  explicit FirstShowCentring(QWidget *window) : QObject(window), window_(window) {}

protected:
  bool eventFilter(QObject *watched, QEvent *event) override
  {
    if (watched == window_ && event->type() == QEvent::Show && !shownBefore_) {
      shownBefore_ = true;
      const QScreen *screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
      window_->move(PlaceInArea(screen->availableGeometry(), window_->frameGeometry().size()));
    }
    return false;
  }

private:
  QWidget *window_;
  bool shownBefore_ = false;
};

class EscapeSwallower : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject *, QEvent *event) override
  {
    return event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape;
  }
};

// Centred along an axis where the window fits, at the start where it does not.
int PlaceAlong(int start, int room, int length) { return start + std::max(0, (room - length) / 2); }

} // namespace

QPoint PlaceInArea(QRect area, QSize window)
{
  return {PlaceAlong(area.x(), area.width(), window.width()), PlaceAlong(area.y(), area.height(), window.height())};
}

// A Wayland compositor places windows itself, dialogs beside the window they belong to.
void CentreOnFirstShow(QWidget *window)
{
  if (!platform::RunsOnWayland())
    window->installEventFilter(new FirstShowCentring(window));
}

void KeepOpenOnEscape(QDialog *dialog) { dialog->installEventFilter(new EscapeSwallower(dialog)); }

} // namespace tv::ui
