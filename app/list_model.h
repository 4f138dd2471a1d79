#pragma once

#include <QAbstractTableModel>
#include <QCollator>
#include <QHash>
#include <QIcon>
#include <functional>
#include <optional>

#include "app/listing.h"
#include "app/row_table.h"
#include "app/row_texts.h"

namespace tv {

// The model of ListView1: name, size and time (or free space) of each row. Texts are
// formatted when a row is shown, so a folder of a million entries lists quickly.
class ListModel : public QAbstractTableModel {
  Q_OBJECT
public:
  // The picture of an image index.
  using IconSource = std::function<QIcon(int image)>;
  // Called when an edit of a caption is confirmed; returns the name the row's entry was
  // moved to on disk, or nothing when the row keeps the name it was listed with.
  using EditHandler = std::function<std::optional<QByteArray>(int row, const QString &typed)>;

  ListModel(IconSource icons, EditHandler edited, QObject *parent = nullptr);

  // Replaces every row.
  void setRows(RowTable rows, const RowTextFormat &format);
  // Reorders the rows ascending by a key; the selection stays with its row.
  void sortBy(SortKey key, const QCollator &collator);

  const RowTable &rows() const { return rows_; }
  const RowTextFormat &format() const { return *format_; }
  // The first column's text: a caption typed over a drive, else the caption of the name.
  QString caption(int row) const;

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;
  bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
  IconSource icons_;
  EditHandler edited_;
  RowTable rows_;
  std::optional<RowTextFormat> format_;
  // Captions typed over drives, by mount point: shown until the next listing, as a drive
  // has no name on disk to change.
  QHash<QByteArray, QString> driveCaptions_;
  quint64 generation_ = 0; // counts the times every row was replaced
};

} // namespace tv
