// Labels whose text stands on the lines the windows were designed with.
#pragma once

#include <QLabel>

namespace tv::ui {

// A label of one line whose text stands where the windows' design puts it: its baseline the
// design's ascent below the label's top (19 pixels for 19-pixel Tahoma, where Qt puts it 15
// pixels down), also where a fallback face draws Chinese characters, and the label as high as
// the design's line. The text is drawn from the left edge, taken literally.
class LineLabel : public QLabel {
  Q_OBJECT
public:
  explicit LineLabel(const QString &text, QWidget *parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent *event) override;
};

// The text area of the message and confirmation boxes: the text taken literally (an
// ampersand is an ampersand, markup is text), broken into lines at spaces, the lines as far
// apart as the design's line height (16 pixels for 13-pixel Tahoma) with their baselines on
// the design's lines, and cut at the label's edges: a word wider than the label runs past its
// right edge.
class MessageLabel : public QLabel {
  Q_OBJECT
public:
  explicit MessageLabel(QWidget *parent = nullptr);

protected:
  void paintEvent(QPaintEvent *event) override;
};

} // namespace tv::ui
