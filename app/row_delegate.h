#pragma once

#include <QStyledItemDelegate>

namespace tv {

// Draws the list's cells as the styled delegate does, with shaping only for the texts that
// need it (see ui::TahomaFont); its editor always shapes what is typed.
class RowDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

} // namespace tv
