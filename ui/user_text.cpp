// The widgets that show names and typed text, shaped where their script needs it.
#include "ui/user_text.h"

#include "ui/program_font.h"

namespace tv::ui {

UserTextLabel::UserTextLabel(const QFont &face, QWidget *parent) : LineLabel(QString(), parent), face_(face)
{
  setFont(face);
}

void UserTextLabel::setText(const QString &text)
{
  setFont(FontForText(face_, text));
  LineLabel::setText(text);
}

NameEdit::NameEdit(QWidget *parent) : QLineEdit(parent) { setFont(ShapedFont(font())); }

QWidget *UserTextDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
  QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (editor)
    editor->setFont(ShapedFont(option.font));
  return editor;
}

void UserTextDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
  QStyledItemDelegate::initStyleOption(option, index);
  const QFont font = FontForText(option->font, option->text);
  if (font.styleStrategy() != option->font.styleStrategy()) {
    option->font = font;
    option->fontMetrics = QFontMetrics(font);
  }
}

} // namespace tv::ui
