// The box that shows a long copy's progress and lets the user cancel it.
#pragma once

#include "ui/borderless_frame.h"

#include "texts/texts.h"

class QLabel;

namespace tv::ui {

class TPngBitBtn;
class UserTextLabel;

// A small box, not modal: the name of the file being copied, the bytes done of the total,
// and Cancel, which closes the box at once and tells its owner.
class CopyProgressBox : public BorderlessDialog {
  Q_OBJECT
public:
  explicit CopyProgressBox(QWidget *parent = nullptr);

  void SetTexts(Language language);
  // Shows the file's name and the progress text.
  void ShowProgress(const QString &name, const QString &progress);

  QLabel *Label1;         // caption: "Copying"
  UserTextLabel *Label2;  // the file's name
  QLabel *Label3;         // bytes done of the total
  TPngBitBtn *PngBitBtn1; // Cancel

signals:
  void CancelClicked();
};

} // namespace tv::ui
