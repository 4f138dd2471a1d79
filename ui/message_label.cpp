// Labels whose text stands on the lines the windows were designed with.
#include "ui/message_label.h"

#include <QPainter>
#include <QTextLayout>

#include "ui/program_font.h"

namespace tv::ui {

LineLabel::LineLabel(const QString &text, QWidget *parent) : QLabel(text, parent) { setTextFormat(Qt::PlainText); }

QSize LineLabel::sizeHint() const { return {QLabel::sizeHint().width(), DesignedLineHeight(font())}; }

QSize LineLabel::minimumSizeHint() const { return sizeHint(); }

void LineLabel::paintEvent(QPaintEvent *)
{
  QPainter painter(this);
  painter.setFont(FontForText(font(), text()));
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
  painter.drawText(QPoint(0, DesignedAscent(font())), text());
}

MessageLabel::MessageLabel(QWidget *parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void MessageLabel::paintEvent(QPaintEvent *)
{
  QString shown = text();
  shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(shown, FontForText(font(), shown));
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  const int lineHeight = DesignedLineHeight(font());
  const int ascent = DesignedAscent(font());
  layout.beginLayout();
  for (int top = 0; top < height(); top += lineHeight) {
    QTextLine line = layout.createLine();
    if (!line.isValid())
      break;
    line.setLineWidth(width());
    line.setPosition(QPointF(0, top + ascent - line.ascent()));
  }
  layout.endLayout();
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  layout.draw(&painter, QPointF(0, 0));
}

} // namespace tv::ui
