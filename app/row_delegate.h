#pragma once

#include <QStyledItemDelegate>

namespace tv {

namespace ui {
class TPngImageList;
} // namespace ui

// Draws the list's cells as the styled delegate does, with each row's picture from the image
// list and shaping only for the texts that need it (see ui::TahomaFont); its editor always
// shapes what is typed. A confirmed edit is handed on as typed: the model changes only once
// the entry is renamed on disk.
class RowDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  RowDelegate(const ui::TPngImageList &images, QObject *parent);

  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
  void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

signals:
  // The caption of a row was edited and confirmed.
  void captionEdited(int row, const QString &typed);

protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
  const ui::TPngImageList &images_;
};

} // namespace tv
