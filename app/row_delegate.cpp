// Draws the main window's list cells with each row's picture and hands on edited captions.
#include "app/row_delegate.h"

#include <QMetaProperty>

#include "app/list_model.h"
#include "ui/png_image_list.h"

namespace tv {

RowDelegate::RowDelegate(const ui::TPngImageList &images, QObject *parent)
    : ui::UserTextDelegate(parent), images_(images)
{
}

void RowDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const
{
  const QString typed = editor->metaObject()->userProperty().read(editor).toString();
  // Qt commits through a const function; the signal leaves the delegate as it was.
  emit const_cast<RowDelegate *>(this)->CaptionEdited(index.row(), typed);
}

void RowDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
  ui::UserTextDelegate::initStyleOption(option, index);
  const QVariant image = index.data(ListModel::RowImageRole);
  if (image.isValid()) {
    // As the styled delegate shows an icon of the decoration role.
    option->icon = images_.Icon(image.value<ops::ListImage>());
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize = option->decorationSize.boundedTo(option->icon.actualSize(option->decorationSize));
  }
}

} // namespace tv
