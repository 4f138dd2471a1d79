// The rows of the list in one vector, with the bytes of every name in one block.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <vector>

#include "ops/row_kind.h"

namespace tv {

// What the listing read once about an entry. Texts and sort keys are derived from it.
struct Row {
  quint32 nameOffset = 0;
  quint16 nameLength = 0;
  ops::RowKind kind = ops::RowKind::File;
  ops::ListImage image = ops::ListImage::File; // chosen when listed, kept when renamed
  qint64 size = -1;                            // a file's bytes; a drive's total bytes, -1 when its query failed
  qint64 modified = 0;                         // a file's modification time, seconds since the epoch
  qint64 available = -1;                       // a drive's bytes free to the user
};

// The rows of the list in one contiguous vector, with every name's raw bytes in one block.
class RowTable {
public:
  RowTable() = default;
  // Rows whose names are already in the block.
  RowTable(QByteArray names, std::vector<Row> rows) : names_(std::move(names)), rows_(std::move(rows)) {}

  int Count() const { return static_cast<int>(rows_.size()); }
  const Row &At(int row) const { return rows_[static_cast<size_t>(row)]; }
  // The raw bytes of a row's name (a drive's mount point; the message row's text).
  QByteArrayView Name(int row) const;

  // Adds a row with a new name.
  void Append(QByteArrayView name, Row row);
  // Gives a row a new name in place; false when the name is too long to hold.
  bool Rename(int row, QByteArrayView name);
  // Puts the rows in a new order: new row i is old row order[i].
  void Reorder(const std::vector<int> &order);

private:
  QByteArray names_;
  std::vector<Row> rows_;
};

} // namespace tv
