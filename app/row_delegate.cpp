#include "app/row_delegate.h"

#include "ui/program_font.h"

namespace tv {

QWidget *RowDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
  QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (editor)
    editor->setFont(ui::ShapedFont(option.font));
  return editor;
}

void RowDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
  QStyledItemDelegate::initStyleOption(option, index);
  const QFont font = ui::FontForText(option->font, option->text);
  if (font.styleStrategy() != option->font.styleStrategy()) {
    option->font = font;
    option->fontMetrics = QFontMetrics(font);
  }
}

} // namespace tv
