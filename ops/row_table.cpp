// The rows of the list in one vector, with the bytes of every name in one block.
#include "ops/row_table.h"

#include <limits>

namespace tv {

QByteArrayView RowTable::Name(int row) const
{
  const Row &entry = At(row);
  return QByteArrayView(names_.constData() + entry.nameOffset, entry.nameLength);
}

void RowTable::Append(QByteArrayView name, Row row)
{
  row.nameOffset = static_cast<quint32>(names_.size());
  row.nameLength = static_cast<quint16>(name.size());
  names_.append(name);
  rows_.push_back(row);
}

bool RowTable::Rename(int row, QByteArrayView name)
{
  if (name.size() > std::numeric_limits<quint16>::max())
    return false;
  Row &entry = rows_[static_cast<size_t>(row)];
  entry.nameOffset = static_cast<quint32>(names_.size());
  entry.nameLength = static_cast<quint16>(name.size());
  names_.append(name);
  return true;
}

void RowTable::Reorder(const std::vector<int> &order)
{
  std::vector<Row> reordered;
  reordered.reserve(order.size());
  for (const int old : order)
    reordered.push_back(rows_[static_cast<size_t>(old)]);
  rows_ = std::move(reordered);
}

} // namespace tv
