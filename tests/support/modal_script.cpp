#include "tests/support/modal_script.h"

#include <QApplication>
#include <QWidget>

namespace tv::test {

ModalScript::ModalScript(QList<Step> steps, Step afterSteps)
    : steps_(std::move(steps)), afterSteps_(std::move(afterSteps))
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
  if (!steps_.isEmpty()) {
    steps_.takeFirst()(window);
  } else if (afterSteps_) {
    afterSteps_(window);
  } else {
    ++unexpected_;
    window->close();
  }
  answering_ = false;
}

} // namespace tv::test
