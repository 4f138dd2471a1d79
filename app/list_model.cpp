#include "app/list_model.h"

#include "platform/file_queries.h"

namespace tv {

namespace {

enum Column { NameColumn, SizeColumn, DetailColumn, ColumnCount };

} // namespace

ListModel::ListModel(IconSource icons, EditHandler edited, QObject *parent)
    : QAbstractTableModel(parent), icons_(std::move(icons)), edited_(std::move(edited))
{
}

void ListModel::setRows(RowTable rows, const RowTextFormat &format)
{
  beginResetModel();
  ++generation_;
  rows_ = std::move(rows);
  format_ = format;
  endResetModel();
}

void ListModel::sortBy(SortKey key, const QCollator &collator)
{
  const std::vector<int> order = SortOrder(rows_, key, collator);
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newRowOf(order.size());
  for (size_t position = 0; position < order.size(); ++position)
    newRowOf[static_cast<size_t>(order[position])] = static_cast<int>(position);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  for (const QModelIndex &index : before)
    after.append(this->index(newRowOf[static_cast<size_t>(index.row())], index.column()));
  rows_.reorder(order);
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows_.count(); }

int ListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ListModel::data(const QModelIndex &index, int role) const
{
  if (!index.isValid() || !format_)
    return {};
  const int row = index.row();
  switch (role) {
  case Qt::DisplayRole:
  case Qt::EditRole:
    if (index.column() == NameColumn)
      return format_->caption(rows_, row);
    return index.column() == SizeColumn ? format_->sizeText(rows_, row) : format_->detailText(rows_, row);
  case Qt::DecorationRole:
    if (index.column() == NameColumn && rows_.at(row).image != MessageImage)
      return icons_(rows_.at(row).image);
    return {};
  default:
    return {};
  }
}

Qt::ItemFlags ListModel::flags(const QModelIndex &index) const
{
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == NameColumn && rows_.at(index.row()).image != MessageImage)
    flags |= Qt::ItemIsEditable;
  return flags;
}

bool ListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
    return false;
  QString text = value.toString();
  const quint64 generation = generation_;
  edited_(index.row(), text);
  // A handler that listed the folder anew has left nothing to rename.
  if (generation != generation_ || !rows_.rename(index.row(), platform::nativeName(text)))
    return false;
  emit dataChanged(index, index);
  return true;
}

} // namespace tv
