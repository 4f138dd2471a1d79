// The widgets that show what the user named or typed (a path, a file name).
// Such text may be in a script that cannot be drawn unshaped, while the program's own texts are drawn without
// shaping (see TahomaFont): these types choose the font themselves, so a new place showing a name cannot forget it.
#pragma once

#include <QLineEdit>
#include <QStyledItemDelegate>

#include "ui/message_label.h"

namespace tv::ui {

// A one-line label for a path or a name: its font is its face, shaped when the text needs it.
class UserTextLabel : public LineLabel {
  Q_OBJECT
public:
  UserTextLabel(const QFont &face, QWidget *parent);

  // Hides QLabel::setText, which would keep the font of the text before.
  void setText(const QString &text);

private:
  QFont face_;
};

// A field in which a name is typed: it always shapes, as any script may be typed into it.
class NameEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit NameEdit(QWidget *parent);
};

// Draws cells as the styled delegate does, shaping only the texts that need it; its editor
// always shapes what is typed.
class UserTextDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

} // namespace tv::ui
