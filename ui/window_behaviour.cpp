#include "ui/window_behaviour.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

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
      const QRect area = screen->availableGeometry();
      const QSize size = window_->frameGeometry().size();
      window_->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
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

} // namespace

void CentreOnFirstShow(QWidget *window) { window->installEventFilter(new FirstShowCentring(window)); }

void KeepOpenOnEscape(QDialog *dialog) { dialog->installEventFilter(new EscapeSwallower(dialog)); }

} // namespace tv::ui
