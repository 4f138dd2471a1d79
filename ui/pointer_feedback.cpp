// How column titles and flat buttons answer the mouse pointer.
#include "ui/pointer_feedback.h"

#include <QEvent>
#include <QLabel>

#include "ui/png_speed_button.h"

namespace tv::ui {

namespace {

void SetTextColour(QLabel *title, const QColor &colour)
{
  QPalette palette = title->palette();
  palette.setColor(QPalette::WindowText, colour);
  title->setPalette(palette);
}

class HoverColour : public QObject {
public:
  explicit HoverColour(QLabel *title) : QObject(title), title_(title) {}

protected:
  bool eventFilter(QObject *, QEvent *event) override
  {
    if (event->type() == QEvent::Enter)
      SetTextColour(title_, Qt::red);
    else if (event->type() == QEvent::Leave)
      SetTextColour(title_, title_->parentWidget()->palette().color(QPalette::WindowText));
    return false;
  }

private:
  QLabel *title_;
};

class FlatInverter : public QObject {
public:
  explicit FlatInverter(TPngSpeedButton *button) : QObject(button), button_(button) {}

protected:
  bool eventFilter(QObject *, QEvent *event) override
  {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
      button_->SetFlat(!button_->IsFlat());
      break;
    default:
      break;
    }
    return false;
  }

private:
  TPngSpeedButton *button_;
};

} // namespace

void RedWhileHovered(QLabel *title) { title->installEventFilter(new HoverColour(title)); }

void InvertFlatOnPressAndRelease(TPngSpeedButton *button) { button->installEventFilter(new FlatInverter(button)); }

} // namespace tv::ui
