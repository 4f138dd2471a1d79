// The main window's list model: the name, size and time (or free space) of each row.
#include "app/list_model.h"

namespace tv {

namespace {

enum Column { NameColumn, SizeColumn, DetailColumn, ColumnCount };

} // namespace

void ListModel::SetRows(RowTable rows, const RowTextFormat &format)
{
  beginResetModel();
  rows_ = std::move(rows);
  format_ = format;
  driveCaptions_.clear();
  endResetModel();
}

void ListModel::SortBy(SortKey key, const QCollator &collator)
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
  rows_.Reorder(order);
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString ListModel::Caption(int row) const
{
  if (rows_.At(row).kind == ops::RowKind::Drive) {
    const auto typed = driveCaptions_.constFind(rows_.Name(row).toByteArray());
    if (typed != driveCaptions_.constEnd())
      return *typed;
  }
  return format_->Caption(rows_, row);
}

int ListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows_.Count(); }

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
      return Caption(row);
    return index.column() == SizeColumn ? format_->SizeText(rows_, row) : format_->DetailText(rows_, row);
  case RowImageRole:
    if (index.column() == NameColumn && rows_.At(row).image != ops::ListImage::None)
      return QVariant::fromValue(rows_.At(row).image);
    return {};
  default:
    return {};
  }
}

Qt::ItemFlags ListModel::flags(const QModelIndex &index) const
{
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == NameColumn && rows_.At(index.row()).kind != ops::RowKind::Message)
    flags |= Qt::ItemIsEditable;
  return flags;
}

void ListModel::RenameRow(int row, QByteArrayView name)
{
  if (rows_.Rename(row, name))
    emit dataChanged(index(row, NameColumn), index(row, NameColumn));
}

void ListModel::SetDriveCaption(int row, const QString &typed)
{
  driveCaptions_.insert(rows_.Name(row).toByteArray(), typed);
  emit dataChanged(index(row, NameColumn), index(row, NameColumn));
}

} // namespace tv
