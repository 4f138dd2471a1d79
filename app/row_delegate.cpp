#include "app/row_delegate.h"

#include <QMetaProperty>

#include "app/list_model.h"
#include "ui/png_image_list.h"
#include "ui/program_font.h"

namespace tv {

RowDelegate::RowDelegate(const ui::TPngImageList &images, QObject *parent)
    : QStyledItemDelegate(parent), images_(images)
{
}

QWidget *RowDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
  QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (editor)
    editor->setFont(ui::ShapedFont(option.font));
  return editor;
}

void RowDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const
{
  const QString typed = editor->metaObject()->userProperty().read(editor).toString();
  // Qt commits through a const function; the signal leaves the delegate as it was.
  emit const_cast<RowDelegate *>(this)->captionEdited(index.row(), typed);
}

void RowDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
  QStyledItemDelegate::initStyleOption(option, index);
  const QVariant image = index.data(ListModel::RowImageRole);
  if (image.isValid()) {
    // As the styled delegate shows an icon of the decoration role.
    option->icon = images_.icon(image.value<ui::ListImage>());
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize = option->decorationSize.boundedTo(option->icon.actualSize(option->decorationSize));
  }
  const QFont font = ui::FontForText(option->font, option->text);
  if (font.styleStrategy() != option->font.styleStrategy()) {
    option->font = font;
    option->fontMetrics = QFontMetrics(font);
  }
}

} // namespace tv
