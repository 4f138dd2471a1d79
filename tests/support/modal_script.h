#pragma once

#include <QList>
#include <QTimer>
#include <functional>

class QWidget;

namespace tv::test {

// Answers the modal windows that the code under test opens, for as long as it lives: each
// time a modal window is found open, the next step is run on it. A window found open when no
// step is left goes to afterSteps where one is given; otherwise it is closed and counted, so
// that a test never hangs on a window it did not expect.
class ModalScript {
public:
  using Step = std::function<void(QWidget *window)>;

  explicit ModalScript(QList<Step> steps = {}, Step afterSteps = {});

  qsizetype stepsLeft() const { return steps_.size(); }
  int unexpectedWindows() const { return unexpected_; }

private:
  void answer();

  QTimer timer_;
  QList<Step> steps_;
  Step afterSteps_;
  int unexpected_ = 0;
  bool answering_ = false;
};

} // namespace tv::test
