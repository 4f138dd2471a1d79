#include "app/list_model.h"

namespace tv {

namespace {

enum Column { NameColumn, SizeColumn, DetailColumn, ColumnCount };

} // namespace

void ListModel::setRows(RowTable rows, const RowTextFormat &format)
{
  beginResetModel();
  rows_ = std::move(rows);
  format_ = format;
  driveCaptions_.clear();
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

QString ListModel::caption(int row) const
{
  if (rows_.at(row).kind == ui::RowKind::Drive) {
    const auto typed = driveCaptions_.constFind(rows_.name(row).toByteArray());
    if (typed != driveCaptions_.constEnd())
      return *typed;
  }
  return format_->caption(rows_, row);
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
      return caption(row);
    return index.column() == SizeColumn ? format_->sizeText(rows_, row) : format_->detailText(rows_, row);
  case RowImageRole:
    if (index.column() == NameColumn && rows_.at(row).image != ui::ListImage::None)
      return QVariant::fromValue(rows_.at(row).image);
    return {};
  default:
    return {};
  }
}

Qt::ItemFlags ListModel::flags(const QModelIndex &index) const
{
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == NameColumn && rows_.at(index.row()).kind != ui::RowKind::Message)
    flags |= Qt::ItemIsEditable;
  return flags;
}

void ListModel::renameRow(int row, QByteArrayView name)
{
  if (rows_.rename(row, name))
    emit dataChanged(index(row, NameColumn), index(row, NameColumn));
}

void ListModel::setDriveCaption(int row, const QString &typed)
{
  driveCaptions_.insert(rows_.name(row).toByteArray(), typed);
  emit dataChanged(index(row, NameColumn), index(row, NameColumn));
}

} // namespace tv
