#include "tests/fileops/modal_script.h"

#include <QApplication>
#include <QWidget>

namespace tv::test {

ModalScript::ModalScript(QList<Step> steps) : steps_(std::move(steps))
{
  QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
  timer_.start(10);
}

void ModalScript::answer()
{
  QWidget *window = QApplication::activeModalWidget();
  // A step may wait for events itself; the timer must not start another step meanwhile.
  if (answering_ || window == nullptr || !window->isVisible())
    return;
  answering_ = true;
  if (steps_.isEmpty()) {
    ++unexpected_;
    window->close();
  } else {
    steps_.takeFirst()(window);
  }
  answering_ = false;
}

} // namespace tv::test
