#pragma once

#include <QLabel>

namespace tv::ui {

// The text area of the message and confirmation boxes: the text taken literally (an
// ampersand is an ampersand, markup is text), broken into lines at spaces, the lines as far
// apart as the design's line height (16 pixels for 13-pixel Tahoma), and cut at the label's
// edges: a word wider than the label runs past its right edge.
class MessageLabel : public QLabel {
  Q_OBJECT
public:
  explicit MessageLabel(QWidget *parent = nullptr);

protected:
  void paintEvent(QPaintEvent *event) override;
};

} // namespace tv::ui
