// The main window's list model: the name, size and time (or free space) of each row.
#pragma once

#include <QAbstractTableModel>
#include <QCollator>
#include <QHash>
#include <optional>

#include "ops/listing.h"
#include "ops/row_table.h"
#include "ops/row_texts.h"

namespace tv {

// The model of ListView1: name, size and time (or free space) of each row. Texts are
// formatted when a row is shown, so a folder of a million entries lists quickly. The model
// only mirrors the disk: the window renames entries and then tells the model.
class ListModel : public QAbstractTableModel {
  Q_OBJECT
public:
  // The role of a row's picture in the image list (a ops::ListImage), in the first column.
  static constexpr int RowImageRole = Qt::UserRole;

  using QAbstractTableModel::QAbstractTableModel;

  // Replaces every row.
  void SetRows(RowTable rows, const RowTextFormat &format);
  // Reorders the rows ascending by a key; the selection stays with its row.
  void SortBy(SortKey key, const QCollator &collator);

  const RowTable &Rows() const { return rows_; }
  const RowTextFormat &Format() const { return *format_; }
  // The first column's text: a caption typed over a drive, else the caption of the name.
  QString Caption(int row) const;
  // Gives a row the name its entry was moved to on disk.
  void RenameRow(int row, QByteArrayView name);
  // Shows a caption typed over a drive until the next listing, as a drive has no name on
  // disk to change.
  void SetDriveCaption(int row, const QString &typed);

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
  RowTable rows_;
  std::optional<RowTextFormat> format_;
  // Captions typed over drives, by mount point.
  QHash<QByteArray, QString> driveCaptions_;
};

} // namespace tv
