// Draws the main window's list cells with each row's picture and hands on edited captions.
#pragma once

#include "ui/user_text.h"

namespace tv {

namespace ui {
class TPngImageList;
} // namespace ui

// Draws the list's cells with each row's picture from the image list, names shaped where they
// need it and the editor always shaping. A confirmed edit is handed on as typed: the model
// changes only once the entry is renamed on disk.
class RowDelegate : public ui::UserTextDelegate {
  Q_OBJECT
public:
  RowDelegate(const ui::TPngImageList &images, QObject *parent);

  void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

signals:
  // The caption of a row was edited and confirmed.
  void CaptionEdited(int row, const QString &typed);

protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
  const ui::TPngImageList &images_;
};

} // namespace tv
