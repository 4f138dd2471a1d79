#include "app/list_model.h"

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
  if (rows_.at(row).image == DriveImage) {
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
  const int row = index.row();
  const QString typed = value.toString();
  const quint64 generation = generation_;
  const std::optional<QByteArray> movedTo = edited_(row, typed);
  // A handler that listed the folder anew has left nothing to rename.
  if (generation != generation_)
    return false;
  if (rows_.at(row).image == DriveImage)
    driveCaptions_.insert(rows_.name(row).toByteArray(), typed);
  else if (!movedTo || !rows_.rename(row, *movedTo))
    return false;
  emit dataChanged(index, index);
  return true;
}

} // namespace tv
