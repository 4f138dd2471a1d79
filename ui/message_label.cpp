#include "ui/message_label.h"

#include <QPainter>
#include <QTextLayout>

#include "ui/program_font.h"

namespace tv::ui {

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
  layout.beginLayout();
  for (int top = 0; top < height(); top += lineHeight) {
    QTextLine line = layout.createLine();
    if (!line.isValid())
      break;
    line.setLineWidth(width());
    line.setPosition(QPointF(0, top));
  }
  layout.endLayout();
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  layout.draw(&painter, QPointF(0, 0));
}

} // namespace tv::ui
